#pragma once
// Splits jet-sql text into tokens. Blanks and "--" comments (to the end of the
// line) separate tokens; keywords are words, told apart by the parser.
#include <cstddef>
#include <string>
#include <string_view>

#include "database/sql/literal.h"

namespace sql {

enum class TokenKind {
  Word,          // a name or keyword as written
  BracketName,   // [a name], text without the brackets
  Text,          // 'text' or "text", text unescaped
  Number,        // digits [.digits] [E[+-]digits], text as written
  Date,          // #YYYY-MM-DD[ HH:MM[:SS]]#, in date
  Parameter,     // ':'
  Equal,
  NotEqual,
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
  LeftParen,
  RightParen,
  Comma,
  Dot,
  Star,
  Minus,
  Semicolon,
  End,
  Invalid,       // text is the reason
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string text;
  DateTime date;
};

class Lexer {
 public:
  explicit Lexer(std::string_view source) : source_(source) {}

  // After End, End again. After Invalid, lexing goes on past the bad text.
  Token Next();

 private:
  void SkipBlanksAndComments();
  Token Word();
  Token BracketName();
  Token QuotedText();
  Token NumberToken();
  Token DateToken();
  Token Make(TokenKind kind, std::size_t begin, std::string text = {}) const;
  Token Invalid(std::size_t begin, std::string reason) const;

  std::string_view source_;
  std::size_t pos_ = 0;
};

}  // namespace sql
