#pragma once

#include <cstdint>
#include <vector>

namespace jet_test {

// Opens the bytes as a database and reads every table, row and value the way the export does.
// Returns normally or throws jet::Error; anything else (a crash, another exception) is a fault.
void read_everything(const std::vector<uint8_t>& bytes);

}  // namespace jet_test
