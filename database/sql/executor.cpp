#include "database/sql/executor.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "database/jet/error.h"
#include "database/jet/text.h"
#include "database/sql/column_value.h"
#include "database/sql/condition.h"
#include "database/sql/parser.h"
#include "database/sql/select.h"
#include "database/sql/sql_error.h"
#include "database/sql/table_scope.h"

namespace sql {
namespace {

SqlError ConversionAt(const Statement& statement, std::size_t offset, const jet::Column& column,
                      const ConversionError& error) {
  return ErrorAt(statement, offset, "column '" + jet::to_windows1252(column.name) + "': " + error.what());
}

jet::ColumnType EngineType(ColumnType type) {
  switch (type) {
    case ColumnType::Counter:
    case ColumnType::Long: return jet::ColumnType::long_integer;
    case ColumnType::Text: return jet::ColumnType::text;
    case ColumnType::Memo: return jet::ColumnType::memo;
    case ColumnType::Byte: return jet::ColumnType::byte;
    case ColumnType::Short: return jet::ColumnType::integer;
    case ColumnType::Single: return jet::ColumnType::single;
    case ColumnType::Double: return jet::ColumnType::double_;
    case ColumnType::Currency: return jet::ColumnType::currency;
    case ColumnType::DateTime: return jet::ColumnType::date_time;
    case ColumnType::YesNo: return jet::ColumnType::yes_no;
  }
  return jet::ColumnType::long_integer;
}

// The rows a condition takes, read whole before any is changed, so that a row the statement
// moves is not met again.
std::vector<std::pair<jet::RowPointer, std::vector<jet::Value>>> Matching(TableScope& scope,
                                                                          const std::optional<Expr>& where) {
  std::optional<BoundExpr> condition;
  if (where) condition = BoundExpr::Condition(*where, scope);
  std::vector<std::pair<jet::RowPointer, std::vector<jet::Value>>> rows;
  jet::TableScan scan = scope.table().scan();
  std::vector<jet::Value> row;
  while (scan.next(row)) {
    if (!condition || condition->Test(row) == Truth::True) rows.emplace_back(scan.position(), row);
  }
  return rows;
}

class Runner {
 public:
  Runner(jet::Database& database, const Statement& statement) : database_(database), statement_(statement) {}

  void operator()(const CreateTable& create) {
    jet::NewTable table;
    table.name = jet::from_windows1252(create.table.text);
    for (const ColumnDef& def : create.columns) {
      jet::NewColumn column;
      column.name = jet::from_windows1252(def.name.text);
      column.type = EngineType(def.type);
      column.text_length = static_cast<uint16_t>(def.text_size);
      column.not_null = def.not_null;
      column.autonumber = def.type == ColumnType::Counter;
      table.columns.push_back(std::move(column));
    }
    if (create.primary_key) {
      if (create.primary_key->constraint) table.primary_key_name = jet::from_windows1252(create.primary_key->constraint->text);
      for (const Name& name : create.primary_key->columns) table.primary_key.push_back(jet::from_windows1252(name.text));
    }
    jet::Change change = database_.begin_change();
    database_.create_table(change, table);
    change.commit();
  }

  void operator()(const Insert& insert) {
    TableScope scope(statement_, database_, insert.table);
    const auto& columns = scope.definition().columns;
    std::vector<std::size_t> targets;
    if (insert.columns.empty()) {
      if (insert.values.size() != columns.size()) {
        const std::size_t at = insert.values.empty() ? statement_.range.begin : insert.values.front().range.begin;
        throw ErrorAt(statement_, at,
                      std::to_string(insert.values.size()) + " values for the " + std::to_string(columns.size()) +
                          " columns of table '" + jet::to_windows1252(scope.table().name()) + "'");
      }
      for (std::size_t i = 0; i < columns.size(); ++i) targets.push_back(i);
    } else {
      for (const Name& name : insert.columns) targets.push_back(scope.Resolve(name));
    }

    std::vector<std::optional<jet::Value>> row(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
      // A Yes/No field not given is No, as in Access.
      if (columns[i].type == jet::ColumnType::yes_no) row[i] = jet::Value{false};
    }
    for (std::size_t k = 0; k < targets.size(); ++k) {
      const jet::Column& column = columns[targets[k]];
      const Value& given = insert.values[k];
      if (column.auto_number() && std::holds_alternative<Null>(given.literal)) {
        row[targets[k]] = std::nullopt;  // numbered by the table
        continue;
      }
      try {
        row[targets[k]] = ColumnValue(column, given.literal);
      } catch (const ConversionError& error) {
        throw ConversionAt(statement_, given.range.begin, column, error);
      }
    }
    jet::Change change = database_.begin_change();
    scope.table().insert(change, std::move(row));
    change.commit();
  }

  void operator()(const Update& update) {
    TableScope scope(statement_, database_, update.table);
    const auto& columns = scope.definition().columns;
    struct Setting {
      std::size_t column;
      std::optional<jet::Value> constant;  // a constant, converted once, as INSERT converts it
      std::optional<BoundExpr> value;      // otherwise worked out for each row
      std::size_t at;
    };
    std::vector<Setting> settings;
    for (const Assignment& assignment : update.assignments) {
      Setting setting{scope.Resolve(assignment.column), std::nullopt, std::nullopt, assignment.value.range.begin};
      const jet::Column& column = columns[setting.column];
      if (const auto* literal = std::get_if<Literal>(&assignment.value.node)) {
        try {
          setting.constant = ColumnValue(column, *literal);
        } catch (const ConversionError& error) {
          throw ConversionAt(statement_, setting.at, column, error);
        }
      } else {
        setting.value = BoundExpr::Operand(assignment.value, scope);
      }
      settings.push_back(std::move(setting));
    }
    const auto rows = Matching(scope, update.where);
    jet::Change change = database_.begin_change();
    for (const auto& [pointer, old] : rows) {
      std::vector<jet::Value> values = old;
      for (const Setting& setting : settings) {
        if (setting.constant) {
          values[setting.column] = *setting.constant;
          continue;
        }
        // Every value is worked out from the row as it was.
        const jet::Column& column = columns[setting.column];
        try {
          values[setting.column] = ColumnValue(column, setting.value->Evaluate(old));
        } catch (const ConversionError& error) {
          throw ConversionAt(statement_, setting.at, column, error);
        }
      }
      scope.table().update(change, pointer, values);
    }
    change.commit();
  }

  void operator()(const Delete& remove) {
    TableScope scope(statement_, database_, remove.table);
    const auto rows = Matching(scope, remove.where);
    jet::Change change = database_.begin_change();
    for (const auto& row : rows) scope.table().remove(change, row.first);
    change.commit();
  }

  void operator()(const Select& select) { result = RunSelect(database_, statement_, select); }

  std::optional<ResultSet> result;

 private:
  jet::Database& database_;
  const Statement& statement_;
};

}  // namespace

std::optional<ResultSet> Executor::Run(const Statement& statement) {
  Runner runner(database_, statement);
  try {
    std::visit(runner, statement.body);
  } catch (const jet::Error& error) {
    std::string detail = error.problem();
    if (error.page()) detail += " (page " + std::to_string(*error.page()) + ")";
    throw ErrorAt(statement, statement.range.begin, detail);
  }
  return std::move(runner.result);
}

ResultSet Executor::Query(std::string_view select_text) {
  const Statement statement = ParseStatement(select_text);
  if (!std::holds_alternative<Select>(statement.body)) {
    throw ErrorAt(statement, statement.range.begin, "a SELECT statement was expected");
  }
  return *Run(statement);
}

}  // namespace sql
