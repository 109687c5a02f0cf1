#include <gtest/gtest.h>

#include <string>

#include "database/sql/format.h"
#include "database/sql/parser.h"

namespace sql {
namespace {

const Expr& WhereOf(const Statement& statement) { return *std::get<Select>(statement.body).where; }

std::string ParsedWhere(const std::string& condition) {
  return FormatExpr(WhereOf(ParseStatement("SELECT * FROM t WHERE " + condition)));
}

struct ExprCase {
  const char* condition;
  const char* expected;
};

class ExpressionTest : public testing::TestWithParam<ExprCase> {};

TEST_P(ExpressionTest, ParsesWithJetPrecedence) {
  EXPECT_EQ(ParsedWhere(GetParam().condition), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExpressionTest,
    testing::Values(
        ExprCase{"a = 1", "(a = 1)"},
        ExprCase{"a=b", "(a = b)"},
        ExprCase{"1 = a", "(1 = a)"},
        ExprCase{"a <> 'x'", "(a <> \"x\")"},
        ExprCase{"a < 1 AND b >= 2 OR c <= 3", "(((a < 1) AND (b >= 2)) OR (c <= 3))"},
        ExprCase{"a = 1 OR b = 2 AND c = 3", "((a = 1) OR ((b = 2) AND (c = 3)))"},
        ExprCase{"a > 1 AND b > 2 AND c > 3", "(((a > 1) AND (b > 2)) AND (c > 3))"},
        ExprCase{"(a = 1 OR b = 2) AND c = 3", "(((a = 1) OR (b = 2)) AND (c = 3))"},
        ExprCase{"NOT a = 1 AND b > 2", "((NOT (a = 1)) AND (b > 2))"},
        ExprCase{"NOT NOT a", "(NOT (NOT a))"},
        ExprCase{"(((VOOS.ORIGEM)=\"SBGR\"))", "(VOOS.ORIGEM = \"SBGR\")"},
        ExprCase{"a IS NULL", "(a IS NULL)"},
        ExprCase{"t.a IS NOT NULL OR b is null", "((t.a IS NOT NULL) OR (b IS NULL))"},
        ExprCase{"NOT a IS NULL", "(NOT (a IS NULL))"},
        ExprCase{"t.[a b] = -2.5", "(t.[a b] = -2.5)"},
        ExprCase{"[x] = - 7", "(x = -7)"},
        ExprCase{"x = TRUE AND y = false AND z = Null", "(((x = TRUE) AND (y = FALSE)) AND (z = NULL))"},
        ExprCase{"d >= #2024-01-02#", "(d >= #2024-01-02 00:00:00#)"},
        ExprCase{"s = 'it''s' OR s = \"say \"\"hi\"\"\"", "((s = \"it's\") OR (s = \"say \"\"hi\"\"\"))"},
        ExprCase{"a = 1 and not b = 2 or c is not null", "(((a = 1) AND (NOT (b = 2))) OR (c IS NOT NULL))"},
        ExprCase{"flag", "flag"},
        ExprCase{"(a = 1) = TRUE", "((a = 1) = TRUE)"}));

const Number& NumberIn(const Expr& comparison) {
  const Expr& right = *std::get<Comparison>(comparison.node).right;
  return std::get<Number>(std::get<Literal>(right.node));
}

TEST(ExpressionTest, NumbersKeepTextValueAndWholeValue) {
  struct Case {
    const char* written;
    const char* text;
    double value;
    std::optional<std::int64_t> integer;
  };
  for (const Case& c : {
           Case{"60", "60", 60, 60},
           Case{"60.0", "60.0", 60, std::nullopt},
           Case{"-60.5", "-60.5", -60.5, std::nullopt},
           Case{"- 12", "-12", -12, -12},
           Case{"1E3", "1E3", 1000, std::nullopt},
           Case{"0.0001", "0.0001", 0.0001, std::nullopt},
           Case{"9223372036854775807", "9223372036854775807", 9223372036854775807.0, INT64_MAX},
           Case{"-9223372036854775808", "-9223372036854775808", -9223372036854775808.0, INT64_MIN},
           Case{"9223372036854775808", "9223372036854775808", 9223372036854775808.0, std::nullopt},
       }) {
    const Statement s = ParseStatement(std::string("SELECT * FROM t WHERE a = ") + c.written);
    const Number& n = NumberIn(WhereOf(s));
    EXPECT_EQ(n.text, c.text) << c.written;
    EXPECT_DOUBLE_EQ(n.value, c.value) << c.written;
    EXPECT_EQ(n.integer, c.integer) << c.written;
  }
}

TEST(ExpressionTest, NodesRecordTheirRange) {
  const std::string text = "SELECT * FROM t WHERE (a = 1) AND NOT t.b IS NULL";
  const Statement s = ParseStatement(text);
  const auto slice = [&](const SourceRange& r) { return text.substr(r.begin, r.end - r.begin); };
  const Expr& where = WhereOf(s);
  EXPECT_EQ(slice(where.range), "(a = 1) AND NOT t.b IS NULL");
  const Logical& both = std::get<Logical>(where.node);
  EXPECT_EQ(slice(both.left->range), "(a = 1)");
  EXPECT_EQ(slice(both.right->range), "NOT t.b IS NULL");
  const Expr& test = *std::get<Not>(both.right->node).operand;
  EXPECT_EQ(slice(test.range), "t.b IS NULL");
  const ColumnRef& column = std::get<ColumnRef>(std::get<IsNull>(test.node).operand->node);
  EXPECT_EQ(slice(column.range), "t.b");
  EXPECT_EQ(slice(column.table->range), "t");
  EXPECT_EQ(slice(column.column.range), "b");
}

TEST(ExpressionTest, BracketedNamesMayHoldSpacesAndReservedWords) {
  const Statement s = ParseStatement("SELECT * FROM t WHERE [Order Date].[from] = 1");
  const ColumnRef& column =
      std::get<ColumnRef>(std::get<Comparison>(WhereOf(s).node).left->node);
  EXPECT_EQ(column.table->text, "Order Date");
  EXPECT_EQ(column.column.text, "from");
}

}  // namespace
}  // namespace sql
