#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "database/jet/data_page.h"
#include "database/jet/page_cache.h"
#include "database/jet/table_definition.h"
#include "database/jet/value.h"

namespace jet {

// Reads a table's rows in natural order: its data pages as its usage map lists them, the rows
// of each page in turn. Deleted rows are skipped; a row that overflowed to another page is read
// from there, in its own place. Holds one page at a time.
class TableScan {
 public:
  TableScan(PageCache& pages, const TableDefinition& table);

  // The next row's values, or false at the end.
  bool next(std::vector<Value>& values);
  // Where the row last returned lives (its identity, also when its data overflowed).
  RowPointer position() const { return position_; }

 private:
  Region resolve(const DataPage& page, unsigned row) const;

  PageCache& pages_;
  const TableDefinition& table_;
  std::vector<uint32_t> data_pages_;
  size_t next_page_ = 0;
  std::optional<DataPage> page_;
  unsigned next_row_ = 0;
  RowPointer position_;
};

}  // namespace jet
