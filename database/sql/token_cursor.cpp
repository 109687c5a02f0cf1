#include "database/sql/token_cursor.h"

#include <algorithm>
#include <array>

#include "database/sql/names.h"
#include "database/sql/sql_error.h"

namespace sql {
namespace {

constexpr std::size_t kShownTokenLength = 20;

constexpr std::array<std::string_view, 26> kReserved = {
    "AND",    "ASC",   "BY",     "CONSTRAINT", "CREATE", "DELETE", "DESC",    "DISTINCT", "FALSE",
    "FROM",   "INSERT", "INTO",  "IS",         "KEY",    "NOT",    "NULL",    "OR",       "ORDER",
    "PRIMARY", "SELECT", "SET",  "TABLE",      "TRUE",   "UPDATE", "VALUES",  "WHERE",
};

static_assert(std::is_sorted(kReserved.begin(), kReserved.end()));

}  // namespace

bool IsReservedWord(std::string_view word) {
  constexpr std::size_t kLongest = 10;  // CONSTRAINT
  if (word.size() < 2 || word.size() > kLongest) return false;
  char upper[kLongest];
  for (std::size_t i = 0; i < word.size(); ++i) upper[i] = FoldCase(word[i]);
  return std::binary_search(kReserved.begin(), kReserved.end(), std::string_view(upper, word.size()));
}

TokenCursor::TokenCursor(std::string_view script) : script_(script), lexer_(script) {
  next_ = lexer_.Next();
}

const Token& TokenCursor::Peek() const {
  if (next_.kind == TokenKind::Invalid) Fail(next_.begin, next_.text);
  return next_;
}

Token TokenCursor::Take() {
  Token taken = Peek();
  last_end_ = taken.end;
  next_ = lexer_.Next();
  return taken;
}

bool TokenCursor::TakeIf(TokenKind kind) {
  if (!At(kind)) return false;
  Take();
  return true;
}

Token TokenCursor::Expect(TokenKind kind, std::string_view what) {
  if (!At(kind)) FailExpected(what);
  return Take();
}

bool TokenCursor::AtKeyword(std::string_view keyword) const {
  return At(TokenKind::Word) && NamesEqual(next_.text, keyword);
}

bool TokenCursor::TakeKeyword(std::string_view keyword) {
  if (!AtKeyword(keyword)) return false;
  Take();
  return true;
}

void TokenCursor::ExpectKeyword(std::string_view keyword) {
  if (!TakeKeyword(keyword)) FailExpected(keyword);
}

void TokenCursor::BeginStatement(int ordinal) {
  ordinal_ = ordinal;
  const std::size_t begin = next_.begin;
  statement_start_ = Advance(statement_start_, script_.substr(statement_start_.offset), begin);
  statement_begin_ = begin;
}

void TokenCursor::Fail(std::size_t offset, std::string detail) const {
  const std::string_view text = script_.substr(statement_begin_);
  throw SqlError(ordinal_, text, Advance(statement_start_, text, offset), std::move(detail));
}

void TokenCursor::FailExpected(std::string_view what) const {
  const Token& found = Peek();
  std::string shown;
  if (found.kind == TokenKind::End) {
    shown = "end of text";
  } else {
    const std::string_view source = script_.substr(found.begin, found.end - found.begin);
    shown = "'" + std::string(source.substr(0, kShownTokenLength)) +
            (source.size() > kShownTokenLength ? "...'" : "'");
  }
  Fail(found.begin, "expected " + std::string(what) + ", found " + shown);
}

}  // namespace sql
