#pragma once
// The constant values a statement can write: NULL, TRUE/FALSE, numbers, texts, dates.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace sql {

struct Null {
  bool operator==(const Null&) const = default;
};

struct Boolean {
  bool value = false;
  bool operator==(const Boolean&) const = default;
};

struct Number {
  // As written, with a leading '-' when negated; kept so that exact decimals
  // (Currency) need not pass through a double.
  std::string text;
  double value = 0;
  // Set when written without fraction or exponent and within 64 bits.
  std::optional<std::int64_t> integer;
  bool operator==(const Number&) const = default;
};

// The script's bytes between the quotes, the doubled quote undone.
struct Text {
  std::string value;
  bool operator==(const Text&) const = default;
};

// A valid calendar date and time of day (Jet's years 100 to 9999).
struct DateTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

using Literal = std::variant<Null, Boolean, Number, Text, DateTime>;

}  // namespace sql
