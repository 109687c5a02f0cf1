#pragma once
// The system calls the FSUIPC link makes: window search, the registered request
// message, the name atom, the shared region and the blocking send.
#include <cstdint>

namespace platform {

using WindowHandle = void*;
using ObjectHandle = void*;

class IpcTransport {
 public:
  virtual ~IpcTransport() = default;

  // A top-level window of that class, or null (FindWindowExA).
  virtual WindowHandle FindTopWindow(const char* class_name) = 0;
  // 0 on failure (RegisterWindowMessageA).
  virtual std::uint32_t RegisterMessage(const char* name) = 0;
  virtual std::uint32_t CurrentProcessId() = 0;
  // 0 on failure (GlobalAddAtomA / GlobalDeleteAtom).
  virtual std::uint16_t AddNameAtom(const char* name) = 0;
  virtual void DeleteNameAtom(std::uint16_t atom) = 0;
  // A read/write paging-file mapping of that size and name, or null; LastError
  // then tells whether the name already existed (183).
  virtual ObjectHandle CreateMapping(std::uint32_t size, const char* name) = 0;
  // A writable view of the whole mapping, or null.
  virtual void* MapView(ObjectHandle mapping) = 0;
  virtual void UnmapView(void* view) = 0;
  virtual void CloseObject(ObjectHandle handle) = 0;
  // SendMessageTimeoutA with SMTO_BLOCK: false when the send failed or timed out.
  virtual bool SendMessageWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                                      std::intptr_t lparam, std::uint32_t timeout_ms, std::uintptr_t& reply) = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t LastError() = 0;
};

constexpr std::uint32_t kErrorAlreadyExists = 183;

}  // namespace platform
