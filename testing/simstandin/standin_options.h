#pragma once
// The stand-in's command line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace simstandin {

struct StandinOptions {
  std::string window_class = "UIPCMAIN";
  std::uint32_t fsuipc_version = 0x35300000;
  std::uint32_t simulator_version = 0xFADE0009;
  bool no_reply = false;
  std::uint32_t reply = 1;
  std::string log_path;
  unsigned seconds = 0;  // 0: until closed
};

// Empty when the line is not understood; error then tells why.
std::optional<StandinOptions> ParseStandinOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace simstandin
