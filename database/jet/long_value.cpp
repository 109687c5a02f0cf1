#include "database/jet/long_value.h"

#include <algorithm>
#include <set>
#include <string>

#include "database/jet/data_page.h"
#include "database/jet/row_pointer.h"

namespace jet {
namespace {

constexpr size_t field_header = 12;
constexpr uint32_t length_mask = 0x3FFFFFFF;
constexpr uint32_t in_row = 0x80000000;
constexpr uint32_t in_one_row = 0x40000000;

Region long_value_row(PageCache& pages, RowPointer where) {
  const DataPage page = read_data_page(pages, where.page);
  if (page.owner() != DataPage::long_value_owner)
    page.page().fail("a long-value page was expected, the page belongs to a table");
  if (page.deleted(where.row))
    page.page().fail("long-value row " + std::to_string(where.row) + " is referred to but deleted");
  return page.row(where.row);
}

}  // namespace

Binary read_long_value(PageCache& pages, const Region& field) {
  if (field.size() < field_header)
    field.fail("a long-value field of " + std::to_string(field.size()) + " bytes is cut short");
  const uint32_t head = field.u32(0);
  const uint32_t length = head & length_mask;
  const uint64_t file_bytes = static_cast<uint64_t>(pages.page_count()) * pages.page_size();
  if (length > file_bytes)
    field.fail("a long value claims " + std::to_string(length) + " bytes, more than the file holds");
  const auto take = [](const Region& from, size_t offset, size_t count) {
    const auto bytes = from.bytes().subspan(offset, count);
    return Binary(bytes.begin(), bytes.end());
  };

  if ((head & in_row) != 0) {
    if ((head & in_one_row) != 0) field.fail("a long value has contradictory storage flags");
    if (length > field.size() - field_header)
      field.fail("a long value held in its row claims " + std::to_string(length) +
                 " bytes, the row holds " + std::to_string(field.size() - field_header));
    return take(field, field_header, length);
  }
  const RowPointer first = RowPointer::from(field.u32(4));
  if ((head & in_one_row) != 0) {
    const Region row = long_value_row(pages, first);
    if (length > row.size())
      row.fail("a long value claims " + std::to_string(length) + " bytes, its row holds " +
               std::to_string(row.size()));
    return take(row, 0, length);
  }

  Binary value;
  std::set<RowPointer> seen;
  RowPointer where = first;
  while (value.size() < length) {
    if (where.null())
      field.fail("a long value ends after " + std::to_string(value.size()) + " of its " +
                 std::to_string(length) + " bytes");
    if (!seen.insert(where).second)
      pages.fail(where.page, "a long value's chain of rows loops back to row " + std::to_string(where.row));
    const Region row = long_value_row(pages, where);
    const RowPointer next = RowPointer::from(row.u32(0));
    const size_t count = std::min<size_t>(row.size() - 4, length - value.size());
    const auto bytes = row.bytes().subspan(4, count);
    value.insert(value.end(), bytes.begin(), bytes.end());
    where = next;
  }
  return value;
}

}  // namespace jet
