#pragma once

#include <utility>
#include <vector>

#include "database/jet/page.h"
#include "database/jet/page_cache.h"
#include "database/jet/table_definition.h"
#include "database/jet/value.h"

namespace jet {

// The values of one stored row, in the definition's column order. Long values are read
// through `pages`. Throws Error when the row's layout is impossible.
std::vector<Value> decode_row(PageCache& pages, const TableDefinition& table, const Region& row);
// The stored fields of the row's Memo and OLE Object values, with their columns' numbers
// (the writer frees what they hold).
std::vector<std::pair<uint16_t, Region>> long_value_fields(const TableDefinition& table, const Region& row);

}  // namespace jet
