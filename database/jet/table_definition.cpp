#include "database/jet/table_definition.h"

#include <algorithm>
#include <set>
#include <string>

#include "database/jet/data_page.h"
#include "database/jet/text.h"

namespace jet {
namespace {

constexpr size_t page_header = 8;
constexpr size_t real_index_entry = 12;
constexpr size_t column_entry = 25;
constexpr size_t real_index_definition = 52;
constexpr size_t index_definition = 28;
constexpr size_t max_index_columns = 10;
constexpr size_t max_definition_pages = 64;

// The definition's bytes, pages joined without their headers, read with checks that name
// the first page.
class Definition {
 public:
  Definition(PageCache& pages, uint32_t first, std::vector<uint32_t>& chain) : pages_(pages), first_(first) {
    std::set<uint32_t> seen;
    uint32_t number = first;
    while (true) {
      if (!seen.insert(number).second)
        pages.fail(first, "the table definition's pages loop back to page " + std::to_string(number));
      if (seen.size() > max_definition_pages)
        pages.fail(first, "the table definition runs over more than " +
                              std::to_string(max_definition_pages) + " pages");
      const auto page = pages.page(number);
      if (page->u8(0) != static_cast<uint8_t>(PageType::table_definition))
        page->fail("a table definition page was expected, the page is of type " +
                   std::to_string(page->u8(0)));
      chain.push_back(number);
      const auto bytes = page->bytes();
      bytes_.insert(bytes_.end(), bytes.begin() + (bytes_.empty() ? 0 : page_header), bytes.end());
      number = page->u32(4);
      if (number == 0) break;
    }
  }

  [[noreturn]] void fail(const std::string& problem) const { pages_.fail(first_, problem); }
  size_t size() const { return bytes_.size(); }

  void need(size_t offset, size_t length) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset)
      fail("the table definition is cut short at offset " + std::to_string(offset));
  }
  uint8_t u8(size_t offset) const {
    need(offset, 1);
    return bytes_[offset];
  }
  uint16_t u16(size_t offset) const {
    need(offset, 2);
    return le16(&bytes_[offset]);
  }
  uint32_t u32(size_t offset) const {
    need(offset, 4);
    return le32(&bytes_[offset]);
  }
  // A name: its length in bytes, then the text.
  std::u16string name(size_t& offset) const {
    const uint16_t length = u16(offset);
    need(offset + 2, length);
    auto text = decode_text(std::span(bytes_).subspan(offset + 2, length));
    offset += 2 + length;
    return text;
  }

 private:
  PageCache& pages_;
  uint32_t first_;
  std::vector<uint8_t> bytes_;
};

Column read_column(const Definition& d, size_t at) {
  Column c;
  c.type_code = d.u8(at);
  c.type = known_column_type(c.type_code) ? static_cast<ColumnType>(c.type_code) : ColumnType::binary;
  c.number = d.u16(at + 5);
  c.variable_index = d.u16(at + 7);
  c.flags = d.u8(at + 15);
  c.compressed_text = (d.u8(at + 16) & 0x01) != 0;
  c.fixed_offset = d.u16(at + 21);
  c.length = d.u16(at + 23);
  if (c.type == ColumnType::decimal) {
    c.precision = d.u8(at + 11);
    c.scale = d.u8(at + 12);
  } else if (c.type == ColumnType::text || c.type == ColumnType::memo) {
    c.sort_order = d.u16(at + 11);
  }
  return c;
}

void check_column(const Definition& d, const Column& c) {
  const std::string which = "column " + to_windows1252(c.name);
  if (c.fixed()) {
    const unsigned size = c.type == ColumnType::yes_no ? 0 : fixed_size(c.type);
    if (size != 0 && c.length < size && known_column_type(c.type_code))
      d.fail(which + " is " + std::to_string(c.length) + " bytes long, too short for its type " +
             type_name(c.type));
  }
  if (c.number == 0xFFFF) d.fail(which + " has an impossible number");
}

}  // namespace

