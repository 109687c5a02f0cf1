#include "database/sql/column_value.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <variant>

#include "database/jet/text.h"
#include "database/jet/value_format.h"
#include "database/sql/literal_value.h"

namespace sql {
namespace {

using jet::ColumnType;

std::string Shown(const jet::Value& value) {
  if (const auto* b = std::get_if<bool>(&value)) return *b ? "True" : "False";
  const std::string text = jet::format_value(value, jet::Encoding::windows1252);
  if (!std::holds_alternative<std::u16string>(value)) return text;
  // Appended, not "'" + text: GCC 12 misreads that pattern for 32-bit targets.
  std::string quoted(1, '\'');
  quoted += text;
  quoted += '\'';
  return quoted;
}

[[noreturn]] void Refuse(const jet::Value& value, const jet::Column& column) {
  throw ConversionError(Shown(value) + " is not a " + jet::type_name(column.type) + " value");
}

[[noreturn]] void OutOfRange(const std::string& shown, const jet::Column& column) {
  throw ConversionError(shown + " is out of the range of " + jet::type_name(column.type));
}

// A number written as text, blanks around it allowed, as Access reads "12" for a number.
std::optional<double> ParseNumber(const std::u16string& text) {
  const std::string narrow = jet::to_windows1252(text);
  const char* begin = narrow.c_str();
  while (*begin == ' ') ++begin;
  if (*begin == '\0') return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  while (*end == ' ') ++end;
  if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool IsNumber(const jet::Value& v) {
  return std::holds_alternative<int64_t>(v) || std::holds_alternative<double>(v) ||
         std::holds_alternative<float>(v) || std::holds_alternative<jet::Currency>(v) ||
         std::holds_alternative<bool>(v) || std::holds_alternative<jet::Decimal>(v);
}

struct DoubleOf {
  const jet::Value& value;
  const jet::Column& column;
  double operator()(bool b) const { return b ? -1 : 0; }
  double operator()(int64_t i) const { return static_cast<double>(i); }
  double operator()(jet::Currency c) const { return static_cast<double>(c.ten_thousandths) / 10000.0; }
  double operator()(float f) const { return f; }
  double operator()(double d) const { return d; }
  double operator()(jet::DateTime d) const { return d.days; }
  double operator()(const jet::Decimal& d) const { return std::strtod(jet::format_decimal(d).c_str(), nullptr); }
  double operator()(const std::u16string& t) const {
    if (const auto number = ParseNumber(t)) return *number;
    Refuse(value, column);
  }
  double operator()(const auto&) const { Refuse(value, column); }
};

// The value as a number; a text must hold one.
double AsDouble(const jet::Value& value, const jet::Column& column) {
  return std::visit(DoubleOf{value, column}, value);
}

int64_t WholeNumber(const jet::Value& value, const jet::Column& column, int64_t low, int64_t high) {
  int64_t whole = 0;
  if (const auto* i = std::get_if<int64_t>(&value)) {
    whole = *i;
  } else if (const auto* b = std::get_if<bool>(&value)) {
    whole = *b ? -1 : 0;
  } else {
    const double rounded = std::nearbyint(AsDouble(value, column));  // half to even
    if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high))) OutOfRange(Shown(value), column);
    whole = static_cast<int64_t>(rounded);
  }
  if (whole < low || whole > high) OutOfRange(Shown(value), column);
  return whole;
}

jet::Currency CurrencyOf(double value, const std::string& shown, const jet::Column& column) {
  const double scaled = std::nearbyint(value * 10000.0);
  if (!(std::fabs(scaled) < 9.2e18)) OutOfRange(shown, column);
  return {static_cast<int64_t>(scaled)};
}

