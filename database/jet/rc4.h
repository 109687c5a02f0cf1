#pragma once

#include <cstdint>
#include <span>

namespace jet {

// The stream cipher that masks part of the database header; applying it twice restores the bytes.
void rc4_apply(std::span<const uint8_t> key, std::span<uint8_t> data);

}  // namespace jet
