#include <gtest/gtest.h>

#include <sstream>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/error.h"
#include "database/jet/tests/fixture_files.h"
#include "database/jet/text.h"
#include "database/jet/value_format.h"

namespace {

using jet_test::fixture;

std::vector<std::vector<jet::Value>> rows_of(const jet::Table& table) {
  std::vector<std::vector<jet::Value>> rows;
  jet::TableScan scan = table.scan();
  std::vector<jet::Value> row;
  while (scan.next(row)) rows.push_back(row);
  return rows;
}

std::string csv(const jet::Database& db, const char* table) {
  std::ostringstream out;
  jet::export_csv(db.table(table), out);
  return out.str();
}

std::string refusal(const std::string& name) {
  try {
    jet::Database::open(fixture(name));
  } catch (const jet::Error& e) {
    return e.what();
  }
  return "";
}

TEST(JetOpen, RefusesOtherFormatsNamingTheFormatFound) {
  EXPECT_NE(refusal("testV1997.mdb").find("Access 97 (Jet 3)"), std::string::npos);
  EXPECT_NE(refusal("testV2007.accdb").find("Access 2007 (ACE 12)"), std::string::npos);
  EXPECT_NE(refusal("testV2007.accdb").find("testV2007.accdb"), std::string::npos);
}

TEST(JetOpen, ReadsTheMaskedHeader) {
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  EXPECT_EQ(db.header().code_page, 1252);
  EXPECT_EQ(db.header().collation, 1033u);
  EXPECT_EQ(db.header().database_key, 0u);
  EXPECT_GT(db.header().creation_date, 36000.0);  // some day after 1998
}

TEST(JetCatalog, ListsUserTablesApartFromSystemTables) {
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  EXPECT_EQ(db.table_names(), (std::vector<std::u16string>{u"Table1", u"Table2", u"Table3", u"Table4"}));
  const auto all = db.table_names(true);
  EXPECT_NE(std::find(all.begin(), all.end(), u"MSysObjects"), all.end());
  EXPECT_TRUE(jet::Database::open(fixture("adox_jet4.mdb")).table_names().empty());
}

TEST(JetCatalog, FindsTablesWithoutRegardToCaseAndRefusesUnknownOnes) {
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  EXPECT_EQ(db.table("tAbLe3").name(), u"Table3");
  EXPECT_THROW(db.table("Table9"), jet::Error);
}

TEST(JetTableDefinition, ColumnsWithTypesLengthsAndFlags) {
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  const auto table = db.table("Table1");
  const auto& t = table.definition();
  ASSERT_EQ(t.columns.size(), 9u);
  const struct {
    const char16_t* name;
    jet::ColumnType type;
    uint16_t length;
    bool fixed;
  } expected[] = {{u"A", jet::ColumnType::text, 100, false},       {u"B", jet::ColumnType::text, 200, false},
                  {u"C", jet::ColumnType::byte, 1, true},          {u"D", jet::ColumnType::integer, 2, true},
                  {u"E", jet::ColumnType::long_integer, 4, true},  {u"F", jet::ColumnType::double_, 8, true},
                  {u"G", jet::ColumnType::date_time, 8, true},     {u"H", jet::ColumnType::currency, 8, true},
                  {u"I", jet::ColumnType::yes_no, 1, true}};
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t.columns[i].name, expected[i].name);
    EXPECT_EQ(t.columns[i].type, expected[i].type);
    EXPECT_EQ(t.columns[i].length, expected[i].length);
    EXPECT_EQ(t.columns[i].fixed(), expected[i].fixed);
  }
  EXPECT_TRUE(t.columns[0].compressed_text);
  EXPECT_EQ(t.row_count, 2u);
  EXPECT_EQ(t.table_type, jet::TableDefinition::user_table);

  const auto table3 = db.table("Table3");
  const auto& auto_numbered = table3.definition();
  EXPECT_TRUE(auto_numbered.columns[0].auto_number());
  EXPECT_FALSE(auto_numbered.columns[1].auto_number());
}

