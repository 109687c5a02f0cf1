#include "database/route/field.h"

namespace route {

std::size_t FieldDefinition::shown_width() const {
  if (display_width != 0) return display_width;
  switch (type) {
    case FieldType::text:
      return size;
    case FieldType::yes_no:
      return 5;
    case FieldType::date_time:
      return 18;
    default:
      return 10;
  }
}

Alignment FieldDefinition::shown_alignment() const {
  if (alignment) return *alignment;
  switch (type) {
    case FieldType::auto_number:
    case FieldType::whole_number:
    case FieldType::number:
      return Alignment::right;
    default:
      return Alignment::left;
  }
}

FieldType FieldTypeOf(jet::ColumnType type, bool auto_number) {
  switch (type) {
    case jet::ColumnType::byte:
    case jet::ColumnType::integer:
    case jet::ColumnType::long_integer:
      return auto_number ? FieldType::auto_number : FieldType::whole_number;
    case jet::ColumnType::text:
      return FieldType::text;
    case jet::ColumnType::memo:
      return FieldType::memo;
    case jet::ColumnType::yes_no:
      return FieldType::yes_no;
    case jet::ColumnType::currency:
    case jet::ColumnType::single:
    case jet::ColumnType::double_:
    case jet::ColumnType::decimal:
      return FieldType::number;
    case jet::ColumnType::date_time:
      return FieldType::date_time;
    default:
      return FieldType::other;
  }
}

}  // namespace route
