#pragma once
// A value made fit for a column as Access converts it on INSERT and UPDATE: numbers to the
// column's number type (rounded half to even for whole-number columns, Currency to four
// decimals), texts of digits to numbers, numbers to their text, NULL to No in a Yes/No
// column. What cannot be converted, or a number outside the type's range, is refused by a
// ConversionError that the caller places in the statement; the engine itself refuses a text
// too long for its column and NULL where none may be.
#include <stdexcept>
#include <string>

#include "database/jet/table_definition.h"
#include "database/jet/value.h"
#include "database/sql/literal.h"

namespace sql {

class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

jet::Value ColumnValue(const jet::Column& column, const jet::Value& value);
// From a constant: a Currency column takes a number's digits exactly.
jet::Value ColumnValue(const jet::Column& column, const Literal& literal);

}  // namespace sql
