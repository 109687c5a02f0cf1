#include <gtest/gtest.h>

#include <string>

#include "database/sql/format.h"
#include "database/sql/parser.h"
#include "database/sql/sql_error.h"
#include "database/sql/tests/printers.h"

namespace sql {
namespace {

struct StatementCase {
  const char* text;
  const char* canonical;
};

class StatementTest : public testing::TestWithParam<StatementCase> {};

TEST_P(StatementTest, ParsesToCanonicalForm) {
  EXPECT_EQ(FormatStatement(ParseStatement(GetParam().text)), GetParam().canonical);
}

TEST_P(StatementTest, CanonicalFormParsesToItself) {
  const std::string canonical = GetParam().canonical;
  EXPECT_EQ(FormatStatement(ParseStatement(canonical)), canonical);
}

INSTANTIATE_TEST_SUITE_P(
    Select, StatementTest,
    testing::Values(
        StatementCase{"select * from t", "SELECT * FROM t"},
        StatementCase{"SELECT a FROM t;", "SELECT a FROM t"},
        StatementCase{"SELECT DISTINCT a, t.b FROM t", "SELECT DISTINCT a, t.b FROM t"},
        StatementCase{"SELECT a FROM t ORDER BY a, t.b DESC, c asc", "SELECT a FROM t ORDER BY a ASC, t.b DESC, c ASC"},
        StatementCase{"SELECT [a b] FROM [my table] WHERE [a b] = 'x' ORDER BY [a b] DESC",
                      "SELECT [a b] FROM [my table] WHERE ([a b] = \"x\") ORDER BY [a b] DESC"},
        StatementCase{"SELECT [select], [1st] FROM [from]", "SELECT [select], [1st] FROM [from]"},
        StatementCase{"SELECT Date, Text, Long FROM Memo", "SELECT Date, Text, Long FROM Memo"},
        StatementCase{"SELECT ORIGEM\nFROM VOOS\n-- by code\nORDER BY ORIGEM",
                      "SELECT ORIGEM FROM VOOS ORDER BY ORIGEM ASC"}));

INSTANTIATE_TEST_SUITE_P(
    Insert, StatementTest,
    testing::Values(
        StatementCase{"INSERT INTO t VALUES (1, -2.5, 'x', \"y\", TRUE, false, NULL, #2024-01-02 03:04:05#)",
                      "INSERT INTO t VALUES (1, -2.5, \"x\", \"y\", TRUE, FALSE, NULL, #2024-01-02 03:04:05#)"},
        StatementCase{"insert into t (a, [b c]) values (1, 'it''s')",
                      "INSERT INTO t (a, [b c]) VALUES (1, \"it's\")"},
        StatementCase{"INSERT INTO VOOS (ORIGEM, DEST, DISTANCIA) VALUES ('SBGR', 'SBRJ', 194);",
                      "INSERT INTO VOOS (ORIGEM, DEST, DISTANCIA) VALUES (\"SBGR\", \"SBRJ\", 194)"}));

INSTANTIATE_TEST_SUITE_P(
    UpdateAndDelete, StatementTest,
    testing::Values(
        StatementCase{"UPDATE t SET a = 1, b = 'x' WHERE c = 2", "UPDATE t SET a = 1, b = \"x\" WHERE (c = 2)"},
        StatementCase{"update t set a = b", "UPDATE t SET a = b"},
        StatementCase{"UPDATE t SET a = NULL WHERE a IS NOT NULL AND b <> -1",
                      "UPDATE t SET a = NULL WHERE ((a IS NOT NULL) AND (b <> -1))"},
        StatementCase{"DELETE FROM t", "DELETE FROM t"},
        StatementCase{"DELETE * FROM t WHERE a IS NULL OR a < #2000-01-01#",
                      "DELETE FROM t WHERE ((a IS NULL) OR (a < #2000-01-01 00:00:00#))"}));

TEST(StatementTest, SelectParts) {
  const Statement s = ParseStatement("SELECT DISTINCT V.a, b FROM Voos WHERE a = 1 ORDER BY b DESC");
  const Select& select = std::get<Select>(s.body);
  EXPECT_TRUE(select.distinct);
  EXPECT_FALSE(select.all_columns);
  ASSERT_EQ(select.columns.size(), 2u);
  EXPECT_EQ(select.columns[0].table->text, "V");
  EXPECT_EQ(select.columns[0].column.text, "a");
  EXPECT_FALSE(select.columns[1].table.has_value());
  EXPECT_EQ(select.table.text, "Voos");
  ASSERT_TRUE(select.where.has_value());
  ASSERT_EQ(select.order_by.size(), 1u);
  EXPECT_TRUE(select.order_by[0].descending);

  const Statement all = ParseStatement("SELECT * FROM t");
  const Select& star = std::get<Select>(all.body);
  EXPECT_TRUE(star.all_columns);
  EXPECT_TRUE(star.columns.empty());
  EXPECT_FALSE(star.where.has_value());
}

TEST(StatementTest, InsertValuesAreLiterals) {
  const Statement s = ParseStatement("INSERT INTO t (a, b, c) VALUES (-3, 'x', #2024-05-06 07:08:09#)");
  const Insert& insert = std::get<Insert>(s.body);
  ASSERT_EQ(insert.values.size(), 3u);
  EXPECT_EQ(std::get<Number>(insert.values[0].literal).integer, -3);
  EXPECT_EQ(s.text.substr(insert.values[0].range.begin, insert.values[0].range.end - insert.values[0].range.begin),
            "-3");
  EXPECT_EQ(std::get<Text>(insert.values[1].literal).value, "x");
  EXPECT_EQ(std::get<DateTime>(insert.values[2].literal), (DateTime{2024, 5, 6, 7, 8, 9}));
}

TEST(ScriptTest, StatementsAreNumberedAndKeepTheirText) {
  const std::string script =
      "-- routes\n"
      "CREATE TABLE t (a LONG);\n"
      ";;\n"
      "  INSERT INTO t\n"
      "    VALUES (1) ;\n"
      "DELETE FROM t;";
  const std::vector<Statement> statements = ParseScript(script);
  ASSERT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements[0].ordinal, 1);
  EXPECT_EQ(statements[0].text, "CREATE TABLE t (a LONG)");
  EXPECT_EQ(statements[0].start, (Position{10, 2, 1}));
  EXPECT_EQ(statements[1].ordinal, 2);
  EXPECT_EQ(statements[1].text, "INSERT INTO t\n    VALUES (1)");
  EXPECT_EQ(statements[1].start, (Position{40, 4, 3}));
  EXPECT_EQ(statements[1].range, (SourceRange{40, 68}));
  EXPECT_EQ(statements[2].ordinal, 3);
  EXPECT_EQ(statements[2].text, "DELETE FROM t");
  EXPECT_EQ(statements[2].start.line, 6);
  for (const Statement& s : statements) {
    EXPECT_EQ(script.substr(s.range.begin, s.range.end - s.range.begin), s.text);
  }
}

TEST(ScriptTest, EmptyScriptsHoldNoStatements) {
  EXPECT_TRUE(ParseScript("").empty());
  EXPECT_TRUE(ParseScript(" ;\n; -- nothing\n").empty());
  EXPECT_EQ(ParseScript("SELECT * FROM t").size(), 1u);
  EXPECT_EQ(ParseScript("SELECT * FROM t;").size(), 1u);
}

TEST(ScriptTest, ReaderGivesStatementsBeforeALaterError) {
  ScriptReader reader("DELETE FROM a; DELETE FROM b; DELETE FROM");
  EXPECT_EQ(reader.Next()->text, "DELETE FROM a");
  EXPECT_EQ(reader.Next()->text, "DELETE FROM b");
  try {
    reader.Next();
    FAIL();
  } catch (const SqlError& e) {
    EXPECT_EQ(e.statement(), 3);
    EXPECT_EQ(e.detail(), "expected a table name, found end of text");
  }
  ScriptReader done("SELECT * FROM t;;");
  EXPECT_TRUE(done.Next().has_value());
  EXPECT_FALSE(done.Next().has_value());
  EXPECT_FALSE(done.Next().has_value());
}

TEST(ScriptTest, ManyStatements) {
  std::string script;
  for (int i = 0; i < 20000; ++i) script += "INSERT INTO t (a, b) VALUES (" + std::to_string(i) + ", 'row');\n";
  const std::vector<Statement> statements = ParseScript(script);
  ASSERT_EQ(statements.size(), 20000u);
  EXPECT_EQ(statements.back().ordinal, 20000);
  EXPECT_EQ(statements.back().start.line, 20000);
}

}  // namespace
}  // namespace sql
