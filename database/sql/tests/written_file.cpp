#include "database/sql/tests/written_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <sstream>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/tests/csv_fields.h"
#include "database/jet/text.h"

namespace sql_test {
namespace {

std::string ShellQuoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string MdbExport(const std::string& file, const std::string& table) {
  const std::string command =
      "mdb-export -b hex -T '%Y-%m-%d %H:%M:%S' " + ShellQuoted(file) + " " + ShellQuoted(table) + " 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string out;
  char buffer[65536];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, n);
  EXPECT_EQ(pclose(pipe.release()), 0) << "mdb-export " << file << " " << table;
  return out;
}

// mdb-export writes Currency with four decimals and numbers in its own shortest form, and
// shows every date before 1900 or in the year 9999 as "1900-01-00 00:00:00".
bool SameValue(jet::ColumnType type, const std::string& ours, const std::string& theirs) {
  if (ours == theirs) return true;
  if (ours.empty() || theirs.empty()) return false;
  switch (type) {
    case jet::ColumnType::date_time:
      return theirs == "1900-01-00 00:00:00" && (ours < "1900" || ours.starts_with("9999"));
    case jet::ColumnType::currency:
    case jet::ColumnType::single:
    case jet::ColumnType::double_: return std::strtod(ours.c_str(), nullptr) == std::strtod(theirs.c_str(), nullptr);
    default: return false;
  }
}

}  // namespace

std::vector<jet_test::CsvRow> MdbExportRows(const std::string& file, const std::string& table) {
  return jet_test::parse_csv(MdbExport(file, table));
}

ScratchFolder::ScratchFolder() {
  std::random_device random;
  folder_ = std::filesystem::temp_directory_path() / ("jet-sql-test-" + std::to_string(random()));
  std::filesystem::create_directories(folder_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void ExpectMdbExportAgrees(const std::string& file) {
  const jet::Database database = jet::Database::open(file);
  for (const std::u16string& name : database.table_names()) {
    const jet::Table table = database.table(name);
    SCOPED_TRACE(file + " " + jet::to_utf8(name));
    std::ostringstream ours_text;
    jet::export_csv(table, ours_text);
    const auto ours = jet_test::parse_csv(ours_text.str());
    const auto theirs = MdbExportRows(file, jet::to_utf8(name));
    ASSERT_EQ(ours.size(), theirs.size()) << "rows";
    const auto& columns = table.definition().columns;
    for (size_t r = 0; r < ours.size(); ++r) {
      ASSERT_EQ(ours[r].size(), theirs[r].size()) << "row " << r;
      for (size_t c = 0; c < ours[r].size(); ++c) {
        EXPECT_TRUE(SameValue(columns[c].type, ours[r][c], theirs[r][c]))
            << "row " << r << " column " << ours[0][c] << ": ours \"" << ours[r][c] << "\", mdb-export \""
            << theirs[r][c] << "\"";
      }
    }
  }
}

}  // namespace sql_test
