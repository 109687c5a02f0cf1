#include "registrar/fatal_error.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "registrar/tests/fake_system.h"

namespace registrar {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

unsigned long ExitStatusOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const fakes::ProcessExit& exit) {
    return exit.code;
  }
  ADD_FAILURE() << "the process did not end";
  return 0xFFFFFFFF;
}

class FatalErrorTest : public testing::Test {
 protected:
  FakeSystem system_;
};

TEST_F(FatalErrorTest, ReportsTheLastErrorEverywhereAndEndsWithIt) {
  system_.last_error.value = 1021;
  system_.error_text.system_texts[1021] = "Cannot create a stable subkey under a volatile parent key.\r\n";
  EXPECT_EQ(ExitStatusOf([&] { FatalError(system_.platform, "Couldn't do it"); }), 1021u);
  const std::string report = "Couldn't do it: GetLastError returned 1021\n";
  // WriteLine adds the line end that leaves a blank line after the report.
  EXPECT_THAT(system_.report.lines,
              ElementsAre(report, "Cannot create a stable subkey under a volatile parent key.\r\n"));
  EXPECT_THAT(system_.boxes.shown,
              ElementsAre(fakes::ShownBox{report, "Error", platform::kMbOk},
                          fakes::ShownBox{"Cannot create a stable subkey under a volatile parent key.\r\n",
                                          "ErrorText", platform::kMbOk}));
}

TEST_F(FatalErrorTest, TwoTextFormJoinsPrefixAndDetail) {
  system_.last_error.value = 5;
  EXPECT_EQ(ExitStatusOf([&] { FatalError(system_.platform, "Couldn't close registry key: ", "KEY"); }), 5u);
  EXPECT_THAT(system_.report.lines, ElementsAre("Couldn't close registry key: KEY: GetLastError returned 5\n"));
}

TEST_F(FatalErrorTest, ZeroLastErrorEndsWithStatusZero) {
  EXPECT_EQ(ExitStatusOf([&] { FatalError(system_.platform, "x"); }), 0u);
  EXPECT_THAT(system_.report.lines, ElementsAre("x: GetLastError returned 0\n"));
  EXPECT_THAT(system_.boxes.shown, ElementsAre(fakes::ShownBox{"x: GetLastError returned 0\n", "Error", 0}));
}

TEST_F(FatalErrorTest, LargestCodeInUnsignedDecimal) {
  system_.last_error.value = 0xFFFFFFFF;
  EXPECT_EQ(ExitStatusOf([&] { FatalError(system_.platform, "x"); }), 0xFFFFFFFFu);
  EXPECT_THAT(system_.report.lines, ElementsAre("x: GetLastError returned 4294967295\n"));
}

TEST_F(FatalErrorTest, ReportIsFormedWholeHoweverLong) {
  const std::string text(5000, 'k');
  EXPECT_EQ(ExitStatusOf([&] { FatalError(system_.platform, text); }), 0u);
  EXPECT_THAT(system_.report.lines, ElementsAre(text + ": GetLastError returned 0\n"));
}

struct LookupCase {
  unsigned long code;
  bool netmsg_loads;
  std::vector<std::string> calls;
};

class ShowErrorTextTest : public testing::TestWithParam<LookupCase> {};

const std::string kSystemOnly = "FormatMessageA flags=4864 module=none code=";  // 0x1300
const std::string kWithNetmsg = "FormatMessageA flags=6912 module=netmsg.dll code=";  // 0x1B00

TEST_P(ShowErrorTextTest, NetworkCodesAreLookedUpInNetmsgFirst) {
  const LookupCase& c = GetParam();
  FakeSystem system;
  if (c.netmsg_loads) system.error_text.modules["netmsg.dll"] = {};
  ShowErrorText(system.platform, c.code);
  EXPECT_EQ(system.error_text.calls, c.calls);
  EXPECT_EQ(system.error_text.LoadedModules(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ShowErrorTextTest,
    testing::Values(
        LookupCase{2099, true, {kSystemOnly + "2099 language=1024"}},
        LookupCase{2100, true,
                   {"LoadLibraryExA netmsg.dll flags=2", kWithNetmsg + "2100 language=1024", "FreeLibrary netmsg.dll"}},
        LookupCase{2999, true,
                   {"LoadLibraryExA netmsg.dll flags=2", kWithNetmsg + "2999 language=1024", "FreeLibrary netmsg.dll"}},
        LookupCase{3000, true, {kSystemOnly + "3000 language=1024"}},
        LookupCase{2102, false, {"LoadLibraryExA netmsg.dll flags=2", kSystemOnly + "2102 language=1024"}},
        LookupCase{5, true, {kSystemOnly + "5 language=1024"}}));

TEST(ShowErrorText, WritesAndShowsTheTextOfNetmsg) {
  FakeSystem system;
  system.error_text.modules["netmsg.dll"][2102] = "The workstation driver is not installed.\r\n";
  system.error_text.system_texts[2102] = "system's own text\r\n";
  ShowErrorText(system.platform, 2102);
  EXPECT_THAT(system.report.lines, ElementsAre("The workstation driver is not installed.\r\n"));
  EXPECT_THAT(system.boxes.shown, ElementsAre(fakes::ShownBox{"The workstation driver is not installed.\r\n",
                                                              "ErrorText", platform::kMbOk}));
}

TEST(ShowErrorText, FallsBackToTheSystemsTableWhenNetmsgDoesNotLoad) {
  FakeSystem system;
  system.error_text.system_texts[2102] = "system's own text\r\n";
  ShowErrorText(system.platform, 2102);
  EXPECT_THAT(system.report.lines, ElementsAre("system's own text\r\n"));
}

TEST(ShowErrorText, NoTextNoLineNoBox) {
  FakeSystem system;
  system.error_text.modules["netmsg.dll"] = {};
  ShowErrorText(system.platform, 2500);
  ShowErrorText(system.platform, 12345);
  EXPECT_THAT(system.report.lines, IsEmpty());
  EXPECT_THAT(system.boxes.shown, IsEmpty());
}

}  // namespace
}  // namespace registrar
