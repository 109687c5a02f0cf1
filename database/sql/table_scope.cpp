#include "database/sql/table_scope.h"

#include "database/jet/text.h"
#include "database/sql/sql_error.h"

namespace sql {
namespace {

jet::Table Find(const Statement& statement, const jet::Database& database, const Name& name) {
  const std::u16string wanted = jet::from_windows1252(name.text);
  for (const std::u16string& table : database.table_names(true)) {
    if (jet::same_name(table, wanted)) return database.table(table);
  }
  throw ErrorAt(statement, name.range.begin, "no table named '" + name.text + "'");
}

}  // namespace

TableScope::TableScope(const Statement& statement, const jet::Database& database, const Name& table)
    : statement_(statement), table_(Find(statement, database, table)) {}

std::size_t TableScope::Resolve(const ColumnRef& column) const {
  if (column.table && !jet::same_name(jet::from_windows1252(column.table->text), table_.name())) {
    throw ErrorAt(statement_, column.table->range.begin,
                  "'" + column.table->text + "' is not the table of this statement");
  }
  return Resolve(column.column);
}

std::size_t TableScope::Resolve(const Name& column) const {
  const std::u16string wanted = jet::from_windows1252(column.text);
  const auto& columns = definition().columns;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (jet::same_name(columns[i].name, wanted)) return i;
  }
  throw ErrorAt(statement_, column.range.begin,
                "table '" + jet::to_windows1252(table_.name()) + "' has no column '" + column.text + "'");
}

}  // namespace sql
