#include "database/jet/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::u16string decode(std::vector<uint8_t> bytes) { return jet::decode_text(bytes); }

TEST(JetText, DecodesUcs2AndTheCompressedForm) {
  EXPECT_EQ(decode({'A', 0, 'b', 0}), u"Ab");
  EXPECT_EQ(decode({0xFF, 0xFE, 'H', 'i'}), u"Hi");
  // 00 switches to two-byte characters and back.
  EXPECT_EQ(decode({0xFF, 0xFE, 'a', 0x00, 0xAC, 0x20, 0x00, 'b'}), u"a\u20ACb");
  EXPECT_EQ(decode({0xFF, 0xFE}), u"");
  EXPECT_EQ(decode({}), u"");
}

TEST(JetText, IgnoresAnOddTrailingByte) {
  EXPECT_EQ(decode({'A', 0, 'B'}), u"A");
  EXPECT_EQ(decode({0xFF, 0xFE, 'a', 0x00, 0x41}), u"a");
}

TEST(JetText, GivesTheProgramWindows1252WithQuestionMarksForTheRest) {
  EXPECT_EQ(jet::to_windows1252(u"Transi\u00E7\u00E3o"), "Transi\xE7\xE3o");
  EXPECT_EQ(jet::to_windows1252(u"\u20AC \u2019 \u0178"), "\x80 \x92 \x9F");
  EXPECT_EQ(jet::to_windows1252(u"\u0416\u4E2D"), "??");
  EXPECT_EQ(jet::to_windows1252(u"\U0001F600"), "?");  // one character, one '?'
  EXPECT_EQ(jet::to_windows1252(u"\u0081"), "?");     // a byte the code page leaves undefined
}

TEST(JetText, GivesTheExportToolUtf8) {
  EXPECT_EQ(jet::to_utf8(u"a\u00E7\u20AC"), "a\xC3\xA7\xE2\x82\xAC");
  EXPECT_EQ(jet::to_utf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(jet::to_utf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
}

TEST(JetText, ReadsWindows1252Back) {
  EXPECT_EQ(jet::from_windows1252("\x80\xE7" "a"), u"\u20AC\u00E7a");
}

TEST(JetText, MatchesNamesWithoutRegardToCase) {
  EXPECT_TRUE(jet::same_name(u"TAB_saidas", u"tab_SAIDAS"));
  EXPECT_TRUE(jet::same_name(u"Transi\u00C7\u00C3O", u"transi\u00E7\u00E3o"));
  EXPECT_FALSE(jet::same_name(u"FLAPS", u"FLAP"));
  EXPECT_FALSE(jet::same_name(u"a_", u"a\u007F"));
}

struct Stored {
  const char16_t* text;
  bool compressible;
  std::vector<uint8_t> bytes;
};

TEST(JetText, WritesTheCompressedFormOnlyWhereItIsShorter) {
  const std::vector<Stored> cases = {
      {u"Hello", true, {0xFF, 0xFE, 'H', 'e', 'l', 'l', 'o'}},
      {u"Hello", false, {'H', 0, 'e', 0, 'l', 0, 'l', 0, 'o', 0}},
      {u"a", true, {'a', 0}},  // three bytes compressed against two
      {u"", true, {}},
      {u"abc\u0416def", true, {0xFF, 0xFE, 'a', 'b', 'c', 0, 0x16, 0x04, 0, 'd', 'e', 'f'}},
      {u"ab\u0416cd", true, {'a', 0, 'b', 0, 0x16, 0x04, 'c', 0, 'd', 0}},  // no shorter
      {u"\u0100xyz", true, {0x00, 0x01, 'x', 0, 'y', 0, 'z', 0}},  // a zero low byte reads as a switch
  };
  for (const Stored& c : cases) {
    EXPECT_EQ(jet::encode_text(c.text, c.compressible), c.bytes) << jet::to_utf8(c.text);
    EXPECT_EQ(jet::decode_text(c.bytes), c.text);
  }
}

}  // namespace
