#pragma once
// jet-sql text to statements. Errors are SqlError, naming the statement and the
// line and column.
#include <optional>
#include <string_view>
#include <vector>

#include "database/sql/ast.h"
#include "database/sql/token_cursor.h"

namespace sql {

// Reads a script one statement at a time, so that a caller can run each before
// the next is read. The script must outlive the reader.
class ScriptReader {
 public:
  explicit ScriptReader(std::string_view script) : cursor_(script) {}

  // The next statement, or nullopt at the end; empty statements are skipped.
  std::optional<Statement> Next();

 private:
  TokenCursor cursor_;
  int count_ = 0;
};

// Statements separated by ';'; empty statements (";;", a trailing ';') are skipped.
std::vector<Statement> ParseScript(std::string_view script);

// Exactly one statement, with or without a closing ';'.
Statement ParseStatement(std::string_view text);

}  // namespace sql
