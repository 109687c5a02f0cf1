#include "platform/win32/ipc_transport_win32.h"

#include <windows.h>

namespace platform {

WindowHandle Win32IpcTransport::FindTopWindow(const char* class_name) {
  return FindWindowExA(nullptr, nullptr, class_name, nullptr);
}

std::uint32_t Win32IpcTransport::RegisterMessage(const char* name) { return RegisterWindowMessageA(name); }

std::uint32_t Win32IpcTransport::CurrentProcessId() { return GetCurrentProcessId(); }

std::uint16_t Win32IpcTransport::AddNameAtom(const char* name) { return GlobalAddAtomA(name); }

void Win32IpcTransport::DeleteNameAtom(std::uint16_t atom) { GlobalDeleteAtom(atom); }

ObjectHandle Win32IpcTransport::CreateMapping(std::uint32_t size, const char* name) {
  return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
}

void* Win32IpcTransport::MapView(ObjectHandle mapping) {
  return MapViewOfFile(static_cast<HANDLE>(mapping), FILE_MAP_WRITE, 0, 0, 0);
}

void Win32IpcTransport::UnmapView(void* view) { UnmapViewOfFile(view); }

void Win32IpcTransport::CloseObject(ObjectHandle handle) { CloseHandle(static_cast<HANDLE>(handle)); }

bool Win32IpcTransport::SendMessageWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                                               std::intptr_t lparam, std::uint32_t timeout_ms, std::uintptr_t& reply) {
  DWORD_PTR result = 0;
  LRESULT sent =
      SendMessageTimeoutA(static_cast<HWND>(window), message, wparam, lparam, SMTO_BLOCK, timeout_ms, &result);
  reply = result;
  return sent != 0;
}

void Win32IpcTransport::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::uint32_t Win32IpcTransport::LastError() { return GetLastError(); }

}  // namespace platform
