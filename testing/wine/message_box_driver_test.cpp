// The driver reads what a box really shows and presses its buttons.
#include "testing/wine/message_box_driver.h"

#include <gtest/gtest.h>

#include <future>

namespace wine_testing {
namespace {

struct StyleCase {
  unsigned style;
  int button;
};

class MessageBoxDriverTest : public testing::TestWithParam<StyleCase> {};

TEST_P(MessageBoxDriverTest, ReadsTheBoxAndPressesItsButton) {
  const StyleCase& c = GetParam();
  const std::string caption = "Driver test box " + std::to_string(c.style);
  auto shown = std::async(std::launch::async, [&] {
    return MessageBoxA(nullptr, "First line\n\n\tOld: \tC:\\FS9", caption.c_str(), c.style);
  });
  const auto box = MessageBoxWindow::WaitFor(caption, 10000);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->Caption(), caption);
  EXPECT_EQ(box->Text(), "First line\n\n\tOld: \tC:\\FS9");
  EXPECT_EQ(box->Style(), c.style);
  EXPECT_FALSE(box->HasOwner());
  EXPECT_TRUE(box->Press(c.button));
  EXPECT_EQ(shown.get(), c.button);
  EXPECT_FALSE(MessageBoxWindow::Find(caption).has_value());
}

INSTANTIATE_TEST_SUITE_P(Styles, MessageBoxDriverTest,
                         testing::Values(StyleCase{MB_OK, IDOK}, StyleCase{MB_OK | MB_ICONERROR, IDOK},
                                         StyleCase{MB_OK | MB_ICONWARNING, IDOK},
                                         StyleCase{MB_OK | MB_ICONINFORMATION, IDOK},
                                         StyleCase{MB_OKCANCEL | MB_ICONINFORMATION, IDCANCEL},
                                         StyleCase{MB_OKCANCEL | MB_ICONWARNING, IDOK},
                                         StyleCase{MB_OKCANCEL | MB_ICONQUESTION, IDCANCEL}));

TEST(MessageBoxDriver, BoxWiderThanTheScreenStillShowsItsIcon) {
  const std::string text(400, 'W');
  auto shown = std::async(std::launch::async,
                          [&] { return MessageBoxA(nullptr, text.c_str(), "Driver wide box", MB_OK | MB_ICONWARNING); });
  const auto box = MessageBoxWindow::WaitFor("Driver wide box", 10000);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->Text(), text);
  EXPECT_EQ(box->Style(), static_cast<unsigned>(MB_OK | MB_ICONWARNING));
  EXPECT_TRUE(box->Press(IDOK));
  EXPECT_EQ(shown.get(), IDOK);
}

TEST(MessageBoxDriver, NoBoxNoWindow) { EXPECT_FALSE(MessageBoxWindow::WaitFor("No such box", 100).has_value()); }

}  // namespace
}  // namespace wine_testing
