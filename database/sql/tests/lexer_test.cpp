#include "database/sql/lexer.h"

#include <gtest/gtest.h>

#include <string>

namespace sql {
namespace {

std::string KindName(TokenKind kind) {
  switch (kind) {
    case TokenKind::Word: return "Word";
    case TokenKind::BracketName: return "BracketName";
    case TokenKind::Text: return "Text";
    case TokenKind::Number: return "Number";
    case TokenKind::Date: return "Date";
    case TokenKind::Parameter: return "Parameter";
    case TokenKind::Equal: return "=";
    case TokenKind::NotEqual: return "<>";
    case TokenKind::Less: return "<";
    case TokenKind::LessEqual: return "<=";
    case TokenKind::Greater: return ">";
    case TokenKind::GreaterEqual: return ">=";
    case TokenKind::LeftParen: return "(";
    case TokenKind::RightParen: return ")";
    case TokenKind::Comma: return ",";
    case TokenKind::Dot: return ".";
    case TokenKind::Star: return "*";
    case TokenKind::Minus: return "-";
    case TokenKind::Semicolon: return ";";
    case TokenKind::End: return "End";
    case TokenKind::Invalid: return "Invalid";
  }
  return "?";
}

// The tokens up to End, as "Kind(text)" or "Kind" when the kind has no text.
std::string Tokens(std::string_view source) {
  Lexer lexer(source);
  std::string out;
  for (Token t = lexer.Next(); t.kind != TokenKind::End; t = lexer.Next()) {
    if (!out.empty()) out += ' ';
    out += KindName(t.kind);
    if (!t.text.empty()) out += "(" + t.text + ")";
  }
  return out;
}

struct LexCase {
  const char* source;
  const char* tokens;
};

class LexerTest : public testing::TestWithParam<LexCase> {};

TEST_P(LexerTest, Tokens) { EXPECT_EQ(Tokens(GetParam().source), GetParam().tokens); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LexerTest,
    testing::Values(
        LexCase{"SELECT * FROM t;", "Word(SELECT) * Word(FROM) Word(t) ;"},
        LexCase{"  \t\r\n", ""},
        LexCase{"[my table].[a b]", "BracketName(my table) . BracketName(a b)"},
        LexCase{"tab_1.Col2", "Word(tab_1) . Word(Col2)"},
        LexCase{"'it''s' \"say \"\"hi\"\"\"", "Text(it's) Text(say \"hi\")"},
        LexCase{"'a\"b' \"a'b\" '' \"\"", "Text(a\"b) Text(a'b) Text Text"},
        LexCase{"'two\nlines;--'", "Text(two\nlines;--)"},
        LexCase{"0 42 3.25 1e5 2.5E-3 6E+2 7.", "Number(0) Number(42) Number(3.25) Number(1e5) Number(2.5E-3) "
                                                "Number(6E+2) Number(7) ."},
        LexCase{"-5 - 2.5", "- Number(5) - Number(2.5)"},
        LexCase{"= <> < <= > >= ( ) , . * ; :", "= <> < <= > >= ( ) , . * ; Parameter"},
        LexCase{"a=:)", "Word(a) = Parameter )"},
        LexCase{"a<>b<=c>=d<e>f", "Word(a) <> Word(b) <= Word(c) >= Word(d) < Word(e) > Word(f)"},
        LexCase{"a -- a comment; 'x'\nb--\n--\n", "Word(a) Word(b)"},
        LexCase{"a - -b", "Word(a) - - Word(b)"},
        LexCase{"#2024-02-29 13:05:09# #2024-3-7# #1999-12-31 8:30#",
                "Date(2024-02-29 13:05:09) Date(2024-3-7) Date(1999-12-31 8:30)"},
        LexCase{"Transição SÃO_PAULO", "Word(Transição) Word(SÃO_PAULO)"},
        LexCase{"a ? b", "Word(a) Invalid(unexpected character '?') Word(b)"},
        LexCase{"a\x01", "Word(a) Invalid(unexpected character (code 1))"},
        LexCase{"'abc", "Invalid(text has no closing ')"},
        LexCase{"\"abc''", "Invalid(text has no closing \")"},
        LexCase{"[abc\nd", "Invalid(name has no closing ']') Word(d)"},
        LexCase{"[]", "Invalid(empty name [])"},
        LexCase{"12ab 3", "Invalid(malformed number '12ab') Number(3)"},
        LexCase{"1e", "Invalid(malformed number '1e')"},
        LexCase{"#2024-01-01", "Invalid(date has no closing '#')"},
        LexCase{"#2023-02-29#", "Invalid(invalid date #2023-02-29# (dates are #YYYY-MM-DD HH:MM:SS#))"},
        LexCase{"#2024-01-01 24:00:00#",
                "Invalid(invalid date #2024-01-01 24:00:00# (dates are #YYYY-MM-DD HH:MM:SS#))"},
        LexCase{"#01/02/2024#", "Invalid(invalid date #01/02/2024# (dates are #YYYY-MM-DD HH:MM:SS#))"},
        LexCase{"#0099-01-01#", "Invalid(invalid date #0099-01-01# (dates are #YYYY-MM-DD HH:MM:SS#))"},
        LexCase{"#2024-01-0110:00#",
                "Invalid(invalid date #2024-01-0110:00# (dates are #YYYY-MM-DD HH:MM:SS#))"}));

TEST(LexerTest, TokensRecordTheirByteRange) {
  Lexer lexer("  ab [c d]\n 'x''y'");
  Token t = lexer.Next();
  EXPECT_EQ(t.begin, 2u);
  EXPECT_EQ(t.end, 4u);
  t = lexer.Next();
  EXPECT_EQ(t.begin, 5u);
  EXPECT_EQ(t.end, 10u);
  t = lexer.Next();
  EXPECT_EQ(t.begin, 12u);
  EXPECT_EQ(t.end, 18u);
  EXPECT_EQ(lexer.Next().kind, TokenKind::End);
  EXPECT_EQ(lexer.Next().kind, TokenKind::End);
}

TEST(LexerTest, DatesAreDecoded) {
  Lexer lexer("#2024-02-29 13:05:09# #2000-1-2#");
  EXPECT_EQ(lexer.Next().date, (DateTime{2024, 2, 29, 13, 5, 9}));
  EXPECT_EQ(lexer.Next().date, (DateTime{2000, 1, 2, 0, 0, 0}));
}

}  // namespace
}  // namespace sql
