// The client and the console sender against the stand-in, for real under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/ipc_transport_win32.h"
#include "simlink/FPCuser.h"
#include "simlink/fuel_transfer.h"
#include "simlink/wine_tests/standin_process.h"
#include "testing/wine/child_process.h"

using namespace simlink;

namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class RecordingView : public TransferView {
 public:
  void SetStatusText(const std::string& text) override { events.push_back("status:" + text); }
  void ShowInformation(const std::string& text) override { events.push_back("information:" + text); }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    events.push_back("message:" + caption + ":" + text);
  }
  std::vector<std::string> events;
};

class LinkUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(FindWindowExA(nullptr, nullptr, "UIPCMAIN", nullptr)) << "a stand-in is still running";
    ASSERT_FALSE(FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr)) << "a stand-in is still running";
    SetLinkTransport(&transport);
  }
  void TearDown() override {
    CloseLink();
    SetLinkTransport(nullptr);
  }
  std::string LogPath() const { return scratch.Path() + "\\writes.log"; }

  platform::Win32IpcTransport transport;
  wine_testing::ScratchFolder scratch{"simlink_wine_test"};
};

TEST_F(LinkUnderWine, TransferWritesTheThreeTanksTheStandinLogs) {
  StandinProcess standin("--log \"" + LogPath() + "\"");
  ASSERT_TRUE(standin.WindowUp());
  RecordingView view;
  const TankGauges gauges{{3913, 3914}, {204, 13064}, {3914, 3914}};
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_OK);
  EXPECT_EQ(view.events, (std::vector<std::string>{"status:C:\\FS9 - FSUIPC: 3.530",
                                                   "message:Aviso:Combustível Transferido com Sucesso!"}));
  EXPECT_EQ(CurrentLink().View, nullptr);
  standin.Stop();
  EXPECT_EQ(Lines(LogPath()),
            (std::vector<std::string>{"330A 2 EC03", "0B7C 4 A0F77F00", "0B74 4 AFFF0100", "0B94 4 00008000"}));
}

TEST_F(LinkUnderWine, MixedBatchOfReadsAndWritesIsCarriedOutInOrder) {
  StandinProcess standin("--log \"" + LogPath() + "\"");
  std::uint32_t result = 99;
  ASSERT_TRUE(OpenLink(9, result)) << result;
  EXPECT_EQ(CurrentLink().FsuipcVersion, 0x35300000u);
  EXPECT_EQ(CurrentLink().SimulatorVersion, 9u);

  const std::uint32_t level = 4194304;
  const std::uint8_t block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  std::uint32_t before = 0xFFFFFFFF, after = 0, version = 0;
  std::uint8_t block_back[8] = {};
  ASSERT_TRUE(QueueRead(0x0B7C, 4, &before, result));
  ASSERT_TRUE(QueueWrite(0x0B7C, 4, &level, result));
  ASSERT_TRUE(QueueRead(0x0B7C, 4, &after, result));
  ASSERT_TRUE(QueueWrite(0x2000, 8, block, result));
  ASSERT_TRUE(QueueRead(0x3308, 4, nullptr, result));
  ASSERT_TRUE(QueueRead(0x2000, 8, block_back, result));
  ASSERT_TRUE(QueueRead(0x3304, 4, &version, result));
  ASSERT_TRUE(ProcessRequests(result)) << result;
  EXPECT_EQ(before, 0u);
  EXPECT_EQ(after, level);
  EXPECT_EQ(version, 0x35300000u);
  EXPECT_EQ(std::vector<std::uint8_t>(block_back, block_back + 8), std::vector<std::uint8_t>(block, block + 8));

  // The most four-byte reads one batch holds, each to its own target.
  std::vector<std::uint32_t> targets(1600, 0xFFFFFFFF);
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const std::uint32_t offset = i % 2 ? 0x3304 : 0x0B7C;
    ASSERT_TRUE(QueueRead(offset, 4, &targets[i], result)) << i;
  }
  ASSERT_TRUE(ProcessRequests(result)) << result;
  for (std::size_t i = 0; i < targets.size(); ++i) ASSERT_EQ(targets[i], i % 2 ? 0x35300000u : level) << i;

  CloseLink();
  standin.Stop();
  EXPECT_EQ(Lines(LogPath()), (std::vector<std::string>{"330A 2 EC03", "0B7C 4 00004000", "2000 8 0102030405060708"}));
}

TEST_F(LinkUnderWine, SecondOpenIsRefusedAndTheFirstLinkKeepsWorking) {
  StandinProcess standin("");
  std::uint32_t result = 99;
  ASSERT_TRUE(OpenLink(0, result));
  EXPECT_FALSE(OpenLink(0, result));
  EXPECT_EQ(result, LINK_ALREADY_OPEN);
  std::uint32_t version = 0;
  ASSERT_TRUE(QueueRead(0x3304, 4, &version, result));
  EXPECT_TRUE(ProcessRequests(result));
  EXPECT_EQ(version, 0x35300000u);
  CloseLink();
  EXPECT_TRUE(OpenLink(0, result)) << result;
}

TEST_F(LinkUnderWine, WithoutASimulatorOpenReportsCodeTwo) {
  std::uint32_t result = 99;
  EXPECT_FALSE(OpenLink(0, result));
  EXPECT_EQ(result, LINK_NO_SIMULATOR);
}

