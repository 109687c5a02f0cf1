#include "database/jet/index_leaf.h"

#include <algorithm>
#include <array>

#include "database/jet/data_page.h"

namespace jet {
namespace {

constexpr uint8_t present = 0x7F;
constexpr uint8_t absent = 0x00;
constexpr size_t pointer_size = 4;

// Sort weights of Jet 4's General order for the characters whose weights are known; 0 for
// the others. Letters sort without regard to case.
uint8_t weight(char16_t c) {
  static constexpr std::array<uint8_t, 26> letters = {0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59,
                                                      0x5B, 0x5C, 0x5E, 0x60, 0x62, 0x64, 0x66, 0x68, 0x69,
                                                      0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78};
  if (c >= u'0' && c <= u'9') return static_cast<uint8_t>(0x36 + 2 * (c - u'0'));
  if (c >= u'a' && c <= u'z') return letters[c - u'a'];
  if (c >= u'A' && c <= u'Z') return letters[c - u'A'];
  return 0;
}

bool keyed_type(ColumnType type, bool with_text) {
  switch (type) {
    case ColumnType::byte:
    case ColumnType::integer:
    case ColumnType::long_integer: return true;
    case ColumnType::text: return with_text;
    default: return false;
  }
}

const Column* column_numbered(const TableDefinition& table, uint16_t number, size_t& position) {
  for (size_t i = 0; i < table.columns.size(); ++i)
    if (table.columns[i].number == number) {
      position = i;
      return &table.columns[i];
    }
  return nullptr;
}

// Entries sort by their bytes, as unsigned numbers, a shorter one first.
bool sorts_before(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i] < b[i];
  return a.size() < b.size();
}

}  // namespace

bool keyable(const TableDefinition& table, const RealIndex& index, bool with_text) {
  if (index.columns.empty()) return false;
  for (const IndexColumn& ic : index.columns) {
    size_t position = 0;
    const Column* c = column_numbered(table, ic.column_number, position);
    if (c == nullptr || !keyed_type(c->type, with_text)) return false;
  }
  return true;
}

std::optional<std::vector<uint8_t>> index_key(const TableDefinition& table, const RealIndex& index,
                                              const std::vector<Value>& values) {
  std::vector<uint8_t> key;
  for (const IndexColumn& ic : index.columns) {
    size_t position = 0;
    const Column* c = column_numbered(table, ic.column_number, position);
    if (c == nullptr) return std::nullopt;
    const Value& v = values.at(position);
    std::vector<uint8_t> part;
    if (is_null(v)) {
      part.push_back(absent);
    } else {
      part.push_back(present);
      if (const auto* n = std::get_if<int64_t>(&v)) {
        const unsigned size = fixed_size(c->type);
        auto bits = static_cast<uint64_t>(*n);
        if (c->type != ColumnType::byte) bits ^= 1ull << (8 * size - 1);  // negatives first
        for (unsigned k = size; k-- > 0;) part.push_back(static_cast<uint8_t>(bits >> (8 * k)));
      } else if (const auto* text = std::get_if<std::u16string>(&v)) {
        for (const char16_t ch : *text) {
          if (ch == u'_') {
            part.push_back(0x2B);
            part.push_back(0x03);
            continue;
          }
          const uint8_t w = weight(ch);
          if (w == 0) return std::nullopt;
          part.push_back(w);
        }
        part.push_back(0x01);
        part.push_back(0x00);
      } else {
        return std::nullopt;
      }
    }
    if (!ic.ascending())
      for (uint8_t& b : part) b = static_cast<uint8_t>(~b);
    key.insert(key.end(), part.begin(), part.end());
  }
  return key;
}

bool IndexLeaf::single_leaf(PageCache& pages, uint32_t number) {
  if (number == 0 || number >= pages.page_count()) return false;
  const auto page = pages.page(number);
  return page->u8(0) == static_cast<uint8_t>(PageType::index_leaf) && page->u32(8) == 0 && page->u32(12) == 0 &&
         page->u32(16) == 0;
}

