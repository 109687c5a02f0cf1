// Statements that change the file: CREATE TABLE, INSERT, UPDATE and DELETE, the values they
// convert, and a failing statement leaving the file exactly as it was.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "database/jet/database.h"
#include "database/jet/tests/fixture_files.h"
#include "database/sql/executor.h"
#include "database/sql/script_runner.h"
#include "database/sql/sql_error.h"
#include "database/sql/tests/written_file.h"

namespace sql {
namespace {

class WriteTest : public testing::Test {
 protected:
  void SetUp() override { jet::Database::create(file_); }
  void TearDown() override { sql_test::ExpectMdbExportAgrees(file_); }

  std::string Run(const std::string& script) {
    jet::Database database = jet::Database::open(file_, jet::OpenMode::ReadWrite);
    std::ostringstream out;
    RunScript(database, script, out);
    return out.str();
  }
  // The error of a script expected to fail, with the file's bytes unchanged by the failing part.
  SqlError Failure(const std::string& script) {
    try {
      Run(script);
    } catch (const SqlError& e) {
      return e;
    }
    ADD_FAILURE() << "no error for: " << script;
    return SqlError(0, "", {}, "");
  }
  std::vector<uint8_t> Bytes() const { return jet_test::read_bytes(file_); }

  sql_test::ScratchFolder folder_;
  std::string file_ = folder_.path("write.mdb");
};

TEST_F(WriteTest, InsertsWithAndWithoutAColumnList) {
  Run("CREATE TABLE T (ID COUNTER NOT NULL, NAME TEXT(20), N LONG, FLAG YESNO, WHEN DATETIME);"
      "INSERT INTO T (NAME) VALUES ('first');"
      "INSERT INTO t (n, Name) VALUES (-7, \"it\"\"s\");"
      "INSERT INTO T VALUES (NULL, 'third', 3, TRUE, #2024-02-29 13:45:10#);"
      "INSERT INTO T VALUES (40, NULL, NULL, FALSE, NULL)");
  EXPECT_EQ(Run("SELECT * FROM T"),
            "ID,NAME,N,FLAG,WHEN\n1,\"first\",,0,\n2,\"it\"\"s\",-7,0,\n3,\"third\",3,1,\"2024-02-29 13:45:10\"\n"
            "40,,,0,\n");
}

TEST_F(WriteTest, UpdatesTheRowsTheConditionTakesFromTheirOldValues) {
  Run("CREATE TABLE T (A LONG, B LONG, S TEXT(10));"
      "INSERT INTO T VALUES (1, 10, 'x'); INSERT INTO T VALUES (2, 20, NULL); INSERT INTO T VALUES (3, NULL, 'y')");
  Run("UPDATE T SET A = B, B = A WHERE B > 5 AND S IS NOT NULL");
  EXPECT_EQ(Run("SELECT * FROM T"), "A,B,S\n10,1,\"x\"\n2,20,\n3,,\"y\"\n");
  Run("UPDATE T SET S = 'all'");
  EXPECT_EQ(Run("SELECT S FROM T"), "S\n\"all\"\n\"all\"\n\"all\"\n");
  // B <> 20 is unknown for the NULL in row 3, so that row stays.
  Run("UPDATE T SET S = 'set', B = NULL WHERE B <> 20");
  EXPECT_EQ(Run("SELECT * FROM T"), "A,B,S\n10,,\"set\"\n2,20,\"all\"\n3,,\"all\"\n");
}

TEST_F(WriteTest, UpdatesALongerTextThanTheRowHeld) {
  Run("CREATE TABLE T (A LONG, S TEXT(255), M MEMO);"
      "INSERT INTO T VALUES (1, 'a', 'short'); INSERT INTO T VALUES (2, 'b', NULL)");
  const std::string long_text(250, 'q');
  Run("UPDATE T SET S = '" + long_text + "', M = '" + std::string(3000, 'm') + "' WHERE A = 1");
  EXPECT_EQ(Run("SELECT A, S FROM T"), "A,S\n1,\"" + long_text + "\"\n2,\"b\"\n");
  EXPECT_EQ(Run("SELECT M FROM T WHERE A = 1"), "M\n\"" + std::string(3000, 'm') + "\"\n");
}

TEST_F(WriteTest, DeletesTheRowsTheConditionTakes) {
  Run("CREATE TABLE T (A LONG, S TEXT(10));"
      "INSERT INTO T VALUES (1, 'x'); INSERT INTO T VALUES (2, NULL); INSERT INTO T VALUES (3, 'X')");
  Run("DELETE FROM T WHERE NOT (S = 'x')");  // unknown for the NULL: kept
  EXPECT_EQ(Run("SELECT A FROM T"), "A\n1\n2\n3\n");
  Run("DELETE FROM T WHERE S = 'x'");  // both, case ignored
  EXPECT_EQ(Run("SELECT A FROM T"), "A\n2\n");
  Run("DELETE FROM t");
  EXPECT_EQ(Run("SELECT * FROM T"), "A,S\n");
  Run("INSERT INTO T VALUES (4, 'again')");
  EXPECT_EQ(Run("SELECT * FROM T"), "A,S\n4,\"again\"\n");
}

TEST_F(WriteTest, DistinctAndOrderCompareTextsWithoutRegardToCase) {
  Run("CREATE TABLE T (S TEXT(10), N LONG);"
      "INSERT INTO T VALUES ('b', 1); INSERT INTO T VALUES ('\xE1', 2); INSERT INTO T VALUES ('a', 3);"
      "INSERT INTO T VALUES ('B', 4); INSERT INTO T VALUES (NULL, 5); INSERT INTO T VALUES ('\xC1', 6)");
  jet::Database database = jet::Database::open(file_);
  Executor executor(database);
  // a < á (either case) < b; equal texts keep their natural order.
  const ResultSet ordered = executor.Query("SELECT N FROM T ORDER BY S, N DESC");
  std::vector<jet::Value> numbers;
  for (const auto& row : ordered.rows) numbers.push_back(row[0]);
  EXPECT_EQ(numbers, (std::vector<jet::Value>{int64_t{5}, int64_t{3}, int64_t{6}, int64_t{2}, int64_t{4}, int64_t{1}}));
  const ResultSet distinct = executor.Query("SELECT DISTINCT S FROM T");
  std::vector<jet::Value> texts;
  for (const auto& row : distinct.rows) texts.push_back(row[0]);
  EXPECT_EQ(texts, (std::vector<jet::Value>{jet::Null{}, std::u16string(u"a"), std::u16string(u"\u00e1"),
                                            std::u16string(u"b")}));
  EXPECT_EQ(executor.Query("SELECT N FROM T WHERE S = '\xC1'").rows.size(), 2u);
}

TEST_F(WriteTest, DistinctFindsEqualNumbersAndDates) {
  Run("CREATE TABLE T (D DOUBLE, C CURRENCY, W DATETIME, S SINGLE);"
      "INSERT INTO T VALUES (0.1, 1.5, #2020-01-01 12:00:00#, 0.5); INSERT INTO T VALUES (-2, 1.5, #2020-01-01#, 0.5);"
      "INSERT INTO T VALUES (0.1, 1.50, #2020-01-01 12:00:00#, 0.5); INSERT INTO T VALUES (-2.0, 1.5, #2020-01-01#, 0.5);"
      "INSERT INTO T VALUES (0.1, 1.5001, #2020-01-01 12:00:00#, 0.5); INSERT INTO T VALUES (NULL, NULL, NULL, NULL);"
      "INSERT INTO T VALUES (NULL, NULL, NULL, NULL)");
  EXPECT_EQ(Run("SELECT DISTINCT * FROM T"),
            "D,C,W,S\n,,,\n-2,1.5,\"2020-01-01 00:00:00\",0.5\n0.1,1.5,\"2020-01-01 12:00:00\",0.5\n"
            "0.1,1.5001,\"2020-01-01 12:00:00\",0.5\n");
  EXPECT_EQ(Run("SELECT DISTINCT S FROM T ORDER BY S DESC"), "S\n0.5\n\n");
}

TEST_F(WriteTest, ConvertsConstantsToTheColumnsTypes) {
  Run("CREATE TABLE T (B BYTE, I SHORT, L LONG, S SINGLE, D DOUBLE, C CURRENCY, T TEXT(20), F YESNO, W DATETIME);"
      "INSERT INTO T VALUES (2.5, 3.5, -2.5, 0.1, 1E3, 1.00005, 12.50, 5, 2.25);"
      "INSERT INTO T VALUES ('7', ' 8 ', '-9', '1.5', '2', '0.00015', -1, 0, #1899-12-29 06:00:00#);"
      "INSERT INTO T VALUES (NULL, FALSE, TRUE, 0, 0, 922337203685477.5807, 'x', NULL, NULL)");
  EXPECT_EQ(Run("SELECT * FROM T"),
            "B,I,L,S,D,C,T,F,W\n"
            "2,4,-2,0.1,1000,1,\"12.50\",1,\"1900-01-01 06:00:00\"\n"
            "7,8,-9,1.5,2,0.0002,\"-1\",0,\"1899-12-29 06:00:00\"\n"
            ",0,-1,0,0,922337203685477.5807,\"x\",0,\n");
  // UPDATE converts its constants as INSERT does.
  Run("UPDATE T SET C = -922337203685477.5808, T = 12.50 WHERE B IS NULL");
  EXPECT_EQ(Run("SELECT C, T FROM T WHERE B IS NULL"), "C,T\n-922337203685477.5808,\"12.50\"\n");
}

TEST_F(WriteTest, ByteIsWholeNumbersFrom0To255) {
  Run("CREATE TABLE T (B BYTE)");
  const SqlError e = Failure("INSERT INTO T VALUES (TRUE)");
  EXPECT_EQ(e.detail(), "column 'B': True is out of the range of Byte");
}

// Each failure here comes after the statement has staged some of its writes.
TEST_F(WriteTest, AFailingStatementLeavesTheFileAsItWas) {
  Run("CREATE TABLE T (ID COUNTER NOT NULL, N BYTE, M LONG, S TEXT(5) NOT NULL);"
      "INSERT INTO T (N, M, S) VALUES (1, 10, 'a'); INSERT INTO T (N, M, S) VALUES (2, 300, 'b');"
      "INSERT INTO T (N, M, S) VALUES (3, 30, 'c')");
  const std::vector<uint8_t> before = Bytes();
  struct Case {
    const char* script;
    const char* detail;
  };
  for (const Case& c : {
           Case{"UPDATE T SET N = M", "column 'N': 300 is out of the range of Byte"},
           Case{"UPDATE T SET S = 'longer than five' WHERE N = 3", nullptr},
           Case{"UPDATE T SET S = NULL WHERE N > 1", nullptr},
           Case{"INSERT INTO T (N, M) VALUES (4, 40)", nullptr},
           Case{"INSERT INTO T (N, M, S) VALUES (4, 40, '123456')", nullptr},
       }) {
    const SqlError e = Failure(c.script);
    if (c.detail) EXPECT_EQ(e.detail(), c.detail) << c.script;
    EXPECT_EQ(e.statement(), 1) << c.script;
    EXPECT_TRUE(Bytes() == before) << c.script << ": " << e.what();
  }
  EXPECT_EQ(Run("SELECT * FROM T"), "ID,N,M,S\n1,1,10,\"a\"\n2,2,300,\"b\"\n3,3,30,\"c\"\n");
  Run("INSERT INTO T (N, M, S) VALUES (4, 40, 'd')");
  EXPECT_EQ(Run("SELECT ID FROM T WHERE N = 4"), "ID\n4\n");
}

TEST_F(WriteTest, StatementsBeforeTheFailingOneStayDone) {
  Run("CREATE TABLE T (N LONG)");
  const SqlError e = Failure("INSERT INTO T VALUES (1);\nINSERT INTO T VALUES ('one');\nINSERT INTO T VALUES (3)");
  EXPECT_EQ(e.statement(), 2);
  EXPECT_EQ(e.where().line, 2);
  EXPECT_EQ(e.where().column, 23);
  EXPECT_EQ(Run("SELECT * FROM T"), "N\n1\n");
  // A syntax error later in the script stops it there too.
  EXPECT_EQ(Failure("INSERT INTO T VALUES (2); INSERT T VALUES (3)").statement(), 2);
  EXPECT_EQ(Run("SELECT * FROM T"), "N\n1\n2\n");
}

TEST_F(WriteTest, TheEnginesRefusalIsPlacedAtTheStatement) {
  Run("CREATE TABLE T (S TEXT(3))");
  const SqlError e = Failure("SELECT * FROM T;\n  INSERT INTO T VALUES ('abcd')");
  EXPECT_EQ(e.statement(), 2);
  EXPECT_EQ(e.where().line, 2);
  EXPECT_EQ(e.where().column, 3);
  EXPECT_NE(e.detail().find("S"), std::string::npos) << e.detail();
}

// Tables of the reader's fixtures (those without indexes), copied: every other row stays as
// mdb-export read it before.
TEST(FixtureWrite, ChangesOnlyTheRowsNamed) {
  sql_test::ScratchFolder folder;
  const std::string file = folder.path("copy.mdb");
  jet_test::write_bytes(file, jet_test::read_bytes(jet_test::fixture("DateTestDatabase.mdb")));
  auto expected = sql_test::MdbExportRows(file, "DateTest");
  ASSERT_EQ(expected.size(), 7u);
  {
    jet::Database database = jet::Database::open(file, jet::OpenMode::ReadWrite);
    std::ostringstream out;
    RunScript(database,
              "UPDATE DateTest SET ShortTextCol = 'changed', LongTextCol = ShortTextCol WHERE IDCol = 2;"
              "DELETE FROM DateTest WHERE IDCol = 5 OR IDCol = 99;"
              "INSERT INTO DateTest (ShortTextCol, DateCol) VALUES ('added', #2001-02-03 04:05:06#)",
              out);
  }
  expected[2][5] = "changed";
  expected[2][4] = "Year 1999";
  expected.erase(expected.begin() + 5);
  expected.push_back({"", "", "2001-02-03 04:05:06", "", "", "added"});
  EXPECT_EQ(sql_test::MdbExportRows(file, "DateTest"), expected);
  sql_test::ExpectMdbExportAgrees(file);
}

}  // namespace
}  // namespace sql
