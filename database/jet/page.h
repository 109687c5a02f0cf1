#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace jet {

// One page as read from the file. Every access is bounds-checked and a fault names file and page.
class Page {
 public:
  Page(std::shared_ptr<const std::string> file, uint32_t number, std::vector<uint8_t> bytes);

  uint32_t number() const { return number_; }
  size_t size() const { return bytes_.size(); }
  std::span<const uint8_t> bytes() const { return bytes_; }
  const std::string& file() const { return *file_; }

  uint8_t u8(size_t offset) const;
  uint16_t u16(size_t offset) const;
  uint32_t u24(size_t offset) const;
  uint32_t u32(size_t offset) const;

  [[noreturn]] void fail(const std::string& problem) const;

 private:
  void need(size_t offset, size_t length) const;

  std::shared_ptr<const std::string> file_;
  uint32_t number_;
  std::vector<uint8_t> bytes_;
};

// A checked window on part of a page (a row, a field); it keeps its page alive.
class Region {
 public:
  Region(std::shared_ptr<const Page> page, size_t begin, size_t end);

  size_t size() const { return end_ - begin_; }
  bool empty() const { return begin_ == end_; }
  std::span<const uint8_t> bytes() const;
  const Page& page() const { return *page_; }

  uint8_t u8(size_t offset) const;
  uint16_t u16(size_t offset) const;
  uint32_t u32(size_t offset) const;
  Region sub(size_t offset, size_t length) const;

  [[noreturn]] void fail(const std::string& problem) const { page_->fail(problem); }

 private:
  void need(size_t offset, size_t length) const;

  std::shared_ptr<const Page> page_;
  size_t begin_;
  size_t end_;
};

// Little-endian reads from plain bytes whose bounds the caller has checked.
inline uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline void put16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace jet
