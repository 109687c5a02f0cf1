#include "platform/win32/last_error_win32.h"

#include <windows.h>

namespace platform {

unsigned long Win32LastError::Get() { return GetLastError(); }

void Win32LastError::Set(unsigned long code) { SetLastError(code); }

}  // namespace platform
