#include "database/route/jet_query_engine.h"

#include <filesystem>
#include <optional>

#include "database/jet/database.h"
#include "database/jet/error.h"
#include "database/jet/text.h"
#include "database/route/data_access_error.h"
#include "database/sql/executor.h"
#include "database/sql/sql_error.h"

namespace route {
namespace {

const char kWriteConflict[] =
    "The Microsoft Jet database engine stopped the process because you and another user are attempting to change "
    "the same data at the same time.";
const char kRowDeleted[] = "Record is deleted.";

jet::Database OpenDatabase(const std::string& path, jet::OpenMode mode) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) throw DataAccessError("Could not find file '" + path + "'.");
  try {
    return jet::Database::open(path, mode);
  } catch (const jet::Error& failure) {
    if (failure.problem() == "the file cannot be opened") {
      throw DataAccessError("The Microsoft Jet database engine cannot open the file '" + path +
                            "'.  It is already opened exclusively by another user, or you need permission to view "
                            "its data.");
    }
    throw DataAccessError("Unrecognized database format '" + path + "'.");
  }
}

// Runs `work`, giving the engine's errors as the layer's own.
template <typename Work>
auto Translated(Work&& work) {
  try {
    return work();
  } catch (const jet::Error& failure) {
    throw DataAccessError(failure.what());
  } catch (const sql::SqlError& failure) {
    throw DataAccessError(failure.what());
  }
}

struct FoundRow {
  jet::RowPointer id;
  std::vector<jet::Value> values;
};

std::optional<FoundRow> FindRow(const jet::Table& table, jet::RowPointer id) {
  jet::TableScan scan = table.scan();
  std::vector<jet::Value> values;
  while (scan.next(values)) {
    if (scan.position() == id) return FoundRow{id, std::move(values)};
  }
  return std::nullopt;
}

FoundRow Existing(const jet::Table& table, jet::RowPointer id) {
  std::optional<FoundRow> found = FindRow(table, id);
  if (!found) throw DataAccessError(kRowDeleted);
  return std::move(*found);
}

class JetQueryEngine : public QueryEngine {
 public:
  JetQueryEngine(std::string path, jet::OpenMode mode)
      : path_(std::move(path)), mode_(mode), database_(OpenDatabase(path_, mode_)) {}

  QueryResult select(const std::string& statement_text) override {
    return Translated([&] {
      jet::Database& database = fresh();
      sql::ResultSet rows = sql::Executor(database).Query(statement_text);
      const jet::Table table = database.table(rows.table);
      QueryResult result;
      result.table = jet::to_windows1252(rows.table);
      for (std::size_t position : rows.source_columns) {
        const jet::Column& column = table.definition().columns.at(position);
        // Jet 4 gives a text column's length in bytes, two to a character.
        const std::size_t size = column.type == jet::ColumnType::text ? column.length / 2u : 0u;
        result.columns.push_back({jet::to_windows1252(column.name), column.type, size, column.auto_number(), position});
      }
      result.rows = std::move(rows.rows);
      result.row_ids = std::move(rows.row_ids);
      return result;
    });
  }

  StoredRow update(const std::string& table_name, jet::RowPointer row, const std::vector<ColumnValue>& originals,
                   const std::vector<ColumnValue>& changes) override {
    return Translated([&] {
      jet::Database& database = fresh();
      jet::Table table = database.table(table_name);
      FoundRow stored = Existing(table, row);
      for (const ColumnValue& original : originals) {
        if (!(stored.values.at(original.table_position) == original.value)) throw DataAccessError(kWriteConflict);
      }
      for (const ColumnValue& change : changes) stored.values.at(change.table_position) = change.value;
      jet::Change change = database.begin_change();
      const jet::RowPointer where = table.update(change, row, stored.values);
      change.commit();
      return StoredRow{where, std::move(stored.values)};
    });
  }

  StoredRow insert(const std::string& table_name, const std::vector<ColumnValue>& values) override {
    return Translated([&] {
      jet::Database& database = fresh();
      jet::Table table = database.table(table_name);
      std::vector<std::optional<jet::Value>> row(table.definition().columns.size());
      for (const ColumnValue& value : values) row.at(value.table_position) = value.value;
      jet::Change change = database.begin_change();
      const jet::RowPointer where = table.insert(change, std::move(row));
      change.commit();
      // Read back for the numbers the file assigned.
      FoundRow stored = Existing(table, where);
      return StoredRow{where, std::move(stored.values)};
    });
  }

  void remove(const std::string& table_name, jet::RowPointer row) override {
    Translated([&] {
      jet::Database& database = fresh();
      jet::Table table = database.table(table_name);
      Existing(table, row);
      jet::Change change = database.begin_change();
      table.remove(change, row);
      change.commit();
    });
  }

 private:
  // Another program may have changed the file since the last statement: read it anew.
  jet::Database& fresh() {
    database_.reset();
    database_.emplace(OpenDatabase(path_, mode_));
    return *database_;
  }

  std::string path_;
  jet::OpenMode mode_;
  std::optional<jet::Database> database_;
};

}  // namespace

std::unique_ptr<QueryEngine> OpenJetQueryEngine(const ConnectionSettings& settings) {
  return std::make_unique<JetQueryEngine>(settings.path,
                                          settings.read_only ? jet::OpenMode::ReadOnly : jet::OpenMode::ReadWrite);
}

}  // namespace route
