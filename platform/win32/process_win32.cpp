#include "platform/win32/process_win32.h"

#include <cstdlib>

namespace platform {

void Win32Process::Exit(unsigned long code) { std::exit(static_cast<int>(code)); }

}  // namespace platform
