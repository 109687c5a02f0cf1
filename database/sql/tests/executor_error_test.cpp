// What the executor refuses, before any row is read or written: each error names the
// statement and points at the part at fault.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "database/jet/database.h"
#include "database/jet/tests/fixture_files.h"
#include "database/sql/script_runner.h"
#include "database/sql/sql_error.h"
#include "database/sql/tests/error_case.h"

namespace sql {
namespace {

class ExecutorErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ExecutorErrorTest, NamesStatementAndPosition) {
  const ErrorCase& c = GetParam();
  jet::Database database = jet::Database::open(jet_test::fixture("testV2000.mdb"));
  std::ostringstream out;
  try {
    RunScript(database, c.script, out);
    ADD_FAILURE() << "no error for: " << c.script;
  } catch (const SqlError& e) {
    ExpectError(e, c);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExecutorErrorTest,
    testing::Values(
        ErrorCase{"SELECT * FROM Table1;\nSELECT * FROM Nowhere", 2, 2, 15, "no table named 'Nowhere'"},
        ErrorCase{"SELECT a, zz FROM Table1", 1, 1, 11, "table 'Table1' has no column 'zz'"},
        ErrorCase{"SELECT Table2.a FROM Table1", 1, 1, 8, "'Table2' is not the table of this statement"},
        ErrorCase{"SELECT a FROM Table1 WHERE [b c] = 1", 1, 1, 28, "table 'Table1' has no column 'b c'"},
        ErrorCase{"SELECT a FROM Table1 ORDER BY q", 1, 1, 31, "table 'Table1' has no column 'q'"},
        ErrorCase{"UPDATE Table3 SET zz = 1", 1, 1, 19, "table 'Table3' has no column 'zz'"},
        ErrorCase{"DELETE FROM Table3 WHERE x.a = 1", 1, 1, 26, "'x' is not the table of this statement"},
        ErrorCase{"INSERT INTO Table3 (a, zz) VALUES (1, 2)", 1, 1, 24, "table 'Table3' has no column 'zz'"},
        ErrorCase{"INSERT INTO Nowhere VALUES (1)", 1, 1, 13, "no table named 'Nowhere'"}));

INSTANTIATE_TEST_SUITE_P(
    Types, ExecutorErrorTest,
    testing::Values(
        ErrorCase{"SELECT * FROM Table1 WHERE A = 5", 1, 1, 32,
                  "data type mismatch: a text cannot be compared with a number"},
        ErrorCase{"SELECT * FROM Table1 WHERE\n  C > 1 AND G = 'x'", 1, 2, 17,
                  "data type mismatch: a number cannot be compared with a text"},
        ErrorCase{"SELECT * FROM Table1 WHERE A", 1, 1, 28, "data type mismatch: a text is not a condition"},
        ErrorCase{"SELECT * FROM Table1 WHERE NOT 'x'", 1, 1, 32, "data type mismatch: a text is not a condition"},
        ErrorCase{"SELECT DISTINCT A FROM Table1 ORDER BY B", 1, 1, 40,
                  "ORDER BY column 'B' must be among the columns of a SELECT DISTINCT"}));

INSTANTIATE_TEST_SUITE_P(
    Writes, ExecutorErrorTest,
    testing::Values(
        ErrorCase{"INSERT INTO Table3 VALUES ('x')", 1, 1, 28, "1 values for the 2 columns of table 'Table3'"},
        ErrorCase{"INSERT INTO Table1 (A, C) VALUES ('x', 'many')", 1, 1, 40,
                  "column 'C': 'many' is not a Byte value"},
        ErrorCase{"INSERT INTO Table1 (A, C) VALUES ('x', 256)", 1, 1, 40,
                  "column 'C': 256 is out of the range of Byte"},
        ErrorCase{"INSERT INTO Table1 (D) VALUES (32767.5)", 1, 1, 32,
                  "column 'D': 32767.5 is out of the range of Integer"},
        ErrorCase{"INSERT INTO Table1 (E) VALUES (2147483648)", 1, 1, 32,
                  "column 'E': 2147483648 is out of the range of Long Integer"},
        ErrorCase{"INSERT INTO Table1 (G) VALUES ('yesterday')", 1, 1, 32,
                  "column 'G': 'yesterday' is not a Date/Time value"},
        ErrorCase{"INSERT INTO Table1 (A) VALUES (#2001-01-01#)", 1, 1, 32,
                  "column 'A': 2001-01-01 00:00:00 is not a Text value"},
        ErrorCase{"INSERT INTO Table1 (I) VALUES ('maybe')", 1, 1, 32,
                  "column 'I': 'maybe' is not a Yes/No value"}));

}  // namespace
}  // namespace sql
