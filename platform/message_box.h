#pragma once
// Modal message boxes without an owner window (MessageBoxA).

namespace platform {

inline constexpr unsigned kMbOk = 0x00;
inline constexpr unsigned kMbOkCancel = 0x01;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconWarning = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // Shows the box until the user closes it; returns the pressed button's id.
  virtual int Show(const char* text, const char* caption, unsigned style) = 0;
};

}  // namespace platform
