#include "database/sql/names.h"

#include <gtest/gtest.h>

namespace sql {
namespace {

// Literals here are Windows-1252 bytes (the build's execution character set).
char Byte(const char* one_char) { return one_char[0]; }

TEST(NamesTest, FoldsAsciiAndWindows1252Letters) {
  struct Case {
    const char* lower;
    const char* upper;
  };
  for (const Case& c : {Case{"a", "A"}, Case{"z", "Z"}, Case{"ç", "Ç"}, Case{"ã", "Ã"}, Case{"é", "É"},
                        Case{"þ", "Þ"}, Case{"š", "Š"}, Case{"œ", "Œ"}, Case{"ž", "Ž"}, Case{"ÿ", "Ÿ"}}) {
    EXPECT_EQ(FoldCase(Byte(c.lower)), Byte(c.upper)) << c.lower;
    EXPECT_EQ(FoldCase(Byte(c.upper)), Byte(c.upper)) << c.upper;
  }
  // No capital of their own.
  for (const char* same : {"1", "_", "[", "ß", "÷", "µ", "×"}) EXPECT_EQ(FoldCase(Byte(same)), Byte(same)) << same;
}

TEST(NamesTest, ComparesWithoutRegardToCase) {
  EXPECT_TRUE(NamesEqual("TAB_saidas", "tab_saidas"));
  EXPECT_TRUE(NamesEqual("Flaps", "FLAPS"));
  EXPECT_TRUE(NamesEqual("proc_nome", "Proc_Nome"));
  EXPECT_TRUE(NamesEqual("Transição", "TRANSIÇÃO"));
  EXPECT_TRUE(NamesEqual("", ""));
  EXPECT_FALSE(NamesEqual("ORIGEM", "ORIGEN"));
  EXPECT_FALSE(NamesEqual("a", "ab"));
  EXPECT_FALSE(NamesEqual("ß", "SS"));
  EXPECT_EQ(FoldName("Proc_Nome ção"), "PROC_NOME ÇÃO");
}

TEST(NamesTest, NameCharacters) {
  for (const char* yes : {"a", "Z", "0", "_", "ç", "Ã", "ÿ", "ª", "º", "Š"}) EXPECT_TRUE(IsNameChar(Byte(yes))) << yes;
  for (const char* no : {" ", "-", "[", "]", ".", "'", "\"", "#", ":", "×", "÷", "«", "\xA0"}) {
    EXPECT_FALSE(IsNameChar(Byte(no))) << no;
  }
}

}  // namespace
}  // namespace sql
