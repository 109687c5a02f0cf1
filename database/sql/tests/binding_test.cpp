#include "database/sql/binding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "database/sql/format.h"
#include "database/sql/parser.h"
#include "database/sql/tests/printers.h"
#include "database/sql/sql_error.h"

namespace sql {
namespace {

struct TextCase {
  ParameterValue value;
  const char* text;
};

class ParameterTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ParameterTextTest, IsWrittenAsJetReadsIt) { EXPECT_EQ(ParameterText(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Values, ParameterTextTest,
    testing::Values(TextCase{std::string("SBGR"), "\"SBGR\""}, TextCase{std::string("SB\"X"), "\"SB\"\"X\""},
                    TextCase{std::string(""), "\"\""}, TextCase{std::string("\""), "\"\"\"\""},
                    TextCase{std::string("it's"), "\"it's\""}, TextCase{std::string("Transição"), "\"Transição\""},
                    TextCase{std::int64_t{60}, "60"}, TextCase{std::int64_t{-7}, "-7"},
                    TextCase{std::int64_t{0}, "0"},
                    TextCase{std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
                    TextCase{60.0, "60"}, TextCase{60.5, "60.5"}, TextCase{-0.0, "0"}, TextCase{-2.25, "-2.25"},
                    TextCase{0.1, "0.1"}, TextCase{1e-7, "0.0000001"}, TextCase{1e20, "100000000000000000000"},
                    TextCase{-9007199254740993.0, "-9007199254740992"}, TextCase{2.5e-3, "0.0025"}));

TEST(BindParameterTest, ReplacesTheColonOnly) {
  EXPECT_EQ(BindParameter("SELECT * FROM t WHERE (((t.a)=:))", std::string("SBGR")),
            "SELECT * FROM t WHERE (((t.a)=\"SBGR\"))");
  EXPECT_EQ(BindParameter("SELECT * FROM t WHERE a =:;", 60.0), "SELECT * FROM t WHERE a =60;");
  EXPECT_EQ(BindParameter("SELECT * FROM t WHERE a = :", 60.5), "SELECT * FROM t WHERE a = 60.5");
}

TEST(BindParameterTest, ColonsInLiteralsNamesAndCommentsAreNotParameters) {
  EXPECT_EQ(BindParameter("SELECT * FROM [a:b] WHERE x = ':' AND y = \"::\" AND z =: -- :\n", std::int64_t{3}),
            "SELECT * FROM [a:b] WHERE x = ':' AND y = \"::\" AND z =3 -- :\n");
}

TEST(BindParameterTest, BindsTheFirstOfSeveral) {
  const std::string once = BindParameter("SELECT * FROM t WHERE a = : AND b = :", std::int64_t{1});
  EXPECT_EQ(once, "SELECT * FROM t WHERE a = 1 AND b = :");
  EXPECT_EQ(BindParameter(once, std::int64_t{2}), "SELECT * FROM t WHERE a = 1 AND b = 2");
}

TEST(BindParameterTest, QuoteInTextCannotChangeTheStatement) {
  for (const std::string value : {"SB\"X", "X\" OR \"1\"=\"1", "\"", "a\"\"b", "x\"); DELETE FROM t; --"}) {
    const std::string bound = BindParameter("SELECT * FROM VOOS WHERE (((VOOS.ORIGEM)=:))", value);
    const Statement s = ParseStatement(bound);
    const Comparison& c = std::get<Comparison>(std::get<Select>(s.body).where->node);
    EXPECT_EQ(std::get<Text>(std::get<Literal>(c.right->node)).value, value);
    EXPECT_EQ(FormatStatement(s), "SELECT * FROM VOOS WHERE (VOOS.ORIGEM = " + ParameterText(value) + ")");
  }
}

TEST(BindParameterTest, WholeValuedNumberReachesTheStatementAsAWholeNumber) {
  const Statement s = ParseStatement(BindParameter("SELECT * FROM FLAPS WHERE Weight =:", 60.0));
  const Comparison& c = std::get<Comparison>(std::get<Select>(s.body).where->node);
  const Number& n = std::get<Number>(std::get<Literal>(c.right->node));
  EXPECT_EQ(n.text, "60");
  EXPECT_EQ(n.integer, 60);
}

TEST(BindParameterTest, NegativeNumbersParseBack) {
  const Statement s = ParseStatement(BindParameter("SELECT * FROM t WHERE a =:", -12.5));
  const Comparison& c = std::get<Comparison>(std::get<Select>(s.body).where->node);
  EXPECT_DOUBLE_EQ(std::get<Number>(std::get<Literal>(c.right->node)).value, -12.5);
}

TEST(BindParameterTest, Refusals) {
  try {
    BindParameter("SELECT * FROM t", std::int64_t{1});
    FAIL();
  } catch (const SqlError& e) {
    EXPECT_EQ(e.detail(), "the statement has no parameter ':' to bind");
  }
  for (double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
    try {
      BindParameter("SELECT * FROM t\nWHERE a = :", bad);
      FAIL();
    } catch (const SqlError& e) {
      EXPECT_EQ(e.detail(), "the number bound to parameter ':' must be finite");
      EXPECT_EQ(e.where(), (Position{26, 2, 11}));
    }
  }
}

}  // namespace
}  // namespace sql
