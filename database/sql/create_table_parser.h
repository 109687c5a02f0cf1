#pragma once
// CREATE TABLE name (column type [NOT NULL] [PRIMARY KEY], ..., [CONSTRAINT name] PRIMARY KEY (cols)).
// Internal to the parser.
#include "database/sql/ast.h"
#include "database/sql/token_cursor.h"

namespace sql {

// After the words CREATE TABLE.
CreateTable ParseCreateTable(TokenCursor& cursor);

}  // namespace sql
