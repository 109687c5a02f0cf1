#include "database/jet/page.h"

#include "database/jet/error.h"

namespace jet {

Page::Page(std::shared_ptr<const std::string> file, uint32_t number, std::vector<uint8_t> bytes)
    : file_(std::move(file)), number_(number), bytes_(std::move(bytes)) {}

void Page::fail(const std::string& problem) const { throw Error(*file_, number_, problem); }

void Page::need(size_t offset, size_t length) const {
  if (offset > bytes_.size() || length > bytes_.size() - offset)
    fail("a field at offset " + std::to_string(offset) + " runs past the end of the page");
}

uint8_t Page::u8(size_t offset) const {
  need(offset, 1);
  return bytes_[offset];
}

uint16_t Page::u16(size_t offset) const {
  need(offset, 2);
  return le16(&bytes_[offset]);
}

uint32_t Page::u24(size_t offset) const {
  need(offset, 3);
  return static_cast<uint32_t>(bytes_[offset]) | static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
         static_cast<uint32_t>(bytes_[offset + 2]) << 16;
}

uint32_t Page::u32(size_t offset) const {
  need(offset, 4);
  return le32(&bytes_[offset]);
}

Region::Region(std::shared_ptr<const Page> page, size_t begin, size_t end)
    : page_(std::move(page)), begin_(begin), end_(end) {
  if (begin_ > end_ || end_ > page_->size())
    page_->fail("a record spans " + std::to_string(begin_) + ".." + std::to_string(end_) +
                ", outside the page");
}

std::span<const uint8_t> Region::bytes() const {
  return page_->bytes().subspan(begin_, end_ - begin_);
}

void Region::need(size_t offset, size_t length) const {
  if (offset > size() || length > size() - offset)
    fail("a field at offset " + std::to_string(offset) + " of a record of " +
         std::to_string(size()) + " bytes runs past its end");
}

uint8_t Region::u8(size_t offset) const {
  need(offset, 1);
  return page_->bytes()[begin_ + offset];
}

uint16_t Region::u16(size_t offset) const {
  need(offset, 2);
  return le16(&page_->bytes()[begin_ + offset]);
}

uint32_t Region::u32(size_t offset) const {
  need(offset, 4);
  return le32(&page_->bytes()[begin_ + offset]);
}

Region Region::sub(size_t offset, size_t length) const {
  need(offset, length);
  return Region(page_, begin_ + offset, begin_ + offset + length);
}

}  // namespace jet
