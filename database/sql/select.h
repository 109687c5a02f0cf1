#pragma once
// SELECT [DISTINCT] over one table: the chosen columns of the rows whose condition is true,
// in natural order, or as ORDER BY says. DISTINCT compares as = does (texts without regard
// to case, NULL equal to NULL) and, as Jet, gives its rows sorted by the columns chosen,
// left to right, before any ORDER BY.
#include "database/jet/database.h"
#include "database/sql/ast.h"
#include "database/sql/result_set.h"

namespace sql {

// SqlError for names and types, before any row is read; jet::Error from the file.
ResultSet RunSelect(const jet::Database& database, const Statement& statement, const Select& select);

}  // namespace sql
