#pragma once
// A small route database written by the engine from a jet-sql script, in the test's own folder.
#include <string>

namespace route::testing {

// The four tables as the program's file has them, and a few rows of each.
extern const char kSmallRouteScript[];

// Writes a new database at a fresh path from the script; returns the path.
std::string BuildDatabase(const std::string& name, const std::string& script);

}  // namespace route::testing
