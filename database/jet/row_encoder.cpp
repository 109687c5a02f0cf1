#include "database/jet/row_encoder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "database/jet/text.h"

namespace jet {
namespace {

[[noreturn]] void refuse(PageCache& pages, const TableDefinition& table, const Column& c, const std::string& problem) {
  pages.fail(table.page, "column " + to_windows1252(c.name) + ": " + problem);
}

const char* kind_of(const Value& v) {
  switch (v.index()) {
    case 1: return "a Yes/No value";
    case 2: return "a whole number";
    case 3: return "a Currency value";
    case 4:
    case 5: return "a number";
    case 6: return "a date";
    case 7: return "a text";
    case 8: return "binary data";
    case 9: return "a Replication ID";
    case 10: return "a Decimal value";
    default: return "NULL";
  }
}

std::optional<double> as_double(const Value& v) {
  if (const auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* f = std::get_if<float>(&v)) return static_cast<double>(*f);
  if (const auto* c = std::get_if<Currency>(&v)) return static_cast<double>(c->ten_thousandths) / 10000.0;
  return std::nullopt;
}

Value fit(PageCache& pages, const TableDefinition& table, const Column& c, Value v) {
  const auto wrong = [&]() -> Value {
    refuse(pages, table, c, std::string(kind_of(v)) + " does not fit a " + type_name(c.type) + " column");
  };
  switch (c.type) {
    case ColumnType::yes_no:
      if (std::holds_alternative<bool>(v)) return v;
      if (const auto* i = std::get_if<int64_t>(&v)) return *i != 0;
      return wrong();
    case ColumnType::byte:
    case ColumnType::integer:
    case ColumnType::long_integer: {
      int64_t number = 0;
      if (const auto* i = std::get_if<int64_t>(&v)) {
        number = *i;
      } else if (const auto d = as_double(v); d && std::isfinite(*d) && std::trunc(*d) == *d &&
                                            std::abs(*d) < 9.0e18) {
        number = static_cast<int64_t>(*d);
      } else if (std::holds_alternative<bool>(v)) {
        number = std::get<bool>(v) ? -1 : 0;  // Access's own True
      } else {
        return wrong();
      }
      const int64_t low = c.type == ColumnType::byte ? 0 : c.type == ColumnType::integer ? INT16_MIN : INT32_MIN;
      const int64_t high = c.type == ColumnType::byte ? 255 : c.type == ColumnType::integer ? INT16_MAX : INT32_MAX;
      if (number < low || number > high)
        refuse(pages, table, c, std::to_string(number) + " is out of the range of a " + type_name(c.type) +
                                    " (" + std::to_string(low) + " to " + std::to_string(high) + ")");
      return number;
    }
    case ColumnType::currency: {
      if (std::holds_alternative<Currency>(v)) return v;
      if (const auto* i = std::get_if<int64_t>(&v)) {
        if (*i > INT64_MAX / 10000 || *i < INT64_MIN / 10000)
          refuse(pages, table, c, std::to_string(*i) + " is out of the range of a Currency value");
        return Currency{*i * 10000};
      }
      const auto d = as_double(v);
      if (!d) return wrong();
      const double scaled = std::round(*d * 10000.0);
      if (!std::isfinite(scaled) || std::abs(scaled) >= 9.2e18)
        refuse(pages, table, c, "the number is out of the range of a Currency value");
      return Currency{static_cast<int64_t>(scaled)};
    }
    case ColumnType::single: {
      const auto d = as_double(v);
      if (!d) return wrong();
      if (std::isfinite(*d) && std::abs(*d) > std::numeric_limits<float>::max())
        refuse(pages, table, c, "the number is out of the range of a Single");
      return static_cast<float>(*d);
    }
    case ColumnType::double_: {
      const auto d = as_double(v);
      if (!d) return wrong();
      return *d;
    }
    case ColumnType::date_time:
      if (std::holds_alternative<DateTime>(v)) return v;
      if (const auto d = as_double(v)) return DateTime{*d};
      return wrong();
    case ColumnType::text: {
      const auto* text = std::get_if<std::u16string>(&v);
      if (!text) return wrong();
      const size_t most = c.length / 2u;
      if (text->size() > most)
        refuse(pages, table, c, "a text of " + std::to_string(text->size()) + " characters is longer than the column's " +
                                    std::to_string(most));
      return v;
    }
    case ColumnType::memo:
      if (!std::holds_alternative<std::u16string>(v)) return wrong();
      return v;
    case ColumnType::binary:
      if (const auto* b = std::get_if<Binary>(&v)) {
        if (b->size() > c.length)
          refuse(pages, table, c, std::to_string(b->size()) + " bytes are longer than the column's " +
                                      std::to_string(c.length));
        return v;
      }
      return wrong();
    case ColumnType::ole:
      if (!std::holds_alternative<Binary>(v)) return wrong();
      return v;
    case ColumnType::replication_id:
      if (!std::holds_alternative<Guid>(v)) return wrong();
      return v;
    case ColumnType::decimal:
      if (const auto* d = std::get_if<Decimal>(&v)) {
        Decimal out = *d;
        if (out.scale != c.scale) refuse(pages, table, c, "a Decimal of another scale does not fit the column");
        return out;
      }
      return wrong();
  }
  return wrong();
}

void store_fixed(const Column& c, const Value& v, uint8_t* at) {
  switch (c.type) {
    case ColumnType::byte: at[0] = static_cast<uint8_t>(std::get<int64_t>(v)); break;
    case ColumnType::integer: put16(at, static_cast<uint16_t>(std::get<int64_t>(v))); break;
    case ColumnType::long_integer: put32(at, static_cast<uint32_t>(std::get<int64_t>(v))); break;
    case ColumnType::currency: {
      const auto bits = static_cast<uint64_t>(std::get<Currency>(v).ten_thousandths);
      put32(at, static_cast<uint32_t>(bits));
      put32(at + 4, static_cast<uint32_t>(bits >> 32));
      break;
    }
    case ColumnType::single: put32(at, std::bit_cast<uint32_t>(std::get<float>(v))); break;
    case ColumnType::double_:
    case ColumnType::date_time: {
      const double d = c.type == ColumnType::double_ ? std::get<double>(v) : std::get<DateTime>(v).days;
      const auto bits = std::bit_cast<uint64_t>(d);
      put32(at, static_cast<uint32_t>(bits));
      put32(at + 4, static_cast<uint32_t>(bits >> 32));
      break;
    }
    case ColumnType::replication_id: std::memcpy(at, std::get<Guid>(v).bytes.data(), 16); break;
    case ColumnType::decimal: {
      const Decimal& d = std::get<Decimal>(v);
      at[0] = d.negative ? 0x80 : 0x00;
      for (size_t i = 0; i < 4; ++i) put32(at + 1 + 4 * i, d.words[i]);
      break;
    }
    default: break;
  }
}

size_t fixed_width(const Column& c) {
  if (c.type == ColumnType::text || c.type == ColumnType::binary) return c.length;
  return fixed_size(c.type);
}

}  // namespace

std::vector<Value> fit_values(PageCache& pages, const TableDefinition& table, std::vector<Value> values) {
  if (values.size() != table.columns.size())
    pages.fail(table.page, std::to_string(values.size()) + " values were given for the table's " +
                               std::to_string(table.columns.size()) + " columns");
  for (size_t i = 0; i < values.size(); ++i) {
    const Column& c = table.columns[i];
    if (is_null(values[i])) {
      if (c.type == ColumnType::yes_no) {
        values[i] = false;
      } else if (!c.nullable()) {
        refuse(pages, table, c, "NULL is not allowed, a value is required");
      }
      continue;
    }
    values[i] = fit(pages, table, c, std::move(values[i]));
  }
  return values;
}

std::vector<uint8_t> long_value_data(const Column& column, const Value& value) {
  if (const auto* text = std::get_if<std::u16string>(&value))
    return encode_text(*text, column.compressed_text && text->size() <= 1024);
  return std::get<Binary>(value);
}

std::vector<uint8_t> encode_row(const TableDefinition& table, const std::vector<Value>& values,
                                const std::vector<std::vector<uint8_t>>& long_fields) {
  unsigned column_count = table.max_columns;
  size_t fixed_end = 0;
  size_t variable_count = 0;
  for (const Column& c : table.columns) {
    column_count = std::max<unsigned>(column_count, c.number + 1u);
    if (c.fixed()) {
      fixed_end = std::max(fixed_end, static_cast<size_t>(c.fixed_offset) + fixed_width(c));
    } else {
      variable_count = std::max<size_t>(variable_count, c.variable_index + 1u);
    }
  }
  std::vector<uint8_t> row(2 + fixed_end);
  put16(row.data(), static_cast<uint16_t>(column_count));
  std::vector<uint8_t> mask((column_count + 7) / 8);
  const auto present = [&](const Column& c) { mask[c.number / 8] |= static_cast<uint8_t>(1u << (c.number % 8)); };

  std::vector<std::vector<uint8_t>> variable(variable_count);
  std::vector<bool> variable_set(variable_count);
  for (size_t i = 0; i < table.columns.size(); ++i) {
    const Column& c = table.columns[i];
    const Value& v = values[i];
    if (c.type == ColumnType::yes_no) {
      if (std::get<bool>(v)) present(c);
      continue;
    }
    if (is_null(v)) continue;
    present(c);
    std::vector<uint8_t> bytes;
    if (long_value_type(c.type)) {
      bytes = long_fields[i];
    } else if (c.type == ColumnType::text) {
      bytes = encode_text(std::get<std::u16string>(v), c.compressed_text);
    } else if (c.type == ColumnType::binary) {
      bytes = std::get<Binary>(v);
    } else {
      bytes.resize(fixed_size(c.type));
      store_fixed(c, v, bytes.data());
    }
    if (c.fixed()) {
      bytes.resize(fixed_width(c));
      std::copy(bytes.begin(), bytes.end(), row.begin() + 2 + c.fixed_offset);
    } else {
      variable[c.variable_index] = std::move(bytes);
    }
  }
  // Room for an overflow pointer should the row ever move.
  if (variable_count == 0 && row.size() + mask.size() < 4) row.resize(4 - mask.size());
  if (variable_count > 0) {
    std::vector<uint16_t> starts(variable_count);
    for (size_t k = 0; k < variable_count; ++k) {
      starts[k] = static_cast<uint16_t>(row.size());
      row.insert(row.end(), variable[k].begin(), variable[k].end());
    }
    const auto end = static_cast<uint16_t>(row.size());
    row.resize(row.size() + 2 * (variable_count + 1) + 2);
    size_t at = end;
    put16(&row[at], end);
    at += 2;
    for (size_t k = variable_count; k-- > 0; at += 2) put16(&row[at], starts[k]);
    put16(&row[at], static_cast<uint16_t>(variable_count));
  }
  row.insert(row.end(), mask.begin(), mask.end());
  return row;
}

}  // namespace jet
