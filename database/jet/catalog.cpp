#include "database/jet/catalog.h"

#include <string>

#include "database/jet/table_definition.h"
#include "database/jet/table_scan.h"
#include "database/jet/text.h"

namespace jet {
namespace {

size_t column_position(PageCache& pages, const TableDefinition& t, std::u16string_view name,
                       ColumnType type) {
  for (size_t i = 0; i < t.columns.size(); ++i)
    if (same_name(t.columns[i].name, name)) {
      if (t.columns[i].type != type)
        pages.fail(catalog_page, "the catalog's column " + to_windows1252(name) + " is of type " +
                                     type_name(t.columns[i].type));
      return i;
    }
  pages.fail(catalog_page, "the catalog has no column " + to_windows1252(name));
}

template <typename T>
T whole(const Value& v) {
  const auto* number = std::get_if<int64_t>(&v);
  return number ? static_cast<T>(*number) : T{};
}

}  // namespace

std::vector<CatalogEntry> read_catalog(PageCache& pages) {
  const TableDefinition t = read_table_definition(pages, catalog_page);
  const size_t id = column_position(pages, t, u"Id", ColumnType::long_integer);
  const size_t parent = column_position(pages, t, u"ParentId", ColumnType::long_integer);
  const size_t name = column_position(pages, t, u"Name", ColumnType::text);
  const size_t type = column_position(pages, t, u"Type", ColumnType::integer);
  const size_t flags = column_position(pages, t, u"Flags", ColumnType::long_integer);

  std::vector<CatalogEntry> entries;
  TableScan scan(pages, t);
  std::vector<Value> row;
  while (scan.next(row)) {
    CatalogEntry e;
    e.id = whole<int32_t>(row[id]);
    e.parent_id = whole<int32_t>(row[parent]);
    if (const auto* text = std::get_if<std::u16string>(&row[name])) e.name = *text;
    e.type = whole<int16_t>(row[type]);
    e.flags = whole<uint32_t>(row[flags]);
    entries.push_back(std::move(e));
  }
  return entries;
}

}  // namespace jet
