#pragma once
// The link's system calls with FSUIPC behind them, in memory: one window, the
// shared region, batches carried out against an offset memory. Switches make
// each step fail; every call is recorded.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ipc_transport.h"
#include "testing/simstandin/fsuipc_peer.h"

namespace fakes {

struct SentRecord {
  std::uint32_t kind;
  std::uint32_t offset;
  std::uint32_t size;
  std::uint32_t target;  // reads only
  std::vector<std::uint8_t> data;
};

struct SendCall {
  platform::WindowHandle window;
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
  std::uint32_t timeout_ms;
};

class FakeFsuipc final : public platform::IpcTransport {
 public:
  FakeFsuipc();

  // Switches.
  bool uipcmain_window = true;
  bool fs98main_window = false;
  std::uint32_t message_id = 0xC1A5;
  std::uint32_t process_id = 0x1A2C;
  bool atom_fails = false;
  bool mapping_fails = false;
  bool mapping_exists = false;
  bool view_fails = false;
  int failing_sends = 0;  // sends that fail before the next one gets through; -1: all
  std::uint32_t send_error = 0;
  std::uintptr_t reply = 1;
  // Before a batch is carried out (index from 0), e.g. to change the memory.
  std::function<void(int batch)> before_batch;
  // After it, to spoil what the client finds in the region.
  std::function<void(std::uint8_t* region)> after_batch;
  simstandin::OffsetMemory memory;

  // What happened.
  std::vector<std::string> searched_classes;
  std::vector<std::string> registered_names;
  std::string atom_name;
  std::string mapping_name;
  std::uint32_t mapping_size = 0;
  std::vector<SendCall> sends;
  std::vector<std::vector<SentRecord>> batches;  // as the client sent them
  std::vector<std::uint32_t> sleeps;
  int live_atoms = 0;
  int live_mappings = 0;
  int live_views = 0;
  std::uint8_t* Region() { return region_.data(); }
  int Calls() const { return calls_; }

  platform::WindowHandle FindTopWindow(const char* class_name) override;
  std::uint32_t RegisterMessage(const char* name) override;
  std::uint32_t CurrentProcessId() override;
  std::uint16_t AddNameAtom(const char* name) override;
  void DeleteNameAtom(std::uint16_t atom) override;
  platform::ObjectHandle CreateMapping(std::uint32_t size, const char* name) override;
  void* MapView(platform::ObjectHandle mapping) override;
  void UnmapView(void* view) override;
  void CloseObject(platform::ObjectHandle handle) override;
  bool SendMessageWithTimeout(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                              std::intptr_t lparam, std::uint32_t timeout_ms, std::uintptr_t& reply) override;
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t LastError() override;

  static constexpr std::uint16_t kAtom = 0xC0DE;
  static constexpr std::uint8_t kUntouched = 0xAA;  // the region's filling before the client writes

 private:
  std::vector<std::uint8_t> region_;
  std::uint32_t last_error_ = 0;
  int failed_sends_ = 0;
  int calls_ = 0;
};

}  // namespace fakes
