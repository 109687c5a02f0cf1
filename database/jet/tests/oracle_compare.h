#pragma once

#include <string>
#include <vector>

#include "database/jet/tests/csv_fields.h"

namespace jet_test {

// Every table (user and system) of the file read by this engine and by mdb-export, value for
// value; where they differ, mdb-reader decides. `any_order` compares each user table as a set of
// rows (the other readers list rows that overflowed where their data went).
void compare_file(const std::string& path, const std::string& label, bool any_order = false);
std::vector<CsvRow> mdb_export(const std::string& file, const std::string& table);

}  // namespace jet_test
