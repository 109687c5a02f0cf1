#include "testing/simstandin/standin_options.h"

#include <cerrno>
#include <cstdlib>

namespace simstandin {

namespace {

bool ParseNumber(const std::string& text, int base, std::uint32_t& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long parsed = std::strtoull(text.c_str(), &end, base);
  if (errno != 0 || *end != '\0' || parsed > 0xFFFFFFFFull || text[0] == '-') return false;
  value = static_cast<std::uint32_t>(parsed);
  return true;
}

}  // namespace

std::optional<StandinOptions> ParseStandinOptions(const std::vector<std::string>& args, std::string& error) {
  StandinOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--no-reply") {
      options.no_reply = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "unknown option or missing value: " + name;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    std::uint32_t number = 0;
    bool ok = true;
    if (name == "--class") {
      ok = value == "UIPCMAIN" || value == "FS98MAIN";
      options.window_class = value;
    } else if (name == "--fsuipc-version") {
      ok = ParseNumber(value, 16, options.fsuipc_version);
    } else if (name == "--sim-version") {
      ok = ParseNumber(value, 16, options.simulator_version);
    } else if (name == "--reply") {
      ok = ParseNumber(value, 10, options.reply);
    } else if (name == "--log") {
      options.log_path = value;
    } else if (name == "--seconds") {
      ok = ParseNumber(value, 10, number);
      options.seconds = number;
    } else {
      ok = false;
    }
    if (!ok) {
      error = "bad option: " + name + " " + value;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace simstandin
