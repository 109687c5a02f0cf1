#pragma once
// What a data set runs and shows: its statement (or a whole table), its parameter, whether it
// may be edited, and its fixed field list.
#include <optional>
#include <string>
#include <vector>

#include "database/route/field.h"
#include "database/route/parameter.h"
#include "database/route/stored_statement.h"

namespace route {

struct DataSetDefinition {
  std::string name;
  StoredStatement statement;  // empty: the whole of `table`
  std::string table;
  bool parameterised = false;
  std::optional<ParameterType> declared_parameter;  // none: typed by the first value
  bool read_only = false;
  std::vector<FieldDefinition> fields;  // empty: the columns the statement returns

  // The statement as it runs, before its parameter is bound.
  std::string statement_text() const;
};

}  // namespace route
