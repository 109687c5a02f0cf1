#include "database/jet/long_value_writer.h"

#include <algorithm>
#include <set>

#include "database/jet/data_page.h"
#include "database/jet/data_page_edit.h"
#include "database/jet/usage_map.h"

namespace jet {
namespace {

constexpr uint32_t in_row = 0x80000000;
constexpr uint32_t in_one_row = 0x40000000;
constexpr uint32_t length_mask = 0x3FFFFFFF;
// The most data one long-value row holds: a page with that row alone.
constexpr size_t max_lval_row = 4096 - DataPageEdit::header_size - 2;
// The long-value pages looked at for room before a new one is taken.
constexpr size_t pages_tried = 8;
// Less room than this and a page no longer counts as having room.
constexpr size_t least_room = 64;

uint32_t pointer(uint32_t page, unsigned row) { return page << 8 | row; }

// A row on one of the column's long-value pages with room, or on a new one.
uint32_t put_row(PageCache& pages, PageSpace& space, const LongValueMaps* maps, std::vector<uint8_t> row) {
  if (maps != nullptr) {
    const std::vector<uint32_t> with_room = read_usage_map(pages, maps->free_pages);
    size_t tried = 0;
    for (auto it = with_room.rbegin(); it != with_room.rend() && tried < pages_tried; ++it) {
      if (*it >= pages.page_count()) continue;
      const auto page = pages.page(*it);
      if (page->u8(0) != static_cast<uint8_t>(PageType::data) || page->u32(4) != DataPage::long_value_owner) continue;
      ++tried;
      DataPageEdit edit(pages, *it);
      if (!edit.fits_new(row.size())) continue;
      const unsigned r = edit.add(std::move(row));
      edit.save();
      space.set_usage(maps->free_pages, *it, edit.fits_new(least_room));
      return pointer(*it, r);
    }
  }
  const uint32_t number = space.allocate();
  DataPageEdit edit = DataPageEdit::fresh(pages, number, DataPage::long_value_owner);
  const unsigned r = edit.add(std::move(row));
  edit.save();
  if (maps != nullptr) {
    space.set_usage(maps->used_pages, number, true);
    space.set_usage(maps->free_pages, number, edit.fits_new(least_room));
  }
  return pointer(number, r);
}

}  // namespace

std::vector<uint8_t> long_value_in_row(std::span<const uint8_t> data) {
  std::vector<uint8_t> field(long_value_field_size + data.size());
  put32(field.data(), static_cast<uint32_t>(data.size()) | in_row);
  std::copy(data.begin(), data.end(), field.begin() + long_value_field_size);
  return field;
}

std::vector<uint8_t> store_long_value(PageCache& pages, PageSpace& space, const TableDefinition& table,
                                      const Column& column, std::span<const uint8_t> data) {
  const LongValueMaps* maps = table.long_value_maps_of(column.number);
  std::vector<uint8_t> field(long_value_field_size);
  if (data.size() > length_mask) pages.fail(table.page, "a long value of more than 1 GB cannot be stored");
  if (data.size() <= max_lval_row) {
    put32(field.data(), static_cast<uint32_t>(data.size()) | in_one_row);
    put32(&field[4], put_row(pages, space, maps, std::vector<uint8_t>(data.begin(), data.end())));
    return field;
  }
  // A chain: stored last piece first, so that each row knows the one after it.
  const size_t piece = max_lval_row - 4;
  const size_t pieces = (data.size() + piece - 1) / piece;
  uint32_t next = 0;
  for (size_t k = pieces; k-- > 0;) {
    const size_t begin = k * piece;
    const size_t end = std::min(data.size(), begin + piece);
    std::vector<uint8_t> row(4 + end - begin);
    put32(row.data(), next);
    std::copy(data.begin() + static_cast<std::ptrdiff_t>(begin), data.begin() + static_cast<std::ptrdiff_t>(end), row.begin() + 4);
    next = put_row(pages, space, maps, std::move(row));
  }
  put32(field.data(), static_cast<uint32_t>(data.size()));
  put32(&field[4], next);
  return field;
}

void free_long_value(PageCache& pages, PageSpace& space, const LongValueMaps* maps, std::span<const uint8_t> field) {
  if (field.size() < long_value_field_size) return;
  const uint32_t head = le32(field.data());
  if ((head & in_row) != 0) return;
  RowPointer where = RowPointer::from(le32(field.data() + 4));
  std::set<RowPointer> seen;
  while (!where.null() && seen.insert(where).second) {
    DataPageEdit edit(pages, where.page);
    if (edit.owner() != DataPage::long_value_owner || where.row >= edit.row_count()) return;
    const std::vector<uint8_t> row = edit.row(where.row);
    edit.remove(where.row);
    edit.save();
    if (maps != nullptr) space.set_usage(maps->free_pages, where.page, edit.fits_new(least_room));
    if ((head & in_one_row) != 0 || row.size() < 4) return;
    where = RowPointer::from(le32(row.data()));
  }
}

}  // namespace jet
