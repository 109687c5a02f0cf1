#pragma once
// One expected error of a script: which statement, where, and what it says.
#include <gtest/gtest.h>

#include "database/sql/sql_error.h"

namespace sql {

struct ErrorCase {
  const char* script;
  int statement;
  int line;
  int column;
  const char* detail;
};

inline void ExpectError(const SqlError& e, const ErrorCase& c) {
  EXPECT_EQ(e.detail(), c.detail) << c.script;
  EXPECT_EQ(e.statement(), c.statement) << c.script;
  EXPECT_EQ(e.where().line, c.line) << c.script;
  EXPECT_EQ(e.where().column, c.column) << c.script;
}

}  // namespace sql
