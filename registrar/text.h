#pragma once
// Text helpers for single-byte texts: only the ASCII letters have a case.
#include <initializer_list>
#include <string>
#include <string_view>

namespace registrar {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);
// Replaces each "%s" of the format, in order, with the next argument.
std::string FillIn(std::string_view format, std::initializer_list<std::string_view> arguments);

}  // namespace registrar
