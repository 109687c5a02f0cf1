#include "registrar/run_registrar.h"

#include <string>

#include "registrar/folder_checks.h"
#include "registrar/notice.h"
#include "registrar/registered_path.h"
#include "registrar/simulator_version.h"
#include "registrar/text.h"

namespace registrar {
namespace {

constexpr char kNotRegistered[] = "Not registered";

constexpr std::string_view kZipWarning =
    "Warning: You cannot run this program from within a ZIP archive.\n\nYou must extract it to a valid %s folder "
    "and run it from there. See documentation for details.\n\nClick OK to continue anyway (NOT recommended), or "
    "Cancel to Quit.";
constexpr std::string_view kUnchangedFolder =
    "%s Path in Registry:\n\n\tOld: \t%s\n\tNew: \t%s\n\nOld and new paths are the same. No change is required. "
    "Click OK to Exit.";
constexpr std::string_view kConfirmation =
    "%s Path in Registry\n\n\tOld: \t%s\n\tNew: \t%s\n\nIf New Path is not what you want, please check "
    "documentation on how to use this program.\n\nClick OK to change path in registry, or Cancel to Quit.";
constexpr std::string_view kInvalidFolder =
    "Warning: %s is NOT a valid %s Path.\n\nTo use this program, you must copy it into a valid %s folder and run "
    "it from there. See documentation for details.\n\nClick OK to continue anyway (NOT recommended), or Cancel "
    "to Quit.";
constexpr char kCancelled[] = "Operation cancelled.";

void WriteBanner(platform::ReportStream& report, std::string_view version) {
  report.WriteLine("");
  report.WriteLine(FillIn("Aerolune - FS %s Simlocate 1.0b - Add FS Path to Registry", {version}));
  report.WriteLine("");
  WriteNoticeLines(report);
  report.WriteLine("");
}

class Boxes {
 public:
  Boxes(platform::MessageBoxes& boxes, std::string_view version)
      : boxes_(boxes), caption_(FillIn("Aerolune - %s Simlocate - version 1.0b", {version})) {}
  int Show(const std::string& text, unsigned style) { return boxes_.Show(text.c_str(), caption_.c_str(), style); }
  // True for OK; Cancel shows the cancellation box.
  bool Ask(const std::string& text, unsigned icon) {
    if (Show(text, platform::kMbOkCancel | icon) != platform::kIdCancel) return true;
    Show(kCancelled, platform::kMbOk | platform::kMbIconInformation);
    return false;
  }

 private:
  platform::MessageBoxes& boxes_;
  std::string caption_;
};

}  // namespace

int RunRegistrar(const RegistrarPlatform& system, const RunSettings& settings, std::string_view version) {
  WriteBanner(system.report, version);
  Boxes boxes(system.boxes, version);

  std::string folder;
  if (!SplitProgramPath(settings.program_path, folder)) {
    const std::string text = "Cannot determine the flight simulator folder from \"" + settings.program_path + "\".";
    system.report.WriteLine(text);
    boxes.Show(text, platform::kMbOk | platform::kMbIconError);
    system.process.Exit(kErrorBadPathname);
  }
  std::string registered;
  const bool is_registered = ReadRegisteredPath(system, registered, version);
  if (!is_registered) registered = kNotRegistered;

  if (!settings.skip_temp_check && IsTempFolder(folder) &&
      !boxes.Ask(FillIn(kZipWarning, {version}), platform::kMbIconInformation)) {
    return 0;
  }
  // A folder that happens to be called "Not registered" is no match for a failed read.
  if (is_registered && EqualsIgnoringAsciiCase(registered, folder)) {
    if (!settings.no_prompt) {
      boxes.Show(FillIn(kUnchangedFolder, {version, registered, folder}), platform::kMbOk | platform::kMbIconWarning);
    }
    return 1;
  }
  if (!settings.no_prompt &&
      !boxes.Ask(FillIn(kConfirmation, {version, registered, folder}), platform::kMbIconWarning)) {
    return 0;
  }
  if (!settings.skip_folder_check && !HasSceneryConfig(system.files, folder)) {
    if (settings.no_prompt ||
        !boxes.Ask(FillIn(kInvalidFolder, {folder, version, version}), platform::kMbIconInformation)) {
      return 0;
    }
  }
  return WriteRegisteredPath(system, folder, version) ? 1 : 0;
}

int RegistrarMain(const RegistrarPlatform& system, int argc, const char* const* argv) {
  const RunSettings settings = ParseCommandLine(argc, argv, system.report, kSimulatorVersion);
  RunRegistrar(system, settings, kSimulatorVersion);
  return 0;
}

}  // namespace registrar
