// libFuzzer target: any bytes as a database file, through the header, catalog, table
// definitions, usage maps, data pages, rows and long values.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "database/jet/error.h"
#include "database/jet/tests/read_everything.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    jet_test::read_everything(std::vector<uint8_t>(data, data + size));
  } catch (const jet::Error&) {
    // A clear refusal is a correct answer.
  }
  return 0;
}
