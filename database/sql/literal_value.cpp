#include "database/sql/literal_value.h"

#include <cstdint>
#include <variant>

#include "database/jet/text.h"

namespace sql {
namespace {

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t year_of_era = y - era * 400;
  const std::int64_t day_of_year = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

}  // namespace

double DayNumber(const DateTime& date) {
  const std::int64_t day = DaysFromCivil(date.year, date.month, date.day) + 25569;
  const double time = (date.hour * 3600 + date.minute * 60 + date.second) / 86400.0;
  // Before 1899-12-30 the time of day still counts away from zero.
  return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

jet::Value LiteralValue(const Literal& literal) {
  struct Visitor {
    jet::Value operator()(const Null&) const { return jet::Null{}; }
    jet::Value operator()(const Boolean& b) const { return b.value; }
    jet::Value operator()(const Number& n) const {
      if (n.integer) return *n.integer;
      return n.value;
    }
    jet::Value operator()(const Text& t) const { return jet::from_windows1252(t.value); }
    jet::Value operator()(const DateTime& d) const { return jet::DateTime{DayNumber(d)}; }
  };
  return std::visit(Visitor{}, literal);
}

}  // namespace sql
