#include "database/sql/lexer.h"

#include <charconv>

#include "database/sql/names.h"

namespace sql {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string Shown(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u < 0x20 || u == 0x7F) return "(code " + std::to_string(u) + ")";
  return std::string("'") + c + "'";
}

// Reads exactly `min`..`max` digits at text[pos]; false when there are not.
bool ReadDigits(std::string_view text, std::size_t& pos, int min, int max, int& value) {
  int count = 0;
  value = 0;
  while (pos < text.size() && IsDigit(text[pos]) && count < max) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++count;
  }
  return count >= min && (pos == text.size() || !IsDigit(text[pos]));
}

bool ReadChar(std::string_view text, std::size_t& pos, char c) {
  if (pos < text.size() && text[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// YYYY-MM-DD, optionally followed by blanks and HH:MM or HH:MM:SS.
bool ParseDate(std::string_view text, DateTime& d) {
  std::size_t pos = 0;
  if (!ReadDigits(text, pos, 4, 4, d.year) || !ReadChar(text, pos, '-') ||
      !ReadDigits(text, pos, 1, 2, d.month) || !ReadChar(text, pos, '-') ||
      !ReadDigits(text, pos, 1, 2, d.day)) {
    return false;
  }
  if (pos < text.size()) {
    const std::size_t before_blanks = pos;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos == before_blanks || !ReadDigits(text, pos, 1, 2, d.hour) || !ReadChar(text, pos, ':') ||
        !ReadDigits(text, pos, 2, 2, d.minute)) {
      return false;
    }
    if (ReadChar(text, pos, ':') && !ReadDigits(text, pos, 2, 2, d.second)) return false;
  }
  return pos == text.size() && d.year >= 100 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= DaysInMonth(d.year, d.month) && d.hour <= 23 && d.minute <= 59 && d.second <= 59;
}

}  // namespace

Token Lexer::Make(TokenKind kind, std::size_t begin, std::string text) const {
  Token t;
  t.kind = kind;
  t.begin = begin;
  t.end = pos_;
  t.text = std::move(text);
  return t;
}

Token Lexer::Invalid(std::size_t begin, std::string reason) const {
  return Make(TokenKind::Invalid, begin, std::move(reason));
}

void Lexer::SkipBlanksAndComments() {
  while (pos_ < source_.size()) {
    if (IsBlank(source_[pos_])) {
      ++pos_;
    } else if (source_.substr(pos_, 2) == "--") {
      while (pos_ < source_.size() && source_[pos_] != '\n') ++pos_;
    } else {
      return;
    }
  }
}

Token Lexer::Next() {
  SkipBlanksAndComments();
  const std::size_t begin = pos_;
  if (pos_ == source_.size()) return Make(TokenKind::End, begin);
  const char c = source_[pos_];
  if (IsDigit(c)) return NumberToken();
  if (IsNameChar(c)) return Word();
  switch (c) {
    case '[': return BracketName();
    case '\'': case '"': return QuotedText();
    case '#': return DateToken();
    default: break;
  }
  ++pos_;
  switch (c) {
    case ':': return Make(TokenKind::Parameter, begin);
    case '=': return Make(TokenKind::Equal, begin);
    case '(': return Make(TokenKind::LeftParen, begin);
    case ')': return Make(TokenKind::RightParen, begin);
    case ',': return Make(TokenKind::Comma, begin);
    case '.': return Make(TokenKind::Dot, begin);
    case '*': return Make(TokenKind::Star, begin);
    case '-': return Make(TokenKind::Minus, begin);
    case ';': return Make(TokenKind::Semicolon, begin);
    case '<':
      if (ReadChar(source_, pos_, '>')) return Make(TokenKind::NotEqual, begin);
      if (ReadChar(source_, pos_, '=')) return Make(TokenKind::LessEqual, begin);
      return Make(TokenKind::Less, begin);
    case '>':
      if (ReadChar(source_, pos_, '=')) return Make(TokenKind::GreaterEqual, begin);
      return Make(TokenKind::Greater, begin);
    default:
      return Invalid(begin, "unexpected character " + Shown(c));
  }
}

Token Lexer::Word() {
  const std::size_t begin = pos_;
  while (pos_ < source_.size() && IsNameChar(source_[pos_])) ++pos_;
  return Make(TokenKind::Word, begin, std::string(source_.substr(begin, pos_ - begin)));
}

Token Lexer::BracketName() {
  const std::size_t begin = pos_++;
  const std::size_t close = source_.find_first_of("]\n", pos_);
  if (close == std::string_view::npos || source_[close] != ']') {
    pos_ = close == std::string_view::npos ? source_.size() : close;
    return Invalid(begin, "name has no closing ']'");
  }
  std::string name(source_.substr(pos_, close - pos_));
  pos_ = close + 1;
  if (name.empty()) return Invalid(begin, "empty name []");
  return Make(TokenKind::BracketName, begin, std::move(name));
}

Token Lexer::QuotedText() {
  const std::size_t begin = pos_;
  const char quote = source_[pos_++];
  std::string text;
  while (pos_ < source_.size()) {
    const char c = source_[pos_++];
    if (c != quote) {
      text += c;
    } else if (ReadChar(source_, pos_, quote)) {
      text += quote;
    } else {
      return Make(TokenKind::Text, begin, std::move(text));
    }
  }
  return Invalid(begin, std::string("text has no closing ") + quote);
}

Token Lexer::NumberToken() {
  const std::size_t begin = pos_;
  while (pos_ < source_.size() && IsDigit(source_[pos_])) ++pos_;
  if (pos_ + 1 < source_.size() && source_[pos_] == '.' && IsDigit(source_[pos_ + 1])) {
    ++pos_;
    while (pos_ < source_.size() && IsDigit(source_[pos_])) ++pos_;
  }
  if (pos_ < source_.size() && (source_[pos_] == 'e' || source_[pos_] == 'E')) {
    std::size_t exponent = pos_ + 1;
    if (exponent < source_.size() && (source_[exponent] == '+' || source_[exponent] == '-')) ++exponent;
    if (exponent < source_.size() && IsDigit(source_[exponent])) {
      pos_ = exponent;
      while (pos_ < source_.size() && IsDigit(source_[pos_])) ++pos_;
    }
  }
  if (pos_ < source_.size() && IsNameChar(source_[pos_])) {
    while (pos_ < source_.size() && IsNameChar(source_[pos_])) ++pos_;
    return Invalid(begin, "malformed number '" + std::string(source_.substr(begin, pos_ - begin)) + "'");
  }
  return Make(TokenKind::Number, begin, std::string(source_.substr(begin, pos_ - begin)));
}

Token Lexer::DateToken() {
  const std::size_t begin = pos_++;
  const std::size_t close = source_.find_first_of("#\n", pos_);
  if (close == std::string_view::npos || source_[close] != '#') {
    pos_ = close == std::string_view::npos ? source_.size() : close;
    return Invalid(begin, "date has no closing '#'");
  }
  const std::string_view inside = source_.substr(pos_, close - pos_);
  pos_ = close + 1;
  DateTime date;
  if (!ParseDate(inside, date)) {
    return Invalid(begin, "invalid date #" + std::string(inside) + "# (dates are #YYYY-MM-DD HH:MM:SS#)");
  }
  Token t = Make(TokenKind::Date, begin, std::string(inside));
  t.date = date;
  return t;
}

}  // namespace sql
