#include "database/sql/sql_error.h"

#include "database/sql/ast.h"

namespace sql {
namespace {

constexpr std::size_t kOpeningLength = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string Message(int statement, std::string_view text, const Position& where, const std::string& detail) {
  return "statement " + std::to_string(statement) + " (" + StatementOpening(text) + "), line " +
         std::to_string(where.line) + ", column " + std::to_string(where.column) + ": " + detail;
}

}  // namespace

std::string StatementOpening(std::string_view text) {
  std::string opening;
  bool blank = false;
  for (char c : text) {
    if (c == ';') break;
    if (IsBlank(c)) {
      blank = !opening.empty();
      continue;
    }
    if (opening.size() + (blank ? 2 : 1) > kOpeningLength) return opening + "...";
    if (blank) opening += ' ';
    blank = false;
    opening += c;
  }
  return opening;
}

SqlError::SqlError(int statement, std::string_view statement_text, Position where, std::string detail)
    : std::runtime_error(Message(statement, statement_text, where, detail)),
      statement_(statement),
      where_(where),
      detail_(std::move(detail)) {}

SqlError ErrorAt(const Statement& statement, std::size_t offset, std::string detail) {
  return SqlError(statement.ordinal, statement.text,
                  Advance(statement.start, statement.text, offset), std::move(detail));
}

}  // namespace sql
