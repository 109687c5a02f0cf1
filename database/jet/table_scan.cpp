#include "database/jet/table_scan.h"

#include <string>

#include "database/jet/row_codec.h"
#include "database/jet/usage_map.h"

namespace jet {
namespace {

// A moved row may in principle move again; no real chain is longer than this.
constexpr int max_moves = 8;

}  // namespace

TableScan::TableScan(PageCache& pages, const TableDefinition& table)
    : pages_(pages), table_(table), data_pages_(read_usage_map(pages, table.used_pages)) {}

Region TableScan::resolve(const DataPage& page, unsigned row) const {
  Region bytes = page.row(row);
  bool moved = page.moved(row);
  for (int hops = 0; moved; ++hops) {
    if (hops == max_moves) bytes.fail("an overflowed row moves on more than " + std::to_string(max_moves) + " times");
    if (bytes.size() < 4) bytes.fail("the pointer of an overflowed row is cut short");
    const RowPointer target = RowPointer::from(bytes.u32(0));
    const DataPage there = read_data_page(pages_, target.page);
    if (there.owner() != table_.page)
      there.page().fail("an overflowed row of the table on page " + std::to_string(table_.page) +
                        " points to a page of another table");
    bytes = there.row(target.row);
    moved = there.moved(target.row) && !there.deleted(target.row);
  }
  return bytes;
}

bool TableScan::next(std::vector<Value>& values) {
  while (true) {
    if (page_ && next_row_ < page_->row_count()) {
      const unsigned row = next_row_++;
      if (page_->deleted(row)) continue;
      position_ = {page_->number(), static_cast<uint8_t>(row)};
      values = decode_row(pages_, table_, resolve(*page_, row));
      return true;
    }
    page_.reset();
    if (next_page_ == data_pages_.size()) return false;
    const auto page = pages_.page(data_pages_[next_page_++]);
    // The map may still list pages the table gave back; only its own data pages count.
    if (page->u8(0) != static_cast<uint8_t>(PageType::data)) continue;
    DataPage data(page);
    if (data.owner() != table_.page) continue;
    page_ = std::move(data);
    next_row_ = 0;
  }
}

}  // namespace jet
