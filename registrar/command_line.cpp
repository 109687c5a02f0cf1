#include "registrar/command_line.h"

#include "registrar/notice.h"
#include "registrar/text.h"

namespace registrar {

void WriteHelpBlock(platform::ReportStream& report, std::string_view version) {
  report.WriteLine(FillIn("Aerolune - %s_Simlocate version 1.0b - Add %s Path to Registry", {version, version}));
  WriteNoticeLines(report);
  report.WriteLine("");
  report.WriteLine("Usage:");
  report.WriteLine("");
  report.WriteLine(FillIn("%s_SIMLOCATE [-nofscheck] [-notmpcheck] [-noprompt] [-fspath <%s path>]",
                          {version, version}));
  report.WriteLine("");
}

RunSettings ParseCommandLine(int argc, const char* const* argv, platform::ReportStream& report,
                             std::string_view version) {
  RunSettings settings;
  if (argc > 0) settings.program_path = argv[0];
  const auto is = [](const char* argument, std::string_view name) { return EqualsIgnoringAsciiCase(argument, name); };
  for (int index = 0; index < argc; ++index) {
    if (is(argv[index], "-help") || is(argv[index], "-?")) WriteHelpBlock(report, version);
    if (is(argv[index], "-nofscheck")) settings.skip_folder_check = true;
    if (is(argv[index], "-notmpcheck")) settings.skip_temp_check = true;
    if (is(argv[index], "-noprompt")) settings.no_prompt = true;
    // The value of "-log" is then itself compared with "-fspath".
    if (is(argv[index], "-log") && index + 1 < argc) settings.log_value = argv[++index];
    if (is(argv[index], "-fspath") && index + 1 < argc) settings.program_path = argv[++index];
  }
  return settings;
}

}  // namespace registrar
