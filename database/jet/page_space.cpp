#include "database/jet/page_space.h"

#include <algorithm>
#include <string>
#include <vector>

#include "database/jet/data_page.h"
#include "database/jet/data_page_edit.h"
#include "database/jet/usage_map.h"

namespace jet {
namespace {

constexpr uint8_t inline_map = 0x00;
constexpr uint8_t page_list_map = 0x01;
constexpr size_t inline_header = 5;
constexpr size_t bitmap_page_header = 4;

bool bit(const std::vector<uint8_t>& bytes, size_t at, uint64_t index) {
  return (bytes[at + index / 8] >> (index % 8) & 1) != 0;
}
void set_bit(std::vector<uint8_t>& bytes, size_t at, uint64_t index, bool on) {
  auto& byte = bytes[at + index / 8];
  const auto mask = static_cast<uint8_t>(1u << (index % 8));
  byte = static_cast<uint8_t>(on ? byte | mask : byte & ~mask);
}

}  // namespace

uint32_t PageSpace::allocate() {
  DataPageEdit map(pages_, free_page_map.page);
  const std::vector<uint8_t>& row = map.row(free_page_map.row);
  if (row.size() < inline_header || row[0] != inline_map)
    pages_.fail(free_page_map.page, "the database's map of free pages is of an unknown form");
  const uint32_t first = le32(&row[1]);
  const uint64_t covered = (row.size() - inline_header) * 8ull;
  for (uint64_t i = 0; i < covered; ++i) {
    const uint64_t page = first + i;
    if (page >= pages_.page_count()) break;
    if (page > 2 && bit(row, inline_header, i)) {
      const auto number = static_cast<uint32_t>(page);
      set_free(number, false);
      pages_.stage(number, std::vector<uint8_t>(pages_.page_size()));
      return number;
    }
  }
  const uint32_t number = pages_.append();
  set_free(number, false);
  return number;
}

void PageSpace::set_free(uint32_t page, bool free) {
  DataPageEdit map(pages_, free_page_map.page);
  std::vector<uint8_t> row = map.row(free_page_map.row);
  const uint32_t first = le32(&row[1]);
  if (page < first) pages_.fail(free_page_map.page, "the map of free pages does not cover page " + std::to_string(page));
  const uint64_t index = page - first;
  // Pages past the end of the map count as free; the map grows to cover the file.
  if (index >= (row.size() - inline_header) * 8ull) row.resize(inline_header + index / 8 + 1, 0xFF);
  set_bit(row, inline_header, index, free);
  if (!map.fits_replacement(free_page_map.row, row.size()))
    pages_.fail(free_page_map.page, "the map of free pages cannot grow to cover page " + std::to_string(page));
  map.replace(free_page_map.row, std::move(row), map.flags(free_page_map.row));
  map.save();
}

void PageSpace::set_usage(RowPointer where, uint32_t page, bool marked) {
  DataPageEdit holder(pages_, where.page);
  std::vector<uint8_t> row = holder.row(where.row);
  if (row.empty()) pages_.fail(where.page, "a usage map row is empty");
  const auto save_row = [&](std::vector<uint8_t> bytes) {
    DataPageEdit again(pages_, where.page);
    again.replace(where.row, std::move(bytes), again.flags(where.row));
    again.save();
  };
  const uint64_t per_bitmap_page = (pages_.page_size() - bitmap_page_header) * 8ull;

  if (row[0] == inline_map) {
    if (row.size() < inline_header) pages_.fail(where.page, "a usage map row is cut short");
    const uint32_t first = le32(&row[1]);
    const uint64_t covered = (row.size() - inline_header) * 8ull;
    if (page >= first && page - first < covered) {
      set_bit(row, inline_header, page - first, marked);
      save_row(std::move(row));
      return;
    }
    if (!marked) return;
    std::vector<uint32_t> held = read_usage_map(pages_, where);
    held.push_back(page);
    std::sort(held.begin(), held.end());
    if (held.back() - held.front() < covered) {
      // Slide the window so that it starts at the lowest page held.
      std::fill(row.begin() + inline_header, row.end(), 0);
      put32(&row[1], held.front());
      for (uint32_t p : held) set_bit(row, inline_header, p - held.front(), true);
      save_row(std::move(row));
      return;
    }
    // Too wide for a map held in the row: the row becomes a list of bitmap pages.
    std::fill(row.begin(), row.end(), 0);
    row[0] = page_list_map;
    save_row(row);
    for (uint32_t p : held) set_usage(where, p, true);
    return;
  }
  if (row[0] != page_list_map) pages_.fail(where.page, "a usage map is of unknown type " + std::to_string(row[0]));
  const uint64_t entry = page / per_bitmap_page;
  if (1 + 4 * (entry + 1) > row.size()) {
    if (!marked) return;
    pages_.fail(where.page, "a usage map cannot cover page " + std::to_string(page));
  }
  uint32_t bitmap = le32(&row[1 + 4 * entry]);
  if (bitmap == 0) {
    if (!marked) return;
    bitmap = allocate();
    std::vector<uint8_t> fresh(pages_.page_size());
    fresh[0] = static_cast<uint8_t>(PageType::usage_map);
    fresh[1] = 0x01;
    pages_.stage(bitmap, std::move(fresh));
    put32(&row[1 + 4 * entry], bitmap);
    save_row(std::move(row));
  }
  std::vector<uint8_t> bits = pages_.copy(bitmap);
  set_bit(bits, bitmap_page_header, page % per_bitmap_page, marked);
  pages_.stage(bitmap, std::move(bits));
}

}  // namespace jet
