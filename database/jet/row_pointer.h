#pragma once

#include <compare>
#include <cstdint>

namespace jet {

// A reference to one row of one page: the row number in the low byte, the page above it.
struct RowPointer {
  uint32_t page = 0;
  uint8_t row = 0;

  static RowPointer from(uint32_t stored) {
    return {stored >> 8, static_cast<uint8_t>(stored & 0xFF)};
  }
  bool null() const { return page == 0 && row == 0; }
  auto operator<=>(const RowPointer&) const = default;
};

}  // namespace jet
