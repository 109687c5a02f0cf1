#pragma once

#include <string>
#include <vector>

namespace jet_test {

using CsvRow = std::vector<std::string>;

// Splits CSV text into rows of fields: quoted fields may hold commas, doubled quotes and
// line breaks; quotes are removed.
std::vector<CsvRow> parse_csv(const std::string& text);

}  // namespace jet_test