struct SwitchCase {
  const char* name;
  const char* options;
  const char* window_class;
  std::uint32_t requested_simulator;
  std::uint32_t expected;
};

class StandinSwitch : public LinkUnderWine, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(StandinSwitch, GivesItsCode) {
  const SwitchCase& c = GetParam();
  StandinProcess standin(c.options, c.window_class);
  ASSERT_TRUE(standin.WindowUp());
  std::uint32_t result = 99;
  EXPECT_EQ(OpenLink(c.requested_simulator, result), c.expected == LINK_OK);
  EXPECT_EQ(result, c.expected);
  EXPECT_EQ(CurrentLink().View == nullptr, c.expected != LINK_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandinSwitch,
    ::testing::Values(SwitchCase{"Fs98main", "--class FS98MAIN", "FS98MAIN", 0, LINK_OK},
                      SwitchCase{"OldFsuipc", "--fsuipc-version 19980004", "UIPCMAIN", 0, LINK_BAD_VERSION},
                      SwitchCase{"HighWordNotFade", "--sim-version 12340009", "UIPCMAIN", 0, LINK_BAD_VERSION},
                      SwitchCase{"Fs98mainOldFsuipc", "--class FS98MAIN --fsuipc-version 10000000", "FS98MAIN", 0,
                                 LINK_REMOTE_NOT_RUNNING},
                      SwitchCase{"OtherSimulator", "", "UIPCMAIN", 8, LINK_WRONG_SIMULATOR},
                      SwitchCase{"RequestedSimulator", "--sim-version FADE0008", "UIPCMAIN", 8, LINK_OK},
                      SwitchCase{"ReplyZero", "--reply 0", "UIPCMAIN", 0, LINK_BAD_DATA},
                      SwitchCase{"ReplyTwo", "--reply 2", "UIPCMAIN", 0, LINK_BAD_DATA}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkUnderWine, NoReplyGivesUpAfterTenTimedOutSends) {
  StandinProcess standin("--no-reply");
  ASSERT_TRUE(standin.WindowUp());
  std::uint32_t result = 99;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(OpenLink(0, result));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_TRUE(result == LINK_TIMEOUT || result == LINK_SEND_FAILED) << result;
  EXPECT_GT(seconds, 19.0);
  EXPECT_LT(seconds, 30.0);
  EXPECT_EQ(CurrentLink().View, nullptr);
}

TEST_F(LinkUnderWine, StandinEndsByItselfAndRefusesBadOptions) {
  const std::string program = "\"" + wine_testing::ProgramDir() + "\\simstandin.exe\" ";
  wine_testing::ChildProcess timed(program + "--seconds 1");
  EXPECT_TRUE(timed.Wait(10000));
  EXPECT_EQ(timed.ExitCode(), 0u);
  wine_testing::ChildProcess refused(program + "--reply none");
  EXPECT_TRUE(refused.Wait(10000));
  EXPECT_EQ(refused.ExitCode(), 2u);
  EXPECT_FALSE(FindWindowExA(nullptr, nullptr, "UIPCMAIN", nullptr));
}

// --- The console sender ---

class FuelSendUnderWine : public LinkUnderWine {
 protected:
  std::string FuelSend(const std::string& args) const {
    return "\"" + wine_testing::ProgramDir() + "\\fuelsend.exe\" " + args;
  }
};

TEST_F(FuelSendUnderWine, SendsTheTanksAndPrintsWhatTheWindowWouldShow) {
  StandinProcess standin("--log \"" + LogPath() + "\"");
  wine_testing::ChildProcess sender(FuelSend("--folder C:\\FS9 3914 204 1957"));
  ASSERT_TRUE(sender.Wait(20000));
  EXPECT_EQ(sender.ExitCode(), 0u);
  EXPECT_EQ(sender.Output(), "C:\\FS9 - FSUIPC: 3.530\r\nCombustível Transferido com Sucesso!\r\n");
  standin.Stop();
  EXPECT_EQ(Lines(LogPath()),
            (std::vector<std::string>{"330A 2 EC03", "0B7C 4 00008000", "0B74 4 AFFF0100", "0B94 4 00004000"}));
}

TEST_F(FuelSendUnderWine, FailureExitsWithTheResultCode) {
  {
    wine_testing::ChildProcess sender(FuelSend("1 2 3"));
    ASSERT_TRUE(sender.Wait(20000));
    EXPECT_EQ(sender.ExitCode(), static_cast<unsigned long>(LINK_NO_SIMULATOR));
    EXPECT_EQ(sender.Output(), std::string(LinkResultText[LINK_NO_SIMULATOR]) + "\r\n");
  }
  StandinProcess standin("--reply 0");
  wine_testing::ChildProcess sender(FuelSend("1 2 3"));
  ASSERT_TRUE(sender.Wait(20000));
  EXPECT_EQ(sender.ExitCode(), static_cast<unsigned long>(LINK_BAD_DATA));
}

TEST_F(FuelSendUnderWine, BadCommandLineExitsWithUsage) {
  wine_testing::ChildProcess sender(FuelSend("12 x"));
  ASSERT_TRUE(sender.Wait(20000));
  EXPECT_EQ(sender.ExitCode(), 64u);
  EXPECT_NE(sender.Output().find("usage: fuelsend"), std::string::npos);
}

}  // namespace
