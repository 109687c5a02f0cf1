#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "database/jet/data_page.h"
#include "database/jet/database.h"
#include "database/jet/empty_database.h"
#include "database/jet/error.h"
#include "database/jet/index_leaf.h"
#include "database/jet/tests/fixture_files.h"
#include "database/jet/tests/index_check.h"
#include "database/jet/text.h"

namespace {

using jet::ColumnType;
using jet::Value;
using Values = std::vector<std::optional<Value>>;

// A database held in memory whose bytes the test can look at.
struct MemoryDatabase {
  explicit MemoryDatabase(std::vector<uint8_t> bytes = jet::empty_database()) {
    auto f = std::make_unique<jet::MemoryFile>("memory.mdb", std::move(bytes));
    file = f.get();
    db = std::make_unique<jet::Database>(std::move(f));
  }
  jet::MemoryFile* file;
  std::unique_ptr<jet::Database> db;
};

jet::NewTable people(bool keyed = false) {
  jet::NewTable t{u"People",
                  {{u"Id", ColumnType::long_integer, 0, true, true},
                   {u"Name", ColumnType::text, 10, true},
                   {u"Small", ColumnType::byte},
                   {u"Whole", ColumnType::integer},
                   {u"Cost", ColumnType::currency},
                   {u"Note", ColumnType::memo},
                   {u"Wide", ColumnType::text, 255}},
                  u"",
                  {}};
  if (keyed) {
    t.primary_key_name = u"PrimaryKey";
    t.primary_key = {u"Id"};
  }
  return t;
}

void create(jet::Database& db, const jet::NewTable& t) {
  auto change = db.begin_change();
  db.create_table(change, t);
  change.commit();
}

Values person(std::u16string name, std::optional<int64_t> id = std::nullopt) {
  Values v(7);
  if (id) v[0] = Value(*id);
  v[1] = Value(std::move(name));
  return v;
}

std::vector<std::vector<Value>> rows_of(const jet::Table& table) {
  std::vector<std::vector<Value>> rows;
  jet::TableScan scan = table.scan();
  std::vector<Value> row;
  while (scan.next(row)) rows.push_back(row);
  return rows;
}

TEST(JetCreate, EmptyDatabaseIsJetsOwnApartFromItsCreationDate) {
  const auto jet_made = jet_test::read_bytes(jet_test::fixture("adox_jet4.mdb"));
  EXPECT_EQ(jet::empty_database(), jet_made);
  const std::string path = ::testing::TempDir() + "/jet_new_empty.mdb";
  std::filesystem::remove(path);
  { jet::Database::create(path); }
  const auto made = jet_test::read_bytes(path);
  ASSERT_EQ(made.size(), jet_made.size());
  for (size_t i = 0; i < made.size(); ++i)
    if (made[i] != jet_made[i]) {
      EXPECT_TRUE(i >= 0x72 && i < 0x7A) << "byte " << i << " differs";
    }
  EXPECT_THROW(jet::Database::create(path), jet::Error);  // never over an existing file
  std::filesystem::remove(path);
}

TEST(JetCreate, TableListedInTheCatalogWithItsColumns) {
  MemoryDatabase m;
  create(*m.db, people());
  ASSERT_EQ(m.db->table_names(), std::vector<std::u16string>{u"People"});
  const jet::TableDefinition t = m.db->table(std::string("people")).definition();
  ASSERT_EQ(t.columns.size(), 7u);
  EXPECT_TRUE(t.columns[0].auto_number());
  EXPECT_FALSE(t.columns[1].nullable());
  EXPECT_EQ(t.columns[1].length, 20);
  EXPECT_TRUE(t.columns[2].nullable());
  EXPECT_TRUE(t.indexes.empty());
  EXPECT_EQ(jet_test::check_kept_indexes(*m.db), 6u);  // the system tables' own

  auto change = m.db->begin_change();
  EXPECT_THROW(m.db->create_table(change, people()), jet::Error);
  jet::NewTable odd{u"Tab le", {{u"x", ColumnType::byte}}, u"", {}};
  EXPECT_THROW(m.db->create_table(change, odd), jet::Error);
}

TEST(JetChange, DroppedChangeLeavesTheFileByteForByte) {
  MemoryDatabase m;
  create(*m.db, people());
  const auto before = m.file->bytes();
  {
    jet::Table table = m.db->table(std::string("People"));
    auto change = m.db->begin_change();
    for (int i = 0; i < 50; ++i) table.insert(change, person(u"x"));
    m.db->create_table(change, jet::NewTable{u"Other", {{u"a", ColumnType::byte}}, u"", {}});
    EXPECT_THROW(m.db->begin_change(), jet::Error);  // one at a time
  }
  EXPECT_EQ(m.file->bytes(), before);
  EXPECT_TRUE(rows_of(m.db->table(std::string("People"))).empty());
  EXPECT_EQ(m.db->table_names().size(), 1u);
}

TEST(JetChange, ReadOnlyDatabaseRefusesToChange) {
  auto db = jet::Database::open(jet_test::fixture("delTestV2000.mdb"));
  EXPECT_THROW(db.begin_change(), jet::Error);
}

struct Refusal {
  size_t column;
  Value value;
  const char* says;
};

class JetRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(JetRefusal, NamesTheColumnAndStagesNothing) {
  MemoryDatabase m;
  create(*m.db, people());
  const auto before = m.file->bytes();
  jet::Table table = m.db->table(std::string("People"));
  auto change = m.db->begin_change();
  Values v = person(u"ok");
  v[GetParam().column] = GetParam().value;
  try {
    table.insert(change, v);
    FAIL() << "accepted";
  } catch (const jet::Error& e) {
    const std::string column = jet::to_windows1252(table.definition().columns[GetParam().column].name);
    EXPECT_NE(e.problem().find("column " + column), std::string::npos) << e.what();
    EXPECT_NE(e.problem().find(GetParam().says), std::string::npos) << e.what();
  }
  EXPECT_TRUE(m.db->pages().staged().empty());
  change.commit();
  EXPECT_EQ(m.file->bytes(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, JetRefusal,
    ::testing::Values(Refusal{1, Value(std::u16string(u"eleven char")), "longer than the column's 10"},
                      Refusal{1, Value(jet::Null{}), "NULL is not allowed"},
                      Refusal{2, Value(int64_t{256}), "out of the range"},
                      Refusal{2, Value(int64_t{-1}), "out of the range"},
                      Refusal{3, Value(int64_t{32768}), "out of the range"},
                      Refusal{0, Value(int64_t{1} << 31), "out of the range"},
                      Refusal{3, Value(2.5), "does not fit"},
                      Refusal{4, Value(std::u16string(u"1")), "does not fit"},
                      Refusal{5, Value(int64_t{5}), "does not fit"}));

TEST(JetIndexes, TableWithAnIndexItCannotKeepIsRefusedByName) {
  auto bytes = jet_test::read_bytes(jet_test::fixture("testV2000.mdb"));
  MemoryDatabase m(bytes);
  jet::Table table = m.db->table(std::string("Table1"));
  auto change = m.db->begin_change();
  std::vector<Value> row;
  jet::TableScan scan = table.scan();
  ASSERT_TRUE(scan.next(row));
  for (const auto& attempt : std::vector<std::function<void()>>{
           [&] { table.insert(change, Values(row.begin(), row.end())); },
           [&] { table.update(change, scan.position(), row); }, [&] { table.remove(change, scan.position()); }}) {
    try {
      attempt();
      FAIL() << "written";
    } catch (const jet::Error& e) {
      EXPECT_NE(e.problem().find("table Table1 has the index "), std::string::npos) << e.what();
    }
    EXPECT_TRUE(m.db->pages().staged().empty());
  }
}

TEST(JetIndexes, PrimaryKeyOnAnAutoNumberKeptEntryByEntry) {
  MemoryDatabase m;
  create(*m.db, people(true));
  jet::Table table = m.db->table(std::string("People"));
  std::vector<jet::RowPointer> rows;
  {
    auto change = m.db->begin_change();
    // More rows than one page holds whole: the entries share their first bytes.
    for (int i = 0; i < 500; ++i) rows.push_back(table.insert(change, person(u"p")));
    table.update(change, rows[5], {Value(int64_t{1000}), Value(std::u16string(u"moved")), Value(jet::Null{}),
                                   Value(jet::Null{}), Value(jet::Null{}), Value(jet::Null{}),
                                   Value(std::u16string(200, u'w'))});
    for (size_t i = 0; i < rows.size(); i += 7) table.remove(change, rows[i]);
    change.commit();
  }
  EXPECT_EQ(jet_test::check_kept_indexes(*m.db), 7u);
  const uint32_t leaf = m.db->table(std::string("People")).definition().real_indexes.at(0).first_page;
  EXPECT_EQ(m.db->pages().page(leaf)->u16(20), 3) << "7F and the key's two high bytes are shared";
  auto change = m.db->begin_change();
  try {
    table.insert(change, person(u"again", 1000));
    FAIL() << "a duplicate key was accepted";
  } catch (const jet::Error& e) {
    EXPECT_NE(e.problem().find("unique index PrimaryKey"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(m.db->pages().staged().empty());
}

TEST(JetAutoNumber, CounterAssignsAdvancesAndFollowsGivenValues) {
  MemoryDatabase m;
  create(*m.db, people());
  jet::Table table = m.db->table(std::string("People"));
  auto change = m.db->begin_change();
  table.insert(change, person(u"a"));
  table.insert(change, person(u"b"));
  table.insert(change, person(u"c", 10));
  table.insert(change, person(u"d"));
  change.commit();
  std::vector<int64_t> ids;
  for (const auto& row : rows_of(m.db->table(std::string("People")))) ids.push_back(std::get<int64_t>(row[0]));
  EXPECT_EQ(ids, (std::vector<int64_t>{1, 2, 10, 11}));
  const jet::TableDefinition t = m.db->table(std::string("People")).definition();
  EXPECT_EQ(t.next_auto_number, 11u);
  EXPECT_EQ(t.row_count, 4u);
}

std::vector<Value> full(int64_t id, std::u16string wide, std::u16string note = u"") {
  return {Value(id), Value(std::u16string(u"n")), Value(jet::Null{}), Value(jet::Null{}), Value(jet::Null{}),
          note.empty() ? Value(jet::Null{}) : Value(std::move(note)), Value(std::move(wide))};
}

TEST(JetRows, UpdateThatNoLongerFitsMovesTheDataAndKeepsThePlace) {
  MemoryDatabase m;
  create(*m.db, people());
  jet::Table table = m.db->table(std::string("People"));
  std::vector<jet::RowPointer> rows;
  auto change = m.db->begin_change();
  for (int i = 0; i < 30; ++i) rows.push_back(table.insert(change, person(u"small")));
  ASSERT_EQ(rows.front().page, rows.back().page);  // all on one page, which is nearly full
  for (size_t i = 0; i < 12; ++i)
    EXPECT_EQ(table.update(change, rows[i], full(static_cast<int64_t>(i + 1), std::u16string(250, u'\u0416'))), rows[i]);
  change.commit();
  const jet::DataPage home = jet::read_data_page(m.db->pages(), rows[0].page);
  size_t moved = 0;
  for (const auto& r : rows) moved += home.moved(r.row) ? 1 : 0;
  EXPECT_GT(moved, 0u);
  const auto read = rows_of(m.db->table(std::string("People")));
  ASSERT_EQ(read.size(), 30u);
  for (size_t i = 0; i < 12; ++i) EXPECT_EQ(read[i][6], Value(std::u16string(250, u'\u0416'))) << i;

  // Back to small: the data returns home, then the row goes.
  auto again = m.db->begin_change();
  table.update(again, rows[0], full(1, u"tiny"));
  table.remove(again, rows[1]);
  again.commit();
  EXPECT_FALSE(jet::read_data_page(m.db->pages(), rows[0].page).moved(rows[0].row));
  const auto after = rows_of(m.db->table(std::string("People")));
  ASSERT_EQ(after.size(), 29u);
  EXPECT_EQ(after[0][6], Value(std::u16string(u"tiny")));
  EXPECT_EQ(m.db->table(std::string("People")).definition().row_count, 29u);
}

TEST(JetRows, MemoOfEverySizeReadsBackAndItsPagesAreFreedOnUpdate) {
  MemoryDatabase m;
  create(*m.db, people());
  jet::Table table = m.db->table(std::string("People"));
  const std::vector<size_t> sizes = {1, 64, 65, 2000, 4070, 4100, 30000};
  std::vector<jet::RowPointer> rows;
  auto change = m.db->begin_change();
  for (size_t i = 0; i < sizes.size(); ++i) {
    std::u16string note(sizes[i], u'a');
    for (size_t k = 0; k < note.size(); k += 7) note[k] = static_cast<char16_t>(u'A' + k % 26);
    if (i % 2 == 1) note[0] = u'\u20AC';  // not compressible
    rows.push_back(table.insert(change, {std::nullopt, Value(std::u16string(u"m")), {}, {}, {}, Value(note), {}}));
  }
  change.commit();
  const auto read = rows_of(m.db->table(std::string("People")));
  ASSERT_EQ(read.size(), sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) EXPECT_EQ(std::get<std::u16string>(read[i][5]).size(), sizes[i]);

  auto again = m.db->begin_change();
  for (size_t i = 0; i < rows.size(); ++i) table.update(again, rows[i], full(static_cast<int64_t>(i + 1), u"w", u"short"));
  again.commit();
  size_t live_long_value_rows = 0;
  for (uint32_t p = 0; p < m.db->pages().page_count(); ++p) {
    const auto page = m.db->pages().page(p);
    if (page->u8(0) != 1 || page->u32(4) != jet::DataPage::long_value_owner) continue;
    const jet::DataPage lval(page);
    for (unsigned r = 0; r < lval.row_count(); ++r) live_long_value_rows += lval.deleted(r) ? 0 : 1;
  }
  EXPECT_EQ(live_long_value_rows, 0u);
  for (const auto& row : rows_of(m.db->table(std::string("People")))) EXPECT_EQ(row[5], Value(std::u16string(u"short")));
}

TEST(JetRows, ManyRowsGrowTheMapsBeyondWhatARowHolds) {
  MemoryDatabase m;
  create(*m.db, people());
  jet::Table table = m.db->table(std::string("People"));
  auto change = m.db->begin_change();
  const int count = 12000;
  for (int i = 0; i < count; ++i) {
    Values v = person(u"r");
    v[6] = Value(std::u16string(200, static_cast<char16_t>(u'a' + i % 26)));
    table.insert(change, v);
  }
  change.commit();
  EXPECT_GT(m.db->pages().page_count(), 600u);
  const jet::TableDefinition t = m.db->table(std::string("People")).definition();
  EXPECT_EQ(jet::read_row(m.db->pages(), t.used_pages).u8(0), 1) << "the table's map lists bitmap pages";
  EXPECT_EQ(t.row_count, static_cast<uint32_t>(count));
  const auto read = rows_of(m.db->table(std::string("People")));
  ASSERT_EQ(read.size(), static_cast<size_t>(count));
  EXPECT_EQ(read.back()[6], Value(std::u16string(200, static_cast<char16_t>(u'a' + (count - 1) % 26))));
  // Every page is taken, none listed free; the pages past the end count as free.
  const jet::Region map = jet::read_row(m.db->pages(), {1, 0});
  const uint32_t pages = m.db->pages().page_count();
  ASSERT_GE((map.size() - 5) * 8, pages);
  for (uint32_t p = 0; p < pages; ++p) ASSERT_EQ(map.u8(5 + p / 8) >> (p % 8) & 1, 0) << "page " << p;
  EXPECT_EQ(map.u8(map.size() - 1), 0xFF >> (8 - (map.size() * 8 - 40 - pages)) << (8 - (map.size() * 8 - 40 - pages)));
}

TEST(JetRows, RowLongerThanAPageIsRefusedWithNothingStaged) {
  MemoryDatabase m;
  jet::NewTable wide{u"Wide", {}, u"", {}};
  for (int i = 0; i < 9; ++i)
    wide.columns.push_back({u"t" + jet::from_windows1252(std::to_string(i)), ColumnType::text, 255});
  create(*m.db, wide);
  jet::Table table = m.db->table(std::string("Wide"));
  auto change = m.db->begin_change();
  Values v(9, Value(std::u16string(255, u'\u0416')));  // 510 bytes each, not compressible
  try {
    table.insert(change, v);
    FAIL() << "accepted";
  } catch (const jet::Error& e) {
    EXPECT_NE(e.problem().find("a row of table Wide would take"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(m.db->pages().staged().empty());
  v.resize(7);
  v.resize(9, Value(jet::Null{}));
  table.insert(change, v);  // 3570 bytes: fits
  change.commit();
  EXPECT_EQ(rows_of(m.db->table(std::string("Wide"))).size(), 1u);
}

TEST(JetCreate, DefinitionTooLargeForAPageStagesNothing) {
  MemoryDatabase m;
  jet::NewTable big{u"Big", {}, u"", {}};
  for (int i = 0; i < 100; ++i)
    big.columns.push_back({u"a_rather_long_column_name_number_" + jet::from_windows1252(std::to_string(i)),
                           ColumnType::long_integer});
  auto change = m.db->begin_change();
  try {
    m.db->create_table(change, big);
    FAIL() << "accepted";
  } catch (const jet::Error& e) {
    EXPECT_NE(e.problem().find("does not fit one page"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(m.db->pages().staged().empty());
  EXPECT_EQ(m.db->pages().page_count(), m.db->pages().file_page_count());
  big.columns.resize(20);
  m.db->create_table(change, big);  // the change goes on after the refusal
  change.commit();
  EXPECT_EQ(m.db->table(std::string("Big")).definition().columns.size(), 20u);
}

TEST(JetChange, CommitWritesNewPagesFirstThroughTheHook) {
  MemoryDatabase m;
  create(*m.db, people());
  const uint32_t before = m.db->pages().page_count();
  std::vector<uint32_t> written;
  m.db->set_write_hook([&](size_t step, uint32_t page) {
    EXPECT_EQ(step, written.size());
    written.push_back(page);
  });
  jet::Table table = m.db->table(std::string("People"));
  auto change = m.db->begin_change();
  for (int i = 0; i < 200; ++i) table.insert(change, person(u"p"));
  const size_t staged = m.db->pages().staged().size();
  change.commit();
  ASSERT_EQ(written.size(), staged);
  const auto first_old = std::find_if(written.begin(), written.end(), [&](uint32_t p) { return p < before; });
  EXPECT_NE(first_old, written.begin());
  EXPECT_TRUE(std::all_of(first_old, written.end(), [&](uint32_t p) { return p < before; }));

  // A hook that stops the sequence: the commit fails, the change is gone, reads see the file.
  m.db->set_write_hook([](size_t, uint32_t) { throw jet::Error("memory.mdb", std::nullopt, "stopped"); });
  auto failing = m.db->begin_change();
  table.insert(failing, person(u"q"));
  EXPECT_THROW(failing.commit(), jet::Error);
  EXPECT_TRUE(m.db->pages().staged().empty());
  EXPECT_EQ(rows_of(m.db->table(std::string("People"))).size(), 200u);
}

TEST(JetIndexes, EveryLeafPageOfTheFixturesReadsBackAsWritten) {
  size_t pages = 0;
  for (const auto& name : jet_test::jet4_fixtures()) {
    MemoryDatabase m(jet_test::read_bytes(jet_test::fixture(name)));
    jet::PageCache& cache = m.db->pages();
    for (uint32_t p = 0; p < cache.page_count(); ++p) {
      if (cache.page(p)->u8(0) != static_cast<uint8_t>(jet::PageType::index_leaf)) continue;
      const jet::IndexLeaf before(cache, p);
      jet::IndexLeaf copy(cache, p);
      copy.save();
      EXPECT_EQ(jet::IndexLeaf(cache, p).entries(), before.entries()) << name << " page " << p;
      ++pages;
    }
    cache.drop_staged();
  }
  EXPECT_GT(pages, 20u);
}

}  // namespace
