#pragma once

#include <cstdint>
#include <vector>

#include "database/jet/file.h"

namespace jet {

// What page 0 says about the database, its masked part decoded.
struct DatabaseHeader {
  static constexpr uint32_t page_size = 4096;

  uint16_t code_page = 0;
  uint32_t database_key = 0;
  uint32_t collation = 0;
  double creation_date = 0;
};

// Reads and checks page 0: only Jet 4 (Access 2000-2003) files are accepted; other formats
// are refused with an error that names the format found.
DatabaseHeader read_header(const File& file);
// Sets the creation date in the masked part of page 0 (days since 1899-12-30).
void set_creation_date(std::vector<uint8_t>& page0, double days);

}  // namespace jet
