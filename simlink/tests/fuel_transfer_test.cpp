#include "simlink/fuel_transfer.h"

#include <string>
#include <vector>

#include "simlink/tests/link_fixture.h"

using namespace simlink;

namespace {

struct LevelCase {
  TankGauge gauge;
  std::int32_t level;
};

class TankLevels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(TankLevels, FollowTheSingleAndExtendedPrecisionSteps) {
  EXPECT_EQ(TankLevel(GetParam().gauge), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Edges, TankLevels,
                         ::testing::Values(LevelCase{{3914, 3914}, 8388608}, LevelCase{{1957, 3914}, 4194304},
                                           LevelCase{{0, 3914}, 0}, LevelCase{{204, 13064}, 130991},
                                           // the single-precision 8386464.5 is truncated
                                           LevelCase{{3913, 3914}, 8386464}, LevelCase{{13064, 13064}, 8388608},
                                           LevelCase{{1, 13064}, 642}, LevelCase{{5, 0}, 0},
                                           // held as a gauge holds it
                                           LevelCase{{2147483647, 3914}, 8388608}, LevelCase{{-5, 3914}, 0}));

struct VersionCase {
  std::uint32_t version;
  const char* text;
};

class VersionTexts : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionTexts, ShowTheFourTopHexDigits) { EXPECT_EQ(FsuipcVersionText(GetParam().version), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Digits, VersionTexts,
                         ::testing::Values(VersionCase{0x3530FFFF, "3.530"}, VersionCase{0x19980005, "1.998"},
                                           VersionCase{0xA0000000, ":.000"}, VersionCase{0x0BCDEF00, "0.;<="},
                                           VersionCase{0xFFFF0000, "?.???"}));

class RecordingView : public TransferView {
 public:
  void SetStatusText(const std::string& text) override { events.push_back("status:" + text); }
  void ShowInformation(const std::string& text) override { events.push_back("information:" + text); }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    events.push_back("message:" + caption + ":" + text);
  }
  std::vector<std::string> events;
};

class FuelTransfer : public LinkTest {
 protected:
  // The tank writes, one batch each, after the handshake.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> TankWrites() const {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> writes;
    for (std::size_t i = 1; i < fsuipc.batches.size(); ++i) {
      const auto& batch = fsuipc.batches[i];
      EXPECT_EQ(batch.size(), 1u);
      const auto& record = batch.at(0);
      EXPECT_EQ(record.kind, 2u);
      EXPECT_EQ(record.size, 4u);
      writes.emplace_back(record.offset, fsuipc.memory.ReadU32(record.offset));
    }
    return writes;
  }

  RecordingView view;
  const TankGauges gauges{{3913, kMainTankMaximum}, {204, kCentreTankMaximum}, {1957, kMainTankMaximum}};
  const std::string success = "message:Aviso:Combustível Transferido com Sucesso!";
};

TEST_F(FuelTransfer, WritesLeftCentreRightInThreeExchangesAndReportsSuccess) {
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_OK);
  EXPECT_EQ(view.events, (std::vector<std::string>{"status:C:\\FS9 - FSUIPC: 3.530", success}));
  EXPECT_EQ(TankWrites(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                              {0x0B7C, 8386464}, {0x0B74, 130991}, {0x0B94, 4194304}}));
  ExpectEverythingReleased();
}

TEST_F(FuelTransfer, EmptyFolderStillGetsTheVersion) {
  EXPECT_EQ(SendFuelToSimulator(gauges, "", view), LINK_OK);
  EXPECT_EQ(view.events.front(), "status: - FSUIPC: 3.530");
}

TEST_F(FuelTransfer, NoSimulatorShowsTheTextOfCodeTwoAndNothingElse) {
  fsuipc.uipcmain_window = false;
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_NO_SIMULATOR);
  EXPECT_EQ(view.events, std::vector<std::string>{std::string("information:") + LinkResultText[LINK_NO_SIMULATOR]});
  EXPECT_TRUE(fsuipc.batches.empty());
  ExpectEverythingReleased();
}

TEST_F(FuelTransfer, VersionFailureShowsItsTextAndWritesNothing) {
  fsuipc.memory.SetU32(0x3304, 0x10000000);
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_BAD_VERSION);
  EXPECT_EQ(view.events, std::vector<std::string>{"information:Incorrect version of FSUIPC, or not FSUIPC"});
  EXPECT_TRUE(TankWrites().empty());
  ExpectEverythingReleased();
}

TEST_F(FuelTransfer, FailedTankExchangeStopsThereAndShowsItsCodeInsteadOfSuccess) {
  fsuipc.before_batch = [this](int batch) {
    if (batch == 2) fsuipc.reply = 0;
  };
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_BAD_DATA);
  EXPECT_EQ(view.events,
            (std::vector<std::string>{"status:C:\\FS9 - FSUIPC: 3.530", "information:IPC request contains bad data"}));
  EXPECT_EQ(fsuipc.batches.size(), 3u);  // the right tank was never sent
  ExpectEverythingReleased();
}

TEST_F(FuelTransfer, TimedOutTankExchangeReportsTheTimeout) {
  fsuipc.before_batch = [this](int batch) {
    if (batch == 1) fsuipc.failing_sends = -1;
  };
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_TIMEOUT);
  EXPECT_EQ(view.events.back(), "information:IPC timed out all retries");
  ExpectEverythingReleased();
}

TEST_F(FuelTransfer, TwoTransfersInARowEachOpenTheirOwnLink) {
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_OK);
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_OK);
  EXPECT_EQ(view.events.size(), 4u);
  EXPECT_EQ(view.events[3], success);
}

TEST_F(FuelTransfer, ALinkLeftOpenBeforeIsReportedAndClosed) {
  Open();
  EXPECT_EQ(SendFuelToSimulator(gauges, "C:\\FS9", view), LINK_ALREADY_OPEN);
  EXPECT_EQ(view.events, std::vector<std::string>{"information:O arquivo FSUIPC já está aberto"});
  ExpectEverythingReleased();
}

}  // namespace

namespace {

// Every level the two gauge sizes can produce, folded into one figure taken in
// the native build, so the Windows builds must send exactly the same levels.
std::uint64_t LevelFingerprint(int maximum) {
  std::uint64_t hash = 14695981039346656037ull;
  for (int value = 0; value <= maximum; ++value) {
    hash = (hash ^ static_cast<std::uint32_t>(simlink::TankLevel({value, maximum}))) * 1099511628211ull;
  }
  return hash;
}

TEST(TankLevelFingerprint, EveryGaugeValueGivesTheSameLevelInEveryBuild) {
  EXPECT_EQ(LevelFingerprint(simlink::kMainTankMaximum), 977933068976192174ull);
  EXPECT_EQ(LevelFingerprint(simlink::kCentreTankMaximum), 13139613931116232391ull);
}

}  // namespace
