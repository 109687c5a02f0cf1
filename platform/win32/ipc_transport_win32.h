#pragma once
#include "platform/ipc_transport.h"

namespace platform {

class Win32IpcTransport final : public IpcTransport {
 public:
  WindowHandle FindTopWindow(const char* class_name) override;
  std::uint32_t RegisterMessage(const char* name) override;
  std::uint32_t CurrentProcessId() override;
  std::uint16_t AddNameAtom(const char* name) override;
  void DeleteNameAtom(std::uint16_t atom) override;
  ObjectHandle CreateMapping(std::uint32_t size, const char* name) override;
  void* MapView(ObjectHandle mapping) override;
  void UnmapView(void* view) override;
  void CloseObject(ObjectHandle handle) override;
  bool SendMessageWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam,
                              std::uint32_t timeout_ms, std::uintptr_t& reply) override;
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t LastError() override;
};

}  // namespace platform