// Digits with an optional sign and fraction, to ten-thousandths (half to even); nullopt for
// anything else (an exponent), which then goes through a double.
std::optional<int64_t> ExactTenThousandths(const std::string& text) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative || (!text.empty() && text[0] == '+')) ++i;
  int64_t whole = 0;
  std::string fraction;
  bool point = false, digits = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      if (point) {
        fraction += c;
      } else {
        if (whole > (INT64_MAX / 10000 - (c - '0')) / 10) return std::nullopt;
        whole = whole * 10 + (c - '0');
      }
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  fraction.resize(std::max<size_t>(fraction.size(), 4), '0');
  const std::string rest = fraction.substr(4);
  const bool above_half = !rest.empty() && (rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos));
  const bool half = !rest.empty() && rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
  int64_t part = std::stoi(fraction.substr(0, 4));
  if (above_half || (half && part % 2 == 1)) ++part;
  const uint64_t scaled = static_cast<uint64_t>(whole) * 10000 + static_cast<uint64_t>(part);
  const uint64_t limit = static_cast<uint64_t>(INT64_MAX) + (negative ? 1 : 0);
  if (scaled > limit) return std::nullopt;
  return negative ? static_cast<int64_t>(0 - scaled) : static_cast<int64_t>(scaled);
}

}  // namespace

jet::Value ColumnValue(const jet::Column& column, const jet::Value& value) {
  if (jet::is_null(value)) {
    // A Yes/No field has no NULL: Jet keeps its value in the row's null mask.
    if (column.type == ColumnType::yes_no) return false;
    return value;
  }
  switch (column.type) {
    case ColumnType::text:
    case ColumnType::memo:
      if (std::holds_alternative<std::u16string>(value)) return value;
      if (IsNumber(value) && !std::holds_alternative<bool>(value))
        return jet::from_windows1252(jet::format_value(value, jet::Encoding::windows1252));
      Refuse(value, column);
    case ColumnType::yes_no:
      if (const auto* b = std::get_if<bool>(&value)) return *b;
      if (IsNumber(value)) return AsDouble(value, column) != 0;
      Refuse(value, column);
    case ColumnType::byte: return WholeNumber(value, column, 0, 255);
    case ColumnType::integer: return WholeNumber(value, column, INT16_MIN, INT16_MAX);
    case ColumnType::long_integer: return WholeNumber(value, column, INT32_MIN, INT32_MAX);
    case ColumnType::currency:
      if (const auto* c = std::get_if<jet::Currency>(&value)) return *c;
      if (const auto* t = std::get_if<std::u16string>(&value)) {
        std::string digits = jet::to_windows1252(*t);
        digits.erase(0, digits.find_first_not_of(' '));
        digits.erase(digits.find_last_not_of(' ') + 1);
        if (const auto exact = ExactTenThousandths(digits)) return jet::Currency{*exact};
      }
      if (const auto* i = std::get_if<int64_t>(&value)) {
        if (*i > INT64_MAX / 10000 || *i < INT64_MIN / 10000) OutOfRange(Shown(value), column);
        return jet::Currency{*i * 10000};
      }
      return CurrencyOf(AsDouble(value, column), Shown(value), column);
    case ColumnType::single: {
      const double d = AsDouble(value, column);
      if (std::fabs(d) > FLT_MAX) OutOfRange(Shown(value), column);
      return static_cast<float>(d);
    }
    case ColumnType::double_: return AsDouble(value, column);
    case ColumnType::date_time:
      if (std::holds_alternative<jet::DateTime>(value)) return value;
      if (IsNumber(value) && !std::holds_alternative<bool>(value)) return jet::DateTime{AsDouble(value, column)};
      Refuse(value, column);
    default:
      // Columns this tool cannot make take only their own kind of value.
      if (value.index() == jet::Value(jet::Binary{}).index() && (column.type == ColumnType::binary || column.type == ColumnType::ole))
        return value;
      if (std::holds_alternative<jet::Guid>(value) && column.type == ColumnType::replication_id) return value;
      if (std::holds_alternative<jet::Decimal>(value) && column.type == ColumnType::decimal) return value;
      throw ConversionError(jet::type_name(column.type) + " columns cannot be written by a statement");
  }
}

jet::Value ColumnValue(const jet::Column& column, const Literal& literal) {
  if (const auto* number = std::get_if<Number>(&literal); number && column.type == ColumnType::currency) {
    if (const auto exact = ExactTenThousandths(number->text)) return jet::Currency{*exact};
  }
  if (const auto* number = std::get_if<Number>(&literal);
      number && (column.type == ColumnType::text || column.type == ColumnType::memo)) {
    return jet::from_windows1252(number->text);  // as written
  }
  return ColumnValue(column, LiteralValue(literal));
}

}  // namespace sql
