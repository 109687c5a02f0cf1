#pragma once
// What the data sets need of the file engine: run a bound SELECT, and write a changed, new or
// deleted row back. Texts here are Windows-1252. Every failure is a DataAccessError.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "database/jet/column_type.h"
#include "database/jet/row_pointer.h"
#include "database/jet/value.h"

namespace route {

// A column of a result, as the table defines it.
struct ResultColumn {
  std::string name;
  jet::ColumnType type = jet::ColumnType::text;
  std::size_t size = 0;  // characters, for Text
  bool auto_number = false;
  std::size_t table_position = 0;  // the column's place in its table
};

struct QueryResult {
  std::string table;  // the one table read
  std::vector<ResultColumn> columns;
  std::vector<std::vector<jet::Value>> rows;
  // The table row behind each result row; empty when DISTINCT made rows that stand for several.
  std::vector<jet::RowPointer> row_ids;
  bool identified() const { return row_ids.size() == rows.size(); }
};

// A value of one table column, by its place in the table.
struct ColumnValue {
  std::size_t table_position = 0;
  jet::Value value;
};

// A row as it was written: where it lives and all its values in table order.
struct StoredRow {
  jet::RowPointer id;
  std::vector<jet::Value> values;
};

class QueryEngine {
 public:
  virtual ~QueryEngine() = default;

  virtual QueryResult select(const std::string& statement_text) = 0;
  // Writes `changes` over the row when its columns still hold `originals` (optimistic locking:
  // another program may have changed it since it was read). Returns the row as stored.
  virtual StoredRow update(const std::string& table, jet::RowPointer row,
                           const std::vector<ColumnValue>& originals,
                           const std::vector<ColumnValue>& changes) = 0;
  // A new row of the given values, the others NULL; AutoNumber columns take their next number.
  virtual StoredRow insert(const std::string& table, const std::vector<ColumnValue>& values) = 0;
  virtual void remove(const std::string& table, jet::RowPointer row) = 0;
};

}  // namespace route
