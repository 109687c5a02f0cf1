#include "database/route/data_set.h"

#include <algorithm>

#include "database/jet/text.h"
#include "database/route/data_access_error.h"
#include "database/route/value_text.h"
#include "database/sql/names.h"
#include "database/sql/sql_error.h"

namespace route {
namespace {

Parameter ParameterOf(const DataSetDefinition& definition) {
  return definition.declared_parameter ? Parameter(*definition.declared_parameter) : Parameter();
}

FieldDefinition FieldOf(const ResultColumn& column) {
  FieldDefinition field;
  field.name = column.name;
  field.type = FieldTypeOf(column.type, column.auto_number);
  field.size = column.size;
  return field;
}

std::string BoundText(const DataSetDefinition& definition, const Parameter& parameter) {
  std::string text = definition.statement_text();
  if (!definition.parameterised) return text;
  if (!parameter.value()) throw DataAccessError("Too few parameters. Expected 1.");
  try {
    return sql::BindParameter(text, *parameter.value());
  } catch (const sql::SqlError& error) {
    throw DataAccessError(error.what());
  }
}

}  // namespace

DataSet::DataSet(Connection& connection, const DataSetDefinition& definition)
    : connection_(&connection), definition_(definition), parameter_(ParameterOf(definition)) {
  connection.attach(this);
}

DataSet::~DataSet() {
  if (connection_) connection_->detach(this);
}

QueryEngine& DataSet::engine() const {
  if (!connection_) throw DataAccessError("The database is not connected.");
  return connection_->engine();
}

void DataSet::open() {
  if (active()) return;
  QueryResult result = engine().select(BoundText(definition_, parameter_));

  std::vector<FieldDefinition> fields;
  std::vector<std::size_t> field_columns;
  if (definition_.fields.empty()) {
    for (std::size_t i = 0; i < result.columns.size(); ++i) {
      fields.push_back(FieldOf(result.columns[i]));
      field_columns.push_back(i);
    }
  } else {
    for (const FieldDefinition& field : definition_.fields) {
      const auto column =
          std::find_if(result.columns.begin(), result.columns.end(),
                       [&](const ResultColumn& c) { return sql::NamesEqual(c.name, field.name); });
      if (column == result.columns.end()) {
        throw DataAccessError(definition_.name + ": Field '" + field.name + "' not found");
      }
      fields.push_back(field);
      field_columns.push_back(static_cast<std::size_t>(column - result.columns.begin()));
    }
  }

  identified_ = result.identified();
  rows_.clear();
  rows_.reserve(result.rows.size());
  for (std::size_t i = 0; i < result.rows.size(); ++i) {
    Row row;
    if (identified_) row.id = result.row_ids[i];
    row.values = std::move(result.rows[i]);
    rows_.push_back(std::move(row));
  }
  table_ = std::move(result.table);
  columns_ = std::move(result.columns);
  fields_ = std::move(fields);
  field_columns_ = std::move(field_columns);
  current_ = 0;
  state_ = State::browse;
}

void DataSet::close() {
  if (!active()) return;
  state_ = State::closed;
  rows_.clear();
  fields_.clear();
  field_columns_.clear();
  columns_.clear();
  table_.clear();
  current_ = 0;
}

void DataSet::set_parameter(const sql::ParameterValue& value) { parameter_.assign(value); }

void DataSet::move_to(std::size_t row) {
  if (!active() || rows_.empty()) return;
  post();
  current_ = std::min(row, rows_.size() - 1);
}

bool DataSet::locate(std::string_view field, std::string_view text) {
  if (!active()) return false;
  const std::size_t position = position_of(field);
  const std::size_t column = field_columns_[position];
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    if (ValueText(cut(position, rows_[row].values[column])) == text) {
      move_to(row);
      return true;
    }
  }
  return false;
}

std::size_t DataSet::position_of(std::string_view field) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (sql::NamesEqual(fields_[i].name, field)) return i;
  }
  throw DataAccessError(definition_.name + ": Field '" + std::string(field) + "' not found");
}

std::size_t DataSet::checked(std::size_t field) const {
  if (field >= fields_.size())
    throw DataAccessError("List index out of bounds (" + std::to_string(field) + ")");
  return field;
}

const jet::Value* DataSet::shown_value(std::size_t field) const {
  if (state_ == State::edit || state_ == State::insert) return &edited_.values[field_columns_[field]];
  if (rows_.empty()) return nullptr;
  return &rows_[current_].values[field_columns_[field]];
}

jet::Value DataSet::cut(std::size_t field, jet::Value value) const {
  const FieldDefinition& definition = fields_[field];
  auto* text = std::get_if<std::u16string>(&value);
  if (text && definition.size != 0 && text->size() > definition.size) text->resize(definition.size);
  return value;
}

std::string DataSet::text(std::size_t field) const {
  if (!active()) return "";
  const jet::Value* value = shown_value(checked(field));
  return value ? ValueText(cut(field, *value)) : "";
}

std::string DataSet::text(std::string_view field) const {
  if (!active()) return "";
  return text(position_of(field));
}

