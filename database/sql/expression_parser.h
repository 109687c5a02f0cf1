#pragma once
// Names, column references, values and WHERE expressions. Internal to the parser.
#include <string_view>

#include "database/sql/ast.h"
#include "database/sql/token_cursor.h"

namespace sql {

// A word that is not reserved, or a [bracketed name]; what names it in an error.
Name ParseName(TokenCursor& cursor, std::string_view what);

// column or table.column
ColumnRef ParseColumnRef(TokenCursor& cursor);

// A constant: text, number (a '-' before it negates it), date, TRUE, FALSE or NULL.
Value ParseValue(TokenCursor& cursor);

// OR of ANDs of [NOT] comparisons, IS [NOT] NULL tests and operands in parentheses.
Expr ParseExpression(TokenCursor& cursor);

}  // namespace sql
