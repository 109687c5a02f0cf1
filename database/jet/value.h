#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace jet {

struct Null {
  bool operator==(const Null&) const = default;
};
// Currency: a whole number of ten-thousandths.
struct Currency {
  int64_t ten_thousandths = 0;
  bool operator==(const Currency&) const = default;
};
// Date/Time: days since 1899-12-30, the time of day as the fraction (of the absolute value).
struct DateTime {
  double days = 0;
  bool operator==(const DateTime&) const = default;
};
struct Guid {
  std::array<uint8_t, 16> bytes{};
  bool operator==(const Guid&) const = default;
};
// Decimal: a 128-bit magnitude (most significant word first), a sign and a scale.
struct Decimal {
  std::array<uint32_t, 4> words{};
  bool negative = false;
  uint8_t scale = 0;
  bool operator==(const Decimal&) const = default;
};
using Binary = std::vector<uint8_t>;

// One field of a row. Whole numbers of every width are int64_t; Yes/No is bool;
// Text and Memo are std::u16string (UCS-2 as stored); OLE Object and binary are Binary.
using Value = std::variant<Null, bool, int64_t, Currency, float, double, DateTime, std::u16string,
                           Binary, Guid, Decimal>;

inline bool is_null(const Value& v) { return std::holds_alternative<Null>(v); }

}  // namespace jet
