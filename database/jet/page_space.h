#pragma once

#include <cstdint>

#include "database/jet/page_cache.h"
#include "database/jet/row_pointer.h"

namespace jet {

// The database's own map of free pages and the tables' usage maps, kept true while a change
// takes pages and marks them.
class PageSpace {
 public:
  // The free-page map: a bit set for each page no object holds, also past the end of the file.
  static constexpr RowPointer free_page_map{1, 0};

  explicit PageSpace(PageCache& pages) : pages_(pages) {}

  // A page for a new use, all zeros, staged: a free page of the file or one added at its end.
  uint32_t allocate();
  // Marks or clears `page` in the usage map row `map`, changing the map's form when the page
  // lies outside what the map can cover.
  void set_usage(RowPointer map, uint32_t page, bool marked);

 private:
  void set_free(uint32_t page, bool free);

  PageCache& pages_;
};

}  // namespace jet
