#include "database/jet/value_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using jet::format_value;

std::string f(const jet::Value& v) { return format_value(v, jet::Encoding::utf8); }

TEST(JetValueFormat, WholeNumbersYesNoAndNull) {
  EXPECT_EQ(f(int64_t{-32768}), "-32768");
  EXPECT_EQ(f(int64_t{2147483647}), "2147483647");
  EXPECT_EQ(f(true), "1");
  EXPECT_EQ(f(false), "0");
  EXPECT_EQ(f(jet::Null{}), "");
}

TEST(JetValueFormat, FloatingPointInShortestExactForm) {
  EXPECT_EQ(f(444.555), "444.555");
  EXPECT_EQ(f(0.1), "0.1");
  EXPECT_EQ(f(0.1f), "0.1");  // the Single's own shortest form, not the Double's
  EXPECT_EQ(f(-0.0), "0");
  EXPECT_EQ(f(1e21), "1000000000000000000000");
  EXPECT_EQ(f(1.5e-7), "0.00000015");
  EXPECT_EQ(f(3.4028235e38f), "340282346638528859811704183484516925440");  // whole: all its digits
}

TEST(JetValueFormat, CurrencyInShortestExactForm) {
  const struct {
    int64_t stored;
    const char* text;
  } cases[] = {{35000, "3.5"},   {0, "0"}, {-1, "-0.0001"}, {10000, "1"}, {-123456789, "-12345.6789"},
               {std::numeric_limits<int64_t>::min(), "-922337203685477.5808"}};
  for (const auto& c : cases) EXPECT_EQ(f(jet::Currency{c.stored}), c.text) << c.stored;
}

TEST(JetValueFormat, DecimalOf128BitsWithScaleAndSign) {
  const struct {
    jet::Decimal value;
    const char* text;
  } cases[] = {
      {{{0, 0, 0, 1}, false, 0}, "1"},
      {{{0, 0, 0, 1}, true, 0}, "-1"},
      {{{0, 0, 0, 0}, true, 2}, "0"},
      {{{0, 0, 0, 12345}, false, 2}, "123.45"},
      {{{0, 0, 0, 12300}, false, 4}, "1.23"},
      {{{0, 0, 0, 5}, true, 3}, "-0.005"},
      {{{0, 0, 1, 0}, false, 0}, "4294967296"},
  };
  for (const auto& c : cases) EXPECT_EQ(jet::format_decimal(c.value), c.text);
  // 10^28, the largest Decimal magnitude Access accepts plus one.
  EXPECT_EQ(jet::format_decimal({{0, 0x204FCE5E, 0x3E250261, 0x10000000}, false, 0}), "10000000000000000000000000000");
  EXPECT_EQ(jet::format_decimal({{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, false, 38}),
            "3.40282366920938463463374607431768211455");
}

TEST(JetValueFormat, DatesAndTimes) {
  const struct {
    double days;
    const char* text;
  } cases[] = {
      {0, "1899-12-30 00:00:00"},
      {27293, "1974-09-21 00:00:00"},
      {2.75, "1900-01-01 18:00:00"},
      {-1.25, "1899-12-29 06:00:00"},    // before the epoch the time still counts forward
      {-0.5, "1899-12-30 12:00:00"},
      {2958101, "9999-01-01 00:00:00"},
      {2958465.999988426, "9999-12-31 23:59:59"},
      {-657434, "0100-01-01 00:00:00"},
      {1.0 - 0.1 / 86400, "1899-12-31 00:00:00"},  // rounds up to the next midnight
      {40000.5 + 1.0 / 86400, "2009-07-06 12:00:01"},
  };
  for (const auto& c : cases) EXPECT_EQ(f(jet::DateTime{c.days}), c.text) << c.days;
  // No calendar date is meant outside Access's range: the stored number is shown.
  EXPECT_EQ(f(jet::DateTime{1e10}), "10000000000");
  EXPECT_EQ(f(jet::DateTime{std::numeric_limits<double>::quiet_NaN()}), "nan");
}

TEST(JetValueFormat, ReplicationIdAsAccessShowsIt) {
  jet::Guid g;
  const uint8_t stored[16] = {0xA0, 0x6C, 0x09, 0x8F, 0x16, 0xFC, 0x88, 0x42,
                              0x80, 0x1E, 0x11, 0x9F, 0x26, 0xC0, 0xB6, 0xFC};
  std::copy(std::begin(stored), std::end(stored), g.bytes.begin());
  EXPECT_EQ(f(g), "{8F096CA0-FC16-4288-801E-119F26C0B6FC}");
}

TEST(JetValueFormat, TextInTheAskedEncodingAndBinaryAsHex) {
  EXPECT_EQ(format_value(std::u16string(u"p\u00E3o \u20AC\u4E2D"), jet::Encoding::utf8), "p\xC3\xA3o \xE2\x82\xAC\xE4\xB8\xAD");
  EXPECT_EQ(format_value(std::u16string(u"p\u00E3o \u20AC\u4E2D"), jet::Encoding::windows1252), "p\xE3o \x80?");
  EXPECT_EQ(f(jet::Binary{0x00, 0xAB, 0x7F}), "00AB7F");
}

}  // namespace
