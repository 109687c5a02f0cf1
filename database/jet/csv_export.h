#pragma once

#include <ostream>

#include "database/jet/database.h"

namespace jet {

// Writes a table as CSV in UTF-8: a header line of column names, then one line per row in
// natural order. Texts, dates, Replication IDs and binary values (as hex digits) are quoted,
// inner quotes doubled; numbers are plain; NULL is an empty field.
void export_csv(const Table& table, std::ostream& out);

}  // namespace jet
