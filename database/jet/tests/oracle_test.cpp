// Runs the comparison of oracle_compare.h on every Jet 4 fixture and on copies changed to
// hold the types no fixture holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/tests/fixture_files.h"
#include "database/jet/tests/oracle_compare.h"

namespace {

using jet_test::compare_file;

class JetOracle : public ::testing::TestWithParam<std::string> {};

TEST_P(JetOracle, EveryTableMatchesMdbExport) { compare_file(jet_test::fixture(GetParam()), GetParam()); }

INSTANTIATE_TEST_SUITE_P(Fixtures, JetOracle, ::testing::ValuesIn(jet_test::jet4_fixtures()),
                         [](const auto& info) {
                           std::string n = info.param.substr(0, info.param.find('.'));
                           std::replace_if(n.begin(), n.end(), [](char c) { return !isalnum(c); }, '_');
                           return n;
                         });

// Types no fixture holds, made by changing a column's type in a copy of a fixture: the same
// bytes read by the oracles as the new type.
struct Retype {
  const char* file;
  const char* table;
  const char16_t* column;
  uint8_t type;       // the new type code
  int scale;          // a new scale for Decimal, or -1
  const char* label;
};

void put_byte(std::vector<uint8_t>& bytes, size_t at, uint8_t value) { bytes.at(at) = value; }

class JetOracleRetyped : public ::testing::TestWithParam<Retype> {};

TEST_P(JetOracleRetyped, MatchesMdbExport) {
  const Retype& p = GetParam();
  auto bytes = jet_test::read_bytes(jet_test::fixture(p.file));
  {
    const jet::Database db(std::make_unique<jet::MemoryFile>(p.file, bytes));
    const jet::Table table = db.table(p.table);
    const auto& t = table.definition();
    const uint16_t number = t.find_column(p.column)->number;
    const size_t page = static_cast<size_t>(t.page) * 4096;
    const size_t first = page + 63 + 12 * t.real_indexes.size();
    size_t entry = 0;
    for (size_t i = 0; i < t.columns.size(); ++i)
      if ((bytes[first + 25 * i + 5] | bytes[first + 25 * i + 6] << 8) == number) entry = first + 25 * i;
    ASSERT_NE(entry, 0u);
    put_byte(bytes, entry, p.type);
    if (p.scale >= 0) put_byte(bytes, entry + 12, static_cast<uint8_t>(p.scale));
  }
  const std::string path = ::testing::TempDir() + "/jet_retyped_" + p.label + ".mdb";
  jet_test::write_bytes(path, bytes);
  compare_file(path, p.label);
  std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(
    Types, JetOracleRetyped,
    ::testing::Values(Retype{"testV2000.mdb", "Table1", u"E", 0x06, -1, "single"},
                      Retype{"testV2000.mdb", "Table1", u"F", 0x05, -1, "currency"},
                      Retype{"testV2000.mdb", "Table1", u"G", 0x07, -1, "double"},
                      Retype{"fixedNumericTestV2000.mdb", "test", u"col5", 0x10, 3, "decimal_scale"},
                      Retype{"fixedNumericTestV2000.mdb", "test", u"col2", 0x0F, -1, "guid"}),
    [](const auto& info) { return std::string(info.param.label); });

// A Decimal wider than 64 bits: its four words in the order the oracles read them.
TEST(JetOracleDecimal, WordsBeyondTheLowestMatchMdbExport) {
  auto bytes = jet_test::read_bytes(jet_test::fixture("fixedNumericTestV2000.mdb"));
  {
    const jet::Database db(std::make_unique<jet::MemoryFile>("n.mdb", bytes));
    const auto table = db.table("test");
    jet::TableScan scan = table.scan();
    std::vector<jet::Value> row;
    ASSERT_TRUE(scan.next(row));
    const size_t page = static_cast<size_t>(scan.position().page) * 4096;
    const size_t entry = page + 14 + 2 * scan.position().row;
    const size_t row_start = page + ((bytes[entry] | bytes[entry + 1] << 8) & 0x1FFF);
    const size_t value = row_start + 2 + table.definition().find_column(u"col2")->fixed_offset;
    put_byte(bytes, value + 1 + 4, 2);  // second word
    put_byte(bytes, value + 1 + 8, 1);  // third word
    put_byte(bytes, value, 0x80);       // negative
  }
  const std::string path = ::testing::TempDir() + "/jet_wide_decimal.mdb";
  jet_test::write_bytes(path, bytes);
  const auto db = jet::Database::open(path);
  std::ostringstream out;
  jet::export_csv(db.table("test"), out);
  EXPECT_NE(out.str().find(",-36893488151714070529,"), std::string::npos) << out.str();
  compare_file(path, "wide_decimal");
  std::filesystem::remove(path);
}

}  // namespace
