#pragma once
// Test equipment for files the executor writes: a scratch folder, and the check that
// mdb-export reads every user table of a file with the values our reader reads.
#include <filesystem>
#include <string>
#include <vector>

#include "database/jet/tests/csv_fields.h"

namespace sql_test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

// mdb-export's CSV of the table, the header first; dates as YYYY-MM-DD HH:MM:SS.
std::vector<jet_test::CsvRow> MdbExportRows(const std::string& file, const std::string& table);

// Adds a test failure for every table, row or value where mdb-export differs.
void ExpectMdbExportAgrees(const std::string& file);

}  // namespace sql_test
