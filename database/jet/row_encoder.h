#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/jet/page_cache.h"
#include "database/jet/table_definition.h"
#include "database/jet/value.h"

namespace jet {

// The most bytes one row may take: a page holding that row alone.
constexpr size_t max_row_size = 4096 - 14 - 2;

// Checks each value against its column (kind, range, length, NULL in a NOT NULL column) and
// brings it to the column's own kind: a whole number for a Double, a Double for a Date/Time,
// and so on. Throws Error naming the column.
std::vector<Value> fit_values(PageCache& pages, const TableDefinition& table, std::vector<Value> values);

// The stored bytes of a Memo's text or an OLE Object's data.
std::vector<uint8_t> long_value_data(const Column& column, const Value& value);

// A row's stored form. `long_fields` holds, for each column in order, the field a long value
// takes in the row (empty for other columns and NULLs).
std::vector<uint8_t> encode_row(const TableDefinition& table, const std::vector<Value>& values,
                                const std::vector<std::vector<uint8_t>>& long_fields);

}  // namespace jet
