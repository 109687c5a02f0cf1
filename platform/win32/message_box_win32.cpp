#include "platform/win32/message_box_win32.h"

#include <windows.h>

namespace platform {

int Win32MessageBoxes::Show(const char* text, const char* caption, unsigned style) {
  return MessageBoxA(nullptr, text, caption, style);
}

}  // namespace platform
