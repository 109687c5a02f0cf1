#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "database/jet/column_type.h"

namespace jet {

// A column of a table to be created.
struct NewColumn {
  std::u16string name;
  ColumnType type = ColumnType::long_integer;
  uint16_t text_length = 0;  // characters, for Text (1 to 255)
  bool not_null = false;
  bool autonumber = false;  // Long Integer numbered by the table
};

// A table to be created: its columns in order and, optionally, its primary key.
struct NewTable {
  std::u16string name;
  std::vector<NewColumn> columns;
  std::u16string primary_key_name;          // empty: none
  std::vector<std::u16string> primary_key;  // column names
};

}  // namespace jet
