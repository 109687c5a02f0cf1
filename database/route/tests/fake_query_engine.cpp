#include "database/route/tests/fake_query_engine.h"

#include <algorithm>

#include "database/route/data_access_error.h"

namespace route::testing {

void FakeQueryEngine::add_table(const std::string& name, std::vector<ResultColumn> columns) {
  for (std::size_t i = 0; i < columns.size(); ++i) columns[i].table_position = i;
  tables_[name] = Table{std::move(columns), {}, 1};
}

void FakeQueryEngine::add_row(const std::string& name, std::vector<jet::Value> values) {
  Table& t = tables_.at(name);
  for (std::size_t i = 0; i < t.columns.size(); ++i) {
    if (t.columns[i].auto_number && jet::is_null(values[i])) values[i] = t.next_auto_number++;
  }
  t.rows.push_back({jet::RowPointer{next_page_++, 0}, std::move(values)});
}

QueryResult FakeQueryEngine::select(const std::string& statement_text) {
  statements.push_back(statement_text);
  const auto found = answers_.find(statement_text);
  if (found == answers_.end()) throw DataAccessError("no answer for: " + statement_text);
  const Answer& answer = found->second;
  const Table& t = tables_.at(answer.table);
  std::vector<std::size_t> positions = answer.columns;
  if (positions.empty()) {
    for (std::size_t i = 0; i < t.columns.size(); ++i) positions.push_back(i);
  }
  QueryResult result;
  result.table = answer.table;
  for (std::size_t position : positions) result.columns.push_back(t.columns[position]);
  for (std::size_t index : answer.rows) {
    if (index >= t.rows.size()) continue;
    std::vector<jet::Value> values;
    for (std::size_t position : positions) values.push_back(t.rows[index].values[position]);
    result.rows.push_back(std::move(values));
    if (answer.identified) result.row_ids.push_back(t.rows[index].id);
  }
  return result;
}

StoredRow& FakeQueryEngine::row(const std::string& table, jet::RowPointer id) {
  auto& rows = tables_.at(table).rows;
  const auto found = std::find_if(rows.begin(), rows.end(), [&](const StoredRow& r) { return r.id == id; });
  if (found == rows.end()) throw DataAccessError("Record is deleted.");
  return *found;
}

StoredRow FakeQueryEngine::update(const std::string& table, jet::RowPointer id,
                                  const std::vector<ColumnValue>& originals,
                                  const std::vector<ColumnValue>& changes) {
  if (!refuse_writes.empty()) throw DataAccessError(refuse_writes);
  StoredRow& stored = row(table, id);
  for (const ColumnValue& original : originals) {
    if (!(stored.values[original.table_position] == original.value)) {
      throw DataAccessError("changed by another program");
    }
  }
  for (const ColumnValue& change : changes) stored.values[change.table_position] = change.value;
  updates.push_back({table, changes});
  return stored;
}

StoredRow FakeQueryEngine::insert(const std::string& table, const std::vector<ColumnValue>& values) {
  if (!refuse_writes.empty()) throw DataAccessError(refuse_writes);
  Table& t = tables_.at(table);
  std::vector<jet::Value> row(t.columns.size(), jet::Null{});
  for (const ColumnValue& value : values) row[value.table_position] = value.value;
  add_row(table, std::move(row));
  inserts.push_back(values);
  return t.rows.back();
}

void FakeQueryEngine::remove(const std::string& table, jet::RowPointer id) {
  if (!refuse_writes.empty()) throw DataAccessError(refuse_writes);
  row(table, id);
  auto& rows = tables_.at(table).rows;
  rows.erase(std::find_if(rows.begin(), rows.end(), [&](const StoredRow& r) { return r.id == id; }));
  removals.push_back(id);
}

}  // namespace route::testing
