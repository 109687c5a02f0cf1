#include "testing/simstandin/standin_options.h"

#include <gtest/gtest.h>

using simstandin::ParseStandinOptions;

namespace {

TEST(StandinOptions, EverySwitchIsTaken) {
  std::string error;
  const auto options =
      ParseStandinOptions({"--class", "FS98MAIN", "--fsuipc-version", "19980004", "--sim-version", "0x12340009",
                           "--no-reply", "--reply", "0", "--log", "C:\\x.log", "--seconds", "30"},
                          error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->window_class, "FS98MAIN");
  EXPECT_EQ(options->fsuipc_version, 0x19980004u);
  EXPECT_EQ(options->simulator_version, 0x12340009u);
  EXPECT_TRUE(options->no_reply);
  EXPECT_EQ(options->reply, 0u);
  EXPECT_EQ(options->log_path, "C:\\x.log");
  EXPECT_EQ(options->seconds, 30u);
}

TEST(StandinOptions, DefaultsPlayAWorkingFsuipc) {
  std::string error;
  const auto options = ParseStandinOptions({}, error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->window_class, "UIPCMAIN");
  EXPECT_GE(options->fsuipc_version, 0x19980005u);
  EXPECT_EQ(options->simulator_version >> 16, 0xFADEu);
  EXPECT_EQ(options->reply, 1u);
}

TEST(StandinOptions, BadLinesAreRefused) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--class", "OTHER"},
                                                                {"--reply"},
                                                                {"--sim-version", "xyz"},
                                                                {"--fsuipc-version", "123456789"},
                                                                {"--seconds", "-1"},
                                                                {"--bogus", "1"}}) {
    std::string error;
    EXPECT_FALSE(ParseStandinOptions(args, error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
