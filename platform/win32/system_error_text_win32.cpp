#include "platform/win32/system_error_text_win32.h"

#include <windows.h>

#include <memory>

namespace platform {
namespace {

struct LocalFreeDeleter {
  void operator()(char* text) const { LocalFree(text); }
};

}  // namespace

Module Win32SystemErrorText::LoadModule(const char* file_name, unsigned long flags) {
  return reinterpret_cast<Module>(LoadLibraryExA(file_name, nullptr, flags));
}

void Win32SystemErrorText::UnloadModule(Module module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }

std::string Win32SystemErrorText::Format(unsigned long flags, Module module, unsigned long code,
                                         unsigned long language) {
  char* allocated = nullptr;
  const DWORD count = FormatMessageA(flags | FORMAT_MESSAGE_ALLOCATE_BUFFER, module, code, language,
                                     reinterpret_cast<char*>(&allocated), 0, nullptr);
  const std::unique_ptr<char, LocalFreeDeleter> text(allocated);
  return count == 0 ? std::string() : std::string(allocated, count);
}

}  // namespace platform
