#include "database/jet/value_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "database/jet/text.h"

namespace jet {
namespace {

template <typename Float>
std::string shortest(Float value) {
  if (value == 0) return "0";  // -0 too
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

// Places the decimal point `scale` digits from the right and drops trailing zeros after it.
std::string place_point(const std::string& digits, unsigned scale, bool negative) {
  std::string whole(digits.size() <= scale ? scale - digits.size() + 1 : 0, '0');
  whole.append(digits);
  std::string fraction;
  if (scale > 0) {
    fraction = whole.substr(whole.size() - scale);
    whole.resize(whole.size() - scale);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  }
  std::string out;
  if (negative && (whole != "0" || !fraction.empty())) out.push_back('-');
  out.append(whole);
  if (!fraction.empty()) {
    out.push_back('.');
    out.append(fraction);
  }
  return out;
}

std::string hex(const Binary& bytes) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const uint8_t b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 0x0F];
  }
  return out;
}

void append_padded(std::string& out, int64_t number, size_t width) {
  if (number < 0) out.push_back('-');
  const std::string digits = std::to_string(number < 0 ? 0 - static_cast<uint64_t>(number) : static_cast<uint64_t>(number));
  if (digits.size() < width) out.append(width - digits.size(), '0');
  out.append(digits);
}

// Civil date of a day count from 1970-01-01 (proleptic Gregorian calendar).
void civil(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto of_era = static_cast<unsigned>(days - era * 146097);
  const unsigned year_of_era = (of_era - of_era / 1460 + of_era / 36524 - of_era / 146096) / 365;
  const unsigned day_of_year = of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const unsigned mp = (5 * day_of_year + 2) / 153;
  day = day_of_year - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = static_cast<int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

std::string format_currency(Currency value) {
  const bool negative = value.ten_thousandths < 0;
  const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value.ten_thousandths)
                                      : static_cast<uint64_t>(value.ten_thousandths);
  return place_point(std::to_string(magnitude), 4, negative);
}

std::string format_decimal(const Decimal& value) {
  std::array<uint32_t, 4> words = value.words;
  std::string digits;
  const auto zero = [&] { return words[0] == 0 && words[1] == 0 && words[2] == 0 && words[3] == 0; };
  do {
    uint64_t remainder = 0;
    for (uint32_t& word : words) {
      const uint64_t current = remainder << 32 | word;
      word = static_cast<uint32_t>(current / 10);
      remainder = current % 10;
    }
    digits.push_back(static_cast<char>('0' + remainder));
  } while (!zero());
  std::reverse(digits.begin(), digits.end());
  return place_point(digits, value.scale, value.negative);
}

std::string format_date_time(double days) {
  // Outside the years 100 to 9999 no calendar date is meant: show the stored number.
  if (!std::isfinite(days) || days < -657435.0 || days >= 2958466.0) return shortest(days);
  const double whole = std::trunc(days);
  auto seconds = static_cast<int64_t>(std::llround(std::fabs(days - whole) * 86400.0));
  auto day_number = static_cast<int64_t>(whole);
  if (seconds >= 86400) {  // rounded up to the next midnight
    seconds -= 86400;
    ++day_number;
  }
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  civil(day_number - 25569, year, month, day);
  std::string out;
  out.reserve(20);
  append_padded(out, year, 4);
  out.push_back('-');
  append_padded(out, month, 2);
  out.push_back('-');
  append_padded(out, day, 2);
  out.push_back(' ');
  append_padded(out, seconds / 3600, 2);
  out.push_back(':');
  append_padded(out, seconds / 60 % 60, 2);
  out.push_back(':');
  append_padded(out, seconds % 60, 2);
  return out;
}

std::string format_guid(const Guid& value) {
  // The first three groups are stored least significant byte first.
  static constexpr int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  Binary bytes;
  for (const int i : order) bytes.push_back(value.bytes[static_cast<size_t>(i)]);
  const std::string digits = hex(bytes);
  std::string out;
  out.reserve(38);
  out.push_back('{');
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i == 8 || i == 12 || i == 16 || i == 20) out.push_back('-');
    out.push_back(digits[i]);
  }
  out.push_back('}');
  return out;
}

std::string format_value(const Value& value, Encoding encoding) {
  struct Formatter {
    Encoding encoding;
    std::string operator()(const Null&) const { return {}; }
    std::string operator()(bool v) const { return v ? "1" : "0"; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(Currency v) const { return format_currency(v); }
    std::string operator()(float v) const { return shortest(v); }
    std::string operator()(double v) const { return shortest(v); }
    std::string operator()(DateTime v) const { return format_date_time(v.days); }
    std::string operator()(const std::u16string& v) const {
      return encoding == Encoding::utf8 ? to_utf8(v) : to_windows1252(v);
    }
    std::string operator()(const Binary& v) const { return hex(v); }
    std::string operator()(const Guid& v) const { return format_guid(v); }
    std::string operator()(const Decimal& v) const { return format_decimal(v); }
  };
  return std::visit(Formatter{encoding}, value);
}

}  // namespace jet
