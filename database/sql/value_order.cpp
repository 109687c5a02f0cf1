#include "database/sql/value_order.h"

#include <cmath>
#include <string>
#include <variant>

namespace sql {
namespace {

// Upper case for the letters of Windows-1252 (Latin-1, Š Œ Ž Ÿ).
char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0x161 || c == 0x153 || c == 0x17E) return c - 1;
  if (c == 0xFF) return 0x178;
  return c;
}

// The plain letter of a folded accented capital; other characters stay as they are.
char16_t Plain(char16_t c) {
  static constexpr char16_t latin1[] = u"AAAAAAACEEEEIIIIDNOOOOO\u00D7OUUUUYTS";  // U+00C0..U+00DF
  if (c >= 0xC0 && c <= 0xDF && c != 0xD7 && c != 0xC6 && c != 0xD0 && c != 0xDE && c != 0xDF)
    return latin1[c - 0xC0];
  if (c == 0x160) return u'S';
  if (c == 0x17D) return u'Z';
  if (c == 0x178) return u'Y';
  return c;
}

int CompareText(const std::u16string& a, const std::u16string& b) {
  int accents = 0;
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t fa = Fold(a[i]), fb = Fold(b[i]);
    const char16_t pa = Plain(fa), pb = Plain(fb);
    if (pa != pb) return pa < pb ? -1 : 1;
    if (accents == 0 && fa != fb) accents = fa < fb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return accents;
}

// Numbers, exactly where both are whole.
struct Number {
  bool whole = false;
  int64_t integer = 0;
  long double real = 0;
};

struct NumberVisitor {
  Number operator()(bool b) const { return {true, b ? -1 : 0, b ? -1.0L : 0.0L}; }
  Number operator()(int64_t i) const { return {true, i, static_cast<long double>(i)}; }
  Number operator()(jet::Currency c) const {
    if (c.ten_thousandths % 10000 == 0) return {true, c.ten_thousandths / 10000, c.ten_thousandths / 10000.0L};
    return {false, 0, c.ten_thousandths / 10000.0L};
  }
  Number operator()(float f) const { return {false, 0, f}; }
  Number operator()(double d) const { return {false, 0, d}; }
  Number operator()(jet::DateTime d) const { return {false, 0, d.days}; }
  Number operator()(const jet::Decimal& d) const {
    long double magnitude = 0;
    for (uint32_t word : d.words) magnitude = magnitude * 4294967296.0L + word;
    magnitude /= std::pow(10.0L, d.scale);
    return {false, 0, d.negative ? -magnitude : magnitude};
  }
  Number operator()(const auto&) const { return {}; }
};

Number NumberOf(const jet::Value& v) { return std::visit(NumberVisitor{}, v); }

template <typename T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

ValueKind KindOf(const jet::Value& value) {
  if (jet::is_null(value)) return ValueKind::Null;
  if (std::holds_alternative<std::u16string>(value)) return ValueKind::Text;
  if (std::holds_alternative<jet::Binary>(value)) return ValueKind::Binary;
  if (std::holds_alternative<jet::Guid>(value)) return ValueKind::Guid;
  return ValueKind::Number;
}

bool Comparable(ValueKind a, ValueKind b) {
  return a == ValueKind::Null || b == ValueKind::Null || a == b;
}

std::optional<int> CompareValues(const jet::Value& a, const jet::Value& b) {
  const ValueKind kind = KindOf(a);
  if (kind == ValueKind::Null || KindOf(b) == ValueKind::Null) return std::nullopt;
  switch (kind) {
    case ValueKind::Text: return CompareText(std::get<std::u16string>(a), std::get<std::u16string>(b));
    case ValueKind::Binary: return Order(std::get<jet::Binary>(a), std::get<jet::Binary>(b));
    case ValueKind::Guid: return Order(std::get<jet::Guid>(a).bytes, std::get<jet::Guid>(b).bytes);
    default: {
      const Number x = NumberOf(a), y = NumberOf(b);
      if (x.whole && y.whole) return Order(x.integer, y.integer);
      return Order(x.real, y.real);
    }
  }
}

void AppendEqualityKey(const jet::Value& value, std::u16string& key) {
  const auto append_bytes = [&key](const auto& bytes) {
    key += static_cast<char16_t>(bytes.size() & 0xFFFF);
    key += static_cast<char16_t>(bytes.size() >> 16);
    for (const uint8_t b : bytes) key += static_cast<char16_t>(b);
  };
  const auto append_word = [&key](uint64_t word) {
    for (int shift = 0; shift < 64; shift += 16) key += static_cast<char16_t>((word >> shift) & 0xFFFF);
  };
  switch (KindOf(value)) {
    case ValueKind::Null: key += u'Z'; return;
    case ValueKind::Text: {
      const auto& text = std::get<std::u16string>(value);
      key += u'T';
      key += static_cast<char16_t>(text.size() & 0xFFFF);
      key += static_cast<char16_t>(text.size() >> 16);
      for (const char16_t c : text) key += Fold(c);
      return;
    }
    case ValueKind::Binary: key += u'B'; append_bytes(std::get<jet::Binary>(value)); return;
    case ValueKind::Guid: key += u'G'; append_bytes(std::get<jet::Guid>(value).bytes); return;
    case ValueKind::Number: break;
  }
  const Number number = NumberOf(value);
  // A whole number is the same key whatever type holds it, as CompareValues finds 2 = 2.0.
  if (number.whole || (std::trunc(number.real) == number.real && std::fabs(number.real) < 9.2e18L)) {
    key += u'I';
    append_word(static_cast<uint64_t>(number.whole ? number.integer : static_cast<int64_t>(number.real)));
    return;
  }
  int exponent = 0;
  const long double fraction = std::frexp(number.real, &exponent);
  key += number.real < 0 ? u'-' : u'R';
  append_word(static_cast<uint64_t>(static_cast<int64_t>(exponent)));
  append_word(static_cast<uint64_t>(std::ldexp(std::fabs(fraction), 64)));
}

int SortOrder(const jet::Value& a, const jet::Value& b) {
  const bool a_null = jet::is_null(a), b_null = jet::is_null(b);
  if (a_null || b_null) return a_null == b_null ? 0 : a_null ? -1 : 1;
  return *CompareValues(a, b);
}

}  // namespace sql
