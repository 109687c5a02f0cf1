#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "database/jet/file.h"
#include "database/jet/page.h"

namespace jet {

// Reads the file page by page and keeps the last few pages used; memory stays bounded
// whatever the file size. Pages handed out stay valid while held, evicted or not.
class PageCache {
 public:
  static constexpr size_t default_capacity = 64;

  PageCache(const File& file, uint32_t page_size, size_t capacity = default_capacity);

  std::shared_ptr<const Page> page(uint32_t number);
  uint32_t page_count() const { return page_count_; }
  uint32_t page_size() const { return page_size_; }
  const std::string& file_name() const { return *file_name_; }
  [[noreturn]] void fail(uint32_t page, const std::string& problem) const;

  // Pages read from the file so far (the benchmark and the tests watch it).
  uint64_t reads() const { return reads_; }

 private:
  using Lru = std::list<std::shared_ptr<const Page>>;

  const File& file_;
  std::shared_ptr<const std::string> file_name_;
  uint32_t page_size_;
  uint32_t page_count_;
  size_t capacity_;
  Lru lru_;
  std::unordered_map<uint32_t, Lru::iterator> index_;
  uint64_t reads_ = 0;
};

}  // namespace jet
