#pragma once
// jet-sql text to statements. Errors are SqlError, naming the statement and the
// line and column.
#include <string_view>
#include <vector>

#include "database/sql/ast.h"

namespace sql {

// Statements separated by ';'; empty statements (";;", a trailing ';') are skipped.
std::vector<Statement> ParseScript(std::string_view script);

// Exactly one statement, with or without a closing ';'.
Statement ParseStatement(std::string_view text);

}  // namespace sql
