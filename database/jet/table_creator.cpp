#include "database/jet/table_creator.h"

#include <algorithm>
#include <set>
#include <string>

#include "database/jet/data_page.h"
#include "database/jet/data_page_edit.h"
#include "database/jet/database.h"
#include "database/jet/index_leaf.h"
#include "database/jet/page_space.h"
#include "database/jet/table_scan.h"
#include "database/jet/table_writer.h"
#include "database/jet/text.h"

namespace jet {
namespace {

constexpr size_t map_row_size = 69;
constexpr int32_t tables_container = 0x0F000001;
constexpr int64_t full_rights = 1048319;
constexpr uint8_t primary_key_flags = 0x89;  // unique, required
constexpr size_t max_name = 64;

[[noreturn]] void refuse(PageCache& pages, const std::string& problem) { pages.fail(catalog_page, problem); }

std::string name_of(std::u16string_view name) { return to_windows1252(name); }

void put_name(std::vector<uint8_t>& out, std::u16string_view name) {
  const size_t at = out.size();
  out.resize(at + 2 + 2 * name.size());
  put16(&out[at], static_cast<uint16_t>(2 * name.size()));
  for (size_t i = 0; i < name.size(); ++i) put16(&out[at + 2 + 2 * i], name[i]);
}

// An empty usage map row on a page that holds such maps, or on a new one.
RowPointer new_map_row(PageCache& pages, PageSpace& space, std::vector<uint32_t>& map_pages) {
  std::vector<uint8_t> row(map_row_size);
  for (auto it = map_pages.rbegin(); it != map_pages.rend(); ++it) {
    DataPageEdit edit(pages, *it);
    if (edit.owner() != 0 || !edit.fits_new(row.size())) continue;
    const unsigned r = edit.add(row);
    edit.save();
    return {*it, static_cast<uint8_t>(r)};
  }
  const uint32_t number = space.allocate();
  DataPageEdit edit = DataPageEdit::fresh(pages, number, 0);
  const unsigned r = edit.add(row);
  edit.save();
  map_pages.push_back(number);
  return {number, static_cast<uint8_t>(r)};
}

uint32_t stored(RowPointer p) { return p.page << 8 | p.row; }

void check(PageCache& pages, const std::vector<CatalogEntry>& catalog, const NewTable& t) {
  const std::string table = name_of(t.name);
  if (t.name.empty() || t.name.size() > max_name)
    refuse(pages, "a table name must have 1 to " + std::to_string(max_name) + " characters");
  for (const CatalogEntry& e : catalog)
    if (same_name(e.name, t.name)) refuse(pages, "the database already has an object named " + table);
  if (t.columns.empty() || t.columns.size() > 255) refuse(pages, "table " + table + " must have 1 to 255 columns");
  for (size_t i = 0; i < t.columns.size(); ++i) {
    const NewColumn& c = t.columns[i];
    const std::string which = "column " + name_of(c.name) + " of table " + table;
    if (c.name.empty() || c.name.size() > max_name)
      refuse(pages, "a column name of table " + table + " must have 1 to " + std::to_string(max_name) + " characters");
    for (size_t k = 0; k < i; ++k)
      if (same_name(t.columns[k].name, c.name)) refuse(pages, "table " + table + " has two columns named " + name_of(c.name));
    if (!known_column_type(static_cast<uint8_t>(c.type))) refuse(pages, which + " is of an unknown type");
    if (c.type == ColumnType::text && (c.text_length < 1 || c.text_length > 255))
      refuse(pages, which + ": a Text column holds 1 to 255 characters");
    if (c.autonumber && c.type != ColumnType::long_integer) refuse(pages, which + ": only a Long Integer can be an AutoNumber");
  }
  for (const auto& key : t.primary_key) {
    const auto found = std::find_if(t.columns.begin(), t.columns.end(), [&](const NewColumn& c) { return same_name(c.name, key); });
    if (found == t.columns.end()) refuse(pages, "the primary key of table " + table + " names no column " + name_of(key));
  }
  if (t.primary_key.size() > 10) refuse(pages, "a primary key has at most 10 columns");
}

std::vector<Value> catalog_row(const TableDefinition& objects, uint32_t definition_page, std::u16string_view name,
                               const Binary& owner) {
  std::vector<Value> row(objects.columns.size(), Null{});
  const double now = now_as_days();
  for (size_t i = 0; i < objects.columns.size(); ++i) {
    const std::u16string& c = objects.columns[i].name;
    if (same_name(c, u"Id")) row[i] = static_cast<int64_t>(definition_page);
    else if (same_name(c, u"ParentId")) row[i] = int64_t{tables_container};
    else if (same_name(c, u"Name")) row[i] = std::u16string(name);
    else if (same_name(c, u"Type")) row[i] = int64_t{CatalogEntry::table_type};
    else if (same_name(c, u"DateCreate") || same_name(c, u"DateUpdate")) row[i] = DateTime{now};
    else if (same_name(c, u"Owner") && !owner.empty()) row[i] = owner;
    else if (same_name(c, u"Flags")) row[i] = int64_t{0};
  }
  return row;
}

size_t position(const TableDefinition& t, std::u16string_view name) {
  for (size_t i = 0; i < t.columns.size(); ++i)
    if (same_name(t.columns[i].name, name)) return i;
  return t.columns.size();
}

}  // namespace

void create_table(PageCache& pages, const std::vector<CatalogEntry>& catalog, const NewTable& t) {
  StagedMark mark(pages);
  check(pages, catalog, t);
  const TableDefinition objects = read_table_definition(pages, catalog_page);
  {
    RealIndex by_name;
    by_name.columns = {{0, 1}};
    TableDefinition probe;
    Column c;
    c.type = ColumnType::text;
    probe.columns.push_back(c);
    if (!index_key(probe, by_name, {Value(t.name)}))
      refuse(pages, "the table name " + name_of(t.name) +
                        " may hold only the letters A to Z, digits and the underscore, the characters whose order in the catalog's index is known");
  }
  const auto catalog_bytes = pages.page(catalog_page)->bytes();
  const uint32_t definition_tag = le32(&catalog_bytes[12]);
  const size_t catalog_real = 63 + 12 * objects.real_indexes.size() + 25 * objects.columns.size() +
                              [&] {
                                size_t n = 0;
                                for (const Column& c : objects.columns) n += 2 + 2 * c.name.size();
                                return n;
                              }();
  const uint32_t index_tag = objects.real_indexes.empty() ? 0 : le32(&catalog_bytes[catalog_real]);

  PageSpace space(pages);
  std::vector<uint32_t> map_pages;
  {
    std::set<uint32_t> seen;
    for (const CatalogEntry& e : catalog)
      if (e.table() && e.definition_page() < pages.page_count()) {
        const auto d = read_table_definition(pages, e.definition_page());
        if (seen.insert(d.used_pages.page).second) map_pages.push_back(d.used_pages.page);
      }
    std::sort(map_pages.begin(), map_pages.end());
  }
  const uint32_t page = space.allocate();
  const RowPointer used = new_map_row(pages, space, map_pages);
  const RowPointer free = new_map_row(pages, space, map_pages);

  // Columns in order: fixed ones laid out one after another, the others numbered in turn.
  std::vector<uint8_t> columns;
  uint16_t fixed_offset = 0;
  uint16_t variable = 0;
  std::vector<std::pair<uint16_t, std::pair<RowPointer, RowPointer>>> long_maps;
  for (size_t i = 0; i < t.columns.size(); ++i) {
    const NewColumn& c = t.columns[i];
    const auto number = static_cast<uint16_t>(i);
    const bool fixed = c.type == ColumnType::yes_no || fixed_size(c.type) > 0;
    const bool textual = c.type == ColumnType::text || c.type == ColumnType::memo;
    uint16_t length = static_cast<uint16_t>(fixed_size(c.type));
    if (c.type == ColumnType::yes_no) length = 1;
    if (c.type == ColumnType::text) length = static_cast<uint16_t>(2 * c.text_length);
    if (c.type == ColumnType::binary) length = 255;
    std::vector<uint8_t> e(25);
    e[0] = static_cast<uint8_t>(c.type);
    put32(&e[1], definition_tag);
    put16(&e[5], number);
    put16(&e[7], fixed ? 0 : variable);
    put16(&e[9], number);
    if (textual) put16(&e[11], 0x0409);
    if (c.type == ColumnType::decimal) {
      e[11] = 18;
      e[12] = 0;
    }
    e[15] = static_cast<uint8_t>((fixed ? Column::fixed_flag : 0) | (c.not_null ? 0 : Column::nullable_flag) |
                                 (c.autonumber ? Column::auto_number_flag : 0));
    e[16] = textual ? 0x01 : 0x00;
    put16(&e[21], fixed ? fixed_offset : 0);
    put16(&e[23], length);
    columns.insert(columns.end(), e.begin(), e.end());
    if (fixed) {
      if (c.type != ColumnType::yes_no) fixed_offset = static_cast<uint16_t>(fixed_offset + length);
    } else {
      ++variable;
    }
    if (long_value_type(c.type)) {
      const RowPointer lv_used = new_map_row(pages, space, map_pages);
      const RowPointer lv_free = new_map_row(pages, space, map_pages);
      long_maps.push_back({number, {lv_used, lv_free}});
    }
  }
  const bool keyed = !t.primary_key.empty();
  uint32_t leaf = 0;
  RowPointer leaf_map;
  if (keyed) {
    leaf = space.allocate();
    std::vector<uint8_t> bytes(pages.page_size());
    bytes[0] = static_cast<uint8_t>(PageType::index_leaf);
    bytes[1] = 0x01;
    put16(&bytes[2], static_cast<uint16_t>(pages.page_size() - IndexLeaf::entries_begin));
    put32(&bytes[4], page);
    pages.stage(leaf, std::move(bytes));
    leaf_map = new_map_row(pages, space, map_pages);
    space.set_usage(leaf_map, leaf, true);
  }

  std::vector<uint8_t> d(63);
  d[0] = static_cast<uint8_t>(PageType::table_definition);
  d[1] = 0x01;
  put32(&d[12], definition_tag);
  d[24] = 0x01;
  d[40] = TableDefinition::user_table;
  put16(&d[41], static_cast<uint16_t>(t.columns.size()));
  put16(&d[43], variable);
  put16(&d[45], static_cast<uint16_t>(t.columns.size()));
  put32(&d[47], keyed ? 1 : 0);
  put32(&d[51], keyed ? 1 : 0);
  put32(&d[55], stored(used));
  put32(&d[59], stored(free));
  if (keyed) d.resize(d.size() + 12);
  d.insert(d.end(), columns.begin(), columns.end());
  for (const NewColumn& c : t.columns) put_name(d, c.name);
  if (keyed) {
    std::vector<uint8_t> r(52);
    put32(&r[0], index_tag);
    for (size_t k = 0; k < 10; ++k) {
      if (k < t.primary_key.size()) {
        const auto found = std::find_if(t.columns.begin(), t.columns.end(),
                                        [&](const NewColumn& c) { return same_name(c.name, t.primary_key[k]); });
        put16(&r[4 + 3 * k], static_cast<uint16_t>(found - t.columns.begin()));
        r[4 + 3 * k + 2] = 0x01;
      } else {
        put16(&r[4 + 3 * k], 0xFFFF);
      }
    }
    put32(&r[34], stored(leaf_map));
    put32(&r[38], leaf);
    r[46] = primary_key_flags;
    d.insert(d.end(), r.begin(), r.end());
    std::vector<uint8_t> l(28);
    put32(&l[0], definition_tag);
    put32(&l[13], 0xFFFFFFFF);
    l[21] = 0x04;
    l[22] = 0x04;
    l[23] = Index::primary_key_type;
    d.insert(d.end(), l.begin(), l.end());
    put_name(d, t.primary_key_name.empty() ? u"PrimaryKey" : t.primary_key_name);
  }
  for (const auto& [number, maps] : long_maps) {
    const size_t at = d.size();
    d.resize(at + 10);
    put16(&d[at], number);
    put32(&d[at + 2], stored(maps.first));
    put32(&d[at + 6], stored(maps.second));
  }
  d.push_back(0xFF);
  d.push_back(0xFF);
  if (d.size() + 8 > pages.page_size())
    refuse(pages, "the definition of table " + name_of(t.name) + " does not fit one page; fewer or shorter names are needed");
  put32(&d[8], static_cast<uint32_t>(d.size()));
  put16(&d[2], static_cast<uint16_t>(pages.page_size() - d.size() - 8));
  d.resize(pages.page_size());
  pages.stage(page, std::move(d));

  // The catalog's row, with the owner its container has, and the rights its own table grants.
  Binary owner;
  std::vector<Binary> sids;
  {
    TableScan scan(pages, objects);
    std::vector<Value> row;
    const size_t id = position(objects, u"Id");
    const size_t owner_at = position(objects, u"Owner");
    while (scan.next(row))
      if (std::get_if<int64_t>(&row[id]) && std::get<int64_t>(row[id]) == tables_container && owner_at < row.size())
        if (const auto* b = std::get_if<Binary>(&row[owner_at])) owner = *b;
  }
  TableWriter(pages, u"MSysObjects", catalog_page).insert([&] {
    std::vector<std::optional<Value>> given;
    for (Value& v : catalog_row(objects, page, t.name, owner)) given.emplace_back(std::move(v));
    return given;
  }());
  for (const CatalogEntry& e : catalog) {
    if (!e.table() || !same_name(e.name, u"MSysACEs")) continue;
    const TableDefinition aces = read_table_definition(pages, e.definition_page());
    const size_t object = position(aces, u"ObjectId");
    const size_t sid = position(aces, u"SID");
    const size_t rights = position(aces, u"ACM");
    const size_t inherit = position(aces, u"FInheritable");
    if (std::max({object, sid, rights, inherit}) >= aces.columns.size()) break;
    {
      TableScan scan(pages, aces);
      std::vector<Value> row;
      while (scan.next(row))
        if (std::get_if<int64_t>(&row[object]) && std::get<int64_t>(row[object]) == catalog_page)
          if (const auto* b = std::get_if<Binary>(&row[sid])) sids.push_back(*b);
    }
    TableWriter writer(pages, u"MSysACEs", e.definition_page());
    for (const Binary& s : sids) {
      std::vector<std::optional<Value>> ace(aces.columns.size());
      ace[object] = Value(static_cast<int64_t>(page));
      ace[sid] = Value(s);
      ace[rights] = Value(full_rights);
      ace[inherit] = Value(false);
      writer.insert(std::move(ace));
    }
    break;
  }
  mark.keep();
}

}  // namespace jet
