#pragma once
// A last-error value that tests set and read; records every value set.
#include <vector>

#include "platform/last_error.h"

namespace fakes {

class FakeLastError final : public platform::LastError {
 public:
  unsigned long value = 0;
  std::vector<unsigned long> set;

  unsigned long Get() override { return value; }
  void Set(unsigned long code) override {
    set.push_back(code);
    value = code;
  }
};

}  // namespace fakes
