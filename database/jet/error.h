#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace jet {

// The one error of the engine: which file, which page (when one is concerned) and what was wrong.
class Error : public std::runtime_error {
 public:
  Error(std::string file, std::optional<uint32_t> page, std::string problem);

  const std::string& file() const { return file_; }
  const std::optional<uint32_t>& page() const { return page_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string file_;
  std::optional<uint32_t> page_;
  std::string problem_;
};

}  // namespace jet
