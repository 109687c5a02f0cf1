#include <gtest/gtest.h>

#include <string>

#include "database/sql/parser.h"
#include "database/sql/sql_error.h"
#include "database/sql/tests/error_case.h"
#include "database/sql/tests/printers.h"

namespace sql {
namespace {

SqlError ErrorOf(std::string_view script) {
  try {
    ParseScript(script);
  } catch (const SqlError& e) {
    return e;
  }
  ADD_FAILURE() << "no error for: " << script;
  return SqlError(0, "", {}, "");
}

class ScriptErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptErrorTest, NamesStatementAndPosition) {
  const ErrorCase& c = GetParam();
  ExpectError(ErrorOf(c.script), c);
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, ScriptErrorTest,
    testing::Values(
        ErrorCase{"SELECT * FROM t;\nSELECT a FROM WHERE x = 1", 2, 2, 15, "expected a table name, found 'WHERE'"},
        ErrorCase{"DROP TABLE t", 1, 1, 1, "expected SELECT, INSERT, UPDATE, DELETE or CREATE TABLE, found 'DROP'"},
        ErrorCase{"SELECT FROM t", 1, 1, 8, "expected a column name, found 'FROM'"},
        ErrorCase{"SELECT a, FROM t", 1, 1, 11, "expected a column name, found 'FROM'"},
        ErrorCase{"SELECT t. FROM t", 1, 1, 11, "expected a column name after '.', found 'FROM'"},
        ErrorCase{"SELECT * t", 1, 1, 10, "expected FROM, found 't'"},
        ErrorCase{"SELECT * FROM t ORDER a", 1, 1, 23, "expected BY, found 'a'"},
        ErrorCase{"SELECT * FROM t AS v", 1, 1, 17, "expected the end of the statement, found 'AS'"},
        ErrorCase{"SELECT * FROM t WHERE", 1, 1, 22, "expected a value or a column name, found end of text"},
        ErrorCase{"SELECT * FROM t WHERE (a = 1", 1, 1, 29, "expected ')', found end of text"},
        ErrorCase{"SELECT * FROM t WHERE a = 1 = 2", 1, 1, 29, "expected the end of the statement, found '='"},
        ErrorCase{"SELECT * FROM t WHERE a IS 1", 1, 1, 28, "expected NULL, found '1'"},
        ErrorCase{"SELECT * FROM t WHERE a = - 'x'", 1, 1, 29, "expected a number after '-', found ''x''"},
        ErrorCase{"SELECT * FROM t WHERE a = :", 1, 1, 27,
                  "parameter ':' has no value (a value must be bound in its place)"},
        ErrorCase{"SELECT * FROM t WHERE : = a", 1, 1, 23,
                  "parameter ':' has no value (a value must be bound in its place)"},
        ErrorCase{"INSERT INTO t VALUES (:)", 1, 1, 23,
                  "parameter ':' has no value (a value must be bound in its place)"},
        ErrorCase{"SELECT * FROM t WHERE a = 1e999", 1, 1, 27, "number out of range: 1e999"},
        ErrorCase{"SELECT * FROM t WHERE a = -1e999", 1, 1, 28, "number out of range: -1e999"},
        ErrorCase{"SELECT * FROM t WHERE a = b c_very_long_column_name_indeed", 1, 1, 29,
                  "expected the end of the statement, found 'c_very_long_column_n...'"}));

INSTANTIATE_TEST_SUITE_P(
    Lexical, ScriptErrorTest,
    testing::Values(
        ErrorCase{"SELECT * FROM t WHERE a = 'abc", 1, 1, 27, "text has no closing '"},
        ErrorCase{"SELECT * FROM [t", 1, 1, 15, "name has no closing ']'"},
        ErrorCase{"SELECT * FROM t WHERE a = #2023-02-29#", 1, 1, 27,
                  "invalid date #2023-02-29# (dates are #YYYY-MM-DD HH:MM:SS#)"},
        ErrorCase{"SELECT a FROM t; ?", 2, 1, 18, "unexpected character '?'"},
        ErrorCase{"SELECT a FROM t;\n\t?", 2, 2, 2, "unexpected character '?'"},
        ErrorCase{"SELECT a FROM t;; ;'x", 2, 1, 20, "text has no closing '"},
        ErrorCase{"SELECT a FROM t WHERE b = 12ab", 1, 1, 27, "malformed number '12ab'"}));

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptErrorTest,
    testing::Values(
        ErrorCase{"DELETE FROM t;\n\n  UPDATE t SET a = 1 b = 2", 2, 3, 22,
                  "expected the end of the statement, found 'b'"},
        ErrorCase{"-- setup\n;;\nSELECT * FROM t;\n;\nSELEC x", 2, 5, 1,
                  "expected SELECT, INSERT, UPDATE, DELETE or CREATE TABLE, found 'SELEC'"},
        ErrorCase{"SELECT * FROM t\nWHERE a = 1\n  AND (b = 2 OR)", 1, 3, 16,
                  "expected a value or a column name, found ')'"}));

