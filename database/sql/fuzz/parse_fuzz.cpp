// Any text either parses or raises SqlError; what parses prints to a canonical
// form that parses back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "database/sql/binding.h"
#include "database/sql/format.h"
#include "database/sql/parser.h"
#include "database/sql/sql_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  try {
    for (const sql::Statement& statement : sql::ParseScript(script)) {
      const std::string canonical = sql::FormatStatement(statement);
      if (sql::FormatStatement(sql::ParseStatement(canonical)) != canonical) std::abort();
    }
  } catch (const sql::SqlError&) {
  }
  try {
    sql::ParseScript(sql::BindParameter(script, std::string(script.substr(0, 8))));
  } catch (const sql::SqlError&) {
  }
  return 0;
}
