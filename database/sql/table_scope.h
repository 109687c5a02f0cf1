#pragma once
// The one table a statement names, and its columns by name.
#include <cstddef>
#include <string>

#include "database/jet/database.h"
#include "database/sql/ast.h"

namespace sql {

class TableScope {
 public:
  // The table named, matched without regard to case; SqlError at the name when there is none.
  TableScope(const Statement& statement, const jet::Database& database, const Name& table);

  const Statement& statement() const { return statement_; }
  jet::Table& table() { return table_; }
  const jet::TableDefinition& definition() const { return table_.definition(); }

  // The position of the column in the table's columns; SqlError at the reference when the
  // table part names another table or the table has no such column.
  std::size_t Resolve(const ColumnRef& column) const;
  std::size_t Resolve(const Name& column) const;

 private:
  const Statement& statement_;
  jet::Table table_;
};

}  // namespace sql
