#pragma once

#include <cstdint>
#include <string>

namespace jet {

// The column types of a Jet 4 table definition, by their code in the file.
enum class ColumnType : uint8_t {
  yes_no = 0x01,
  byte = 0x02,
  integer = 0x03,
  long_integer = 0x04,
  currency = 0x05,
  single = 0x06,
  double_ = 0x07,
  date_time = 0x08,
  binary = 0x09,
  text = 0x0A,
  ole = 0x0B,
  memo = 0x0C,
  replication_id = 0x0F,
  decimal = 0x10,
};

bool known_column_type(uint8_t code);
// Bytes a value takes in the fixed part of a row (0 for types that have no fixed size).
unsigned fixed_size(ColumnType type);
bool long_value_type(ColumnType type);
std::string type_name(ColumnType type);

}  // namespace jet
