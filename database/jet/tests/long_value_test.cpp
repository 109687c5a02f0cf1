// Memo values stored outside their row, on long-value pages the test appends to a copy of a
// fixture, the row's memo field pointed at them.
#include <gtest/gtest.h>

#include <algorithm>

#include "database/jet/database.h"
#include "database/jet/error.h"
#include "database/jet/tests/fixture_files.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr size_t page_size = 4096;

void put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}
Bytes le32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
uint32_t pointer(uint32_t page, uint8_t row) { return page << 8 | row; }

// A long-value page holding `rows`, the first at the end of the page.
Bytes long_value_page(const std::vector<Bytes>& rows) {
  Bytes page(page_size, 0);
  page[0] = 0x01;
  page[1] = 0x01;
  std::copy_n("LVAL", 4, page.begin() + 4);
  page[12] = static_cast<uint8_t>(rows.size());
  size_t end = page_size;
  for (size_t i = 0; i < rows.size(); ++i) {
    end -= rows[i].size();
    std::copy(rows[i].begin(), rows[i].end(), page.begin() + static_cast<std::ptrdiff_t>(end));
    page[14 + 2 * i] = static_cast<uint8_t>(end);
    page[15 + 2 * i] = static_cast<uint8_t>(end >> 8);
  }
  return page;
}

Bytes cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes ucs2(size_t count, char first) {
  Bytes text;
  for (size_t i = 0; i < count; ++i) {
    text.push_back(static_cast<uint8_t>(first + i % 26));
    text.push_back(0);
  }
  return text;
}

class JetLongValues : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = jet_test::read_bytes(jet_test::fixture("DateTestDatabase.mdb"));
    // The memo "Hello" of the first row, held in its row: length 7, flag 0x80, FF FE Hello.
    const Bytes stored = {0x07, 0x00, 0x00, 0x80};
    const Bytes text = {0xFF, 0xFE, 'H', 'e', 'l', 'l', 'o'};
    for (size_t at = 0; at + 19 < file_.size(); ++at)
      if (std::equal(stored.begin(), stored.end(), file_.begin() + at) &&
          std::equal(text.begin(), text.end(), file_.begin() + at + 12)) {
        field_ = at;
        break;
      }
    ASSERT_NE(field_, 0u);
    first_new_page_ = static_cast<uint32_t>(file_.size() / page_size);
  }

  void append(const Bytes& page) { file_.insert(file_.end(), page.begin(), page.end()); }
  void point(uint32_t length, uint32_t flags, uint32_t where) {
    put32(file_, field_, length | flags);
    put32(file_, field_ + 4, where);
  }
  jet::Value first_memo() const {
    const jet::Database db(std::make_unique<jet::MemoryFile>("memo.mdb", file_));
    jet::TableScan scan = db.table("DateTest").scan();
    std::vector<jet::Value> row;
    EXPECT_TRUE(scan.next(row));
    return row.at(4);
  }
  std::string error() const {
    try {
      first_memo();
    } catch (const jet::Error& e) {
      return e.what();
    }
    return "";
  }

  Bytes file_;
  size_t field_ = 0;
  uint32_t first_new_page_ = 0;
};

TEST_F(JetLongValues, InOneRowOfALongValuePage) {
  append(long_value_page({cat({0xFF, 0xFE}, Bytes(300, 'm'))}));
  point(302, 0x40000000, pointer(first_new_page_, 0));
  EXPECT_EQ(std::get<std::u16string>(first_memo()), std::u16string(300, u'm'));
}

TEST_F(JetLongValues, InAChainOfRowsOverSeveralPages) {
  const Bytes text = ucs2(3000, 'a');  // 6000 bytes: more than one page holds
  const uint32_t a = first_new_page_;
  const uint32_t b = first_new_page_ + 1;
  append(long_value_page({cat(le32(pointer(b, 1)), Bytes(text.begin(), text.begin() + 4000))}));
  append(long_value_page({Bytes(10, 0xEE), cat(le32(0), Bytes(text.begin() + 4000, text.end()))}));
  point(6000, 0, pointer(a, 0));
  const auto memo = std::get<std::u16string>(first_memo());
  ASSERT_EQ(memo.size(), 3000u);
  EXPECT_EQ(memo[0], u'a');
  EXPECT_EQ(memo[2999], u'a' + 2999 % 26);
}

TEST_F(JetLongValues, AChainThatLoops) {
  const uint32_t a = first_new_page_;
  append(long_value_page({cat(le32(pointer(a, 1)), Bytes(100, 'x')), cat(le32(pointer(a, 0)), Bytes(100, 'y'))}));
  point(100000, 0, pointer(a, 0));
  EXPECT_NE(error().find("page " + std::to_string(a) + ": a long value's chain of rows loops back to row 0"),
            std::string::npos)
      << error();
}

TEST_F(JetLongValues, AChainThatEndsEarly) {
  append(long_value_page({cat(le32(0), Bytes(100, 'x'))}));
  point(150, 0, pointer(first_new_page_, 0));
  EXPECT_NE(error().find("a long value ends after 100 of its 150 bytes"), std::string::npos) << error();
}

TEST_F(JetLongValues, ImpossibleLengthsAndPointers) {
  append(long_value_page({Bytes(50, 'x')}));
  point(51, 0x40000000, pointer(first_new_page_, 0));
  EXPECT_NE(error().find("a long value claims 51 bytes, its row holds 50"), std::string::npos) << error();

  point(0x3FFFFFFF, 0x40000000, pointer(first_new_page_, 0));
  EXPECT_NE(error().find("more than the file holds"), std::string::npos) << error();

  point(10, 0x80000000, 0);  // held in the row, which holds only 5 bytes after the header
  EXPECT_NE(error().find("a long value held in its row claims 10 bytes"), std::string::npos) << error();

  point(10, 0x40000000, pointer(first_new_page_, 7));
  EXPECT_NE(error().find("row 7 was asked for, the page has 1 rows"), std::string::npos) << error();

  point(10, 0x40000000, pointer(2, 0));
  EXPECT_NE(error().find("page 2: a data page was expected"), std::string::npos) << error();

  point(10, 0x40000000, pointer(first_new_page_ + 5, 0));
  EXPECT_NE(error().find("the page lies beyond the end of the file"), std::string::npos) << error();
}

TEST_F(JetLongValues, APointerIntoATablesDataPage) {
  const jet::Database db(std::make_unique<jet::MemoryFile>("memo.mdb", file_));
  const uint32_t data_page = static_cast<uint32_t>(field_ / page_size);
  point(5, 0x40000000, pointer(data_page, 0));
  EXPECT_NE(error().find("a long-value page was expected, the page belongs to a table"), std::string::npos) << error();
}

}  // namespace
