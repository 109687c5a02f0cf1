#pragma once
// Simlocate's switches.
#include <string>
#include <string_view>

#include "platform/report_stream.h"

namespace registrar {

struct RunSettings {
  std::string program_path{};  // argument 0, or the value of "-fspath"
  std::string log_value{};     // the value of "-log"; it has no effect
  bool skip_folder_check = false;
  bool skip_temp_check = false;
  bool no_prompt = false;
  bool operator==(const RunSettings&) const = default;
};

// Reads the switches (letters in any case; the last of a repeated switch wins;
// anything else is ignored) and writes the help block for each "-help" or "-?".
// A "-log" or "-fspath" with no argument after it is ignored.
RunSettings ParseCommandLine(int argc, const char* const* argv, platform::ReportStream& report,
                             std::string_view version);

void WriteHelpBlock(platform::ReportStream& report, std::string_view version);

}  // namespace registrar
