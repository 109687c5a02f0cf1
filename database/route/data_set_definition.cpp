#include "database/route/data_set_definition.h"

namespace route {

std::string DataSetDefinition::statement_text() const {
  if (statement.empty()) return "SELECT * FROM [" + table + "]";
  return statement.text();
}

}  // namespace route
