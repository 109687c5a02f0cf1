#include "database/jet/column_type.h"

namespace jet {

bool known_column_type(uint8_t code) {
  return (code >= 0x01 && code <= 0x0C) || code == 0x0F || code == 0x10;
}

unsigned fixed_size(ColumnType type) {
  switch (type) {
    case ColumnType::yes_no: return 0;
    case ColumnType::byte: return 1;
    case ColumnType::integer: return 2;
    case ColumnType::long_integer: return 4;
    case ColumnType::currency: return 8;
    case ColumnType::single: return 4;
    case ColumnType::double_: return 8;
    case ColumnType::date_time: return 8;
    case ColumnType::replication_id: return 16;
    case ColumnType::decimal: return 17;
    case ColumnType::binary:
    case ColumnType::text:
    case ColumnType::ole:
    case ColumnType::memo: return 0;
  }
  return 0;
}

bool long_value_type(ColumnType type) {
  return type == ColumnType::ole || type == ColumnType::memo;
}

std::string type_name(ColumnType type) {
  switch (type) {
    case ColumnType::yes_no: return "Yes/No";
    case ColumnType::byte: return "Byte";
    case ColumnType::integer: return "Integer";
    case ColumnType::long_integer: return "Long Integer";
    case ColumnType::currency: return "Currency";
    case ColumnType::single: return "Single";
    case ColumnType::double_: return "Double";
    case ColumnType::date_time: return "Date/Time";
    case ColumnType::binary: return "Binary";
    case ColumnType::text: return "Text";
    case ColumnType::ole: return "OLE Object";
    case ColumnType::memo: return "Memo";
    case ColumnType::replication_id: return "Replication ID";
    case ColumnType::decimal: return "Decimal";
  }
  return "unknown";
}

}  // namespace jet
