#include "database/jet/text.h"

#include <array>
#include <cstdint>

namespace jet {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 where the code page leaves a byte undefined.
constexpr std::array<char16_t, 32> high_control = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char windows1252_byte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (size_t i = 0; i < high_control.size(); ++i)
    if (high_control[i] == c && c != 0) return static_cast<char>(0x80 + i);
  return '?';
}

char16_t fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}

void put_utf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::u16string decode_text(std::span<const uint8_t> stored) {
  std::u16string text;
  if (stored.size() >= 2 && stored[0] == 0xFF && stored[1] == 0xFE) {
    text.reserve(stored.size());
    bool compressed = true;
    size_t i = 2;
    while (i < stored.size()) {
      if (stored[i] == 0) {
        compressed = !compressed;
        ++i;
      } else if (compressed) {
        text += static_cast<char16_t>(stored[i++]);
      } else if (i + 1 < stored.size()) {
        text += static_cast<char16_t>(stored[i] | stored[i + 1] << 8);
        i += 2;
      } else {
        break;
      }
    }
    return text;
  }
  text.reserve(stored.size() / 2);
  for (size_t i = 0; i + 1 < stored.size(); i += 2)
    text += static_cast<char16_t>(stored[i] | stored[i + 1] << 8);
  return text;
}

std::vector<uint8_t> encode_text(std::u16string_view text, bool compressible) {
  std::vector<uint8_t> plain;
  plain.reserve(2 * text.size());
  bool can_compress = compressible;
  for (const char16_t c : text) {
    plain.push_back(static_cast<uint8_t>(c));
    plain.push_back(static_cast<uint8_t>(c >> 8));
    // A zero low byte would read as a switch between the two forms.
    if ((c & 0xFF) == 0) can_compress = false;
  }
  if (!can_compress) return plain;
  std::vector<uint8_t> packed = {0xFF, 0xFE};
  bool narrow = true;
  for (const char16_t c : text) {
    const bool fits = c < 0x100;
    if (fits != narrow) {
      packed.push_back(0);
      narrow = fits;
    }
    packed.push_back(static_cast<uint8_t>(c));
    if (!narrow) packed.push_back(static_cast<uint8_t>(c >> 8));
    if (packed.size() >= plain.size()) return plain;
  }
  return packed.size() < plain.size() ? packed : plain;
}

std::string to_windows1252(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    // A surrogate pair is one character outside the code page: one '?'.
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      ++i;
    out += windows1252_byte(c);
  }
  return out;
}

std::string to_utf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      put_utf8(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00), out);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      put_utf8(0xFFFD, out);
    } else {
      put_utf8(c, out);
    }
  }
  return out;
}

std::u16string from_windows1252(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char byte : text) {
    const auto b = static_cast<uint8_t>(byte);
    const char16_t mapped = b >= 0x80 && b <= 0x9F ? high_control[b - 0x80] : b;
    out += mapped == 0 ? char16_t{b} : mapped;
  }
  return out;
}

bool same_name(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

}  // namespace jet
