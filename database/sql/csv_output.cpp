#include "database/sql/csv_output.h"

#include "database/jet/csv_export.h"

namespace sql {

void WriteCsv(const ResultSet& result, std::ostream& out) {
  out << jet::csv_header_line(result.columns);
  for (const auto& row : result.rows) out << jet::csv_row_line(row);
}

}  // namespace sql
