#pragma once

#include <cstdint>
#include <memory>

#include "database/jet/page.h"
#include "database/jet/page_cache.h"
#include "database/jet/row_pointer.h"

namespace jet {

enum class PageType : uint8_t {
  database = 0x00,
  data = 0x01,
  table_definition = 0x02,
  index_node = 0x03,
  index_leaf = 0x04,
  usage_map = 0x05,
};

// A data page (rows of a table, or long values): its header and its table of row offsets.
class DataPage {
 public:
  // `owner` of a long-value page reads as this tag ("LVAL").
  static constexpr uint32_t long_value_owner = 0x4C41564C;

  explicit DataPage(std::shared_ptr<const Page> page);

  uint32_t number() const { return page_->number(); }
  uint32_t owner() const { return page_->u32(4); }
  unsigned row_count() const { return row_count_; }
  bool deleted(unsigned row) const;
  // The row holds only a pointer to where its data went (an overflow row).
  bool moved(unsigned row) const;
  // The row's bytes; throws when its offsets are impossible.
  Region row(unsigned row) const;
  const Page& page() const { return *page_; }

 private:
  uint16_t entry(unsigned row) const;

  std::shared_ptr<const Page> page_;
  unsigned row_count_;
};

// Reads a data page, checking its type.
DataPage read_data_page(PageCache& pages, uint32_t number);
// The bytes of the row a pointer names, following nothing further.
Region read_row(PageCache& pages, RowPointer pointer);
// The same, also for a row marked deleted (where an overflowed row's data lies).
Region read_stored_row(PageCache& pages, RowPointer pointer);

}  // namespace jet
