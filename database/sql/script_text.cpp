#include "database/sql/script_text.h"

#include <optional>
#include <stdexcept>

#include "database/jet/text.h"

namespace sql {
namespace {

// The script's characters when it is UTF-8 with at least one character beyond ASCII.
std::optional<std::u16string> Utf8(std::string_view bytes) {
  std::u16string out;
  bool beyond_ascii = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    const std::size_t length = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return std::nullopt;
    char32_t c = b & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = c << 6 | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    // Beyond the first plane nothing has a Windows-1252 form; U+FFFF stands for it.
    out += c > 0xFFFF ? char16_t{0xFFFF} : static_cast<char16_t>(c);
    beyond_ascii = true;
    i += length;
  }
  if (!beyond_ascii) return std::nullopt;
  return out;
}

}  // namespace

std::string ScriptText(std::string_view bytes) {
  // The mark some editors put first in a UTF-8 file.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  const std::optional<std::u16string> characters = Utf8(bytes);
  if (!characters) return std::string(bytes);
  const std::string text = jet::to_windows1252(*characters);
  int line = 1;
  for (std::size_t i = 0; i < characters->size(); ++i) {
    if ((*characters)[i] == u'\n') ++line;
    if (text[i] == '?' && (*characters)[i] != u'?') {
      throw std::runtime_error("the script's line " + std::to_string(line) +
                               " holds a character that Windows-1252 has no code for");
    }
  }
  return text;
}

}  // namespace sql
