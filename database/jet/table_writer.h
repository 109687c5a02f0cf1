#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "database/jet/page_cache.h"
#include "database/jet/page_space.h"
#include "database/jet/row_pointer.h"
#include "database/jet/table_definition.h"
#include "database/jet/value.h"

namespace jet {

// Changes the rows of one table inside an open change: each operation stages all its pages or,
// on an Error, none; rows placed on the table's pages with room or on new pages,
// usage maps, the row count and the AutoNumber counter kept.
class TableWriter {
 public:
  TableWriter(PageCache& pages, std::u16string name, uint32_t definition_page);

  RowPointer insert(std::vector<std::optional<Value>> values);
  RowPointer update(RowPointer row, std::vector<Value> values);
  void remove(RowPointer row);

 private:
  struct Placed {
    std::vector<uint8_t> row;
    std::vector<std::vector<uint8_t>> long_fields;
  };
  // Refuses the write when an index of the table cannot be kept true here.
  void refuse_indexed() const;
  // The key of each stored index for these values; refuses a duplicate in a unique index
  // (`self` is the row being replaced) and an index page without room.
  std::vector<std::vector<uint8_t>> index_keys(const std::vector<Value>& values, std::optional<RowPointer> self);
  void add_index_entries(const std::vector<std::vector<uint8_t>>& keys, RowPointer row);
  void remove_index_entries(RowPointer row);
  void count_index_rows(int change);
  std::string index_name(size_t real_index) const;
  // The row's bytes, long values stored; checks the size before anything is staged.
  std::vector<uint8_t> build(const std::vector<Value>& values);
  RowPointer place(std::vector<uint8_t> row, uint16_t flags, uint32_t avoid_page);
  void mark_room(uint32_t page, size_t free_space, unsigned rows);
  void free_long_values(RowPointer data_row);
  // The row's own place, and where its data lies (the same, or where it overflowed to).
  RowPointer data_of(RowPointer row) const;
  void set_counts(uint32_t row_count, uint32_t auto_number);

  PageCache& pages_;
  PageSpace space_;
  std::u16string name_;
  TableDefinition table_;
};

}  // namespace jet
