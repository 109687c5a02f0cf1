#include "database/route/value_text.h"

#include <charconv>
#include <cmath>

#include "database/jet/value_format.h"
#include "database/route/data_access_error.h"

namespace route {
namespace {

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  return text;
}

}  // namespace

std::string ValueText(const jet::Value& value) {
  return jet::format_value(value, jet::Encoding::windows1252);
}

std::string Quoted(std::string_view text) {
  // Appended, not concatenated: GCC 12 misreads "'" + std::string(...) (-Wrestrict).
  std::string quoted(1, '\'');
  quoted.append(text);
  quoted += '\'';
  return quoted;
}

std::string InvalidIntegerMessage(std::string_view text) { return Quoted(text) + " is not a valid integer value"; }

bool TryParseWholeNumber(std::string_view text, std::int64_t& number) {
  std::string_view digits = WithoutLeadingBlanks(text);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || digits.front() == '+') return false;
  std::int32_t parsed = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  if (error != std::errc() || end != digits.data() + digits.size()) return false;
  number = parsed;
  return true;
}

std::int64_t ParseWholeNumber(std::string_view text) {
  std::int64_t number = 0;
  if (!TryParseWholeNumber(text, number)) throw DataAccessError(InvalidIntegerMessage(text));
  return number;
}

double ParseNumber(std::string_view text) {
  std::string_view digits = WithoutLeadingBlanks(text);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      !std::isfinite(number)) {
    throw DataAccessError(Quoted(text) + " is not a valid floating point value");
  }
  return number;
}

}  // namespace route
