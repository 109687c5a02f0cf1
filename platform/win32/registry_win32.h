#pragma once
#include "platform/registry.h"

namespace platform {

// Always the 32-bit view of the registry (KEY_WOW64_32KEY), where the 32-bit
// simulator keeps its key, so the 64-bit build sees what the 32-bit one sees.
class Win32Registry final : public Registry {
 public:
  long OpenKey(RegistryKey parent, const char* sub_key, unsigned long options, unsigned long access,
               RegistryKey* key) override;
  long QueryValue(RegistryKey key, const char* name, unsigned long* type, unsigned char* data,
                  unsigned long* size) override;
  long CreateKey(RegistryKey parent, const char* sub_key, unsigned long options, unsigned long access,
                 RegistryKey* key, unsigned long* disposition) override;
  long SetValue(RegistryKey key, const char* name, unsigned long type, const unsigned char* data,
                unsigned long size) override;
  long CloseKey(RegistryKey key) override;
};

}  // namespace platform
