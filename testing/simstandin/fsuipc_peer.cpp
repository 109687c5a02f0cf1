#include "testing/simstandin/fsuipc_peer.h"

#include <cstdio>

namespace simstandin {

namespace {

constexpr std::uint64_t kVersionsStart = 0x3304;
constexpr std::uint64_t kVersionsEnd = 0x330C;

std::uint32_t LoadU32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

void OffsetMemory::Read(std::uint32_t offset, std::uint32_t size, std::uint8_t* into) const {
  for (std::uint32_t i = 0; i < size; ++i) {
    const std::uint64_t at = static_cast<std::uint64_t>(offset) + i;
    into[i] = at < bytes_.size() ? bytes_[at] : 0;
  }
}

void OffsetMemory::Write(std::uint32_t offset, std::uint32_t size, const std::uint8_t* from) {
  for (std::uint32_t i = 0; i < size; ++i) {
    const std::uint64_t at = static_cast<std::uint64_t>(offset) + i;
    if (at < bytes_.size() && (at < kVersionsStart || at >= kVersionsEnd)) bytes_[at] = from[i];
  }
}

void OffsetMemory::Set(std::uint32_t offset, std::uint32_t size, const std::uint8_t* from) {
  for (std::uint32_t i = 0; i < size; ++i) {
    const std::uint64_t at = static_cast<std::uint64_t>(offset) + i;
    if (at < bytes_.size()) bytes_[at] = from[i];
  }
}

void OffsetMemory::SetU32(std::uint32_t offset, std::uint32_t value) {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  Set(offset, 4, bytes);
}

std::uint32_t OffsetMemory::ReadU32(std::uint32_t offset) const {
  std::uint8_t bytes[4];
  Read(offset, 4, bytes);
  return LoadU32(bytes);
}

bool CarryOutBatch(std::uint8_t* region, std::size_t region_size, OffsetMemory& memory,
                   const std::function<void(const WriteRequest&)>& on_write) {
  std::size_t at = 0;
  for (;;) {
    if (region_size < 4 || at > region_size - 4) return false;
    const std::uint32_t kind = LoadU32(region + at);
    if ((kind & 0xFF) == 0) return true;
    const std::size_t header = kind == 1 ? 16 : 12;
    if ((kind != 1 && kind != 2) || at > region_size - header) return false;
    const std::uint32_t offset = LoadU32(region + at + 4);
    const std::uint32_t size = LoadU32(region + at + 8);
    if (size > region_size - at - header) return false;
    std::uint8_t* data = region + at + header;
    if (kind == 1) {
      memory.Read(offset, size, data);
    } else {
      memory.Write(offset, size, data);
      if (on_write) on_write({offset, size, data});
    }
    at += header + size;
  }
}

std::string WriteLogLine(const WriteRequest& write) {
  char head[32];
  std::snprintf(head, sizeof head, "%04X %X ", static_cast<unsigned>(write.offset), static_cast<unsigned>(write.size));
  std::string line = head;
  for (std::uint32_t i = 0; i < write.size; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", write.data[i]);
    line += pair;
  }
  return line;
}

}  // namespace simstandin