IndexLeaf::IndexLeaf(PageCache& pages, uint32_t number) : pages_(pages), number_(number) {
  const auto page = pages.page(number);
  if (page->u8(0) != static_cast<uint8_t>(PageType::index_leaf))
    page->fail("an index leaf page was expected, the page is of type " + std::to_string(page->u8(0)));
  const auto bytes = page->bytes();
  header_.assign(bytes.begin(), bytes.begin() + mask_begin);
  const size_t prefix = page->u16(20);
  std::vector<size_t> starts = {entries_begin};
  for (size_t byte = mask_begin; byte < entries_begin; ++byte)
    for (unsigned bit = 0; bit < 8; ++bit)
      if ((bytes[byte] >> bit & 1) != 0) starts.push_back(entries_begin + (byte - mask_begin) * 8 + bit);
  for (size_t k = 0; k + 1 < starts.size(); ++k) {
    if (starts[k + 1] > bytes.size() || starts[k + 1] <= starts[k]) page->fail("an index entry lies outside its page");
    std::vector<uint8_t> e;
    if (k > 0) {
      if (prefix > entries_.front().size()) page->fail("an index page's shared prefix is longer than its first entry");
      e.assign(entries_.front().begin(), entries_.front().begin() + static_cast<std::ptrdiff_t>(prefix));
    }
    e.insert(e.end(), bytes.begin() + static_cast<std::ptrdiff_t>(starts[k]), bytes.begin() + static_cast<std::ptrdiff_t>(starts[k + 1]));
    entries_.push_back(std::move(e));
  }
}

std::vector<uint8_t> IndexLeaf::entry(const std::vector<uint8_t>& key, RowPointer row) {
  std::vector<uint8_t> e = key;
  e.push_back(static_cast<uint8_t>(row.page >> 16));
  e.push_back(static_cast<uint8_t>(row.page >> 8));
  e.push_back(static_cast<uint8_t>(row.page));
  e.push_back(row.row);
  return e;
}

size_t IndexLeaf::shared_prefix(const std::vector<uint8_t>* key) const {
  const size_t count = entries_.size() + (key ? 1 : 0);
  if (count < 2) return 0;
  const std::vector<uint8_t>& first = entries_.empty() ? *key : entries_.front();
  size_t prefix = first.size();
  const auto common = [&](const std::vector<uint8_t>& other) {
    size_t n = 0;
    while (n < prefix && n < other.size() && other[n] == first[n]) ++n;
    prefix = n;
  };
  for (const auto& e : entries_) common(e);
  if (key) common(*key);
  return prefix;
}

bool IndexLeaf::fits(const std::vector<uint8_t>& key) const {
  const size_t prefix = shared_prefix(&key);
  size_t used = entries_begin + key.size() + pointer_size;
  for (const auto& e : entries_) used += e.size();
  return used - prefix * entries_.size() <= pages_.page_size();
}

bool IndexLeaf::holds_key(const std::vector<uint8_t>& key, std::optional<RowPointer> except) const {
  for (const auto& e : entries_) {
    if (e.size() != key.size() + pointer_size || !std::equal(key.begin(), key.end(), e.begin())) continue;
    const RowPointer at{static_cast<uint32_t>(e[key.size()] << 16 | e[key.size() + 1] << 8 | e[key.size() + 2]),
                        e[key.size() + 3]};
    if (except && at == *except) continue;
    return true;
  }
  return false;
}

void IndexLeaf::insert(std::vector<uint8_t> e) {
  if (!fits(std::vector<uint8_t>(e.begin(), e.end() - pointer_size)))
    pages_.fail(number_, "an index entry was added to a full index page");
  const auto at = std::upper_bound(entries_.begin(), entries_.end(), e, sorts_before);
  entries_.insert(at, std::move(e));
}

void IndexLeaf::remove(RowPointer row) {
  const std::array<uint8_t, 4> tail = {static_cast<uint8_t>(row.page >> 16), static_cast<uint8_t>(row.page >> 8),
                                       static_cast<uint8_t>(row.page), row.row};
  std::erase_if(entries_, [&](const std::vector<uint8_t>& e) {
    return e.size() >= pointer_size && std::equal(tail.begin(), tail.end(), e.end() - pointer_size);
  });
}

void IndexLeaf::save() {
  std::vector<uint8_t> page(pages_.page_size());
  std::copy(header_.begin(), header_.end(), page.begin());
  // The first entry whole, the others without the bytes all entries share.
  const size_t prefix = shared_prefix(nullptr);
  put16(&page[20], static_cast<uint16_t>(prefix));
  size_t at = entries_begin;
  for (size_t k = 0; k < entries_.size(); ++k) {
    if (k > 0) {
      const size_t bit = at - entries_begin;
      page[mask_begin + bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
    }
    const auto from = entries_[k].begin() + static_cast<std::ptrdiff_t>(k > 0 ? prefix : 0);
    std::copy(from, entries_[k].end(), page.begin() + static_cast<std::ptrdiff_t>(at));
    at += static_cast<size_t>(entries_[k].end() - from);
  }
  if (!entries_.empty()) {
    const size_t bit = at - entries_begin;
    page[mask_begin + bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
  }
  put16(&page[2], static_cast<uint16_t>(page.size() - at));
  pages_.stage(number_, std::move(page));
}

}  // namespace jet
