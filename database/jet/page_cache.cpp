#include "database/jet/page_cache.h"

#include <algorithm>
#include <vector>

#include "database/jet/error.h"

namespace jet {

PageCache::PageCache(const File& file, uint32_t page_size, size_t capacity)
    : file_(file),
      file_name_(std::make_shared<const std::string>(file.name())),
      page_size_(page_size),
      page_count_(static_cast<uint32_t>(std::min<uint64_t>(file.size() / page_size, UINT32_MAX))),
      capacity_(capacity < 1 ? 1 : capacity) {}

void PageCache::fail(uint32_t page, const std::string& problem) const {
  throw Error(*file_name_, page, problem);
}

std::shared_ptr<const Page> PageCache::page(uint32_t number) {
  if (auto hit = index_.find(number); hit != index_.end()) {
    lru_.splice(lru_.begin(), lru_, hit->second);
    return *hit->second;
  }
  if (number >= page_count_)
    fail(number, "the page lies beyond the end of the file, which has " +
                     std::to_string(page_count_) + " pages");
  std::vector<uint8_t> bytes(page_size_);
  file_.read(static_cast<uint64_t>(number) * page_size_, bytes);
  ++reads_;
  auto page = std::make_shared<const Page>(file_name_, number, std::move(bytes));
  lru_.push_front(page);
  index_[number] = lru_.begin();
  if (lru_.size() > capacity_) {
    index_.erase(lru_.back()->number());
    lru_.pop_back();
  }
  return page;
}

}  // namespace jet
