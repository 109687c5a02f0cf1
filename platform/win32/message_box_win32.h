#pragma once
#include "platform/message_box.h"

namespace platform {

class Win32MessageBoxes final : public MessageBoxes {
 public:
  int Show(const char* text, const char* caption, unsigned style) override;
};

}  // namespace platform
