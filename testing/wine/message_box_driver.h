#pragma once
// Drives the message boxes of another program: finds a box by its caption,
// reads its text, buttons and icon, and presses one of its buttons.
#include <windows.h>

#include <optional>
#include <string>

namespace wine_testing {

class MessageBoxWindow {
 public:
  // The visible box with this caption, once it has been shown; none when no
  // such box appears within the time.
  static std::optional<MessageBoxWindow> WaitFor(const std::string& caption, unsigned timeout_ms);
  // The same, without waiting.
  static std::optional<MessageBoxWindow> Find(const std::string& caption);

  std::string Caption() const;
  std::string Text() const;
  // The MB_ style the box shows: its buttons (MB_OK or MB_OKCANCEL; 0xF for any
  // other set) with its icon (MB_ICONERROR, MB_ICONWARNING, MB_ICONINFORMATION,
  // MB_ICONQUESTION, 0 for none; 0xF0 for an icon it cannot tell).
  unsigned Style() const;
  bool HasOwner() const;

  // Presses IDOK or IDCANCEL, then waits until the box has gone.
  bool Press(int button, unsigned timeout_ms = 5000) const;

 private:
  explicit MessageBoxWindow(HWND window) : window_(window) {}
  unsigned Icon() const;

  HWND window_;
};

}  // namespace wine_testing
