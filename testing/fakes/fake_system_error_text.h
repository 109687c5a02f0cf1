#pragma once
// Error texts in tables: the system's own, and those of modules that can be
// loaded. Searches the module first, then the system's table when asked to, as
// FormatMessageA does. Records every call.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/system_error_text.h"

namespace fakes {

class FakeSystemErrorText final : public platform::SystemErrorText {
 public:
  std::map<unsigned long, std::string> system_texts;
  // Module file name -> its texts; a name not listed fails to load.
  std::map<std::string, std::map<unsigned long, std::string>> modules;
  std::vector<std::string> calls;

  std::size_t LoadedModules() const { return loaded_.size(); }

  platform::Module LoadModule(const char* file_name, unsigned long flags) override {
    calls.push_back(std::string("LoadLibraryExA ") + file_name + " flags=" + std::to_string(flags));
    if (!modules.contains(file_name)) return nullptr;
    const auto module = reinterpret_cast<platform::Module>(next_handle_++);
    loaded_[module] = file_name;
    return module;
  }

  void UnloadModule(platform::Module module) override {
    calls.push_back("FreeLibrary " + NameOf(module));
    loaded_.erase(module);
  }

  std::string Format(unsigned long flags, platform::Module module, unsigned long code,
                     unsigned long language) override {
    calls.push_back("FormatMessageA flags=" + std::to_string(flags) + " module=" + NameOf(module) +
                    " code=" + std::to_string(code) + " language=" + std::to_string(language));
    if ((flags & platform::kFormatMessageFromHmodule) != 0 && loaded_.contains(module)) {
      const auto& texts = modules[loaded_[module]];
      if (const auto found = texts.find(code); found != texts.end()) return found->second;
    }
    if ((flags & platform::kFormatMessageFromSystem) != 0) {
      if (const auto found = system_texts.find(code); found != system_texts.end()) return found->second;
    }
    return {};
  }

 private:
  std::string NameOf(platform::Module module) const {
    if (module == nullptr) return "none";
    const auto found = loaded_.find(module);
    return found == loaded_.end() ? "<not loaded>" : found->second;
  }

  std::map<platform::Module, std::string> loaded_;
  std::uintptr_t next_handle_ = 0x1000;
};

}  // namespace fakes