TEST(JetTableDefinition, ReadsADefinitionSpreadOverSeveralPages) {
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  const auto table = db.table("Table2");
  const auto& t = table.definition();
  EXPECT_EQ(t.columns.size(), 89u);
  EXPECT_GT(t.pages.size(), 1u);
  EXPECT_EQ(t.columns.back().name, u"column89");
}

TEST(JetTableDefinition, IndexesWithTheirColumnsAndKinds) {
  const auto db = jet::Database::open(fixture("indexTestV2000.mdb"));
  const auto table = db.table("Table1");
  const auto& t = table.definition();
  ASSERT_EQ(t.indexes.size(), 4u);
  const jet::Index* primary = nullptr;
  for (const auto& index : t.indexes)
    if (index.name == u"PrimaryKey") primary = &index;
  ASSERT_NE(primary, nullptr);
  EXPECT_TRUE(primary->primary_key());
  const auto& stored = t.real_indexes.at(primary->real_index);
  ASSERT_EQ(stored.columns.size(), 1u);
  EXPECT_EQ(stored.columns[0].column_number, t.find_column(u"ID")->number);
  EXPECT_TRUE(stored.columns[0].ascending());
  EXPECT_NE(stored.first_page, 0u);
  size_t foreign = 0;
  for (const auto& index : t.indexes) foreign += index.type == jet::Index::foreign_key_type;
  EXPECT_EQ(foreign, 2u);

  const auto other = jet::Database::open(fixture("compIndexTestV2000.mdb"));
  const auto compound = other.table("Table1");
  EXPECT_FALSE(compound.definition().real_indexes.at(0).columns.at(0).ascending());
}

TEST(JetRows, EveryValueTypeOfTheMainFixture) {
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  const auto rows = rows_of(db.table("Table1"));
  ASSERT_EQ(rows.size(), 2u);
  const auto& r = rows[0];
  EXPECT_EQ(std::get<std::u16string>(r[0]), u"abcdefg");
  EXPECT_EQ(std::get<std::u16string>(r[1]), u"hijklmnop");
  EXPECT_EQ(std::get<int64_t>(r[2]), 2);
  EXPECT_EQ(std::get<int64_t>(r[3]), 222);
  EXPECT_EQ(std::get<int64_t>(r[4]), 333333333);
  EXPECT_EQ(std::get<double>(r[5]), 444.555);
  EXPECT_EQ(jet::format_date_time(std::get<jet::DateTime>(r[6]).days), "1974-09-21 00:00:00");
  EXPECT_EQ(std::get<jet::Currency>(r[7]).ten_thousandths, 35000);
  EXPECT_EQ(std::get<bool>(r[8]), true);
  EXPECT_EQ(std::get<bool>(rows[1][8]), false);
}

TEST(JetRows, DecimalMemoFixedTextAndDeletedColumns) {
  EXPECT_EQ(csv(jet::Database::open(fixture("fixedNumericTestV2000.mdb")), "test"),
            "col1,col2,col3,col4,col5,col6,col7\n\"some data\",1,0,0,4,-1,1\n");
  EXPECT_EQ(csv(jet::Database::open(fixture("delColTestV2000.mdb")), "Table1"),
            "id,id2,data,data2\n0,2,\"foo\",\"foo2\"\n3,5,\"bar\",\"bar2\"\n");
  const std::string users = csv(jet::Database::open(fixture("fixedTextTestV2000.mdb")), "users");
  EXPECT_NE(users.find("1,\"CORE USER\",\" \",\"-1\",\"Core User\",1,16408,-1,\"N\",\"2009-11-05 23:41:28\"\n"),
            std::string::npos);
}

TEST(JetRows, SkipsDeletedRows) {
  EXPECT_EQ(csv(jet::Database::open(fixture("delTestV2000.mdb")), "Table"), "a,b\n\"z\",\"y\"\n\"v\",\"u\"\n");
}

