#include "database/sql/source.h"

namespace sql {

Position Advance(Position from, std::string_view text, std::size_t target) {
  for (std::size_t i = 0; from.offset < target && i < text.size(); ++i, ++from.offset) {
    if (text[i] == '\n') {
      ++from.line;
      from.column = 1;
    } else {
      ++from.column;
    }
  }
  return from;
}

}  // namespace sql
