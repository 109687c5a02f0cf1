#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "database/jet/page_cache.h"
#include "database/jet/page_space.h"
#include "database/jet/table_definition.h"

namespace jet {

constexpr size_t long_value_field_size = 12;

// The field of a long value held in its row.
std::vector<uint8_t> long_value_in_row(std::span<const uint8_t> data);
// Stores the data on long-value pages of the column (one row, or a chain of rows when it
// exceeds a page) and returns the field that refers to it. The pages are those the column's
// own usage maps list, when the table keeps them.
std::vector<uint8_t> store_long_value(PageCache& pages, PageSpace& space, const TableDefinition& table,
                                      const Column& column, std::span<const uint8_t> data);
// Deletes the long-value rows a field refers to (nothing for one held in its row); the pages
// that gain room are listed in the column's map of pages with room.
void free_long_value(PageCache& pages, PageSpace& space, const LongValueMaps* maps, std::span<const uint8_t> field);

}  // namespace jet
