#include "database/jet/error.h"

namespace jet {
namespace {

std::string compose(const std::string& file, const std::optional<uint32_t>& page,
                    const std::string& problem) {
  std::string text = file + ": ";
  if (page) text += "page " + std::to_string(*page) + ": ";
  return text + problem;
}

}  // namespace

Error::Error(std::string file, std::optional<uint32_t> page, std::string problem)
    : std::runtime_error(compose(file, page, problem)),
      file_(std::move(file)),
      page_(page),
      problem_(std::move(problem)) {}

}  // namespace jet
