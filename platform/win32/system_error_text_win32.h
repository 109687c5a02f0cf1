#pragma once
#include "platform/system_error_text.h"

namespace platform {

class Win32SystemErrorText final : public SystemErrorText {
 public:
  Module LoadModule(const char* file_name, unsigned long flags) override;
  void UnloadModule(Module module) override;
  std::string Format(unsigned long flags, Module module, unsigned long code, unsigned long language) override;
};

}  // namespace platform
