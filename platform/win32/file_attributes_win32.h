#pragma once
#include "platform/file_attributes.h"

namespace platform {

class Win32FileAttributes final : public FileAttributes {
 public:
  unsigned long Get(const char* path) override;
};

}  // namespace platform
