#include "platform/win32/registry_win32.h"

#include <windows.h>

namespace platform {
namespace {

HKEY ToHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long Win32Registry::OpenKey(RegistryKey parent, const char* sub_key, unsigned long options,
                            unsigned long access, RegistryKey* key) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExA(ToHkey(parent), sub_key, options, access | KEY_WOW64_32KEY, &opened);
  *key = reinterpret_cast<RegistryKey>(opened);
  return status;
}

long Win32Registry::QueryValue(RegistryKey key, const char* name, unsigned long* type, unsigned char* data,
                               unsigned long* size) {
  return RegQueryValueExA(ToHkey(key), name, nullptr, type, data, size);
}

long Win32Registry::CreateKey(RegistryKey parent, const char* sub_key, unsigned long options,
                              unsigned long access, RegistryKey* key, unsigned long* disposition) {
  HKEY created = nullptr;
  const LSTATUS status = RegCreateKeyExA(ToHkey(parent), sub_key, 0, nullptr, options,
                                         access | KEY_WOW64_32KEY, nullptr, &created, disposition);
  *key = reinterpret_cast<RegistryKey>(created);
  return status;
}

long Win32Registry::SetValue(RegistryKey key, const char* name, unsigned long type, const unsigned char* data,
                             unsigned long size) {
  return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

long Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace platform
