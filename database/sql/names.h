#pragma once
// Jet matches table and column names without regard to case, in Windows-1252.
#include <string>
#include <string_view>

namespace sql {

// The upper-case form of a Windows-1252 character (ASCII and the accented letters).
char FoldCase(char c);

// The name in one case, for use as a lookup key.
std::string FoldName(std::string_view name);

bool NamesEqual(std::string_view a, std::string_view b);

// A byte that may appear in an unbracketed name: ASCII letters, digits, '_',
// and the Windows-1252 letters.
bool IsNameChar(char c);

}  // namespace sql
