#pragma once
// Readable test failures for the source types.
#include <ostream>

#include "database/sql/source.h"

namespace sql {

inline void PrintTo(const Position& p, std::ostream* os) {
  *os << "offset " << p.offset << ", line " << p.line << ", column " << p.column;
}

inline void PrintTo(const SourceRange& r, std::ostream* os) { *os << "[" << r.begin << ", " << r.end << ")"; }

}  // namespace sql
