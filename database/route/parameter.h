#pragma once
// The one parameter of a statement. Declared as text, or typed by the first value assigned
// to it; later values are converted to that type. It is bound when the data set next opens.
#include <optional>

#include "database/sql/binding.h"

namespace route {

enum class ParameterType { text, whole_number, number };

class Parameter {
 public:
  // No declared type: the first value assigned gives it.
  Parameter() = default;
  explicit Parameter(ParameterType declared) : type_(declared) {}

  // DataAccessError when the value cannot be converted to the parameter's type.
  void assign(const sql::ParameterValue& value);
  const std::optional<sql::ParameterValue>& value() const { return value_; }
  const std::optional<ParameterType>& type() const { return type_; }

 private:
  std::optional<ParameterType> type_;
  std::optional<sql::ParameterValue> value_;
};

}  // namespace route
