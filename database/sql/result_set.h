#pragma once
// The rows a SELECT returns, and where each came from so that a caller can change it.
#include <cstddef>
#include <string>
#include <vector>

#include "database/jet/row_pointer.h"
#include "database/jet/value.h"

namespace sql {

struct ResultSet {
  std::vector<std::u16string> columns;  // as the table names them
  std::vector<std::vector<jet::Value>> rows;

  std::u16string table;                // the one table read, as named in the file
  std::vector<std::size_t> source_columns;  // for each result column, its position in the table
  // For each row, the table row it shows; empty when DISTINCT made rows that stand for several.
  std::vector<jet::RowPointer> row_ids;
  bool identified() const { return row_ids.size() == rows.size(); }
};

}  // namespace sql
