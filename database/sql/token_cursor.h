#pragma once
// The parser's view of the token stream: one token of lookahead, keywords by
// name, and errors that name the statement being read. Internal to the parser.
#include <string>
#include <string_view>

#include "database/sql/lexer.h"
#include "database/sql/source.h"

namespace sql {

class TokenCursor {
 public:
  explicit TokenCursor(std::string_view script);

  // The next token; a lexical error there is raised here.
  const Token& Peek() const;
  Token Take();
  bool At(TokenKind kind) const { return Peek().kind == kind; }
  bool TakeIf(TokenKind kind);
  // what: how an error names the token wanted, e.g. "')'".
  Token Expect(TokenKind kind, std::string_view what);

  // Keywords: words compared without regard to case.
  bool AtKeyword(std::string_view keyword) const;
  bool TakeKeyword(std::string_view keyword);
  void ExpectKeyword(std::string_view keyword);

  // Marks the next token as the start of the statement numbered ordinal.
  void BeginStatement(int ordinal);
  std::size_t StatementBegin() const { return statement_begin_; }
  Position StatementStart() const { return statement_start_; }
  std::size_t LastEnd() const { return last_end_; }
  std::string_view Script() const { return script_; }

  [[noreturn]] void Fail(std::size_t offset, std::string detail) const;
  // "expected <what>, found <next token>"
  [[noreturn]] void FailExpected(std::string_view what) const;

 private:
  std::string_view script_;
  Lexer lexer_;
  Token next_;
  std::size_t last_end_ = 0;
  int ordinal_ = 1;
  std::size_t statement_begin_ = 0;
  Position statement_start_;
};

// Words that cannot be names unless bracketed.
bool IsReservedWord(std::string_view word);

}  // namespace sql
