#include <gtest/gtest.h>

#include <sstream>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/error.h"
#include "database/jet/tests/fixture_files.h"
#include "database/jet/tests/read_everything.h"
#include "database/jet/usage_map.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr size_t page_size = 4096;

Bytes fixture_bytes(const char* name) { return jet_test::read_bytes(jet_test::fixture(name)); }

void put16(Bytes& b, size_t at, uint16_t v) {
  b.at(at) = static_cast<uint8_t>(v);
  b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}
void put32(Bytes& b, size_t at, uint32_t v) {
  put16(b, at, static_cast<uint16_t>(v));
  put16(b, at + 2, static_cast<uint16_t>(v >> 16));
}
uint16_t get16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b.at(at) | b.at(at + 1) << 8); }

// Opens the bytes and exports every user table; the first fault ends it.
void export_all(const Bytes& bytes) {
  const jet::Database db(std::make_unique<jet::MemoryFile>("bad.mdb", bytes));
  for (const auto& name : db.table_names()) {
    std::ostringstream out;
    jet::export_csv(db.table(name), out);
  }
}

// The error that reading the bytes ends in, or "" when it succeeds.
std::string error_of(const Bytes& bytes) {
  try {
    export_all(bytes);
  } catch (const jet::Error& e) {
    return e.what();
  }
  return "";
}

// Where the one user table of a fixture keeps its definition and its data.
struct Layout {
  uint32_t definition = 0;
  std::vector<uint32_t> data_pages;
};

Layout layout_of(const Bytes& bytes, const char* table) {
  const jet::Database db(std::make_unique<jet::MemoryFile>("good.mdb", bytes));
  const auto t = db.table(table);
  Layout l{t.definition().page, {}};
  for (uint32_t p : jet::read_usage_map(db.pages(), t.definition().used_pages))
    if (bytes.at(p * page_size) == 0x01) l.data_pages.push_back(p);
  return l;
}

TEST(JetBadInput, MissingEmptyAndForeignFiles) {
  try {
    jet::Database::open("/nonexistent/folder/Trimwise.mdb");
    FAIL();
  } catch (const jet::Error& e) {
    EXPECT_EQ(std::string(e.what()), "/nonexistent/folder/Trimwise.mdb: the file cannot be opened");
  }
  EXPECT_EQ(error_of({}), "bad.mdb: the file is empty");
  EXPECT_EQ(error_of(Bytes(65536, 0)), "bad.mdb: the file is not an Access database");
  Bytes text(8192, 'x');
  EXPECT_EQ(error_of(text), "bad.mdb: the file is not an Access database");
}

TEST(JetBadInput, TruncatedFiles) {
  const Bytes good = fixture_bytes("compIndexTestV2000.mdb");
  EXPECT_EQ(error_of(Bytes(good.begin(), good.begin() + 100)), "bad.mdb: the file is too short to be an Access database");
  EXPECT_NE(error_of(Bytes(good.begin(), good.begin() + 2 * page_size)).find("too short to hold a database"),
            std::string::npos);
  const Layout l = layout_of(good, "Table1");
  const Bytes cut(good.begin(), good.begin() + l.data_pages.front() * page_size);
  EXPECT_NE(error_of(cut).find(": the page lies beyond the end of the file, which has " +
                               std::to_string(l.data_pages.front()) + " pages"),
            std::string::npos)
      << error_of(cut);
  // Cut anywhere, the file gives its rows or a clear error.
  for (size_t size = 0; size <= good.size(); size += 1000) {
    SCOPED_TRACE(size);
    const Bytes part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_NO_FATAL_FAILURE(error_of(part));
  }
}

TEST(JetBadInput, ZeroFilledPages) {
  const Bytes good = fixture_bytes("compIndexTestV2000.mdb");
  Bytes catalog = good;
  std::fill_n(catalog.begin() + 2 * page_size, page_size, 0);
  EXPECT_EQ(error_of(catalog), "bad.mdb: page 2: a table definition page was expected, the page is of type 0");

  const Layout l = layout_of(good, "Table1");
  Bytes data = good;
  std::fill_n(data.begin() + l.definition * page_size, page_size, 0);
  EXPECT_NE(error_of(data).find("page " + std::to_string(l.definition) + ": a table definition page was expected"),
            std::string::npos);
  // A zeroed data page is no longer the table's: its rows are gone, the rest is read.
  Bytes rows = good;
  std::fill_n(rows.begin() + l.data_pages.front() * page_size, page_size, 0);
  EXPECT_EQ(error_of(rows), "");
}

