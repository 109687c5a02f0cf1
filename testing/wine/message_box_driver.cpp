#include "testing/wine/message_box_driver.h"

namespace wine_testing {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr int kTextId = 0xFFFF;
constexpr unsigned kPollMs = 20;

std::string TextOf(HWND window) {
  char text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      &length);
  return std::string(text, length);
}

HWND IconControl(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[16] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      return child;
    }
  }
  return nullptr;
}

// The pixels of a screen rectangle, as drawn.
class Capture {
 public:
  Capture(int width, int height) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Capture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  void FromScreen(int left, int top) {
    HDC screen = GetDC(nullptr);
    BitBlt(dc_, 0, 0, width_, height_, screen, left, top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  }
  void FromIcon(HICON icon, COLORREF background) {
    const HBRUSH brush = CreateSolidBrush(background);
    const RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
    DrawIconEx(dc_, 0, 0, icon, width_, height_, 0, nullptr, DI_NORMAL);
  }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
  int Differences(const Capture& other) const {
    int count = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) count += Pixel(x, y) != other.Pixel(x, y);
    }
    return count;
  }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

}  // namespace

std::optional<MessageBoxWindow> MessageBoxWindow::Find(const std::string& caption) {
  HWND window = FindWindowA(kDialogClass, caption.c_str());
  if (window == nullptr || !IsWindowVisible(window)) return std::nullopt;
  return MessageBoxWindow(window);
}

std::optional<MessageBoxWindow> MessageBoxWindow::WaitFor(const std::string& caption, unsigned timeout_ms) {
  for (unsigned waited = 0;; waited += kPollMs) {
    if (auto box = Find(caption)) {
      Sleep(100);  // let it paint, so its icon can be read off the screen
      return box;
    }
    if (waited >= timeout_ms) return std::nullopt;
    Sleep(kPollMs);
  }
}

std::string MessageBoxWindow::Caption() const { return TextOf(window_); }

std::string MessageBoxWindow::Text() const {
  HWND text = GetDlgItem(window_, kTextId);
  return text != nullptr ? TextOf(text) : std::string();
}

bool MessageBoxWindow::HasOwner() const { return GetWindow(window_, GW_OWNER) != nullptr; }

unsigned MessageBoxWindow::Style() const {
  const bool ok = GetDlgItem(window_, IDOK) != nullptr;
  const bool cancel = GetDlgItem(window_, IDCANCEL) != nullptr;
  int buttons = 0;
  for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[16] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    buttons += lstrcmpiA(class_name, "Button") == 0 && IsWindowVisible(child);
  }
  unsigned style = 0xF;
  if (ok && !cancel && buttons == 1) style = MB_OK;
  if (ok && cancel && buttons == 2) style = MB_OKCANCEL;
  return style | Icon();
}

// Another process's icon handle means nothing here, so the icon is told by its
// pixels: the control's area on the screen against each system icon drawn on the
// same background.
unsigned MessageBoxWindow::Icon() const {
  HWND control = IconControl(window_);
  if (control == nullptr || !IsWindowVisible(control)) return 0;
  DWORD_PTR icon = 0;
  SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon);
  if (icon == 0) return 0;

  // On top, at the top left: neither another window nor the screen's edge (a
  // wide box can reach past it) hides the icon.
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  Sleep(100);
  RECT area;
  GetWindowRect(control, &area);
  const int width = GetSystemMetrics(SM_CXICON);
  const int height = GetSystemMetrics(SM_CYICON);
  Capture shown(width, height);
  shown.FromScreen(area.left, area.top);
  const struct {
    LPCSTR id;
    unsigned style;
  } candidates[] = {{IDI_HAND, MB_ICONERROR},
                    {IDI_EXCLAMATION, MB_ICONWARNING},
                    {IDI_ASTERISK, MB_ICONINFORMATION},
                    {IDI_QUESTION, MB_ICONQUESTION}};
  for (const auto& candidate : candidates) {
    Capture drawn(width, height);
    drawn.FromIcon(LoadIconA(nullptr, candidate.id), shown.Pixel(0, 0));
    if (drawn.Differences(shown) == 0) return candidate.style;
  }
  return 0xF0;
}

bool MessageBoxWindow::Press(int button, unsigned timeout_ms) const {
  PostMessageA(window_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(window_, button)));
  for (unsigned waited = 0; waited < timeout_ms; waited += kPollMs) {
    if (!IsWindow(window_)) return true;
    Sleep(kPollMs);
  }
  return !IsWindow(window_);
}

}  // namespace wine_testing