INSTANTIATE_TEST_SUITE_P(
    InsertUpdateDelete, ScriptErrorTest,
    testing::Values(
        ErrorCase{"INSERT INTO t VALUES (1, 2", 1, 1, 27, "expected ',' or ')', found end of text"},
        ErrorCase{"INSERT t VALUES (1)", 1, 1, 8, "expected INTO, found 't'"},
        ErrorCase{"INSERT INTO t (a, b) VALUES (1)", 1, 1, 29, "2 columns named but 1 value given"},
        ErrorCase{"INSERT INTO t (a) VALUES (1, 2)", 1, 1, 26, "1 column named but 2 values given"},
        ErrorCase{"INSERT INTO t (a, A) VALUES (1, 2)", 1, 1, 19, "column 'A' is named twice"},
        ErrorCase{"INSERT INTO t VALUES (a)", 1, 1, 23,
                  "expected a value (text, number, date, TRUE, FALSE or NULL), found 'a'"},
        ErrorCase{"INSERT INTO t VALUES ()", 1, 1, 23,
                  "expected a value (text, number, date, TRUE, FALSE or NULL), found ')'"},
        ErrorCase{"UPDATE t SET a = 1, a = 2", 1, 1, 21, "column 'a' is named twice"},
        ErrorCase{"UPDATE t SET a 1", 1, 1, 16, "expected '=', found '1'"},
        ErrorCase{"UPDATE t WHERE a = 1", 1, 1, 10, "expected SET, found 'WHERE'"},
        ErrorCase{"DELETE t", 1, 1, 8, "expected FROM, found 't'"}));

INSTANTIATE_TEST_SUITE_P(
    CreateTable, ScriptErrorTest,
    testing::Values(
        ErrorCase{"CREATE t (a LONG)", 1, 1, 8, "expected TABLE, found 't'"},
        ErrorCase{"CREATE TABLE t ()", 1, 1, 17, "expected a column name, found ')'"},
        ErrorCase{"CREATE TABLE t (a)", 1, 1, 18, "expected a column type, found ')'"},
        ErrorCase{"CREATE TABLE t (a TEXT(0))", 1, 1, 24, "text size must be a whole number from 1 to 255"},
        ErrorCase{"CREATE TABLE t (a TEXT(256))", 1, 1, 24, "text size must be a whole number from 1 to 255"},
        ErrorCase{"CREATE TABLE t (a TEXT(2.5))", 1, 1, 24, "text size must be a whole number from 1 to 255"},
        ErrorCase{"CREATE TABLE t (a TEXT(99999999999))", 1, 1, 24,
                  "text size must be a whole number from 1 to 255"},
        ErrorCase{"CREATE TABLE t (a LONG(4))", 1, 1, 23, "column type LONG takes no size"},
        ErrorCase{"CREATE TABLE t (a WIDGET)", 1, 1, 19, "unknown column type 'WIDGET'"},
        ErrorCase{"CREATE TABLE t (a GUID)", 1, 1, 19, "column type GUID is not supported"},
        ErrorCase{"CREATE TABLE t (a NATIONAL TEXT)", 1, 1, 28,
                  "expected CHAR or CHARACTER after NATIONAL, found 'TEXT'"},
        ErrorCase{"CREATE TABLE t (a LONG, b TEXT, A SHORT)", 1, 1, 33, "column 'A' is defined twice"},
        ErrorCase{"CREATE TABLE t (a LONG NULL NOT NULL)", 1, 1, 29, "column 'a' cannot be both NULL and NOT NULL"},
        ErrorCase{"CREATE TABLE t (a LONG NOT 1)", 1, 1, 28, "expected NULL, found '1'"},
        ErrorCase{"CREATE TABLE t (a LONG PRIMARY)", 1, 1, 31, "expected KEY, found ')'"},
        ErrorCase{"CREATE TABLE t (a LONG, CONSTRAINT pk PRIMARY KEY (b))", 1, 1, 52,
                  "primary key column 'b' is not a column of table 't'"},
        ErrorCase{"CREATE TABLE t (a LONG, PRIMARY KEY (a, A))", 1, 1, 41, "column 'A' is in the primary key twice"},
        ErrorCase{"CREATE TABLE t (a LONG PRIMARY KEY, b LONG PRIMARY KEY)", 1, 1, 44,
                  "table 't' has more than one primary key"},
        ErrorCase{"CREATE TABLE t (PRIMARY KEY (a))", 1, 1, 32, "a table needs at least one column"},
        ErrorCase{"CREATE TABLE t (a LONG", 1, 1, 23, "expected ',' or ')', found end of text"}));

