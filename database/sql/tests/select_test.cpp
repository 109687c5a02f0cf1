// SELECT over the reader's fixtures: whole tables as jet-export writes them, then chosen
// columns, conditions, DISTINCT and ORDER BY.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/text.h"
#include "database/jet/tests/fixture_files.h"
#include "database/sql/executor.h"
#include "database/sql/script_runner.h"

namespace sql {
namespace {

std::string RunSql(const std::string& fixture, const std::string& script) {
  jet::Database database = jet::Database::open(jet_test::fixture(fixture));
  std::ostringstream out;
  RunScript(database, script, out);
  return out.str();
}

TEST(SelectAll, EveryTableOfEveryFixtureAsJetExportWritesIt) {
  for (const std::string& file : jet_test::jet4_fixtures()) {
    const jet::Database database = jet::Database::open(jet_test::fixture(file));
    for (const std::u16string& name : database.table_names(true)) {
      std::ostringstream expected;
      jet::export_csv(database.table(name), expected);
      const std::string quoted = "[" + jet::to_windows1252(name) + "]";
      EXPECT_EQ(RunSql(file, "SELECT * FROM " + quoted), expected.str()) << file << " " << quoted;
    }
  }
}

struct SelectCase {
  const char* fixture;
  const char* script;
  std::string csv;
};

class SelectTest : public testing::TestWithParam<SelectCase> {};

TEST_P(SelectTest, GivesTheRows) {
  EXPECT_EQ(RunSql(GetParam().fixture, GetParam().script), GetParam().csv) << GetParam().script;
}

// testV2000 Table1: A Text, B Text, C Byte, D Integer, E Long, F Double, G Date, H Currency, I Yes/No.
//   "abcdefg","hijklmnop",2,222,333333333,444.555,1974-09-21,3.5,Yes
//   "a","b",0,0,0,0,1981-12-12,0,No
constexpr const char* kT = "testV2000.mdb";
constexpr const char* kFirst = "\"abcdefg\",\"hijklmnop\",2,222,333333333,444.555,\"1974-09-21 00:00:00\",3.5,1\n";
constexpr const char* kSecond = "\"a\",\"b\",0,0,0,0,\"1981-12-12 00:00:00\",0,0\n";
constexpr const char* kHeader = "A,B,C,D,E,F,G,H,I\n";

std::string Rows(std::initializer_list<const char*> rows) {
  std::string text = kHeader;
  for (const char* row : rows) text += row;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, SelectTest,
    testing::Values(
        SelectCase{kT, "SELECT e, a FROM table1", "E,A\n333333333,\"abcdefg\"\n0,\"a\"\n"},
        SelectCase{kT, "select TABLE1.b, [Table1].[C] from [TABLE1]", "B,C\n\"hijklmnop\",2\n\"b\",0\n"},
        SelectCase{kT, "SELECT a, a FROM Table1 WHERE c = 0", "A,A\n\"a\",\"a\"\n"},
        SelectCase{kT, "SELECT * FROM Table1;;", Rows({kFirst, kSecond})}));

std::string First() { return Rows({kFirst}); }
std::string Second() { return Rows({kSecond}); }
std::string Both() { return Rows({kFirst, kSecond}); }
std::string None() { return kHeader; }

struct WhereCase {
  const char* where;
  std::string csv;
};

class WhereTest : public testing::TestWithParam<WhereCase> {};

TEST_P(WhereTest, TakesTheRowsWhoseConditionIsTrue) {
  EXPECT_EQ(RunSql(kT, std::string("SELECT * FROM Table1 WHERE ") + GetParam().where), GetParam().csv)
      << GetParam().where;
}

INSTANTIATE_TEST_SUITE_P(
    NumbersAcrossTypes, WhereTest,
    testing::Values(WhereCase{"C = 2", First()}, WhereCase{"C = 2.0", First()}, WhereCase{"D > 221.5", First()},
                    WhereCase{"E >= 333333333", First()}, WhereCase{"E < 333333333", Second()},
                    WhereCase{"F = 444.555", First()}, WhereCase{"F <= 0", Second()},
                    WhereCase{"H = 3.5", First()}, WhereCase{"H > 3.4999", First()}, WhereCase{"H <> 0", First()},
                    WhereCase{"C < D", First()},
                    WhereCase{"G = #1974-09-21#", First()}, WhereCase{"G > #1974-09-21 00:00:01#", Second()},
                    WhereCase{"G < 28000", First()}, WhereCase{"I = TRUE", First()},
                    WhereCase{"I = -1", First()}, WhereCase{"I = FALSE", Second()}, WhereCase{"I", First()},
                    WhereCase{"NOT I", Second()}, WhereCase{"I = 1", None()}));

INSTANTIATE_TEST_SUITE_P(
    TextWithoutRegardToCase, WhereTest,
    testing::Values(WhereCase{"A = 'ABCDEFG'", First()}, WhereCase{"a = \"AbCdEfG\"", First()},
                    WhereCase{"A = 'abcdef'", None()}, WhereCase{"A <> 'A'", First()},
                    WhereCase{"A < 'B'", Both()}, WhereCase{"A > 'A'", First()}, WhereCase{"B >= 'HIJ'", First()},
                    WhereCase{"A = B", None()}));

INSTANTIATE_TEST_SUITE_P(
    Logic, WhereTest,
    testing::Values(WhereCase{"C = 2 AND D = 222", First()}, WhereCase{"C = 2 AND D = 0", None()},
                    WhereCase{"C = 2 OR D = 0", Both()}, WhereCase{"NOT (C = 2 OR D = 0)", None()},
                    WhereCase{"(((Table1.C)=0)) AND Table1.I = FALSE", Second()},
                    WhereCase{"TRUE", Both()}, WhereCase{"FALSE", None()},
                    WhereCase{"A IS NULL", None()}, WhereCase{"A IS NOT NULL", Both()},
                    WhereCase{"NULL", None()}, WhereCase{"NOT NULL", None()}));

// The comparison with NULL is neither true nor false, and so is everything built on it but
// an OR with a true side and an AND with a false one.
INSTANTIATE_TEST_SUITE_P(
    Null, WhereTest,
    testing::Values(WhereCase{"C = NULL", None()}, WhereCase{"C <> NULL", None()},
                    WhereCase{"NOT (C = NULL)", None()}, WhereCase{"C = NULL OR C = 2", First()},
                    WhereCase{"C = NULL OR TRUE", Both()}, WhereCase{"NOT (C = NULL AND FALSE)", Both()},
                    WhereCase{"NOT (C = NULL AND TRUE)", None()}, WhereCase{"NULL IS NULL", Both()}));

// compIndexTestV2000 Table1: 512 rows of CD_AGENTE (two of them NULL), RS_AGENTE and DC_AGENTE.
constexpr const char* kC = "compIndexTestV2000.mdb";

INSTANTIATE_TEST_SUITE_P(
    NullRows, SelectTest,
    testing::Values(
        SelectCase{kC, "SELECT CD_AGENTE FROM Table1 WHERE CD_AGENTE IS NULL", "CD_AGENTE\n\n\n"},
        SelectCase{kC, "SELECT CD_AGENTE FROM Table1 WHERE CD_AGENTE < 40 OR CD_AGENTE IS NULL ORDER BY CD_AGENTE",
                   "CD_AGENTE\n\n\n19\n27\n35\n"},
        SelectCase{kC, "SELECT CD_AGENTE FROM Table1 WHERE NOT (CD_AGENTE >= 40) ORDER BY CD_AGENTE DESC",
                   "CD_AGENTE\n35\n27\n19\n"},
        SelectCase{kC, "SELECT CD_AGENTE FROM Table1 WHERE CD_AGENTE <> 19 AND CD_AGENTE < 36",
                   "CD_AGENTE\n27\n35\n"},
        SelectCase{kC, "SELECT DISTINCT CD_AGENTE FROM Table1 WHERE CD_AGENTE IS NULL OR CD_AGENTE < 30",
                   "CD_AGENTE\n\n19\n27\n"}));

INSTANTIATE_TEST_SUITE_P(
    DistinctAndOrder, SelectTest,
    testing::Values(
        SelectCase{kC, "SELECT DISTINCT RS_AGENTE, DC_AGENTE FROM Table1",
                   "RS_AGENTE,DC_AGENTE\n\"abc\",\"ddd\"\n\"abc\",\"def\"\n\"abc\",\"efg\"\n"},
        SelectCase{kC, "SELECT DISTINCT RS_AGENTE, DC_AGENTE FROM Table1 ORDER BY DC_AGENTE DESC",
                   "RS_AGENTE,DC_AGENTE\n\"abc\",\"efg\"\n\"abc\",\"def\"\n\"abc\",\"ddd\"\n"},
        SelectCase{kC, "SELECT DISTINCT RS_AGENTE FROM Table1", "RS_AGENTE\n\"abc\"\n"},
        SelectCase{"indexTestV2000.mdb", "SELECT otherfk1, id FROM Table1 ORDER BY otherfk1 DESC, id",
                   "otherfk1,id\n2,3\n1,1\n1,2\n0,0\n"},
        SelectCase{"indexTestV2000.mdb", "SELECT otherfk1, id FROM Table1 ORDER BY otherfk1, id DESC",
                   "otherfk1,id\n0,0\n1,2\n1,1\n2,3\n"},
        SelectCase{"indexTestV2000.mdb", "SELECT data FROM Table1 ORDER BY otherfk2 DESC, id",
                   "data\n\"baz13\"\n\"baz11\"\n\"baz11-2\"\n\"baz0\"\n"},
        SelectCase{"indexTestV2000.mdb", "SELECT DISTINCT otherfk1, otherfk2 FROM Table1 ORDER BY otherfk2 DESC",
                   "otherfk1,otherfk2\n2,13\n1,11\n0,10\n"},
        SelectCase{"DateTestDatabase.mdb", "SELECT IDCol FROM DateTest WHERE DateTimeCol < #1900-01-01# ORDER BY DateCol",
                   "IDCol\n4\n3\n"}));

// The in-process result: names, values and the table row behind each result row.
TEST(Query, GivesValuesAndTheRowOfEachResultRow) {
  jet::Database database = jet::Database::open(jet_test::fixture("indexTestV2000.mdb"));
  Executor executor(database);
  const ResultSet result = executor.Query("select DATA, ID from table2 where id >= 1 order by id desc;");
  EXPECT_EQ(result.columns, (std::vector<std::u16string>{u"data", u"id"}));
  EXPECT_EQ(result.table, u"Table2");
  EXPECT_EQ(result.source_columns, (std::vector<std::size_t>{1, 0}));
  ASSERT_EQ(result.rows.size(), 2u);
  EXPECT_EQ(result.rows[0], (std::vector<jet::Value>{std::u16string(u"foo2"), int64_t{2}}));
  EXPECT_EQ(result.rows[1], (std::vector<jet::Value>{std::u16string(u"foo1"), int64_t{1}}));
  ASSERT_TRUE(result.identified());

  // Each identity is the row the plain scan meets there.
  const jet::Table table = database.table(u"Table2");
  jet::TableScan scan = table.scan();
  std::vector<jet::Value> row;
  std::map<jet::RowPointer, std::vector<jet::Value>> rows;
  while (scan.next(row)) rows[scan.position()] = row;
  EXPECT_EQ(rows.at(result.row_ids[0])[0], jet::Value(int64_t{2}));
  EXPECT_EQ(rows.at(result.row_ids[1])[0], jet::Value(int64_t{1}));

  EXPECT_FALSE(executor.Query("SELECT DISTINCT data FROM Table2").identified());
}

}  // namespace
}  // namespace sql
