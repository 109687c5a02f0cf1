#include "simlink/fuelsend/fuelsend.h"

#include <sstream>

#include "simlink/tests/link_fixture.h"

using namespace simlink;

namespace {

class FuelSend : public LinkTest {
 protected:
  int Run(const std::vector<std::string>& args) { return RunFuelSend(args, out, err); }
  std::uint32_t Level(std::uint32_t offset) const { return fsuipc.memory.ReadU32(offset); }

  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(FuelSend, PrintsTheStatusAndTheSuccessTextAndExitsZero) {
  EXPECT_EQ(Run({"--folder", "C:\\FS9", "3914", "204", "1957"}), 0);
  EXPECT_EQ(out.str(), "C:\\FS9 - FSUIPC: 3.530\nCombustível Transferido com Sucesso!\n");
  EXPECT_EQ(Level(0x0B7C), 8388608u);
  EXPECT_EQ(Level(0x0B74), 130991u);
  EXPECT_EQ(Level(0x0B94), 4194304u);
  EXPECT_TRUE(err.str().empty());
}

TEST_F(FuelSend, KilogramsAreHeldToTheGaugeRanges) {
  fsuipc.memory.SetU32(0x0B74, 123);
  EXPECT_EQ(Run({"5000", "-10", "99999"}), 0);
  EXPECT_EQ(Level(0x0B7C), 8388608u);
  EXPECT_EQ(Level(0x0B74), 0u);
  EXPECT_EQ(Level(0x0B94), 8388608u);
  EXPECT_EQ(out.str().substr(0, 17), " - FSUIPC: 3.530\n");
}

TEST_F(FuelSend, FailureExitsWithItsCodeAfterPrintingItsText) {
  fsuipc.uipcmain_window = false;
  EXPECT_EQ(Run({"1", "2", "3"}), LINK_NO_SIMULATOR);
  EXPECT_EQ(out.str(), std::string(LinkResultText[LINK_NO_SIMULATOR]) + "\n");
}

class FuelSendUsage : public FuelSend, public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(FuelSendUsage, BadCommandLinesSendNothing) {
  EXPECT_EQ(Run(GetParam()), kFuelSendUsage);
  EXPECT_NE(err.str().find("usage: fuelsend"), std::string::npos);
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(fsuipc.Calls(), 0);
}

INSTANTIATE_TEST_SUITE_P(Lines, FuelSendUsage,
                         ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"1", "2"},
                                           std::vector<std::string>{"1", "2", "3", "4"},
                                           std::vector<std::string>{"1", "x", "3"},
                                           std::vector<std::string>{"1.5", "2", "3"},
                                           std::vector<std::string>{"1", "", "3"},
                                           std::vector<std::string>{"1", "2", "99999999999"},
                                           std::vector<std::string>{"1", "2", "3", "--folder"}));

}  // namespace
