#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "database/jet/page_cache.h"

namespace jet {

// A data page being changed: its rows held apart and laid out again, last row lowest, when
// saved. A deleted row keeps its number and takes no bytes, as Jet leaves it.
class DataPageEdit {
 public:
  static constexpr uint16_t deleted_flag = 0x8000;
  static constexpr uint16_t moved_flag = 0x4000;
  // A row whose data was moved here from another page: scans skip it, its pointer leads here.
  static constexpr uint16_t overflow_flag = deleted_flag;
  static constexpr uint16_t removed_flags = deleted_flag | moved_flag;
  static constexpr size_t header_size = 14;
  static constexpr unsigned max_rows = 255;

  // Reads a data page of the file or of the change.
  DataPageEdit(PageCache& pages, uint32_t number);
  // A new, empty data page of `owner` (a table's definition page or the long-value tag).
  static DataPageEdit fresh(PageCache& pages, uint32_t number, uint32_t owner);

  uint32_t number() const { return number_; }
  uint32_t owner() const;
  unsigned row_count() const { return static_cast<unsigned>(rows_.size()); }
  uint16_t flags(unsigned row) const;
  const std::vector<uint8_t>& row(unsigned row) const;
  size_t free_space() const;
  // Room for one more row of `size` bytes, its offset entry included.
  bool fits_new(size_t size) const { return row_count() < max_rows && free_space() >= size + 2; }
  bool fits_replacement(unsigned row, size_t size) const;

  unsigned add(std::vector<uint8_t> bytes, uint16_t flags = 0);
  void replace(unsigned row, std::vector<uint8_t> bytes, uint16_t flags);
  void remove(unsigned row) { replace(row, {}, removed_flags); }
  // Stages the page in the change.
  void save();

 private:
  DataPageEdit(PageCache& pages, uint32_t number, std::vector<uint8_t> header);
  struct Row {
    uint16_t flags = 0;
    std::vector<uint8_t> bytes;
  };
  void check(unsigned row) const;

  PageCache& pages_;
  uint32_t number_;
  std::vector<uint8_t> header_;
  std::vector<Row> rows_;
};

}  // namespace jet
