#include "database/jet/data_page_edit.h"

#include <algorithm>
#include <string>

#include "database/jet/data_page.h"

namespace jet {

DataPageEdit::DataPageEdit(PageCache& pages, uint32_t number, std::vector<uint8_t> header)
    : pages_(pages), number_(number), header_(std::move(header)) {}

DataPageEdit::DataPageEdit(PageCache& pages, uint32_t number) : pages_(pages), number_(number) {
  const DataPage page = read_data_page(pages, number);
  const auto bytes = page.page().bytes();
  header_.assign(bytes.begin(), bytes.begin() + header_size);
  rows_.resize(page.row_count());
  for (unsigned r = 0; r < page.row_count(); ++r) {
    const uint16_t entry = page.page().u16(header_size + 2 * r);
    rows_[r].flags = entry & removed_flags;
    if ((rows_[r].flags & removed_flags) == removed_flags) continue;  // deleted: no bytes kept
    const auto row = page.row(r).bytes();
    rows_[r].bytes.assign(row.begin(), row.end());
  }
}

DataPageEdit DataPageEdit::fresh(PageCache& pages, uint32_t number, uint32_t owner) {
  std::vector<uint8_t> header(header_size);
  header[0] = static_cast<uint8_t>(PageType::data);
  header[1] = 0x01;
  put32(&header[4], owner);
  return DataPageEdit(pages, number, std::move(header));
}

uint32_t DataPageEdit::owner() const { return le32(&header_[4]); }

void DataPageEdit::check(unsigned row) const {
  if (row >= rows_.size())
    pages_.fail(number_, "row " + std::to_string(row) + " was asked for, the page has " +
                             std::to_string(rows_.size()) + " rows");
}

uint16_t DataPageEdit::flags(unsigned row) const {
  check(row);
  return rows_[row].flags;
}

const std::vector<uint8_t>& DataPageEdit::row(unsigned row) const {
  check(row);
  return rows_[row].bytes;
}

size_t DataPageEdit::free_space() const {
  size_t used = header_size + 2 * rows_.size();
  for (const Row& r : rows_) used += r.bytes.size();
  return used > pages_.page_size() ? 0 : pages_.page_size() - used;
}

bool DataPageEdit::fits_replacement(unsigned row, size_t size) const {
  check(row);
  return free_space() + rows_[row].bytes.size() >= size;
}

unsigned DataPageEdit::add(std::vector<uint8_t> bytes, uint16_t flags) {
  if (!fits_new(bytes.size())) pages_.fail(number_, "a row was added to a page without room for it");
  rows_.push_back({flags, std::move(bytes)});
  return static_cast<unsigned>(rows_.size() - 1);
}

void DataPageEdit::replace(unsigned row, std::vector<uint8_t> bytes, uint16_t flags) {
  if (!fits_replacement(row, bytes.size()))
    pages_.fail(number_, "a row was replaced by one larger than the page has room for");
  rows_[row] = {flags, std::move(bytes)};
}

void DataPageEdit::save() {
  std::vector<uint8_t> page(pages_.page_size());
  std::copy(header_.begin(), header_.end(), page.begin());
  put16(&page[2], static_cast<uint16_t>(free_space()));
  put16(&page[12], static_cast<uint16_t>(rows_.size()));
  size_t end = page.size();
  for (size_t r = 0; r < rows_.size(); ++r) {
    const Row& row = rows_[r];
    end -= row.bytes.size();
    std::copy(row.bytes.begin(), row.bytes.end(), page.begin() + static_cast<std::ptrdiff_t>(end));
    put16(&page[header_size + 2 * r], static_cast<uint16_t>(end | row.flags));
  }
  pages_.stage(number_, std::move(page));
}

}  // namespace jet
