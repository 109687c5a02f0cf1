#pragma once
// An engine that keeps its tables in memory and answers each statement text it was told of
// with chosen rows of one table; it records the statements run and the writes asked for.
#include <map>
#include <string>
#include <vector>

#include "database/route/query_engine.h"

namespace route::testing {

class FakeQueryEngine : public QueryEngine {
 public:
  struct Table {
    std::vector<ResultColumn> columns;  // in table order
    std::vector<StoredRow> rows;
    std::int64_t next_auto_number = 1;
  };
  struct Answer {
    std::string table;
    std::vector<std::size_t> columns;  // table positions; empty: all
    std::vector<std::size_t> rows;     // indexes into the table's rows, in result order
    bool identified = true;
  };
  struct Update {
    std::string table;
    std::vector<ColumnValue> changes;
  };

  // A table of texts and whole numbers; the first column an AutoNumber when its name says so.
  void add_table(const std::string& name, std::vector<ResultColumn> columns);
  void add_row(const std::string& name, std::vector<jet::Value> values);
  void answer(const std::string& statement_text, Answer answer) {
    answers_[statement_text] = std::move(answer);
  }

  QueryResult select(const std::string& statement_text) override;
  StoredRow update(const std::string& table, jet::RowPointer row, const std::vector<ColumnValue>& originals,
                   const std::vector<ColumnValue>& changes) override;
  StoredRow insert(const std::string& table, const std::vector<ColumnValue>& values) override;
  void remove(const std::string& table, jet::RowPointer row) override;

  Table& table(const std::string& name) { return tables_.at(name); }

  std::vector<std::string> statements;
  std::vector<Update> updates;
  std::vector<std::vector<ColumnValue>> inserts;
  std::vector<jet::RowPointer> removals;
  std::string refuse_writes;  // when set, every write fails with this text

 private:
  StoredRow& row(const std::string& table, jet::RowPointer id);
  std::map<std::string, Table> tables_;
  std::map<std::string, Answer> answers_;
  uint32_t next_page_ = 1;
};

}  // namespace route::testing