const Column* TableDefinition::find_column(std::u16string_view name) const {
  for (const Column& c : columns)
    if (same_name(c.name, name)) return &c;
  return nullptr;
}

const LongValueMaps* TableDefinition::long_value_maps_of(uint16_t column_number) const {
  for (const LongValueMaps& m : long_value_maps)
    if (m.column_number == column_number) return &m;
  return nullptr;
}

TableDefinition read_table_definition(PageCache& pages, uint32_t page) {
  TableDefinition t;
  t.page = page;
  const Definition d(pages, page, t.pages);
  t.row_count = d.u32(16);
  t.next_auto_number = d.u32(20);
  t.table_type = d.u8(40);
  t.max_columns = d.u16(41);
  t.variable_columns = d.u16(43);
  const uint16_t column_count = d.u16(45);
  const uint32_t index_count = d.u32(47);
  const uint32_t real_index_count = d.u32(51);
  t.used_pages = RowPointer::from(d.u32(55));
  t.free_pages = RowPointer::from(d.u32(59));
  if (column_count == 0) d.fail("the table definition lists no columns");
  if (column_count > t.max_columns)
    d.fail("the table definition lists " + std::to_string(column_count) + " columns, more than its " +
           std::to_string(t.max_columns) + " at most");
  // Each index takes at least a few bytes of the definition: a larger count cannot be true.
  if (real_index_count > pages.page_size() || index_count > pages.page_size())
    d.fail("the table definition claims " + std::to_string(index_count) + " indexes");

  size_t at = 63 + real_index_entry * real_index_count;
  t.columns.reserve(column_count);
  for (uint16_t i = 0; i < column_count; ++i, at += column_entry) t.columns.push_back(read_column(d, at));
  for (Column& c : t.columns) {
    c.name = d.name(at);
    check_column(d, c);
  }
  t.real_indexes.resize(real_index_count);
  for (RealIndex& index : t.real_indexes) {
    for (size_t k = 0; k < max_index_columns; ++k) {
      const uint16_t number = d.u16(at + 4 + 3 * k);
      if (number == 0xFFFF) continue;
      index.columns.push_back({number, d.u8(at + 4 + 3 * k + 2)});
    }
    index.usage_map = RowPointer::from(d.u32(at + 34));
    index.first_page = d.u32(at + 38);
    index.flags = d.u8(at + 46);
    at += real_index_definition;
  }
  t.indexes.resize(index_count);
  for (Index& index : t.indexes) {
    index.number = d.u32(at + 4);
    index.real_index = d.u32(at + 8);
    index.related_index = d.u32(at + 13);
    index.related_table_page = d.u32(at + 17);
    index.cascade_updates = d.u8(at + 21) != 0;
    index.cascade_deletes = d.u8(at + 22) != 0;
    index.type = d.u8(at + 23);
    if (index.real_index >= real_index_count)
      d.fail("index " + std::to_string(index.number) + " refers to stored index " +
             std::to_string(index.real_index) + " of " + std::to_string(real_index_count));
    at += index_definition;
  }
  for (Index& index : t.indexes) index.name = d.name(at);
  // Then the long-value columns' own usage maps, up to a column number of FFFF.
  while (at + 10 <= d.size() && d.u16(at) != 0xFFFF) {
    t.long_value_maps.push_back({d.u16(at), RowPointer::from(d.u32(at + 2)), RowPointer::from(d.u32(at + 6))});
    at += 10;
  }

  std::stable_sort(t.columns.begin(), t.columns.end(),
                   [](const Column& a, const Column& b) { return a.number < b.number; });
  for (size_t i = 1; i < t.columns.size(); ++i)
    if (t.columns[i].number == t.columns[i - 1].number)
      d.fail("two columns share the number " + std::to_string(t.columns[i].number));
  return t;
}

}  // namespace jet
