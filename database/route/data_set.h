#pragma once
// A data set on the route database: the rows of its statement, a current row, and editing of
// that row written back through the engine. Fields are read as text or whole numbers; a closed
// or empty data set reads as "" and 0. Every failure is a DataAccessError.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/route/connection.h"
#include "database/route/data_set_definition.h"
#include "database/route/parameter.h"

namespace route {

class DataSet {
 public:
  enum class State { closed, browse, edit, insert };

  DataSet(Connection& connection, const DataSetDefinition& definition);
  ~DataSet();
  DataSet(const DataSet&) = delete;
  DataSet& operator=(const DataSet&) = delete;

  const std::string& name() const { return definition_.name; }
  bool read_only() const { return definition_.read_only; }
  State state() const { return state_; }
  bool active() const { return state_ != State::closed; }

  // Runs the statement; the first row becomes current. Does nothing when open already.
  // On failure the data set stays closed.
  void open();
  // Drops the rows and any unposted change; does nothing when closed.
  void close();
  // Takes effect at the next open.
  void set_parameter(const sql::ParameterValue& value);
  const Parameter& parameter() const { return parameter_; }

  // The fields of the open data set (none while closed).
  const std::vector<FieldDefinition>& fields() const { return fields_; }
  std::size_t row_count() const { return rows_.size(); }
  std::size_t current_row() const { return current_; }
  bool empty() const { return rows_.empty(); }
  // Posts a pending change first; the row is kept within the rows there are.
  void move_to(std::size_t row);
  // Makes the first row whose field shows `text` current; false (and nothing moved) when none.
  bool locate(std::string_view field, std::string_view text);

  std::string text(std::size_t field) const;
  std::string text(std::string_view field) const;
  // A text field's text must be a whole number ("" included: "'' is not a valid integer value").
  std::int64_t whole_number(std::size_t field) const;
  std::int64_t whole_number(std::string_view field) const;

  // Changes a field of the current row, starting an edit (or, on an empty data set, a new row).
  // A text is cut to the field's size; "" clears the field.
  void set_text(std::size_t field, std::string_view text);
  void set_text(std::string_view field, std::string_view text);
  // A new, empty row before the current one, or after the last.
  void insert();
  void append();
  // Writes the row in edit; a refused write leaves it in edit with its changes.
  void post();
  void cancel();
  // Deletes the current row from the file (a row not yet posted is just dropped).
  void remove();

 private:
  friend class Connection;
  struct Row {
    std::optional<jet::RowPointer> id;  // none: not yet written
    std::vector<jet::Value> values;     // one per result column, as stored
  };

  void connection_gone() { connection_ = nullptr; }
  QueryEngine& engine() const;
  std::size_t position_of(std::string_view field) const;
  std::size_t checked(std::size_t field) const;
  const jet::Value* shown_value(std::size_t field) const;
  jet::Value cut(std::size_t field, jet::Value value) const;
  void check_editable() const;
  void begin_edit();
  void new_row(std::size_t at);
  StoredRow write_edit() const;
  std::vector<jet::Value> from_stored(const StoredRow& stored) const;

  Connection* connection_;
  const DataSetDefinition& definition_;
  Parameter parameter_;
  State state_ = State::closed;

  std::string table_;
  std::vector<ResultColumn> columns_;
  std::vector<FieldDefinition> fields_;
  std::vector<std::size_t> field_columns_;  // for each field, its result column
  bool identified_ = false;
  std::vector<Row> rows_;
  std::size_t current_ = 0;
  Row edited_;  // the current row as changed, while in edit or insert
};

}  // namespace route
