#pragma once
// A statement kept as the lines it was written in; they run joined with one blank.
#include <string>
#include <vector>

namespace route {

struct StoredStatement {
  std::vector<std::string> lines;

  bool empty() const { return lines.empty(); }
  std::string text() const;
};

}  // namespace route
