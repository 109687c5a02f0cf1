#pragma once
#include "platform/last_error.h"

namespace platform {

class Win32LastError final : public LastError {
 public:
  unsigned long Get() override;
  void Set(unsigned long code) override;
};

}  // namespace platform
