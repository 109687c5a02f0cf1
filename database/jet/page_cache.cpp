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
      file_page_count_(page_count_),
      capacity_(capacity < 1 ? 1 : capacity) {}

void PageCache::fail(uint32_t page, const std::string& problem) const {
  throw Error(*file_name_, page, problem);
}

void PageCache::remember(std::shared_ptr<const Page> page) {
  if (auto old = index_.find(page->number()); old != index_.end()) {
    lru_.erase(old->second);
    index_.erase(old);
  }
  lru_.push_front(std::move(page));
  index_[lru_.front()->number()] = lru_.begin();
  if (lru_.size() > capacity_) {
    index_.erase(lru_.back()->number());
    lru_.pop_back();
  }
}

std::shared_ptr<const Page> PageCache::page(uint32_t number) {
  if (auto staged = staged_.find(number); staged != staged_.end()) return staged->second;
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
  remember(page);
  return page;
}

std::vector<uint8_t> PageCache::copy(uint32_t number) {
  const auto bytes = page(number)->bytes();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void PageCache::stage(uint32_t number, std::vector<uint8_t> bytes) {
  if (number >= page_count_ || bytes.size() != page_size_)
    fail(number, "a page outside the file or of the wrong size was to be written");
  if (marked_ && !undo_.contains(number)) {
    const auto before = staged_.find(number);
    undo_[number] = before == staged_.end() ? nullptr : before->second;
  }
  staged_[number] = std::make_shared<const Page>(file_name_, number, std::move(bytes));
}

bool PageCache::mark() {
  if (marked_) return false;
  marked_ = true;
  marked_page_count_ = page_count_;
  undo_.clear();
  return true;
}

void PageCache::rollback() {
  for (auto& [number, before] : undo_) {
    if (before) {
      staged_[number] = std::move(before);
    } else {
      staged_.erase(number);
    }
  }
  page_count_ = marked_page_count_;
  unmark();
}

void PageCache::unmark() {
  marked_ = false;
  undo_.clear();
}

uint32_t PageCache::append() {
  if (page_count_ == UINT32_MAX >> 8) fail(page_count_, "the database cannot grow any further");
  const uint32_t number = page_count_++;
  stage(number, std::vector<uint8_t>(page_size_));
  return number;
}

void PageCache::drop_staged() {
  unmark();
  staged_.clear();
  page_count_ = file_page_count_;
}

void PageCache::keep_staged() {
  for (auto& [number, page] : staged_) remember(page);
  staged_.clear();
  file_page_count_ = page_count_;
}

}  // namespace jet
