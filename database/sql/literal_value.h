#pragma once
// A statement's constants as the engine's values.
#include "database/jet/value.h"
#include "database/sql/literal.h"

namespace sql {

// Texts are Windows-1252; TRUE is Yes; whole numbers stay whole; dates become day numbers.
jet::Value LiteralValue(const Literal& literal);

// Days since 1899-12-30 with the time of day as the fraction, as Jet stores a date.
double DayNumber(const DateTime& date);

}  // namespace sql
