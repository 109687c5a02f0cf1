#include "database/jet/table_writer.h"

#include <algorithm>
#include <string>

#include "database/jet/data_page.h"
#include "database/jet/data_page_edit.h"
#include "database/jet/index_leaf.h"
#include "database/jet/long_value_writer.h"
#include "database/jet/row_codec.h"
#include "database/jet/row_encoder.h"
#include "database/jet/text.h"
#include "database/jet/usage_map.h"

namespace jet {
namespace {

// A long value up to this size stays in its row when the row has room.
constexpr size_t long_value_in_row_limit = 64;
// Pages listed as having room that an insert tries before it takes a new page.
constexpr size_t pages_tried = 8;
// Less room than this and a page no longer counts as having room for rows.
constexpr size_t least_room = 16;

std::vector<uint8_t> pointer_row(RowPointer to) {
  std::vector<uint8_t> row(4);
  put32(row.data(), to.page << 8 | to.row);
  return row;
}

}  // namespace

TableWriter::TableWriter(PageCache& pages, std::u16string name, uint32_t definition_page)
    : pages_(pages), space_(pages), name_(std::move(name)), table_(read_table_definition(pages, definition_page)) {}

std::string TableWriter::index_name(size_t real_index) const {
  for (const Index& index : table_.indexes)
    if (index.real_index == real_index) return to_windows1252(index.name);
  return "number " + std::to_string(real_index);
}

void TableWriter::refuse_indexed() const {
  const bool system = table_.table_type == TableDefinition::system_table;
  for (size_t i = 0; i < table_.real_indexes.size(); ++i) {
    const RealIndex& index = table_.real_indexes[i];
    if (keyable(table_, index, system) && IndexLeaf::single_leaf(pages_, index.first_page)) continue;
    pages_.fail(table_.page, "table " + to_windows1252(name_) + " has the index " + index_name(i) +
                                 ", which cannot be kept true yet, so the table cannot be written");
  }
}

std::vector<std::vector<uint8_t>> TableWriter::index_keys(const std::vector<Value>& values,
                                                          std::optional<RowPointer> self) {
  std::vector<std::vector<uint8_t>> keys;
  for (size_t i = 0; i < table_.real_indexes.size(); ++i) {
    const RealIndex& index = table_.real_indexes[i];
    auto key = index_key(table_, index, values);
    if (!key)
      pages_.fail(table_.page, "a value of table " + to_windows1252(name_) + " cannot be kept in its index " +
                                   index_name(i) + " (characters without a known sort order)");
    const IndexLeaf leaf(pages_, index.first_page);
    if (index.unique() && leaf.holds_key(*key, self))
      pages_.fail(table_.page, "table " + to_windows1252(name_) + " already holds a row with the same value in its unique index " +
                                   index_name(i));
    if (!leaf.fits(*key))
      pages_.fail(table_.page, "index " + index_name(i) + " of table " + to_windows1252(name_) +
                                   " would need more than one page, which cannot be written yet");
    keys.push_back(std::move(*key));
  }
  return keys;
}

void TableWriter::add_index_entries(const std::vector<std::vector<uint8_t>>& keys, RowPointer row) {
  for (size_t i = 0; i < keys.size(); ++i) {
    IndexLeaf leaf(pages_, table_.real_indexes[i].first_page);
    leaf.insert(IndexLeaf::entry(keys[i], row));
    leaf.save();
  }
}

void TableWriter::remove_index_entries(RowPointer row) {
  for (const RealIndex& index : table_.real_indexes) {
    IndexLeaf leaf(pages_, index.first_page);
    leaf.remove(row);
    leaf.save();
  }
}

void TableWriter::count_index_rows(int change) {
  if (table_.real_indexes.empty()) return;
  std::vector<uint8_t> page = pages_.copy(table_.page);
  for (size_t i = 0; i < table_.real_indexes.size(); ++i) {
    uint8_t* at = &page.at(63 + 12 * i + 4);
    put32(at, static_cast<uint32_t>(static_cast<int64_t>(le32(at)) + change));
  }
  pages_.stage(table_.page, std::move(page));
}

std::vector<uint8_t> TableWriter::build(const std::vector<Value>& values) {
  std::vector<std::vector<uint8_t>> data(values.size());
  std::vector<std::vector<uint8_t>> fields(values.size());
  std::vector<bool> in_row(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    if (!long_value_type(table_.columns[i].type) || is_null(values[i])) continue;
    data[i] = long_value_data(table_.columns[i], values[i]);
    in_row[i] = data[i].size() <= long_value_in_row_limit;
    fields[i] = in_row[i] ? long_value_in_row(data[i]) : std::vector<uint8_t>(long_value_field_size);
  }
  std::vector<uint8_t> row = encode_row(table_, values, fields);
  // Too long for a page: the largest long values held in the row go out to their own pages.
  while (row.size() > max_row_size) {
    size_t largest = values.size();
    for (size_t i = 0; i < values.size(); ++i)
      if (in_row[i] && (largest == values.size() || data[i].size() > data[largest].size())) largest = i;
    if (largest == values.size())
      pages_.fail(table_.page, "a row of table " + to_windows1252(name_) + " would take " + std::to_string(row.size()) +
                                   " bytes, more than the " + std::to_string(max_row_size) + " a row can hold");
    in_row[largest] = false;
    fields[largest] = std::vector<uint8_t>(long_value_field_size);
    row = encode_row(table_, values, fields);
  }
  bool stored = false;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!long_value_type(table_.columns[i].type) || is_null(values[i]) || in_row[i]) continue;
    fields[i] = store_long_value(pages_, space_, table_, table_.columns[i], data[i]);
    stored = true;
  }
  return stored ? encode_row(table_, values, fields) : row;
}

