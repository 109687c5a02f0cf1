#include "database/sql/binding.h"

#include <charconv>
#include <cmath>

#include "database/sql/lexer.h"
#include "database/sql/sql_error.h"

namespace sql {
namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string Plain(double value) {
  if (value == std::trunc(value) && std::fabs(value) < kTwoTo63) {
    return std::to_string(static_cast<std::int64_t>(value));  // also makes -0 "0"
  }
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

struct Writer {
  std::string operator()(const std::string& text) const { return Quoted(text); }
  std::string operator()(std::int64_t whole) const { return std::to_string(whole); }
  std::string operator()(double number) const { return Plain(number); }
};

}  // namespace

std::string ParameterText(const ParameterValue& value) { return std::visit(Writer{}, value); }

std::string BindParameter(std::string_view statement_text, const ParameterValue& value) {
  Lexer lexer(statement_text);
  for (Token token = lexer.Next(); token.kind != TokenKind::End; token = lexer.Next()) {
    if (token.kind != TokenKind::Parameter) continue;
    const double* number = std::get_if<double>(&value);
    if (number && !std::isfinite(*number)) {
      throw SqlError(1, statement_text, Advance({}, statement_text, token.begin),
                     "the number bound to parameter ':' must be finite");
    }
    std::string bound(statement_text.substr(0, token.begin));
    bound += ParameterText(value);
    bound += statement_text.substr(token.end);
    return bound;
  }
  throw SqlError(1, statement_text, {}, "the statement has no parameter ':' to bind");
}

}  // namespace sql
