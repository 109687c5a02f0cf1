#include "registrar/wine_tests/registry_fixture.h"

#include <windows.h>
#include <sddl.h>

#include <memory>
#include <stdexcept>

#include "testing/wine/child_process.h"

namespace registrar_wine {
namespace {

constexpr REGSAM kView32 = KEY_WOW64_32KEY;

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

Key CreateKey(const std::string& path, DWORD options = REG_OPTION_NON_VOLATILE) {
  HKEY key = nullptr;
  const LSTATUS status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, options,
                                         KEY_ALL_ACCESS | kView32, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot create " + path + ": " + std::to_string(status));
  return Key(key);
}

void SetDacl(const std::string& path, const char* sddl) {
  HKEY raw = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC | kView32, &raw) != ERROR_SUCCESS) return;
  const Key key(raw);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr)) {
    throw std::runtime_error("bad security descriptor");
  }
  const LSTATUS status = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set the key's DACL: " + std::to_string(status));
}

void DeleteKey(const std::string& path) { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), kView32, 0); }

}  // namespace

SimulatorKey::SimulatorKey() { Remove(); }
SimulatorKey::~SimulatorKey() { Remove(); }

void SimulatorKey::Remove() {
  DeleteKey(kKeyPath);
  // The parents only go when nothing else lives in them.
  DeleteKey(kParentPath);
  DeleteKey("SOFTWARE\\Microsoft\\Microsoft Games");
}

void SimulatorKey::CreateEmptyKey() { CreateKey(kKeyPath); }

void SimulatorKey::StoreBytes(const std::string& data) {
  const Key key = CreateKey(kKeyPath);
  RegSetValueExA(key.get(), "EXE Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                 static_cast<DWORD>(data.size()));
}

std::optional<std::string> SimulatorKey::Query() {
  wine_testing::ChildProcess reg("reg.exe query \"HKLM\\" + kKeyPath + "\" /v \"EXE Path\" /reg:32");
  if (!reg.Wait(30000)) throw std::runtime_error("reg query did not end");
  if (reg.ExitCode() != 0) return std::nullopt;
  // "    EXE Path    REG_SZ    <data>"
  const std::string output = reg.Output();
  const std::string marker = "REG_SZ    ";
  const auto at = output.find(marker);
  if (at == std::string::npos) throw std::runtime_error("unexpected reg output: " + output);
  const auto start = at + marker.size();
  return output.substr(start, output.find_first_of("\r\n", start) - start);
}

bool SimulatorKey::ExistsIn64BitView() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

UncreatableKey::UncreatableKey(Reason reason) : reason_(reason) {
  if (reason == Reason::kAccessDenied) {
    CreateKey(kParentPath);
    // Everyone may do all but create subkeys and set values.
    SetDacl(kParentPath, "D:(D;;0x6;;;WD)(A;;KA;;;WD)");
  } else {
    CreateKey("SOFTWARE\\Microsoft\\Microsoft Games");
    CreateKey(kParentPath, REG_OPTION_VOLATILE);
  }
}

UncreatableKey::~UncreatableKey() {
  if (reason_ == Reason::kAccessDenied) SetDacl(kParentPath, "D:(A;;KA;;;WD)");
  DeleteKey(kKeyPath);
  DeleteKey(kParentPath);
}

}  // namespace registrar_wine
