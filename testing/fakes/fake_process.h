#pragma once
// Ending the process throws ProcessExit instead, so a test sees the exit status
// and the calls made before it.
#include "platform/process.h"

namespace fakes {

struct ProcessExit {
  unsigned long code;
};

class FakeProcess final : public platform::Process {
 public:
  [[noreturn]] void Exit(unsigned long code) override { throw ProcessExit{code}; }
};

}  // namespace fakes
