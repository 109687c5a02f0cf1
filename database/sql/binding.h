#pragma once
// The one parameter of a stored statement, written as a bare ':' ("=:"), is
// bound by putting the value's text in place of the colon before parsing.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace sql {

using ParameterValue = std::variant<std::string, std::int64_t, double>;

// "text" with a double quote inside written twice, so that no value can end
// the literal early; whole numbers plainly; other numbers with a '.' and as
// many decimals as they need, never an exponent; a whole-valued double without
// decimals (60, not 60.0).
std::string ParameterText(const ParameterValue& value);

// statement_text with its first parameter ':' (outside literals and brackets)
// replaced by ParameterText(value). SqlError when there is none or the number
// is not finite.
std::string BindParameter(std::string_view statement_text, const ParameterValue& value);

}  // namespace sql