TEST(JetBadInput, DefinitionPagesThatLoopOrLeaveTheFile) {
  const Bytes good = fixture_bytes("compIndexTestV2000.mdb");
  const Layout l = layout_of(good, "Table1");
  Bytes loop = good;
  put32(loop, l.definition * page_size + 4, l.definition);
  EXPECT_NE(error_of(loop).find("page " + std::to_string(l.definition) + ": the table definition's pages loop back"),
            std::string::npos);
  Bytes outside = good;
  put32(outside, l.definition * page_size + 4, 0x7FFFFFFF);
  EXPECT_NE(error_of(outside).find("page 2147483647: the page lies beyond the end of the file"), std::string::npos);
  Bytes columns = good;
  put16(columns, l.definition * page_size + 45, 0x7FFF);  // more columns than the page holds
  EXPECT_NE(error_of(columns).find("page " + std::to_string(l.definition) + ": "), std::string::npos);
}

TEST(JetBadInput, UsageMapsThatPointOutsideTheFile) {
  const Bytes good = fixture_bytes("compIndexTestV2000.mdb");
  const Layout l = layout_of(good, "Table1");
  Bytes map = good;
  put32(map, l.definition * page_size + 55, 0x00FFFFFF << 8);
  EXPECT_NE(error_of(map).find("page 16777215: the page lies beyond the end"), std::string::npos);
}

TEST(JetBadInput, RowsWithImpossibleOffsets) {
  const Bytes good = fixture_bytes("compIndexTestV2000.mdb");
  const Layout l = layout_of(good, "Table1");
  const size_t page = l.data_pages.front() * page_size;
  const std::string where = "page " + std::to_string(l.data_pages.front()) + ": ";

  Bytes beyond = good;
  put16(beyond, page + 14 + 2, 0x0FFF);  // row 1 would start after row 0 ends
  EXPECT_NE(error_of(beyond).find(where + "row 1 has impossible offsets"), std::string::npos) << error_of(beyond);

  Bytes header = good;
  put16(header, page + 14, 4);  // row 0 inside the page header
  EXPECT_NE(error_of(header).find(where + "row 0 has impossible offsets"), std::string::npos);

  Bytes count = good;
  put16(count, page + 12, 0xFFFF);
  EXPECT_NE(error_of(count).find(where + "the page claims 65535 rows"), std::string::npos);

  const size_t row0 = page + (get16(good, page + 14) & 0x1FFF);
  Bytes columns = good;
  put16(columns, row0, 0xFFFF);  // a null mask larger than the row
  EXPECT_NE(error_of(columns).find(where + "a row of"), std::string::npos) << error_of(columns);

  Bytes variable = good;
  const size_t row0_end = page + page_size;  // row 0 runs to the end of the page
  put16(variable, row0_end - 1 - 4, 0x0FF0);  // first variable-length value outside the row
  EXPECT_NE(error_of(variable).find(where), std::string::npos) << error_of(variable);
}

TEST(JetBadInput, OverflowPointersThatLoopOrLeaveTheTable) {
  const Bytes good = fixture_bytes("overflowTestV2000.mdb");
  const Layout l = layout_of(good, "Table1");
  const size_t page = l.data_pages.front() * page_size;
  const size_t moved_entry = page + 14 + 2 * 2;  // row 2 overflowed
  ASSERT_NE(get16(good, moved_entry) & 0x4000, 0);
  const size_t pointer = page + (get16(good, moved_entry) & 0x1FFF);

  Bytes self = good;
  put32(self, pointer, l.data_pages.front() << 8 | 2);  // points to itself
  EXPECT_NE(error_of(self).find("moves on more than"), std::string::npos) << error_of(self);

  Bytes other = good;
  put32(other, pointer, 2u << 8);  // into the catalog's definition
  EXPECT_NE(error_of(other).find("page 2: a data page was expected"), std::string::npos) << error_of(other);
}

// Every single-byte change in the pages the reader parses ends in rows or a clear error.
TEST(JetBadInput, CorruptedBytesAnywhereInTheParsedPages) {
  const Bytes good = fixture_bytes("DateTestDatabase.mdb");
  const jet::Database db(std::make_unique<jet::MemoryFile>("good.mdb", good));
  std::vector<uint32_t> pages = {0, 1, 2};
  const auto t = db.table("DateTest");
  pages.insert(pages.end(), t.definition().pages.begin(), t.definition().pages.end());
  for (uint32_t p : jet::read_usage_map(db.pages(), t.definition().used_pages)) pages.push_back(p);
  for (const uint32_t p : pages) {
    for (size_t offset = 0; offset < page_size; offset += 13) {
      for (const uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}, uint8_t{0x41}}) {
        Bytes bad = good;
        bad[p * page_size + offset] = value;
        try {
          jet_test::read_everything(bad);
        } catch (const jet::Error&) {
        }
      }
    }
  }
}

}  // namespace