TEST(ScriptErrorTest, MessageQuotesTheStatementOpening) {
  EXPECT_STREQ(ErrorOf("SELECT * FROM t;\nSELECT a FROM WHERE x = 1").what(),
               "statement 2 (SELECT a FROM WHERE x = 1), line 2, column 15: expected a table name, found 'WHERE'");
  EXPECT_STREQ(ErrorOf("INSERT INTO routes (origin,\n   destination, speed, level) VALUES (1, 2").what(),
               "statement 1 (INSERT INTO routes (origin, destination,...), line 2, column 43: "
               "expected ',' or ')', found end of text");
}

TEST(ScriptErrorTest, OpeningStopsAtTheSemicolonAndRunsBlanksTogether) {
  EXPECT_EQ(StatementOpening("  DELETE\n\tFROM   t ; SELECT"), "DELETE FROM t");
  EXPECT_EQ(StatementOpening("1234567890123456789012345678901234567890"), "1234567890123456789012345678901234567890");
  EXPECT_EQ(StatementOpening("1234567890123456789012345678901234567890X"), "1234567890123456789012345678901234567890...");
  EXPECT_EQ(StatementOpening("123456789012345678901234567890123456789 X"), "123456789012345678901234567890123456789...");
}

TEST(ScriptErrorTest, ErrorAtPointsIntoAParsedStatement) {
  const std::string script = "DELETE FROM a;\nUPDATE b\n  SET [no such] = 1";
  const std::vector<Statement> statements = ParseScript(script);
  const Update& update = std::get<Update>(statements[1].body);
  const SqlError e = ErrorAt(statements[1], update.assignments[0].column.range.begin, "unknown column 'no such'");
  EXPECT_EQ(e.statement(), 2);
  EXPECT_EQ(e.where(), (Position{30, 3, 7}));
  EXPECT_STREQ(e.what(), "statement 2 (UPDATE b SET [no such] = 1), line 3, column 7: unknown column 'no such'");
}

TEST(StatementErrorTest, ExactlyOneStatement) {
  EXPECT_NO_THROW(ParseStatement("SELECT * FROM t;"));
  EXPECT_NO_THROW(ParseStatement("SELECT * FROM t ;  "));
  try {
    ParseStatement("SELECT * FROM t; SELECT * FROM u");
    FAIL();
  } catch (const SqlError& e) {
    EXPECT_EQ(e.detail(), "expected the end of the statement, found 'SELECT'");
    EXPECT_EQ(e.where().column, 18);
  }
  for (const char* empty : {"", "  ", "-- nothing"}) {
    try {
      ParseStatement(empty);
      FAIL() << empty;
    } catch (const SqlError& e) {
      EXPECT_EQ(e.detail(), "the statement is empty");
    }
  }
}

}  // namespace
}  // namespace sql
