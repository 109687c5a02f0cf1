#include "platform/win32/file_attributes_win32.h"

#include <windows.h>

namespace platform {

unsigned long Win32FileAttributes::Get(const char* path) { return GetFileAttributesA(path); }

}  // namespace platform
