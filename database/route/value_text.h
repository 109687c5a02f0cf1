#pragma once
// Field values as the user reads and types them (Windows-1252), and the conversions of texts
// to numbers with the wording users of such tools know.
#include <cstdint>
#include <string>
#include <string_view>

#include "database/jet/value.h"

namespace route {

// NULL as "", whole numbers plainly, texts as they are.
std::string ValueText(const jet::Value& value);

// "'<text>'"
std::string Quoted(std::string_view text);
// "'<text>' is not a valid integer value"
std::string InvalidIntegerMessage(std::string_view text);

// A 32-bit whole number, leading blanks and a sign allowed; DataAccessError otherwise.
std::int64_t ParseWholeNumber(std::string_view text);
bool TryParseWholeNumber(std::string_view text, std::int64_t& number);
// A number with '.' as the decimal point; DataAccessError otherwise.
double ParseNumber(std::string_view text);

}  // namespace route
