#include "registrar/run_registrar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "registrar/folder_checks.h"
#include "registrar/tests/expected_boxes.h"
#include "registrar/tests/fake_system.h"

namespace registrar {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

constexpr int kOk = platform::kIdOk;
constexpr int kCancel = platform::kIdCancel;

struct FlowCase {
  const char* name;
  std::vector<const char*> switches;
  const char* program_path;
  const char* registered;  // null: no "EXE Path" yet
  bool scenery;
  std::vector<int> answers;
  std::vector<Box> boxes;
  const char* stored_after;  // null: unchanged
  int result;
};

const FlowCase kFlows[] = {
    {"UnchangedFolder", {}, "C:\\FS9\\Simlocate.exe", "C:\\FS9", true, {}, {Box::kUnchanged}, nullptr, 1},
    {"UnchangedInAnotherCase", {}, "C:\\FS9\\Simlocate.exe", "c:\\fs9", true, {}, {Box::kUnchanged}, nullptr, 1},
    {"UnchangedWithoutSceneryIsNotChecked", {}, "C:\\FS9\\Simlocate.exe", "C:\\FS9", false, {}, {Box::kUnchanged},
     nullptr, 1},
    {"UnchangedNoPrompt", {"-noprompt"}, "C:\\FS9\\Simlocate.exe", "C:\\FS9", true, {}, {}, nullptr, 1},
    {"TrailingBackslashIsAChange", {}, "C:\\FS9\\Simlocate.exe", "C:\\FS9\\", true, {kOk}, {Box::kConfirm},
     "C:\\FS9", 1},
    {"NotRegisteredThenOk", {}, "C:\\FS9\\Simlocate.exe", nullptr, true, {kOk}, {Box::kConfirm}, "C:\\FS9", 1},
    {"ChangedThenCancel", {}, "C:\\FS9\\Simlocate.exe", "D:\\Old", true, {kCancel},
     {Box::kConfirm, Box::kCancelled}, nullptr, 0},
    {"ChangedNoPromptWritesWithoutBox", {"-noprompt"}, "C:\\FS9\\Simlocate.exe", "D:\\Old", true, {}, {}, "C:\\FS9",
     1},
    {"NoSceneryOkWritesAnyway", {}, "C:\\FS9\\Simlocate.exe", "D:\\Old", false, {kOk, kOk},
     {Box::kConfirm, Box::kInvalid}, "C:\\FS9", 1},
    {"NoSceneryCancel", {}, "C:\\FS9\\Simlocate.exe", "D:\\Old", false, {kOk, kCancel},
     {Box::kConfirm, Box::kInvalid, Box::kCancelled}, nullptr, 0},
    {"NoSceneryNoPromptEndsSilently", {"-noprompt"}, "C:\\FS9\\Simlocate.exe", "D:\\Old", false, {}, {}, nullptr, 0},
    {"NoSceneryNoFsCheck", {"-nofscheck"}, "C:\\FS9\\Simlocate.exe", "D:\\Old", false, {kOk}, {Box::kConfirm},
     "C:\\FS9", 1},
    {"NoSceneryNoFsCheckNoPrompt", {"-nofscheck", "-noprompt"}, "C:\\FS9\\Simlocate.exe", "D:\\Old", false, {}, {},
     "C:\\FS9", 1},
    {"TempFolderOkGoesOn", {}, "C:\\TEMP\\FS9\\Simlocate.exe", nullptr, true, {kOk, kOk},
     {Box::kZip, Box::kConfirm}, "C:\\TEMP\\FS9", 1},
    {"TempFolderCancel", {}, "C:\\TEMP\\FS9\\Simlocate.exe", nullptr, true, {kCancel},
     {Box::kZip, Box::kCancelled}, nullptr, 0},
    {"TempFolderNoPromptStillWarns", {"-noprompt"}, "C:\\Games\\Attempt\\Simlocate.exe", nullptr, true, {kOk},
     {Box::kZip}, "C:\\Games\\Attempt", 1},
    {"TempFolderNoPromptCancelStillCancels", {"-noprompt"}, "C:\\TMP\\Simlocate.exe", nullptr, true, {kCancel},
     {Box::kZip, Box::kCancelled}, nullptr, 0},
    {"TempFolderUnchanged", {}, "C:\\TEMP\\FS9\\Simlocate.exe", "C:\\Temp\\FS9", true, {kOk},
     {Box::kZip, Box::kUnchanged}, nullptr, 1},
    {"NoTmpCheck", {"-notmpcheck"}, "C:\\TEMP\\FS9\\Simlocate.exe", nullptr, true, {kOk}, {Box::kConfirm},
     "C:\\TEMP\\FS9", 1},
    {"FspathNamesAFileInTheFolder", {"-fspath", "E:\\FS9\\fs9.exe"}, "C:\\FS9\\Simlocate.exe", nullptr, true, {kOk},
     {Box::kConfirm}, "E:\\FS9", 1},
    {"RootOfADrive", {}, "C:\\Simlocate.exe", nullptr, true, {kOk}, {Box::kConfirm}, "C:", 1},
    {"LogChangesNothing", {"-log", "anything"}, "C:\\FS9\\Simlocate.exe", "C:\\FS9", true, {}, {Box::kUnchanged},
     nullptr, 1},
    {"LogSwallowsNoprompt", {"-log", "-noprompt"}, "C:\\FS9\\Simlocate.exe", "D:\\Old", true, {kOk},
     {Box::kConfirm}, "C:\\FS9", 1},
    {"HelpTwiceIsStillTheUsualRun", {"-help", "-help"}, "C:\\FS9\\Simlocate.exe", "C:\\FS9", true, {},
     {Box::kUnchanged}, nullptr, 1},
    // A failed read is never a match, whatever the folder is called.
    {"FolderCalledNotRegistered", {}, "Not registered\\Simlocate.exe", nullptr, true, {kOk}, {Box::kConfirm},
     "Not registered", 1},
};

class FlowTest : public testing::TestWithParam<FlowCase> {};

TEST_P(FlowTest, BoxesAndRegistry) {
  const FlowCase& c = GetParam();
  FakeSystem system;
  if (c.registered != nullptr) system.registry.StoreText(kFs2004Key, "EXE Path", c.registered);
  std::vector<const char*> argv{c.program_path};
  argv.insert(argv.end(), c.switches.begin(), c.switches.end());
  const RunSettings settings = ParseCommandLine(static_cast<int>(argv.size()), argv.data(), system.report, "FS2004");
  std::string folder;
  ASSERT_TRUE(SplitProgramPath(settings.program_path, folder));
  if (c.scenery) system.files.existing[folder + "\\scenery.cfg"] = 0x20;
  system.boxes.answers.assign(c.answers.begin(), c.answers.end());

  EXPECT_EQ(RunRegistrar(system.platform, settings, "FS2004"), c.result);

  const std::string registered = c.registered != nullptr ? c.registered : "Not registered";
  std::vector<fakes::ShownBox> expected;
  for (const Box box : c.boxes) {
    const ExpectedBox e = Expected(box, folder, registered);
    expected.push_back({e.text, e.caption, e.style});
  }
  EXPECT_EQ(system.boxes.shown, expected);
  EXPECT_TRUE(system.boxes.answers.empty()) << "boxes expected but not shown";
  EXPECT_EQ(system.StoredPath(), c.stored_after != nullptr ? c.stored_after : c.registered ? c.registered : "<none>");
  EXPECT_EQ(system.registry.OpenKeys(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Flows, FlowTest, testing::ValuesIn(kFlows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegistrarMain, HelpBlocksThenBannerThenTheRunAndStatusZero) {
  FakeSystem system;
  const char* argv[] = {"C:\\FS9\\Simlocate.exe", "-HELP", "-?", "-noprompt"};
  system.files.existing["C:\\FS9\\scenery.cfg"] = 0x20;
  EXPECT_EQ(RegistrarMain(system.platform, 4, argv), 0);
  ASSERT_EQ(system.report.lines.size(), 8u + 8u + 6u + 1u);
  EXPECT_EQ(system.report.lines[0], "Aerolune - FS2004_Simlocate version 1.0b - Add FS2004 Path to Registry");
  EXPECT_EQ(system.report.lines[8], system.report.lines[0]);
  EXPECT_EQ(std::vector(system.report.lines.begin() + 16, system.report.lines.begin() + 22), ExpectedBanner());
  EXPECT_EQ(system.report.lines[22], "Couldn't open registry key: " + kFs2004Key);
  EXPECT_EQ(system.StoredPath(), "C:\\FS9");
}

TEST(RegistrarMain, CancelledRunStillEndsWithStatusZero) {
  FakeSystem system;
  const char* argv[] = {"C:\\FS9\\Simlocate.exe"};
  system.boxes.answers = {kCancel};
  EXPECT_EQ(RegistrarMain(system.platform, 1, argv), 0);
  EXPECT_EQ(system.StoredPath(), "<none>");
}

struct BadPathCase {
  const char* name;
  std::vector<const char*> argv;
  std::string program_path;
};

class BadProgramPathTest : public testing::TestWithParam<BadPathCase> {};

TEST_P(BadProgramPathTest, ErrorBoxAndExitWithoutTouchingTheRegistry) {
  const BadPathCase& c = GetParam();
  FakeSystem system;
  unsigned long status = 0;
  try {
    RegistrarMain(system.platform, static_cast<int>(c.argv.size()), c.argv.data());
    FAIL() << "returned";
  } catch (const fakes::ProcessExit& exit) {
    status = exit.code;
  }
  EXPECT_EQ(status, 161u);
  const std::string text = "Cannot determine the flight simulator folder from \"" + c.program_path + "\".";
  EXPECT_THAT(system.boxes.shown, ElementsAre(fakes::ShownBox{text, kCaption, 0x10}));
  EXPECT_EQ(system.report.lines.back(), text);
  EXPECT_THAT(system.registry.calls, IsEmpty());
}

const std::string kLongPath = "C:\\" + std::string(250, 'f') + "\\ab.exe";  // 260 characters

INSTANTIATE_TEST_SUITE_P(
    Paths, BadProgramPathTest,
    testing::Values(BadPathCase{"FspathIsTheFolderItself", {"C:\\FS9\\Simlocate.exe", "-fspath", "C:\\FS9"}, "C:\\FS9"},
                    BadPathCase{"NoExtension", {"C:\\FS9\\Simlocate"}, "C:\\FS9\\Simlocate"},
                    BadPathCase{"NoArguments", {}, ""},
                    BadPathCase{"OverLongFspath", {"C:\\FS9\\Simlocate.exe", "-fspath", kLongPath.c_str()},
                                kLongPath},
                    BadPathCase{"BadPathEvenWithNoPrompt", {"Simlocate.exe", "-noprompt"}, "Simlocate.exe"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunRegistrar, FailedWriteEndsTheRunThroughFatalError) {
  FakeSystem system;
  system.registry.failures["RegCreateKeyExA"] = 5;
  system.files.existing["C:\\FS9\\scenery.cfg"] = 0x20;
  RunSettings settings{"C:\\FS9\\Simlocate.exe"};
  settings.no_prompt = true;
  try {
    RunRegistrar(system.platform, settings, "FS2004");
    FAIL() << "returned";
  } catch (const fakes::ProcessExit& exit) {
    EXPECT_EQ(exit.code, 5u);
  }
  const std::string report = "Couldn't open/create registry key: " + kFs2004Key + ": GetLastError returned 5\n";
  EXPECT_THAT(system.boxes.shown, ElementsAre(fakes::ShownBox{report, "Error", 0}));
  EXPECT_EQ(system.report.lines.back(), report);
}

}  // namespace
}  // namespace registrar
