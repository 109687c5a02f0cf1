#pragma once
// The one error of the SQL layer: what went wrong, in which statement and where.
#include <stdexcept>
#include <string>
#include <string_view>

#include "database/sql/source.h"

namespace sql {

struct Statement;

class SqlError : public std::runtime_error {
 public:
  // statement_text: the statement's text from its start (only its beginning is quoted).
  SqlError(int statement, std::string_view statement_text, Position where, std::string detail);

  int statement() const { return statement_; }
  const Position& where() const { return where_; }
  // The message without the statement and position.
  const std::string& detail() const { return detail_; }

 private:
  int statement_;
  Position where_;
  std::string detail_;
};

// An error at offset (in the script, within the statement's range) of a parsed statement.
SqlError ErrorAt(const Statement& statement, std::size_t offset, std::string detail);

// The beginning of a statement as an error quotes it: up to the first ';', blanks
// run together, cut with "..." when long.
std::string StatementOpening(std::string_view statement_text);

}  // namespace sql
