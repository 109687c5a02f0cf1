#pragma once
#include "platform/process.h"

namespace platform {

class Win32Process final : public Process {
 public:
  [[noreturn]] void Exit(unsigned long code) override;
};

}  // namespace platform
