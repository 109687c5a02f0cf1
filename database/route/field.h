#pragma once
// A field of a data set: which column it shows and how a grid or list presents it.
#include <cstddef>
#include <optional>
#include <string>

#include "database/jet/column_type.h"

namespace route {

enum class FieldType { auto_number, whole_number, text, yes_no, number, date_time, memo, other };
enum class Alignment { left, centre, right };

struct FieldDefinition {
  std::string name;  // the column's name
  FieldType type = FieldType::text;
  std::size_t size = 0;                // characters the field holds, for text
  std::string label;                   // empty: the name
  std::size_t display_width = 0;       // characters; 0: the standard width of the type
  std::optional<Alignment> alignment;  // none: the standard alignment of the type
  bool visible = true;
  bool read_only = false;

  const std::string& shown_label() const { return label.empty() ? name : label; }
  std::size_t shown_width() const;
  Alignment shown_alignment() const;
  bool writable() const { return !read_only && type != FieldType::auto_number; }
};

FieldType FieldTypeOf(jet::ColumnType type, bool auto_number);

}  // namespace route
