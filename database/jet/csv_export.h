#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "database/jet/database.h"

namespace jet {

// The lines export_csv writes, each with its '\n', for other writers of the same CSV.
std::string csv_header_line(const std::vector<std::u16string>& names);
std::string csv_row_line(const std::vector<Value>& row);

// Writes a table as CSV in UTF-8: a header line of column names, then one line per row in
// natural order. Texts, dates, Replication IDs and binary values (as hex digits) are quoted,
// inner quotes doubled; numbers are plain; NULL is an empty field.
void export_csv(const Table& table, std::ostream& out);

}  // namespace jet
