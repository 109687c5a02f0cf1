// The real Simlocate.exe under Wine: its boxes, the registry afterwards, its exit
// status and its redirected standard output.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "registrar/tests/expected_boxes.h"
#include "registrar/wine_tests/registry_fixture.h"
#include "registrar/wine_tests/simulator_folder.h"
#include "testing/wine/child_process.h"
#include "testing/wine/message_box_driver.h"

namespace registrar_wine {
namespace {

using registrar::Box;
using registrar::kCaption;

struct SeenBox {
  std::string caption;
  std::string text;
  unsigned style;
  bool has_owner;
  bool operator==(const SeenBox&) const = default;
};

void PrintTo(const SeenBox& box, std::ostream* out) {
  *out << "{" << box.caption << " | " << testing::PrintToString(box.text) << " | 0x" << std::hex << box.style
       << (box.has_owner ? " | owned" : "") << "}";
}

struct RunResult {
  std::vector<SeenBox> boxes;
  unsigned long exit_code;
  std::string output;
};

// Runs the program, answering each box it shows with the next of the answers
// (OK once they run out), until it ends.
RunResult RunSimlocate(const std::string& program, const std::string& arguments, std::deque<int> answers = {}) {
  wine_testing::ChildProcess child("\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments));
  RunResult run;
  for (unsigned waited = 0; !child.Wait(20); waited += 20) {
    if (waited > 60000) {
      child.Kill();
      ADD_FAILURE() << "Simlocate did not end";
      break;
    }
    for (const char* caption : {kCaption.c_str(), "Error", "ErrorText"}) {
      const auto box = wine_testing::MessageBoxWindow::Find(caption);
      if (!box) continue;
      Sleep(100);  // painted, so that its icon shows
      run.boxes.push_back({box->Caption(), box->Text(), box->Style(), box->HasOwner()});
      const int answer = answers.empty() ? IDOK : answers.front();
      if (!answers.empty()) answers.pop_front();
      EXPECT_TRUE(box->Press(answer)) << "box did not close: " << caption;
    }
  }
  run.exit_code = child.ExitCode();
  run.output = child.Output();
  return run;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string kOpenFailed = "Couldn't open registry key: " + kKeyPath;

struct FlowCase {
  const char* name;
  const char* folder;      // under the scratch root
  bool scenery;
  const char* registered;  // "=" the folder itself, "=lower" in lower case, "=\\" with a backslash; null: none
  const char* switches;
  std::deque<int> answers;
  std::vector<Box> boxes;
  const char* stored_after;  // "=" the folder; null: as before
};

std::string Resolve(const char* registered, const std::string& folder) {
  const std::string value = registered;
  if (value == "=") return folder;
  if (value == "=\\") return folder + "\\";
  if (value == "=lower") {
    std::string lower = folder;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
  }
  return value;
}

const FlowCase kFlows[] = {
    {"Unchanged", "FS9", true, "=", "", {}, {Box::kUnchanged}, nullptr},
    {"UnchangedInAnotherCase", "FS9", true, "=lower", "", {}, {Box::kUnchanged}, nullptr},
    {"UnchangedNoPrompt", "FS9", true, "=", "-noprompt", {}, {}, nullptr},
    {"TrailingBackslashIsAChange", "FS9", true, "=\\", "", {IDOK}, {Box::kConfirm}, "="},
    {"NotRegisteredThenOk", "FS9", true, nullptr, "", {IDOK}, {Box::kConfirm}, "="},
    {"ChangedThenCancel", "FS9", true, "D:\\Old FS9", "", {IDCANCEL}, {Box::kConfirm, Box::kCancelled}, nullptr},
    {"ChangedNoPrompt", "FS9", true, "D:\\Old FS9", "-NOPROMPT", {}, {}, "="},
    {"NoSceneryOk", "Games\\FS9", false, nullptr, "", {IDOK, IDOK}, {Box::kConfirm, Box::kInvalid}, "="},
    {"NoSceneryCancel", "Games\\FS9", false, nullptr, "", {IDOK, IDCANCEL},
     {Box::kConfirm, Box::kInvalid, Box::kCancelled}, nullptr},
    {"NoSceneryNoPrompt", "Games\\FS9", false, nullptr, "-noprompt", {}, {}, nullptr},
    {"NoSceneryNoFsCheckNoPrompt", "Games\\FS9", false, nullptr, "-nofscheck -noprompt", {}, {}, "="},
    {"TempFolderStillWarnsWithNoPrompt", "Local Settings\\Temp\\FS9", true, nullptr, "-noprompt", {IDOK},
     {Box::kZip}, "="},
    {"TempFolderCancel", "Local Settings\\Temp\\FS9", true, nullptr, "", {IDCANCEL},
     {Box::kZip, Box::kCancelled}, nullptr},
    {"TempFolderNoTmpCheck", "TMP\\FS9", true, nullptr, "-notmpcheck", {IDOK}, {Box::kConfirm}, "="},
    {"HelpTwiceThenTheUsualRun", "FS9", true, "=", "-help -?", {}, {Box::kUnchanged}, nullptr},
};

class SimlocateFlowTest : public testing::TestWithParam<FlowCase> {
 protected:
  SimulatorKey key_;
};

TEST_P(SimlocateFlowTest, BoxesRegistryExitStatusAndOutput) {
  const FlowCase& c = GetParam();
  const SimulatorFolder folder(c.folder, c.scenery);
  std::optional<std::string> registered;
  if (c.registered != nullptr) {
    registered = Resolve(c.registered, folder.Path());
    key_.StoreText(*registered);
  }

  const RunResult run = RunSimlocate(folder.Program(), c.switches, c.answers);

  std::vector<SeenBox> expected;
  for (const Box box : c.boxes) {
    const auto e = registrar::Expected(box, folder.Path(), registered.value_or("Not registered"));
    expected.push_back({e.caption, e.text, e.style, false});
  }
  EXPECT_EQ(run.boxes, expected);
  EXPECT_EQ(run.exit_code, 0u);
  const auto stored = c.stored_after != nullptr ? std::optional(folder.Path()) : registered;
  EXPECT_EQ(SimulatorKey::Query(), stored);
  EXPECT_FALSE(SimulatorKey::ExistsIn64BitView());

  std::vector<std::string> lines;
  if (std::string(c.switches).find("-help") != std::string::npos) {
    lines = Concat(registrar::ExpectedHelpBlock(), registrar::ExpectedHelpBlock());
  }
  lines = Concat(lines, registrar::ExpectedBanner());
  if (!registered) lines.push_back(kOpenFailed);
  EXPECT_EQ(run.output, Lines(lines));
}

INSTANTIATE_TEST_SUITE_P(Flows, SimlocateFlowTest, testing::ValuesIn(kFlows),
                         [](const auto& info) { return std::string(info.param.name); });

class SimlocateTest : public testing::Test {
 protected:
  SimulatorKey key_;
};

TEST_F(SimlocateTest, KeyWithoutValueReadsAsNotRegistered) {
  const SimulatorFolder folder("FS9", true);
  key_.CreateEmptyKey();
  const RunResult run = RunSimlocate(folder.Program(), "-noprompt");
  EXPECT_THAT(run.boxes, testing::IsEmpty());
  EXPECT_EQ(SimulatorKey::Query(), folder.Path());
  EXPECT_EQ(run.output, Lines(Concat(registrar::ExpectedBanner(), {"Couldn't query registry key: " + kKeyPath})));
}

TEST_F(SimlocateTest, ValueStoredWithoutTerminatorEndsAtItsLength) {
  const SimulatorFolder folder("FS9", true);
  key_.StoreBytes(folder.Path());
  const RunResult run = RunSimlocate(folder.Program(), "");
  const auto e = registrar::Expected(Box::kUnchanged, folder.Path(), folder.Path());
  EXPECT_THAT(run.boxes, testing::ElementsAre(SeenBox{e.caption, e.text, e.style, false}));
}

TEST_F(SimlocateTest, FspathNamesAFileOfAnotherFolder) {
  const SimulatorFolder started_from("Copy", false);
  const SimulatorFolder simulator("Microsoft Games\\FS9", true);
  const RunResult run = RunSimlocate(started_from.Program(), "-fspath \"" + simulator.Path() + "\\fs9.exe\" -noprompt");
  EXPECT_THAT(run.boxes, testing::IsEmpty());
  EXPECT_EQ(run.exit_code, 0u);
  EXPECT_EQ(SimulatorKey::Query(), simulator.Path());
}

class SimlocateBadPathTest : public testing::TestWithParam<const char*> {
 protected:
  SimulatorKey key_;
};

TEST_P(SimlocateBadPathTest, ErrorBoxAndStatus161WithoutWriting) {
  const SimulatorFolder folder("FS9", true);
  const std::string value = GetParam() == std::string("folder itself")
                                ? folder.Path()
                                : folder.Path() + "\\" + std::string(260 - folder.Path().size() - 5, 'x') + ".exe";
  const RunResult run = RunSimlocate(folder.Program(), "-noprompt -fspath \"" + value + "\"");
  const std::string text = "Cannot determine the flight simulator folder from \"" + value + "\".";
  EXPECT_THAT(run.boxes, testing::ElementsAre(SeenBox{kCaption, text, MB_OK | MB_ICONERROR, false}));
  EXPECT_EQ(run.exit_code, 161u);
  EXPECT_EQ(SimulatorKey::Query(), std::nullopt);
  EXPECT_EQ(run.output, Lines(Concat(registrar::ExpectedBanner(), {text})));
}

// The folder itself names no file in it; 260 characters are one too many.
INSTANTIATE_TEST_SUITE_P(FspathValues, SimlocateBadPathTest, testing::Values("folder itself", "260 characters"));

// Without a redirection the lines have nowhere to go; the run is the same.
TEST_F(SimlocateTest, RunsWithoutAnyStandardOutput) {
  const SimulatorFolder folder("FS9", true);
  std::string command = "\"";
  command += folder.Program() + "\" -noprompt";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                             &startup, &process));
  const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  DWORD exit_code = 0;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(ended);
  EXPECT_EQ(exit_code, 0u);
  EXPECT_EQ(SimulatorKey::Query(), folder.Path());
}

struct FailureCase {
  const char* name;
  UncreatableKey::Reason reason;
  unsigned long code;
};

class SimlocateWriteFailureTest : public testing::TestWithParam<FailureCase> {
 protected:
  SimulatorKey key_;
};

TEST_P(SimlocateWriteFailureTest, FatalBoxesAndTheCodeAsExitStatus) {
  const FailureCase& c = GetParam();
  const SimulatorFolder folder("FS9", true);
  RunResult run;
  {
    const UncreatableKey uncreatable(c.reason);
    run = RunSimlocate(folder.Program(), "-noprompt");
  }
  const std::string report =
      "Couldn't open/create registry key: " + kKeyPath + ": GetLastError returned " + std::to_string(c.code) + "\n";
  ASSERT_EQ(run.boxes.size(), 2u);
  EXPECT_EQ(run.boxes[0], (SeenBox{"Error", report, MB_OK, false}));
  const SeenBox& error_text = run.boxes[1];
  EXPECT_EQ(error_text.caption, "ErrorText");
  EXPECT_EQ(error_text.style, static_cast<unsigned>(MB_OK));
  EXPECT_FALSE(error_text.text.empty());
  EXPECT_EQ(run.exit_code, c.code);
  EXPECT_EQ(SimulatorKey::Query(), std::nullopt);
  // The report stream is in text mode: every '\n' written, the system text's own
  // included, reaches the file as CR LF.
  std::string written;
  for (const char ch : report + "\n" + error_text.text + "\n") {
    written += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
  }
  EXPECT_EQ(run.output, Lines(Concat(registrar::ExpectedBanner(), {kOpenFailed})) + written);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, SimlocateWriteFailureTest,
    testing::Values(FailureCase{"AccessDenied", UncreatableKey::Reason::kAccessDenied, ERROR_ACCESS_DENIED},
                    FailureCase{"VolatileParent", UncreatableKey::Reason::kVolatileParent,
                                ERROR_CHILD_MUST_BE_VOLATILE}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace registrar_wine
