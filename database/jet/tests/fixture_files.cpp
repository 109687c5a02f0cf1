#include "database/jet/tests/fixture_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace jet_test {

std::string fixture(const std::string& name) { return std::string(JET_FIXTURES) + "/" + name; }

std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> jet4_fixtures() {
  return {"DateTestDatabase.mdb",    "adox_jet4.mdb",          "compIndexTestV2000.mdb",
          "delColTestV2000.mdb",     "delTestV2000.mdb",       "fixedNumericTestV2000.mdb",
          "fixedTextTestV2000.mdb",  "indexCursorTestV2000.mdb", "indexTestV2000.mdb",
          "overflowTestV2000.mdb",   "queryTestV2000.mdb",     "testV2000.mdb"};
}

}  // namespace jet_test
