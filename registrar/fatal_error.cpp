#include "registrar/fatal_error.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace registrar {
namespace {

constexpr unsigned long kFirstNetworkError = 2100;
constexpr unsigned long kLastNetworkError = 2999;

class LoadedModule {
 public:
  LoadedModule(platform::SystemErrorText& texts, const char* file_name)
      : texts_(texts), module_(texts.LoadModule(file_name, platform::kLoadLibraryAsDatafile)) {}
  ~LoadedModule() {
    if (module_ != nullptr) texts_.UnloadModule(module_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  platform::Module Get() const { return module_; }

 private:
  platform::SystemErrorText& texts_;
  platform::Module module_;
};

}  // namespace

void FatalError(const RegistrarPlatform& system, std::string_view text) {
  const unsigned long code = system.last_error.Get();
  const std::string report = std::string(text) + ": GetLastError returned " + std::to_string(code) + "\n";
  system.report.WriteLine(report);
  system.boxes.Show(report.c_str(), "Error", platform::kMbOk);
  ShowErrorText(system, code);
  system.process.Exit(code);
  std::abort();  // not reached: Exit does not return, but the compiler cannot see that through the interface
}

void FatalError(const RegistrarPlatform& system, std::string_view prefix, std::string_view detail) {
  FatalError(system, std::string(prefix) + std::string(detail));
}

void ShowErrorText(const RegistrarPlatform& system, unsigned long code) {
  unsigned long flags = platform::kFormatMessageAllocateBuffer | platform::kFormatMessageIgnoreInserts |
                        platform::kFormatMessageFromSystem;
  std::optional<LoadedModule> netmsg;
  if (code >= kFirstNetworkError && code <= kLastNetworkError) {
    netmsg.emplace(system.error_text, "netmsg.dll");
    if (netmsg->Get() != nullptr) flags |= platform::kFormatMessageFromHmodule;
  }
  const platform::Module module = netmsg ? netmsg->Get() : nullptr;
  const std::string text = system.error_text.Format(flags, module, code, platform::kLangUserDefault);
  if (text.empty()) return;
  system.report.WriteLine(text);
  system.boxes.Show(text.c_str(), "ErrorText", platform::kMbOk);
}

}  // namespace registrar
