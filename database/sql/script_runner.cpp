#include "database/sql/script_runner.h"

#include "database/sql/csv_output.h"
#include "database/sql/executor.h"
#include "database/sql/parser.h"

namespace sql {

void RunScript(jet::Database& database, std::string_view script, std::ostream& out) {
  Executor executor(database);
  ScriptReader reader(script);
  while (std::optional<Statement> statement = reader.Next()) {
    if (std::optional<ResultSet> rows = executor.Run(*statement)) WriteCsv(*rows, out);
  }
}

}  // namespace sql
