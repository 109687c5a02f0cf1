#include "registrar/text.h"

#include <algorithm>

namespace registrar {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string ToLowerAscii(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), LowerAscii);
  return lower;
}

std::string FillIn(std::string_view format, std::initializer_list<std::string_view> arguments) {
  std::string text;
  auto argument = arguments.begin();
  for (std::size_t at = 0; at < format.size(); ++at) {
    if (format.substr(at, 2) == "%s" && argument != arguments.end()) {
      text += *argument++;
      ++at;
    } else {
      text += format[at];
    }
  }
  return text;
}

}  // namespace registrar
