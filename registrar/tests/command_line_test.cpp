#include "registrar/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "registrar/tests/expected_boxes.h"
#include "testing/fakes/fake_report_stream.h"

namespace registrar {
namespace {

struct ParseCase {
  const char* name;
  std::vector<const char*> arguments;  // argument 0 first
  RunSettings expected;
  int help_blocks;
};

const ParseCase kParseCases[] = {
    {"NoSwitches", {"C:\\FS9\\Simlocate.exe"}, {"C:\\FS9\\Simlocate.exe", "", false, false, false}, 0},
    {"NoArgumentsAtAll", {}, {"", "", false, false, false}, 0},
    {"EverySwitch",
     {"prog.exe", "-nofscheck", "-notmpcheck", "-noprompt", "-log", "run.log", "-fspath", "D:\\FS9\\fs9.exe"},
     {"D:\\FS9\\fs9.exe", "run.log", true, true, true},
     0},
    {"SwitchesInAnyCase",
     {"prog.exe", "-NOFSCHECK", "-NoTmpCheck", "-NOPROMPT", "-LOG", "x", "-FSPath", "E:\\a.exe"},
     {"E:\\a.exe", "x", true, true, true},
     0},
    {"UnknownArgumentsIgnored", {"prog.exe", "/noprompt", "noprompt", "-noprompts", "--help"}, {"prog.exe"}, 0},
    {"LastFspathWins", {"prog.exe", "-fspath", "C:\\A\\a.exe", "-fspath", "C:\\B\\b.exe"}, {"C:\\B\\b.exe"}, 0},
    {"LastLogWins", {"prog.exe", "-log", "one", "-log", "two"}, {"prog.exe", "two"}, 0},
    {"HelpAndQuestionMarkEachWriteTheBlock", {"prog.exe", "-help", "-?", "-HELP"}, {"prog.exe"}, 3},
    {"HelpThenTheUsualSettings", {"prog.exe", "-help", "-noprompt"}, {"prog.exe", "", false, false, true}, 1},
    {"LogTakesFspathAsValueWhichStillActs",
     {"prog.exe", "-log", "-fspath", "C:\\FS9\\fs9.exe"},
     {"C:\\FS9\\fs9.exe", "-fspath"},
     0},
    {"LogSwallowsNoprompt", {"prog.exe", "-log", "-noprompt"}, {"prog.exe", "-noprompt"}, 0},
    {"LogSwallowsHelp", {"prog.exe", "-log", "-help"}, {"prog.exe", "-help"}, 0},
    {"FspathValueIsNotASwitch", {"prog.exe", "-fspath", "-noprompt"}, {"-noprompt"}, 0},
    {"LogAsLastArgumentIgnored", {"prog.exe", "-noprompt", "-log"}, {"prog.exe", "", false, false, true}, 0},
    {"FspathAsLastArgumentIgnored", {"prog.exe", "-fspath"}, {"prog.exe"}, 0},
    {"LogThenFspathAsLastArguments", {"prog.exe", "-log", "-fspath"}, {"prog.exe", "-fspath"}, 0},
    {"ArgumentZeroIsExaminedToo", {"-noprompt"}, {"-noprompt", "", false, false, true}, 0},
};

class ParseCommandLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineTest, Settings) {
  const ParseCase& c = GetParam();
  fakes::FakeReportStream report;
  const RunSettings settings =
      ParseCommandLine(static_cast<int>(c.arguments.size()), c.arguments.data(), report, "FS2004");
  EXPECT_EQ(settings.program_path, c.expected.program_path);
  EXPECT_EQ(settings.log_value, c.expected.log_value);
  EXPECT_EQ(settings.skip_folder_check, c.expected.skip_folder_check);
  EXPECT_EQ(settings.skip_temp_check, c.expected.skip_temp_check);
  EXPECT_EQ(settings.no_prompt, c.expected.no_prompt);
  EXPECT_EQ(report.lines.size(), 8u * c.help_blocks);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseCommandLineTest, testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HelpBlock, Lines) {
  fakes::FakeReportStream report;
  WriteHelpBlock(report, "FS2004");
  EXPECT_EQ(report.lines, ExpectedHelpBlock());
}

}  // namespace
}  // namespace registrar