void TableWriter::mark_room(uint32_t page, size_t free_space, unsigned rows) {
  const bool room = free_space >= least_room && rows < DataPageEdit::max_rows;
  space_.set_usage(table_.free_pages, page, room);
}

RowPointer TableWriter::place(std::vector<uint8_t> row, uint16_t flags, uint32_t avoid_page) {
  const std::vector<uint32_t> with_room = read_usage_map(pages_, table_.free_pages);
  size_t tried = 0;
  for (auto it = with_room.rbegin(); it != with_room.rend() && tried < pages_tried; ++it) {
    if (*it == avoid_page || *it >= pages_.page_count()) continue;
    const auto page = pages_.page(*it);
    if (page->u8(0) != static_cast<uint8_t>(PageType::data) || page->u32(4) != table_.page) continue;
    ++tried;
    DataPageEdit edit(pages_, *it);
    if (!edit.fits_new(row.size())) continue;
    const unsigned r = edit.add(std::move(row), flags);
    edit.save();
    mark_room(*it, edit.free_space(), edit.row_count());
    return {*it, static_cast<uint8_t>(r)};
  }
  const uint32_t number = space_.allocate();
  DataPageEdit edit = DataPageEdit::fresh(pages_, number, table_.page);
  const unsigned r = edit.add(std::move(row), flags);
  edit.save();
  space_.set_usage(table_.used_pages, number, true);
  mark_room(number, edit.free_space(), edit.row_count());
  return {number, static_cast<uint8_t>(r)};
}

RowPointer TableWriter::data_of(RowPointer row) const {
  const DataPage page = read_data_page(pages_, row.page);
  if (page.owner() != table_.page)
    page.page().fail("row " + std::to_string(row.row) + " is not a row of table " + to_windows1252(name_));
  if (row.row >= page.row_count() || page.deleted(row.row))
    page.page().fail("row " + std::to_string(row.row) + " of table " + to_windows1252(name_) + " does not exist");
  if (!page.moved(row.row)) return row;
  return RowPointer::from(page.row(row.row).u32(0));
}

void TableWriter::free_long_values(RowPointer data_row) {
  const Region row = read_stored_row(pages_, data_row);
  std::vector<std::pair<uint16_t, std::vector<uint8_t>>> fields;
  for (const auto& [column, f] : long_value_fields(table_, row))
    fields.emplace_back(column, std::vector<uint8_t>(f.bytes().begin(), f.bytes().end()));
  for (const auto& [column, f] : fields) free_long_value(pages_, space_, table_.long_value_maps_of(column), f);
}

