// jet-sql [--create] FILE [SCRIPT]: runs the statements of SCRIPT (or of standard input)
// against FILE; --create makes FILE, a new empty database, first. Each SELECT prints its
// rows as CSV, as jet-export does.
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "database/jet/database.h"
#include "database/jet/error.h"
#include "database/sql/script_runner.h"
#include "database/sql/script_text.h"

namespace {

int Usage() {
  std::cerr << "usage: jet-sql [--create] FILE [SCRIPT]\n"
               "  runs the statements of SCRIPT, or of standard input, against FILE;\n"
               "  --create makes FILE, a new empty database, first\n";
  return 2;
}

// A file that may only be read still answers SELECTs; a write then says why it cannot.
jet::Database Open(const std::string& path) {
  try {
    return jet::Database::open(path, jet::OpenMode::ReadWrite);
  } catch (const jet::Error&) {
    return jet::Database::open(path);
  }
}

std::string ReadAll(std::istream& in) {
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  bool create = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--create") {
      create = true;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      return Usage();
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.empty() || paths.size() > 2) return Usage();

  try {
    std::string script;
    if (paths.size() == 2 && paths[1] != "-") {
      std::ifstream file(paths[1], std::ios::binary);
      if (!file) {
        std::cerr << "jet-sql: cannot read the script " << paths[1] << '\n';
        return 1;
      }
      script = ReadAll(file);
    } else {
      script = ReadAll(std::cin);
    }
    script = sql::ScriptText(script);
    jet::Database database = create ? jet::Database::create(paths[0]) : Open(paths[0]);
    sql::RunScript(database, script, std::cout);
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "jet-sql: the output cannot be written\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "jet-sql: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
