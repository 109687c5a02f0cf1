#include "database/jet/csv_export.h"

#include <string>

#include "database/jet/text.h"
#include "database/jet/value_format.h"

namespace jet {
namespace {

void put_quoted(const std::string& text, std::string& line) {
  line += '"';
  for (const char c : text) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

bool quoted(const Value& value) {
  return std::holds_alternative<std::u16string>(value) || std::holds_alternative<DateTime>(value) ||
         std::holds_alternative<Binary>(value) || std::holds_alternative<Guid>(value);
}

}  // namespace

std::string csv_header_line(const std::vector<std::u16string>& names) {
  std::string line;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) line += ',';
    const std::string name = to_utf8(names[i]);
    if (name.find_first_of(",\"\r\n") == std::string::npos)
      line += name;
    else
      put_quoted(name, line);
  }
  line += '\n';
  return line;
}

std::string csv_row_line(const std::vector<Value>& row) {
  std::string line;
  for (size_t i = 0; i < row.size(); ++i) {
    if (i > 0) line += ',';
    if (is_null(row[i])) continue;
    const std::string text = format_value(row[i], Encoding::utf8);
    if (quoted(row[i]))
      put_quoted(text, line);
    else
      line += text;
  }
  line += '\n';
  return line;
}

void export_csv(const Table& table, std::ostream& out) {
  std::vector<std::u16string> names;
  for (const auto& column : table.definition().columns) names.push_back(column.name);
  out << csv_header_line(names);

  TableScan scan = table.scan();
  std::vector<Value> row;
  while (scan.next(row)) out << csv_row_line(row);
}

}  // namespace jet
