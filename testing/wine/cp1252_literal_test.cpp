// The programs' texts reach the ANSI Win32 calls as Windows-1252 bytes.
#include <windows.h>
#include <gtest/gtest.h>

TEST(Cp1252Literal, AccentedTextReachesTheAnsiCallAsCp1252) {
  const char text[] = "Combustível Transferido com Sucesso!";
  ASSERT_EQ(static_cast<unsigned char>(text[7]), 0xED);  // í in Windows-1252

  HWND window = CreateWindowExA(0, "STATIC", text, 0, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  wchar_t wide[64] = {};
  GetWindowTextW(window, wide, 64);
  DestroyWindow(window);
  EXPECT_EQ(wide[7], L'\u00ED');
  EXPECT_STREQ(wide, L"Combust\u00EDvel Transferido com Sucesso!");
}
