#include "database/jet/row_codec.h"

#include <bit>
#include <cstring>
#include <optional>
#include <string>

#include "database/jet/long_value.h"
#include "database/jet/text.h"

namespace jet {
namespace {

// Where the parts of a row lie: a count of columns, fixed-length values, variable-length values,
// their offsets (last first), their count and the null mask.
struct Layout {
  uint16_t columns = 0;
  size_t mask_at = 0;
  size_t fixed_end = 0;
  size_t variable_count = 0;
  size_t variable_table_at = 0;  // the entry of variable value 0
  size_t variable_end = 0;
};

Layout lay_out(const TableDefinition& table, const Region& row) {
  Layout l;
  if (row.size() < 3) row.fail("a row of " + std::to_string(row.size()) + " bytes is too short");
  l.columns = row.u16(0);
  if (l.columns == 0) row.fail("a row stores no columns");
  const size_t mask_size = (l.columns + 7u) / 8u;
  if (2 + mask_size > row.size())
    row.fail("a row of " + std::to_string(row.size()) + " bytes cannot hold the null mask of " +
             std::to_string(l.columns) + " columns");
  l.mask_at = row.size() - mask_size;
  if (table.variable_columns == 0) {
    l.fixed_end = l.mask_at;
    return l;
  }
  if (l.mask_at < 2 + 4) row.fail("a row is too short for its table of variable-length values");
  l.variable_count = row.u16(l.mask_at - 2);
  const size_t table_size = 2 * (l.variable_count + 1) + 2;
  if (table_size + 2 > l.mask_at)
    row.fail("a row claims " + std::to_string(l.variable_count) +
             " variable-length values, more than its size allows");
  const size_t table_begin = l.mask_at - table_size;
  l.variable_table_at = l.mask_at - 4;
  l.variable_end = row.u16(table_begin);
  if (l.variable_end < 2 || l.variable_end > table_begin)
    row.fail("a row's variable-length values end at offset " + std::to_string(l.variable_end) +
             ", outside the row");
  l.fixed_end = l.variable_count > 0 ? row.u16(l.variable_table_at) : l.variable_end;
  if (l.fixed_end < 2 || l.fixed_end > l.variable_end)
    row.fail("a row's variable-length values start at offset " + std::to_string(l.fixed_end) +
             ", outside the row");
  return l;
}

bool mask_bit(const Region& row, const Layout& l, uint16_t number) {
  if (number >= l.columns) return false;
  return (row.u8(l.mask_at + number / 8) >> (number % 8) & 1) != 0;
}

template <typename T>
T load(std::span<const uint8_t> bytes) {
  T value;
  std::memcpy(&value, bytes.data(), sizeof value);
  return value;
}

Value decode_fixed(const Column& c, std::span<const uint8_t> b) {
  switch (c.type) {
    case ColumnType::byte: return int64_t{b[0]};
    case ColumnType::integer: return int64_t{static_cast<int16_t>(le16(b.data()))};
    case ColumnType::long_integer: return int64_t{static_cast<int32_t>(le32(b.data()))};
    case ColumnType::currency:
      return Currency{static_cast<int64_t>(le32(b.data()) | static_cast<uint64_t>(le32(b.data() + 4)) << 32)};
    case ColumnType::single: return std::bit_cast<float>(le32(b.data()));
    case ColumnType::double_:
    case ColumnType::date_time: {
      const uint64_t bits = le32(b.data()) | static_cast<uint64_t>(le32(b.data() + 4)) << 32;
      const double number = std::bit_cast<double>(bits);
      if (c.type == ColumnType::date_time) return DateTime{number};
      return number;
    }
    case ColumnType::replication_id: {
      Guid g;
      std::memcpy(g.bytes.data(), b.data(), g.bytes.size());
      return g;
    }
    case ColumnType::decimal: {
      Decimal d;
      d.negative = (b[0] & 0x80) != 0;
      d.scale = c.scale;
      for (size_t i = 0; i < 4; ++i) d.words[i] = le32(b.data() + 1 + 4 * i);
      return d;
    }
    default: break;
  }
  return Binary(b.begin(), b.end());
}

Value decode_variable(PageCache& pages, const Column& c, const Region& field) {
  switch (c.type) {
    case ColumnType::text: return decode_text(field.bytes());
    case ColumnType::memo: {
      const Binary bytes = read_long_value(pages, field);
      return decode_text(bytes);
    }
    case ColumnType::ole: return read_long_value(pages, field);
    default: break;
  }
  // Fixed-size types in the variable part: read as such when the size fits, else as bytes.
  const unsigned size = fixed_size(c.type);
  if (size != 0 && field.size() >= size) return decode_fixed(c, field.bytes());
  const auto bytes = field.bytes();
  return Binary(bytes.begin(), bytes.end());
}

// Where a column's value lies in the row; nothing for NULL and Yes/No.
std::optional<Region> field_of(const Region& row, const Layout& l, const Column& c) {
  if (c.type == ColumnType::yes_no || !mask_bit(row, l, c.number)) return std::nullopt;
  if (c.fixed()) {
    const size_t size = c.type == ColumnType::text || c.type == ColumnType::binary ||
                                !known_column_type(c.type_code) || long_value_type(c.type)
                            ? c.length
                            : fixed_size(c.type);
    const size_t at = 2 + static_cast<size_t>(c.fixed_offset);
    if (at + size > l.fixed_end)
      row.fail("column " + to_windows1252(c.name) + " lies outside the fixed part of a row (" +
               std::to_string(at) + "+" + std::to_string(size) + " of " +
               std::to_string(l.fixed_end) + " bytes)");
    return row.sub(at, size);
  }
  if (c.variable_index >= l.variable_count) return std::nullopt;
  const size_t begin = row.u16(l.variable_table_at - 2 * static_cast<size_t>(c.variable_index));
  const size_t end = static_cast<size_t>(c.variable_index) + 1 < l.variable_count
                         ? row.u16(l.variable_table_at - 2 * (static_cast<size_t>(c.variable_index) + 1))
                         : l.variable_end;
  if (begin < l.fixed_end || begin > end || end > l.variable_end)
    row.fail("column " + to_windows1252(c.name) + " has impossible offsets " + std::to_string(begin) +
             ".." + std::to_string(end) + " in a row");
  return row.sub(begin, end - begin);
}

}  // namespace

std::vector<std::pair<uint16_t, Region>> long_value_fields(const TableDefinition& table, const Region& row) {
  const Layout l = lay_out(table, row);
  std::vector<std::pair<uint16_t, Region>> fields;
  for (const Column& c : table.columns)
    if (long_value_type(c.type))
      if (auto field = field_of(row, l, c)) fields.emplace_back(c.number, *field);
  return fields;
}

std::vector<Value> decode_row(PageCache& pages, const TableDefinition& table, const Region& row) {
  const Layout l = lay_out(table, row);
  std::vector<Value> values;
  values.reserve(table.columns.size());
  for (const Column& c : table.columns) {
    if (c.type == ColumnType::yes_no) {
      values.emplace_back(mask_bit(row, l, c.number));
      continue;
    }
    const std::optional<Region> field = field_of(row, l, c);
    if (!field) {
      values.emplace_back(Null{});
    } else if (c.fixed() && c.type == ColumnType::text) {
      values.emplace_back(decode_text(field->bytes()));
    } else if (c.fixed() && !long_value_type(c.type)) {
      values.push_back(decode_fixed(c, field->bytes()));
    } else {
      values.push_back(decode_variable(pages, c, *field));
    }
  }
  return values;
}

}  // namespace jet
