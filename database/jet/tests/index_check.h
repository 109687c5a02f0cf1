#pragma once

#include <cstddef>

#include "database/jet/database.h"

namespace jet_test {

// Checks, entry by entry, every index the engine keeps (on one leaf page, over columns it can
// key) of every table against the table's rows; a difference fails the running test.
// Returns how many indexes were checked.
size_t check_kept_indexes(const jet::Database& db);

}  // namespace jet_test
