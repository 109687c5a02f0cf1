#pragma once
// Files and folders that exist, in a table; records every path asked for.
#include <map>
#include <string>
#include <vector>

#include "platform/file_attributes.h"

namespace fakes {

class FakeFileAttributes final : public platform::FileAttributes {
 public:
  std::map<std::string, unsigned long> existing;  // path -> attributes
  std::vector<std::string> asked;

  unsigned long Get(const char* path) override {
    asked.emplace_back(path);
    const auto found = existing.find(path);
    return found == existing.end() ? platform::kInvalidFileAttributes : found->second;
  }
};

}  // namespace fakes
