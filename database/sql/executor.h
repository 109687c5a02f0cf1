#pragma once
// Runs parsed statements against an open database. Each statement that changes the file
// does so in one change, committed at its end: a statement that fails leaves the file as it
// was, byte for byte, and the statements before it stay done.
#include <optional>
#include <string_view>

#include "database/jet/database.h"
#include "database/sql/ast.h"
#include "database/sql/result_set.h"

namespace sql {

class Executor {
 public:
  explicit Executor(jet::Database& database) : database_(database) {}

  // A SELECT's rows; nothing for the others. Every failure is an SqlError naming the
  // statement and the position; the engine's own errors are placed at the statement's start.
  std::optional<ResultSet> Run(const Statement& statement);

  // The rows of one SELECT statement's text (a closing ';' allowed).
  ResultSet Query(std::string_view select_text);

 private:
  jet::Database& database_;
};

}  // namespace sql
