#include "database/route/stored_statement.h"

namespace route {

std::string StoredStatement::text() const {
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += ' ';
    joined += lines[i];
  }
  return joined;
}

}  // namespace route
