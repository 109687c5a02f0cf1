#pragma once
// The one error of the route database layer: the file, a statement or an edit failed.
// Its message is what the user reads in the error box.
#include <stdexcept>
#include <string>

namespace route {

class DataAccessError : public std::runtime_error {
 public:
  explicit DataAccessError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace route
