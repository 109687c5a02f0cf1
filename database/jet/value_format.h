#pragma once

#include <string>

#include "database/jet/value.h"

namespace jet {

enum class Encoding { windows1252, utf8 };

// A value as text: whole numbers plain, Yes/No as 1/0, Single, Double, Currency and Decimal
// in their shortest exact decimal form, dates as YYYY-MM-DD HH:MM:SS, binary as hex digits,
// Replication IDs in braces; NULL as an empty text.
std::string format_value(const Value& value, Encoding encoding);

std::string format_date_time(double days);
std::string format_decimal(const Decimal& value);
std::string format_currency(Currency value);
std::string format_guid(const Guid& value);

}  // namespace jet
