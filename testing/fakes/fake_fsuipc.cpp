#include "testing/fakes/fake_fsuipc.h"

#include <cstring>
#include <stdexcept>

namespace fakes {

namespace {

// Distinct non-null handles.
platform::WindowHandle const kUipcWindow = reinterpret_cast<platform::WindowHandle>(0x1001);
platform::WindowHandle const kFs98Window = reinterpret_cast<platform::WindowHandle>(0x1002);
platform::ObjectHandle const kMapping = reinterpret_cast<platform::ObjectHandle>(0x2001);

std::uint32_t LoadU32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// The records as they lie in the region, up to the terminator or the first bad one.
std::vector<SentRecord> Decode(const std::vector<std::uint8_t>& region) {
  std::vector<SentRecord> records;
  std::size_t at = 0;
  while (at + 4 <= region.size()) {
    const std::uint32_t kind = LoadU32(&region[at]);
    const std::size_t header = kind == 1 ? 16 : 12;
    if ((kind != 1 && kind != 2) || at + header > region.size()) break;
    SentRecord record{
        kind, LoadU32(&region[at + 4]), LoadU32(&region[at + 8]), kind == 1 ? LoadU32(&region[at + 12]) : 0, {}};
    if (record.size > region.size() - at - header) break;
    record.data.assign(region.begin() + at + header, region.begin() + at + header + record.size);
    records.push_back(record);
    at += header + record.size;
  }
  return records;
}

}  // namespace

FakeFsuipc::FakeFsuipc() {
  memory.SetU32(0x3304, 0x35300000);
  memory.SetU32(0x3308, 0xFADE0009);
}

platform::WindowHandle FakeFsuipc::FindTopWindow(const char* class_name) {
  ++calls_;
  searched_classes.push_back(class_name);
  if (uipcmain_window && searched_classes.back() == "UIPCMAIN") return kUipcWindow;
  if (fs98main_window && searched_classes.back() == "FS98MAIN") return kFs98Window;
  return nullptr;
}

std::uint32_t FakeFsuipc::RegisterMessage(const char* name) {
  ++calls_;
  registered_names.push_back(name);
  return message_id;
}

std::uint32_t FakeFsuipc::CurrentProcessId() {
  ++calls_;
  return process_id;
}

std::uint16_t FakeFsuipc::AddNameAtom(const char* name) {
  ++calls_;
  atom_name = name;
  if (atom_fails) return 0;
  ++live_atoms;
  return kAtom;
}

void FakeFsuipc::DeleteNameAtom(std::uint16_t atom) {
  ++calls_;
  if (atom != kAtom || live_atoms == 0) throw std::logic_error("deleting an atom never added");
  --live_atoms;
}

platform::ObjectHandle FakeFsuipc::CreateMapping(std::uint32_t size, const char* name) {
  ++calls_;
  mapping_name = name;
  mapping_size = size;
  if (mapping_fails) {
    last_error_ = 5;
    return nullptr;
  }
  last_error_ = mapping_exists ? platform::kErrorAlreadyExists : 0;
  region_.assign(size, kUntouched);
  ++live_mappings;
  return kMapping;
}

void* FakeFsuipc::MapView(platform::ObjectHandle mapping) {
  ++calls_;
  if (mapping != kMapping) throw std::logic_error("mapping a view of an unknown object");
  if (view_fails) return nullptr;
  ++live_views;
  return region_.data();
}

void FakeFsuipc::UnmapView(void* view) {
  ++calls_;
  if (view != region_.data() || live_views == 0) throw std::logic_error("unmapping a view never mapped");
  --live_views;
}

void FakeFsuipc::CloseObject(platform::ObjectHandle handle) {
  ++calls_;
  if (handle != kMapping || live_mappings == 0) throw std::logic_error("closing an unknown handle");
  --live_mappings;
}

bool FakeFsuipc::SendMessageWithTimeout(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                                        std::intptr_t lparam, std::uint32_t timeout_ms, std::uintptr_t& reply_out) {
  ++calls_;
  sends.push_back({window, message, wparam, lparam, timeout_ms});
  if (failing_sends < 0 || failed_sends_ < failing_sends) {
    ++failed_sends_;
    last_error_ = send_error;
    return false;
  }
  failed_sends_ = 0;
  if (before_batch) before_batch(static_cast<int>(batches.size()));
  batches.push_back(Decode(region_));
  simstandin::CarryOutBatch(region_.data(), region_.size(), memory, nullptr);
  if (after_batch) after_batch(region_.data());
  reply_out = reply;
  return true;
}

void FakeFsuipc::Sleep(std::uint32_t milliseconds) {
  ++calls_;
  sleeps.push_back(milliseconds);
}

std::uint32_t FakeFsuipc::LastError() {
  ++calls_;
  return last_error_;
}

}  // namespace fakes
