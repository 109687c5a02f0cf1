#pragma once
// A result set as CSV, exactly as jet-export writes a table.
#include <ostream>

#include "database/sql/result_set.h"

namespace sql {

void WriteCsv(const ResultSet& result, std::ostream& out);

}  // namespace sql
