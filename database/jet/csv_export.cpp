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

void export_csv(const Table& table, std::ostream& out) {
  std::string line;
  const auto& columns = table.definition().columns;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) line += ',';
    const std::string name = to_utf8(columns[i].name);
    if (name.find_first_of(",\"\r\n") == std::string::npos)
      line += name;
    else
      put_quoted(name, line);
  }
  line += '\n';
  out << line;

  TableScan scan = table.scan();
  std::vector<Value> row;
  while (scan.next(row)) {
    line.clear();
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
    out << line;
  }
}

}  // namespace jet
