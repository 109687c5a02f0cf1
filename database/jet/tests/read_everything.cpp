#include "database/jet/tests/read_everything.h"

#include <memory>
#include <sstream>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/error.h"

namespace jet_test {

void read_everything(const std::vector<uint8_t>& bytes) {
  // A small cache, so that evictions happen during the reads too.
  const jet::Database db(std::make_unique<jet::MemoryFile>("input.mdb", bytes), 4);
  for (const auto& name : db.table_names(true)) {
    try {
      std::ostringstream out;
      jet::export_csv(db.table(name), out);
    } catch (const jet::Error&) {
      // One bad table does not stop the others from being read.
    }
  }
}

}  // namespace jet_test
