#pragma once
// The system registry, as the Win32 Reg*ExA calls see it: status codes as results,
// ANSI texts, keys as opaque handles.
#include <cstdint>

namespace platform {

struct RegistryKeyObject;
using RegistryKey = RegistryKeyObject*;

// HKEY_LOCAL_MACHINE: the predefined handle value, sign-extended as Windows does.
inline const RegistryKey kLocalMachine =
    reinterpret_cast<RegistryKey>(static_cast<std::intptr_t>(std::int32_t{-2147483646}));

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorMoreData = 234;

inline constexpr unsigned long kKeyQueryValue = 0x0001;
inline constexpr unsigned long kKeyWrite = 0x20006;
inline constexpr unsigned long kRegOptionNonVolatile = 0;
inline constexpr unsigned long kRegSz = 1;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA.
  virtual long OpenKey(RegistryKey parent, const char* sub_key, unsigned long options,
                       unsigned long access, RegistryKey* key) = 0;
  // RegQueryValueExA; type may be null. *size is the buffer size in, the data size out.
  virtual long QueryValue(RegistryKey key, const char* name, unsigned long* type,
                          unsigned char* data, unsigned long* size) = 0;
  // RegCreateKeyExA with no class and no security attributes; disposition may be null.
  virtual long CreateKey(RegistryKey parent, const char* sub_key, unsigned long options,
                         unsigned long access, RegistryKey* key, unsigned long* disposition) = 0;
  // RegSetValueExA.
  virtual long SetValue(RegistryKey key, const char* name, unsigned long type,
                        const unsigned char* data, unsigned long size) = 0;
  // RegCloseKey.
  virtual long CloseKey(RegistryKey key) = 0;
};

}  // namespace platform
