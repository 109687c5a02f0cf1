#pragma once
// A registry of HKEY_LOCAL_MACHINE keys held in tables; records every call and
// can make any operation fail with a given status.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace fakes {

class FakeRegistry final : public platform::Registry {
 public:
  struct Value {
    unsigned long type;
    std::string data;  // the stored bytes, a terminator included if one was stored
  };

  // Key path under HKEY_LOCAL_MACHINE -> value name -> value.
  std::map<std::string, std::map<std::string, Value>> keys;
  // Operation name ("RegOpenKeyExA", ...) -> status it returns without any effect.
  std::map<std::string, long> failures;
  // One line a call: operation, key path and what was passed.
  std::vector<std::string> calls;

  void StoreText(const std::string& key, const std::string& name, const std::string& text) {
    keys[key][name] = Value{platform::kRegSz, text + '\0'};
  }
  std::size_t OpenKeys() const { return open_.size(); }

  long OpenKey(platform::RegistryKey parent, const char* sub_key, unsigned long options, unsigned long access,
               platform::RegistryKey* key) override {
    calls.push_back("RegOpenKeyExA " + ParentName(parent) + sub_key + " options=" + std::to_string(options) +
                    " access=" + Hex(access));
    if (const long status = Failure("RegOpenKeyExA")) return status;
    if (parent != platform::kLocalMachine || !keys.contains(sub_key)) return platform::kErrorFileNotFound;
    *key = Open(sub_key);
    return platform::kErrorSuccess;
  }

  long QueryValue(platform::RegistryKey key, const char* name, unsigned long* type, unsigned char* data,
                  unsigned long* size) override {
    calls.push_back("RegQueryValueExA " + PathOf(key) + " " + name + " type=" + (type ? "wanted" : "none") +
                    " size=" + std::to_string(*size));
    if (const long status = Failure("RegQueryValueExA")) return status;
    const auto& values = keys[PathOf(key)];
    const auto found = values.find(name);
    if (found == values.end()) return platform::kErrorFileNotFound;
    const Value& value = found->second;
    if (type != nullptr) *type = value.type;
    const bool fits = value.data.size() <= *size;
    *size = static_cast<unsigned long>(value.data.size());
    if (!fits) return platform::kErrorMoreData;
    value.data.copy(reinterpret_cast<char*>(data), value.data.size());
    return platform::kErrorSuccess;
  }

  long CreateKey(platform::RegistryKey parent, const char* sub_key, unsigned long options, unsigned long access,
                 platform::RegistryKey* key, unsigned long* disposition) override {
    calls.push_back("RegCreateKeyExA " + ParentName(parent) + sub_key + " options=" + std::to_string(options) +
                    " access=" + Hex(access));
    if (const long status = Failure("RegCreateKeyExA")) return status;
    const bool existed = keys.contains(sub_key);
    keys[sub_key];
    if (disposition != nullptr) *disposition = existed ? 2 : 1;  // REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY
    *key = Open(sub_key);
    return platform::kErrorSuccess;
  }

  long SetValue(platform::RegistryKey key, const char* name, unsigned long type, const unsigned char* data,
                unsigned long size) override {
    calls.push_back("RegSetValueExA " + PathOf(key) + " " + name + " type=" + std::to_string(type) +
                    " size=" + std::to_string(size));
    if (const long status = Failure("RegSetValueExA")) return status;
    keys[PathOf(key)][name] = Value{type, std::string(reinterpret_cast<const char*>(data), size)};
    return platform::kErrorSuccess;
  }

  long CloseKey(platform::RegistryKey key) override {
    calls.push_back("RegCloseKey " + PathOf(key));
    const auto found = open_.find(key);
    if (found == open_.end()) return 6;  // ERROR_INVALID_HANDLE
    open_.erase(found);  // a failing close still releases the handle, as the system's does
    return Failure("RegCloseKey");
  }

 private:
  long Failure(const std::string& operation) const {
    const auto found = failures.find(operation);
    return found == failures.end() ? platform::kErrorSuccess : found->second;
  }
  platform::RegistryKey Open(const std::string& path) {
    const auto key = reinterpret_cast<platform::RegistryKey>(next_handle_++);
    open_[key] = path;
    return key;
  }
  std::string PathOf(platform::RegistryKey key) const {
    const auto found = open_.find(key);
    return found == open_.end() ? "<not open>" : found->second;
  }
  static std::string ParentName(platform::RegistryKey parent) {
    return parent == platform::kLocalMachine ? "HKLM\\" : "<other>\\";
  }
  static std::string Hex(unsigned long number) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
      text.insert(text.begin(), digits[number % 16]);
      number /= 16;
    } while (number != 0);
    return "0x" + text;
  }

  std::map<platform::RegistryKey, std::string> open_;
  std::uintptr_t next_handle_ = 0x100;
};

}  // namespace fakes
