// The launcher itself: output captured, exit status passed on, a hung child ended.
#include "testing/wine/child_process.h"

#include <gtest/gtest.h>

using wine_testing::ChildProcess;

TEST(ChildProcess, CapturesOutputAndExitStatus) {
  ChildProcess child("cmd.exe /c echo hello& exit 7");
  ASSERT_TRUE(child.Wait(20000));
  EXPECT_EQ(child.ExitCode(), 7u);
  EXPECT_NE(child.Output().find("hello"), std::string::npos);
}

// Run only as the child of the test below.
TEST(ChildProcess, DISABLED_SleepsLong) { Sleep(60000); }

TEST(ChildProcess, KillsAChildThatDoesNotEnd) {
  ChildProcess child("\"" + wine_testing::ProgramDir() + "\\child_process_test.exe\"" +
                     " --gtest_also_run_disabled_tests --gtest_filter=ChildProcess.DISABLED_SleepsLong");
  EXPECT_FALSE(child.Wait(300));
  child.Kill();
  EXPECT_TRUE(child.Wait(0));
}

TEST(ChildProcess, RefusesAProgramThatDoesNotExist) {
  EXPECT_THROW(ChildProcess("no-such-program-here.exe"), std::runtime_error);
}
