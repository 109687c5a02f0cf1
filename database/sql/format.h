#pragma once
// The canonical text of parsed statements: keywords in capitals, names bracketed
// only where they must be, every comparison and AND/OR/NOT in parentheses, types
// by their Jet SQL names. Parsing it again gives the same statement.
#include <string>
#include <string_view>

#include "database/sql/ast.h"

namespace sql {

std::string FormatName(std::string_view name);
std::string FormatLiteral(const Literal& literal);
std::string FormatExpr(const Expr& expr);
std::string FormatStatement(const Statement& statement);

}  // namespace sql
