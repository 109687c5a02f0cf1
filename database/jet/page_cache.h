#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "database/jet/file.h"
#include "database/jet/page.h"

namespace jet {

// Reads the file page by page and keeps the last few pages used; memory stays bounded
// whatever the file size. Pages handed out stay valid while held, evicted or not.
// While a change is open it also holds the pages the change wrote (staged), which every
// read sees first, and the pages it added beyond the end of the file.
class PageCache {
 public:
  static constexpr size_t default_capacity = 64;
  using Staged = std::map<uint32_t, std::shared_ptr<const Page>>;

  PageCache(const File& file, uint32_t page_size, size_t capacity = default_capacity);

  std::shared_ptr<const Page> page(uint32_t number);
  // Pages in the file and those a change added.
  uint32_t page_count() const { return page_count_; }
  uint32_t page_size() const { return page_size_; }
  const std::string& file_name() const { return *file_name_; }
  [[noreturn]] void fail(uint32_t page, const std::string& problem) const;

  // Pages read from the file so far (the benchmark and the tests watch it).
  uint64_t reads() const { return reads_; }

  // A copy of a page's bytes to change and stage.
  std::vector<uint8_t> copy(uint32_t number);
  void stage(uint32_t number, std::vector<uint8_t> bytes);
  // A new page after the last one, all zeros, staged.
  uint32_t append();
  const Staged& staged() const { return staged_; }
  // Pages the file held before the staged ones were added.
  uint32_t file_page_count() const { return file_page_count_; }
  // The change was dropped: forget its pages.
  void drop_staged();
  // Marks the staged pages as they are now; rollback() returns them to that mark. Marks do not
  // nest: while one is set, another mark is a no-op (see StagedMark).
  bool mark();
  void rollback();
  void unmark();
  // The change reached the file: its pages are now pages of the file.
  void keep_staged();

 private:
  using Lru = std::list<std::shared_ptr<const Page>>;
  void remember(std::shared_ptr<const Page> page);

  const File& file_;
  std::shared_ptr<const std::string> file_name_;
  uint32_t page_size_;
  uint32_t page_count_;
  uint32_t file_page_count_;
  size_t capacity_;
  Lru lru_;
  std::unordered_map<uint32_t, Lru::iterator> index_;
  Staged staged_;
  bool marked_ = false;
  uint32_t marked_page_count_ = 0;
  // For each page staged since the mark: what was staged before (null: nothing).
  std::unordered_map<uint32_t, std::shared_ptr<const Page>> undo_;
  uint64_t reads_ = 0;
};

// One operation's pages, all staged or none: an Error part-way leaves the change as it was.
class StagedMark {
 public:
  explicit StagedMark(PageCache& pages) : pages_(pages), owner_(pages.mark()) {}
  StagedMark(const StagedMark&) = delete;
  ~StagedMark() {
    if (owner_) pages_.rollback();
  }
  void keep() {
    if (owner_) pages_.unmark();
    owner_ = false;
  }

 private:
  PageCache& pages_;
  bool owner_;
};

}  // namespace jet