std::int64_t DataSet::whole_number(std::size_t field) const {
  if (!active()) return 0;
  const jet::Value* value = shown_value(checked(field));
  if (!value) return 0;
  if (const auto* whole = std::get_if<std::int64_t>(value)) return *whole;
  // An empty number field reads as 0; an empty text is no whole number.
  const FieldType type = fields_[field].type;
  if (jet::is_null(*value) && type != FieldType::text && type != FieldType::memo) return 0;
  return ParseWholeNumber(ValueText(cut(field, *value)));
}

std::int64_t DataSet::whole_number(std::string_view field) const {
  if (!active()) return 0;
  return whole_number(position_of(field));
}

void DataSet::check_editable() const {
  if (!active()) throw DataAccessError("Cannot perform this operation on a closed dataset");
  if (definition_.read_only || !identified_) throw DataAccessError("Cannot modify a read-only dataset");
}

void DataSet::begin_edit() {
  if (state_ == State::edit || state_ == State::insert) return;
  if (rows_.empty()) {
    new_row(0);
    return;
  }
  edited_ = rows_[current_];
  state_ = State::edit;
}

void DataSet::set_text(std::size_t field, std::string_view text) {
  check_editable();
  const FieldDefinition& definition = fields_[checked(field)];
  if (!definition.writable())
    throw DataAccessError("Field '" + definition.shown_label() + "' cannot be modified");

  jet::Value value;
  switch (definition.type) {
    case FieldType::text:
    case FieldType::memo:
      if (!text.empty()) value = cut(field, jet::from_windows1252(text));
      break;
    case FieldType::whole_number:
      if (!text.empty()) {
        std::int64_t number = 0;
        if (!TryParseWholeNumber(text, number)) {
          begin_edit();
          throw DataAccessError(Quoted(text) + " is not a valid integer value for field " +
                                Quoted(definition.shown_label()));
        }
        value = number;
      }
      break;
    default:
      throw DataAccessError("Field '" + definition.shown_label() + "' cannot be modified");
  }

  begin_edit();
  const std::size_t column = field_columns_[field];
  if (state_ == State::edit) {
    // Typing back what the field showed keeps the stored value, also one the field shows cut.
    const jet::Value& stored = rows_[current_].values[column];
    if (cut(field, stored) == value) {
      edited_.values[column] = stored;
      return;
    }
  }
  edited_.values[column] = std::move(value);
}

void DataSet::set_text(std::string_view field, std::string_view text) {
  check_editable();
  set_text(position_of(field), text);
}

void DataSet::new_row(std::size_t at) {
  Row row;
  row.values.assign(columns_.size(), jet::Null{});
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), row);
  current_ = at;
  edited_ = std::move(row);
  state_ = State::insert;
}

void DataSet::insert() {
  check_editable();
  post();
  new_row(rows_.empty() ? 0 : current_);
}

void DataSet::append() {
  check_editable();
  post();
  new_row(rows_.size());
}

std::vector<jet::Value> DataSet::from_stored(const StoredRow& stored) const {
  std::vector<jet::Value> values;
  values.reserve(columns_.size());
  for (const ResultColumn& column : columns_) {
    values.push_back(column.table_position < stored.values.size() ? stored.values[column.table_position]
                                                                  : jet::Value(jet::Null{}));
  }
  return values;
}

void DataSet::post() {
  if (state_ != State::edit && state_ != State::insert) return;
  Row& row = rows_[current_];
  if (state_ == State::edit) {
    std::vector<ColumnValue> originals;
    std::vector<ColumnValue> changes;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      originals.push_back({columns_[i].table_position, row.values[i]});
      // Only what was changed is written, so a value the data set holds cut stays whole.
      if (!(edited_.values[i] == row.values[i]))
        changes.push_back({columns_[i].table_position, edited_.values[i]});
    }
    if (!changes.empty()) {
      const StoredRow stored = engine().update(table_, *row.id, originals, changes);
      row = Row{stored.id, from_stored(stored)};
    }
  } else {
    std::vector<ColumnValue> values;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      if (!columns_[i].auto_number && !jet::is_null(edited_.values[i])) {
        values.push_back({columns_[i].table_position, edited_.values[i]});
      }
    }
    const StoredRow stored = engine().insert(table_, values);
    row = Row{stored.id, from_stored(stored)};
  }
  state_ = State::browse;
}

void DataSet::cancel() {
  if (state_ == State::insert) {
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(current_));
    if (current_ > 0 && current_ >= rows_.size()) current_ = rows_.size() - 1;
  }
  if (state_ == State::edit || state_ == State::insert) state_ = State::browse;
}

void DataSet::remove() {
  if (state_ == State::insert) {
    cancel();
    return;
  }
  check_editable();
  if (rows_.empty()) throw DataAccessError("Cannot perform this operation on an empty dataset");
  cancel();
  engine().remove(table_, *rows_[current_].id);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(current_));
  if (current_ > 0 && current_ >= rows_.size()) current_ = rows_.size() - 1;
}

}  // namespace route