void TableWriter::set_counts(uint32_t row_count, uint32_t auto_number) {
  std::vector<uint8_t> page = pages_.copy(table_.page);
  put32(&page[16], row_count);
  put32(&page[20], auto_number);
  pages_.stage(table_.page, std::move(page));
  table_.row_count = row_count;
  table_.next_auto_number = auto_number;
}

RowPointer TableWriter::insert(std::vector<std::optional<Value>> given) {
  StagedMark mark(pages_);
  refuse_indexed();
  if (given.size() != table_.columns.size())
    pages_.fail(table_.page, std::to_string(given.size()) + " values were given for the " +
                                 std::to_string(table_.columns.size()) + " columns of table " + to_windows1252(name_));
  uint32_t counter = table_.next_auto_number;
  std::vector<Value> values(given.size());
  for (size_t i = 0; i < given.size(); ++i) {
    const Column& c = table_.columns[i];
    if (given[i]) {
      values[i] = std::move(*given[i]);
    } else if (c.auto_number()) {
      if (counter == INT32_MAX) pages_.fail(table_.page, "column " + to_windows1252(c.name) + ": the AutoNumber counter is exhausted");
      values[i] = static_cast<int64_t>(++counter);
    }
  }
  values = fit_values(pages_, table_, std::move(values));
  for (size_t i = 0; i < values.size(); ++i)
    if (table_.columns[i].auto_number())
      if (const auto* n = std::get_if<int64_t>(&values[i]); n && *n > static_cast<int64_t>(counter))
        counter = static_cast<uint32_t>(*n);
  const auto keys = index_keys(values, std::nullopt);
  std::vector<uint8_t> row = build(values);
  const RowPointer where = place(std::move(row), 0, 0);
  add_index_entries(keys, where);
  count_index_rows(+1);
  set_counts(table_.row_count + 1, counter);
  mark.keep();
  return where;
}

RowPointer TableWriter::update(RowPointer row, std::vector<Value> values) {
  StagedMark mark(pages_);
  refuse_indexed();
  const RowPointer data = data_of(row);
  values = fit_values(pages_, table_, std::move(values));
  const auto keys = index_keys(values, row);
  std::vector<uint8_t> bytes = build(values);
  free_long_values(data);
  remove_index_entries(row);
  add_index_entries(keys, row);
  if (data != row) {
    DataPageEdit there(pages_, data.page);
    there.remove(data.row);
    there.save();
    mark_room(data.page, there.free_space(), there.row_count());
  }
  DataPageEdit home(pages_, row.page);
  if (home.fits_replacement(row.row, bytes.size())) {
    home.replace(row.row, std::move(bytes), 0);
    home.save();
    mark_room(row.page, home.free_space(), home.row_count());
    mark.keep();
    return row;
  }
  // No room at home: the data goes elsewhere and the home row points to it.
  const RowPointer moved = place(std::move(bytes), DataPageEdit::overflow_flag, row.page);
  DataPageEdit again(pages_, row.page);
  again.replace(row.row, pointer_row(moved), DataPageEdit::moved_flag);
  again.save();
  mark_room(row.page, again.free_space(), again.row_count());
  mark.keep();
  return row;
}

void TableWriter::remove(RowPointer row) {
  StagedMark mark(pages_);
  refuse_indexed();
  const RowPointer data = data_of(row);
  free_long_values(data);
  remove_index_entries(row);
  count_index_rows(-1);
  if (data != row) {
    DataPageEdit there(pages_, data.page);
    there.remove(data.row);
    there.save();
    mark_room(data.page, there.free_space(), there.row_count());
  }
  DataPageEdit home(pages_, row.page);
  home.remove(row.row);
  home.save();
  mark_room(row.page, home.free_space(), home.row_count());
  set_counts(table_.row_count > 0 ? table_.row_count - 1 : 0, table_.next_auto_number);
  mark.keep();
}

}  // namespace jet
