#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "database/jet/file.h"
#include "database/jet/page_cache.h"

namespace jet {

// Writes the pages of a change to the file, one page at a time, in the order write_order()
// gives. The order is the one place that decides what a writer stopped half-way leaves behind.
class PageWriter {
 public:
  // Called before each page is written with its place in the sequence and its number; it may
  // throw to stop the sequence there (tests cut a change short this way).
  using Hook = std::function<void(size_t step, uint32_t page)>;

  explicit PageWriter(File& file) : file_(file) {}
  void set_hook(Hook hook) { hook_ = std::move(hook); }

  void write(const PageCache::Staged& pages, uint32_t file_page_count);

  // Pages new to the file first (nothing in the file points to them yet), then the others.
  static std::vector<uint32_t> write_order(const PageCache::Staged& pages, uint32_t file_page_count);

 private:
  File& file_;
  Hook hook_;
};

}  // namespace jet
