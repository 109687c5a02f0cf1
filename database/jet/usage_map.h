#pragma once

#include <cstdint>
#include <vector>

#include "database/jet/page_cache.h"
#include "database/jet/row_pointer.h"

namespace jet {

// The pages a usage map marks, in ascending order. The map is the row `where` points to:
// either a bitmap held in the row itself or a list of bitmap pages.
std::vector<uint32_t> read_usage_map(PageCache& pages, RowPointer where);

}  // namespace jet
