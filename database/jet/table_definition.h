#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "database/jet/column_type.h"
#include "database/jet/page_cache.h"
#include "database/jet/row_pointer.h"

namespace jet {

struct Column {
  static constexpr uint8_t fixed_flag = 0x01;
  static constexpr uint8_t nullable_flag = 0x02;
  static constexpr uint8_t auto_number_flag = 0x04;
  static constexpr uint8_t auto_guid_flag = 0x40;
  static constexpr uint8_t hyperlink_flag = 0x80;

  std::u16string name;
  uint8_t type_code = 0;
  ColumnType type = ColumnType::binary;  // unknown codes are read as binary
  uint16_t number = 0;        // position in the null mask, deleted columns counted
  uint16_t variable_index = 0;  // entry in a row's table of variable-length offsets
  uint16_t fixed_offset = 0;  // offset in the fixed part of a row
  uint16_t length = 0;
  uint8_t flags = 0;
  bool compressed_text = false;
  uint8_t precision = 0;  // Decimal
  uint8_t scale = 0;      // Decimal
  uint16_t sort_order = 0;  // Text, Memo

  bool fixed() const { return (flags & fixed_flag) != 0; }
  bool nullable() const { return (flags & nullable_flag) != 0; }
  bool auto_number() const { return (flags & auto_number_flag) != 0; }
};

struct IndexColumn {
  uint16_t column_number = 0;
  uint8_t order = 0x01;
  bool ascending() const { return order == 0x01; }
};

// An index as stored (several logical indexes may share one).
struct RealIndex {
  static constexpr uint8_t unique_flag = 0x01;
  static constexpr uint8_t ignore_nulls_flag = 0x02;
  static constexpr uint8_t required_flag = 0x08;

  std::vector<IndexColumn> columns;
  RowPointer usage_map;
  uint32_t first_page = 0;
  uint8_t flags = 0;
  bool unique() const { return (flags & unique_flag) != 0; }
};

// An index as the user sees it, by name.
struct Index {
  static constexpr uint8_t primary_key_type = 0x01;
  static constexpr uint8_t foreign_key_type = 0x02;

  std::u16string name;
  uint32_t number = 0;
  uint32_t real_index = 0;
  uint8_t type = 0;
  uint32_t related_index = 0xFFFFFFFF;
  uint32_t related_table_page = 0;
  bool cascade_updates = false;
  bool cascade_deletes = false;
  bool primary_key() const { return type == primary_key_type; }
};

// The usage maps of the long-value pages that hold one Memo or OLE Object column's values.
struct LongValueMaps {
  uint16_t column_number = 0;
  RowPointer used_pages;
  RowPointer free_pages;
};

struct TableDefinition {
  static constexpr uint8_t user_table = 0x4E;
  static constexpr uint8_t system_table = 0x53;

  uint32_t page = 0;
  std::vector<uint32_t> pages;  // the definition's own pages, first to last
  uint32_t row_count = 0;
  uint32_t next_auto_number = 0;
  uint8_t table_type = 0;
  uint16_t max_columns = 0;
  uint16_t variable_columns = 0;
  RowPointer used_pages;
  RowPointer free_pages;
  std::vector<Column> columns;  // in column-number order
  std::vector<RealIndex> real_indexes;
  std::vector<Index> indexes;
  std::vector<LongValueMaps> long_value_maps;

  const Column* find_column(std::u16string_view name) const;
  const LongValueMaps* long_value_maps_of(uint16_t column_number) const;
};

// Reads the table definition that starts on `page`, following its continuation pages.
TableDefinition read_table_definition(PageCache& pages, uint32_t page);

}  // namespace jet
