#pragma once
// A script run statement by statement: each is read, then run, before the next is read, so
// that a fault anywhere stops the script there with what came before it done.
#include <ostream>
#include <string_view>

#include "database/jet/database.h"

namespace sql {

// Each SELECT's rows go to out as CSV. SqlError from the failing statement.
void RunScript(jet::Database& database, std::string_view script, std::ostream& out);

}  // namespace sql
