#pragma once
// An open key of a Registry, closed when it goes unless closed before.
#include <utility>

#include "platform/registry.h"

namespace platform {

class RegistryKeyHolder {
 public:
  explicit RegistryKeyHolder(Registry& registry) : registry_(registry) {}
  ~RegistryKeyHolder() {
    if (key_ != nullptr) registry_.CloseKey(key_);
  }
  RegistryKeyHolder(const RegistryKeyHolder&) = delete;
  RegistryKeyHolder& operator=(const RegistryKeyHolder&) = delete;

  // Where an opening call stores the key.
  RegistryKey* Receive() { return &key_; }
  RegistryKey Get() const { return key_; }
  // RegCloseKey's status.
  long Close() { return registry_.CloseKey(std::exchange(key_, nullptr)); }

 private:
  Registry& registry_;
  RegistryKey key_ = nullptr;
};

}  // namespace platform
