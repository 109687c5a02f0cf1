#include "database/jet/data_page.h"

#include <string>

namespace jet {
namespace {

constexpr size_t row_count_offset = 12;
constexpr size_t row_table_offset = 14;
constexpr uint16_t deleted_flag = 0x8000;
constexpr uint16_t moved_flag = 0x4000;
constexpr uint16_t offset_mask = 0x1FFF;

}  // namespace

DataPage::DataPage(std::shared_ptr<const Page> page) : page_(std::move(page)) {
  if (page_->u8(0) != static_cast<uint8_t>(PageType::data))
    page_->fail("a data page was expected, the page is of type " + std::to_string(page_->u8(0)));
  row_count_ = page_->u16(row_count_offset);
  if (row_table_offset + 2 * static_cast<size_t>(row_count_) > page_->size())
    page_->fail("the page claims " + std::to_string(row_count_) + " rows, more than fit");
}

uint16_t DataPage::entry(unsigned row) const {
  if (row >= row_count_)
    page_->fail("row " + std::to_string(row) + " was asked for, the page has " +
                std::to_string(row_count_) + " rows");
  return page_->u16(row_table_offset + 2 * static_cast<size_t>(row));
}

bool DataPage::deleted(unsigned row) const { return (entry(row) & deleted_flag) != 0; }
bool DataPage::moved(unsigned row) const { return (entry(row) & moved_flag) != 0; }

Region DataPage::row(unsigned row) const {
  const size_t begin = entry(row) & offset_mask;
  const size_t end = row == 0 ? page_->size() : (entry(row - 1) & offset_mask);
  const size_t table_end = row_table_offset + 2 * static_cast<size_t>(row_count_);
  if (begin < table_end || begin >= end || end > page_->size())
    page_->fail("row " + std::to_string(row) + " has impossible offsets " + std::to_string(begin) +
                ".." + std::to_string(end));
  return Region(page_, begin, end);
}

DataPage read_data_page(PageCache& pages, uint32_t number) {
  return DataPage(pages.page(number));
}

Region read_row(PageCache& pages, RowPointer pointer) {
  const DataPage page = read_data_page(pages, pointer.page);
  if (page.deleted(pointer.row))
    page.page().fail("row " + std::to_string(pointer.row) + " is referred to but deleted");
  return page.row(pointer.row);
}

Region read_stored_row(PageCache& pages, RowPointer pointer) {
  return read_data_page(pages, pointer.page).row(pointer.row);
}

}  // namespace jet
