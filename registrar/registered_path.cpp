#include "registrar/registered_path.h"

#include "platform/registry_key.h"
#include "registrar/fatal_error.h"
#include "registrar/folder_checks.h"
#include "registrar/simulator_version.h"

namespace registrar {
namespace {

constexpr char kValueName[] = "EXE Path";
constexpr char kUnrecognisedVersion[] = "Error: Unrecognised version of flight simulator";
constexpr unsigned long kBufferSize = kMaxPathLength + 1;

// The registry calls answer with a status and leave the thread's last error
// alone; FatalError reports the last error, so it must carry the status.
[[noreturn]] void FailWrite(const RegistrarPlatform& system, long status, std::string_view prefix,
                            std::string_view detail) {
  system.last_error.Set(static_cast<unsigned long>(status));
  FatalError(system, prefix, detail);
}

}  // namespace

bool ReadRegisteredPath(const RegistrarPlatform& system, std::string& path, std::string_view version) {
  const std::string key_path = SimulatorKeyPath(version);
  if (key_path.empty()) {
    system.report.WriteLine(kUnrecognisedVersion);
    return false;
  }
  platform::RegistryKeyHolder key(system.registry);
  if (system.registry.OpenKey(platform::kLocalMachine, key_path.c_str(), 0, platform::kKeyQueryValue,
                              key.Receive()) != platform::kErrorSuccess) {
    system.report.WriteLine("Couldn't open registry key: " + key_path);
    return false;
  }
  unsigned char buffer[kBufferSize];
  unsigned long size = kBufferSize;
  const long status = system.registry.QueryValue(key.Get(), kValueName, nullptr, buffer, &size);
  // Data stored without its terminator ends at the byte count; such a text of
  // kBufferSize characters is as much too long as one with a terminator.
  const std::string_view data(reinterpret_cast<const char*>(buffer), status == platform::kErrorSuccess ? size : 0);
  const std::string_view text = data.substr(0, data.find('\0'));
  if (status != platform::kErrorSuccess || text.size() > kMaxPathLength) {
    system.report.WriteLine("Couldn't query registry key: " + key_path);
    return false;
  }
  path.assign(text);
  if (key.Close() != platform::kErrorSuccess) {
    system.report.WriteLine("Couldn't close registry key: " + key_path);
    return false;
  }
  return true;
}

bool WriteRegisteredPath(const RegistrarPlatform& system, std::string_view folder, std::string_view version) {
  const std::string key_path = SimulatorKeyPath(version);
  if (key_path.empty()) {
    system.report.WriteLine(kUnrecognisedVersion);
    return false;
  }
  platform::RegistryKeyHolder key(system.registry);
  unsigned long disposition = 0;
  if (const long status = system.registry.CreateKey(platform::kLocalMachine, key_path.c_str(),
                                                    platform::kRegOptionNonVolatile, platform::kKeyWrite,
                                                    key.Receive(), &disposition)) {
    FailWrite(system, status, "Couldn't open/create registry key: ", key_path);
  }
  const std::string text(folder);
  if (const long status = system.registry.SetValue(key.Get(), kValueName, platform::kRegSz,
                                                   reinterpret_cast<const unsigned char*>(text.c_str()),
                                                   static_cast<unsigned long>(text.size() + 1))) {
    FailWrite(system, status, "Couldn't set EXE Path registry value : ", text);
  }
  if (const long status = key.Close()) FailWrite(system, status, "Couldn't close registry key: ", key_path);
  return true;
}

}  // namespace registrar
