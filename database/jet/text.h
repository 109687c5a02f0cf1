#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace jet {

// A text value as stored by Jet 4: UCS-2 little-endian, or its compressed form (which
// starts with FF FE and switches between one-byte and two-byte characters at each 00).
std::u16string decode_text(std::span<const uint8_t> stored);
// A text as Jet 4 stores it: compressed when `compressible` and the compressed form is shorter.
std::vector<uint8_t> encode_text(std::u16string_view text, bool compressible);

// For the program: Windows-1252; a character outside it becomes '?'.
std::string to_windows1252(std::u16string_view text);
// For the export tool: UTF-8 (a surrogate pair is one character, a lone surrogate U+FFFD).
std::string to_utf8(std::u16string_view text);
std::u16string from_windows1252(std::string_view text);

// Case-insensitive comparison of names the way Jet matches table and column names.
bool same_name(std::u16string_view a, std::u16string_view b);

}  // namespace jet
