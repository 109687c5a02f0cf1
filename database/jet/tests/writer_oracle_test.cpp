// Files the writer changed or made, read back by mdb-export (and mdb-reader where mdbtools is
// wrong) with the same values as this engine reads; in copies of the fixtures, every row not
// changed stays as mdbtools read it before.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/tests/fixture_files.h"
#include "database/jet/tests/index_check.h"
#include "database/jet/tests/oracle_compare.h"
#include "database/jet/text.h"
#include "database/jet/value_format.h"

namespace {

using jet::Value;

std::map<std::string, std::vector<jet_test::CsvRow>> export_all(const std::string& path) {
  const auto db = jet::Database::open(path);
  std::map<std::string, std::vector<jet_test::CsvRow>> tables;
  for (const auto& name : db.table_names(true)) tables[jet::to_utf8(name)] = jet_test::mdb_export(path, jet::to_utf8(name));
  return tables;
}

std::string row_text(const std::vector<Value>& row) {
  std::string out;
  for (const Value& v : row) out += jet::format_value(v, jet::Encoding::utf8) + "\x1F";
  return out;
}

std::vector<std::string> rows_of(const jet::Table& table) {
  std::vector<std::string> rows;
  jet::TableScan scan = table.scan();
  std::vector<Value> row;
  while (scan.next(row)) rows.push_back(row_text(row));
  std::sort(rows.begin(), rows.end());
  return rows;
}

// A value for each column, varied by `k`, of sizes that fill pages and move rows.
std::vector<std::optional<Value>> values_for(const jet::TableDefinition& t, int k) {
  std::vector<std::optional<Value>> v(t.columns.size());
  for (size_t i = 0; i < v.size(); ++i) {
    const jet::Column& c = t.columns[i];
    if (c.auto_number()) continue;
    if (k % 7 == 3 && c.nullable()) continue;  // some NULLs
    switch (c.type) {
      case jet::ColumnType::text: {
        std::u16string s = u"row " + jet::from_windows1252(std::to_string(k)) + u" \u00E9\u20AC";
        if (k % 5 == 0) s += u"\u0416\u0436";  // not compressible to one byte a character
        s.resize(std::min<size_t>(s.size() + static_cast<size_t>(k % 40), c.length / 2u), u'z');
        v[i] = Value(s);
        break;
      }
      case jet::ColumnType::memo: v[i] = Value(std::u16string(static_cast<size_t>((k * 397) % 9000), u'a' + k % 26)); break;
      case jet::ColumnType::ole: v[i] = Value(jet::Binary(static_cast<size_t>((k * 911) % 6000), static_cast<uint8_t>(k))); break;
      case jet::ColumnType::yes_no: v[i] = Value(k % 2 == 0); break;
      case jet::ColumnType::byte: v[i] = Value(int64_t{k % 256}); break;
      case jet::ColumnType::integer: v[i] = Value(int64_t{-k * 3}); break;
      case jet::ColumnType::long_integer: v[i] = Value(int64_t{k * 100003}); break;
      case jet::ColumnType::currency: v[i] = Value(jet::Currency{int64_t{k} * 12345}); break;
      case jet::ColumnType::single: v[i] = Value(static_cast<float>(k) / 8.0f); break;
      case jet::ColumnType::double_: v[i] = Value(k / 3.0); break;
      case jet::ColumnType::date_time: v[i] = Value(jet::DateTime{36526.0 + k + (k % 24) / 24.0}); break;
      case jet::ColumnType::replication_id: {
        jet::Guid g;
        g.bytes.fill(static_cast<uint8_t>(k));
        v[i] = Value(g);
        break;
      }
      default: break;
    }
  }
  return v;
}

std::vector<Value> filled(const jet::TableDefinition& t, int k, const std::vector<Value>& old) {
  auto given = values_for(t, k);
  std::vector<Value> out(given.size());
  for (size_t i = 0; i < given.size(); ++i) out[i] = given[i] ? *given[i] : t.columns[i].auto_number() ? old[i] : Value(jet::Null{});
  return out;
}

struct FixtureTable {
  const char* file;
  const char* table;
};

class JetWriterOracle : public ::testing::TestWithParam<FixtureTable> {};

TEST_P(JetWriterOracle, ChangedRowsReadBackAndOthersStayAsTheyWere) {
  const auto& p = GetParam();
  const std::string path = ::testing::TempDir() + "/jet_written_" + p.file;
  std::filesystem::copy_file(jet_test::fixture(p.file), path, std::filesystem::copy_options::overwrite_existing);
  const auto before = export_all(path);
  std::vector<std::string> expected;
  {
    auto db = jet::Database::open(path, jet::OpenMode::ReadWrite);
    jet::Table table = db.table(std::string(p.table));
    std::vector<std::pair<jet::RowPointer, std::vector<Value>>> rows;
    {
      jet::TableScan scan = table.scan();
      std::vector<Value> row;
      while (scan.next(row)) rows.push_back({scan.position(), row});
    }
    auto change = db.begin_change();
    for (int k = 0; k < 400; ++k) {
      const auto given = values_for(table.definition(), k);
      const jet::RowPointer where = table.insert(change, given);
      std::vector<Value> stored;
      for (const auto& v : given) stored.push_back(v ? *v : Value(jet::Null{}));
      rows.push_back({where, stored});
    }
    // Every third row grows (many no longer fit their page and move), every fifth goes.
    for (size_t r = 0; r < rows.size(); r += 3) {
      rows[r].second = filled(table.definition(), static_cast<int>(r) * 13 + 39, rows[r].second);
      table.update(change, rows[r].first, rows[r].second);
    }
    for (size_t r = 1; r < rows.size(); r += 5) table.remove(change, rows[r].first);
    change.commit();
    for (size_t r = 0; r < rows.size(); ++r)
      if (r % 5 != 1) expected.push_back(row_text(rows[r].second));
    std::sort(expected.begin(), expected.end());
  }
  const auto db = jet::Database::open(path);
  const jet::Table table = db.table(std::string(p.table));
  EXPECT_EQ(rows_of(table), expected);
  EXPECT_EQ(table.definition().row_count, expected.size());
  jet_test::compare_file(path, p.file, true);
  const auto after = export_all(path);
  for (const auto& [name, rows] : before) {
    if (name != p.table) {
      EXPECT_EQ(after.at(name), rows) << name;
    }
  }
  std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JetWriterOracle,
                         ::testing::Values(FixtureTable{"delTestV2000.mdb", "Table"},
                                           FixtureTable{"overflowTestV2000.mdb", "Table1"},
                                           FixtureTable{"DateTestDatabase.mdb", "DateTest"}),
                         [](const auto& info) {
                           std::string n = info.param.file;
                           return n.substr(0, n.find('.'));
                         });

jet::NewTable every_type(bool keyed) {
  using T = jet::ColumnType;
  jet::NewTable t{u"Every_Type1", {{u"Id", T::long_integer, 0, true, true}, {u"Name", T::text, 60, true},
                                   {u"Note", T::memo}, {u"Picture", T::ole}, {u"Flag", T::yes_no},
                                   {u"Small", T::byte}, {u"Whole", T::integer}, {u"Cost", T::currency},
                                   {u"Ratio", T::single}, {u"Exact", T::double_}, {u"At", T::date_time},
                                   {u"Guid", T::replication_id}, {u"Code", T::text, 8}}, u"", {}};
  if (keyed) {
    t.primary_key_name = u"PrimaryKey";
    t.primary_key = {u"Id"};
  }
  return t;
}

class JetCreatedOracle : public ::testing::TestWithParam<bool> {};

TEST_P(JetCreatedOracle, NewDatabaseAndTableReadBackByTheOracles) {
  const bool keyed = GetParam();
  const std::string path = ::testing::TempDir() + (keyed ? "/jet_created_keyed.mdb" : "/jet_created.mdb");
  std::filesystem::remove(path);
  {
    auto db = jet::Database::create(path);
    {
      auto change = db.begin_change();
      db.create_table(change, every_type(keyed));
      db.create_table(change, jet::NewTable{u"empty", {{u"x", jet::ColumnType::text, 10}}, u"", {}});
      change.commit();
    }
    jet::Table table = db.table(std::string("Every_Type1"));
    auto change = db.begin_change();
    std::vector<jet::RowPointer> rows;
    for (int k = 0; k < 300; ++k) rows.push_back(table.insert(change, values_for(table.definition(), k)));
    for (size_t r = 0; r < rows.size(); r += 4) {
      auto v = filled(table.definition(), static_cast<int>(r) + 1000, {Value(static_cast<int64_t>(r + 1))});
      table.update(change, rows[r], v);
    }
    for (size_t r = 2; r < rows.size(); r += 9) table.remove(change, rows[r]);
    change.commit();
  }
  jet_test::compare_file(path, keyed ? "created_keyed" : "created", true);
  const auto db = jet::Database::open(path);
  EXPECT_GE(jet_test::check_kept_indexes(db), keyed ? 4u : 3u);
  std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Keys, JetCreatedOracle, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithPrimaryKey" : "WithoutIndex"; });

// Enough rows that the table's map and the free-page map outgrow a row's bitmap.
TEST(JetCreatedOracleLarge, ThousandsOfRowsReadBackByTheOracles) {
  const std::string path = ::testing::TempDir() + "/jet_created_large.mdb";
  std::filesystem::remove(path);
  {
    auto db = jet::Database::create(path);
    {
      auto change = db.begin_change();
      db.create_table(change, jet::NewTable{u"Large",
                                            {{u"Id", jet::ColumnType::long_integer, 0, true, true},
                                             {u"Text", jet::ColumnType::text, 255}},
                                            u"PrimaryKey",
                                            {}});
      change.commit();
    }
    jet::Table table = db.table(std::string("Large"));
    for (int batch = 0; batch < 13; ++batch) {
      auto change = db.begin_change();
      for (int k = 0; k < 1000; ++k)
        table.insert(change, {std::nullopt, Value(std::u16string(200, static_cast<char16_t>(u'a' + (batch + k) % 26)))});
      change.commit();
    }
    EXPECT_GT(db.pages().page_count(), 600u);
  }
  jet_test::compare_file(path, "created_large");
  std::filesystem::remove(path);
}

}  // namespace