// A row that grew too large for its page was moved; it keeps its place in natural order,
// the one Access shows (row3 between row2 and row4).
TEST(JetRows, ReadsOverflowedRowsInTheirOwnPlace) {
  const auto db = jet::Database::open(fixture("overflowTestV2000.mdb"));
  std::vector<std::u16string> firsts;
  for (const auto& row : rows_of(db.table("Table1"))) {
    const auto& a = row[0];
    const auto& b = row[1];
    firsts.push_back(jet::is_null(a) ? std::get<std::u16string>(b) : std::get<std::u16string>(a));
  }
  EXPECT_EQ(firsts, (std::vector<std::u16string>{u"row1col1", u"row2col1", u"row3col3", u"row4col1",
                                                 u"row5col2", u"row6col2", u"row7col1"}));
}

TEST(JetRows, DatesOutsideTheTwentiethCentury) {
  const auto db = jet::Database::open(fixture("DateTestDatabase.mdb"));
  const auto rows = rows_of(db.table("DateTest"));
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(jet::format_value(rows[1][1], jet::Encoding::utf8), "9999-01-01 00:00:00");
  EXPECT_EQ(jet::format_value(rows[2][1], jet::Encoding::utf8), "1898-01-01 00:00:00");
  EXPECT_EQ(jet::format_value(rows[3][1], jet::Encoding::utf8), "0632-01-01 00:00:00");
  EXPECT_EQ(std::get<std::u16string>(rows[5][4]), u"New line\r\nin field");
}

TEST(JetRows, LongValuesOfTheCatalog) {
  // The catalog keeps each object's properties as an OLE Object; in Jet 4 they start "MR2".
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  const auto t = db.table("MSysObjects");
  const size_t lv_prop = static_cast<size_t>(t.definition().find_column(u"LvProp") - t.definition().columns.data());
  size_t seen = 0;
  for (const auto& row : rows_of(t)) {
    if (const auto* bytes = std::get_if<jet::Binary>(&row[lv_prop])) {
      ASSERT_GE(bytes->size(), 4u);
      EXPECT_EQ(std::string(bytes->begin(), bytes->begin() + 4), std::string("MR2\0", 4));
      ++seen;
    }
  }
  EXPECT_GT(seen, 3u);
}

TEST(JetPageCache, MemoryStaysBoundedByTheCache) {
  auto bytes = jet_test::read_bytes(fixture("compIndexTestV2000.mdb"));
  jet::MemoryFile file("compIndex.mdb", bytes);
  jet::PageCache pages(file, 4096, 3);
  for (int round = 0; round < 2; ++round)
    for (uint32_t p = 0; p < pages.page_count(); ++p) pages.page(p);
  EXPECT_EQ(pages.reads(), 2u * pages.page_count());  // nothing kept beyond three pages
  const auto held = pages.page(5);
  pages.page(6);
  pages.page(7);
  pages.page(8);
  EXPECT_EQ(held->number(), 5u);  // a page in use outlives its eviction
  const uint64_t before = pages.reads();
  pages.page(8);
  EXPECT_EQ(pages.reads(), before);
}

TEST(JetPageCache, AScanReadsOnlyTheTablesPages) {
  const auto bytes = jet_test::read_bytes(fixture("testV2000.mdb"));
  const jet::Database db(std::make_unique<jet::MemoryFile>("testV2000.mdb", bytes));
  const uint64_t before = db.pages().reads();
  rows_of(db.table("Table1"));
  EXPECT_LT(db.pages().reads() - before, 10u);
  EXPECT_GT(db.pages().page_count(), 700u);
}

TEST(JetRows, TextForTheProgramIsWindows1252) {
  const auto db = jet::Database::open(fixture("testV2000.mdb"));
  const auto rows = rows_of(db.table("Table1"));
  EXPECT_EQ(jet::format_value(rows[0][0], jet::Encoding::windows1252), "abcdefg");
  EXPECT_EQ(jet::to_windows1252(db.table("table1").name()), "Table1");
}

}  // namespace
