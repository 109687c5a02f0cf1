#include "database/route/parameter.h"

#include <cmath>
#include <variant>

#include "database/route/data_access_error.h"
#include "database/route/value_text.h"

namespace route {
namespace {

ParameterType TypeOf(const sql::ParameterValue& value) {
  if (std::holds_alternative<std::string>(value)) return ParameterType::text;
  if (std::holds_alternative<std::int64_t>(value)) return ParameterType::whole_number;
  return ParameterType::number;
}

sql::ParameterValue Converted(const sql::ParameterValue& value, ParameterType type) {
  switch (type) {
    case ParameterType::text:
      if (const auto* text = std::get_if<std::string>(&value)) return *text;
      return sql::ParameterText(value);
    case ParameterType::whole_number:
      if (const auto* text = std::get_if<std::string>(&value)) return ParseWholeNumber(*text);
      if (const auto* number = std::get_if<double>(&value)) {
        if (!std::isfinite(*number) || std::fabs(*number) > 2147483647.0) {
          throw DataAccessError(InvalidIntegerMessage(sql::ParameterText(value)));
        }
        return static_cast<std::int64_t>(std::nearbyint(*number));
      }
      return value;
    case ParameterType::number:
      if (const auto* text = std::get_if<std::string>(&value)) return ParseNumber(*text);
      if (const auto* whole = std::get_if<std::int64_t>(&value)) return static_cast<double>(*whole);
      return value;
  }
  return value;
}

}  // namespace

void Parameter::assign(const sql::ParameterValue& value) {
  if (!type_) type_ = TypeOf(value);
  value_ = Converted(value, *type_);
}

}  // namespace route
