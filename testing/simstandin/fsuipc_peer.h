#pragma once
// FSUIPC's side of a batch, as the stand-in and the native fake play it: the
// records in the shared region carried out in order against an offset memory.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace simstandin {

// FSUIPC's data area: 64 KiB of offsets; outside it reads give zeros and writes
// vanish. The version offsets 0x3304..0x330B are FSUIPC's own: a client's write
// there (its library version at 0x330A) is taken but never changes what they read.
class OffsetMemory {
 public:
  OffsetMemory() { bytes_.fill(0); }
  void Read(std::uint32_t offset, std::uint32_t size, std::uint8_t* into) const;
  void Write(std::uint32_t offset, std::uint32_t size, const std::uint8_t* from);
  // Sets FSUIPC's own values, the version offsets included.
  void Set(std::uint32_t offset, std::uint32_t size, const std::uint8_t* from);
  void SetU32(std::uint32_t offset, std::uint32_t value);
  std::uint32_t ReadU32(std::uint32_t offset) const;

 private:
  std::array<std::uint8_t, 0x10000> bytes_;
};

struct WriteRequest {
  std::uint32_t offset;
  std::uint32_t size;
  const std::uint8_t* data;
};

// Fills the reads' data areas, applies the writes and leaves every header as it
// was. Stops at the terminator (true) or at a record that is malformed or runs
// past the region (false).
bool CarryOutBatch(std::uint8_t* region, std::size_t region_size, OffsetMemory& memory,
                   const std::function<void(const WriteRequest&)>& on_write);

// "0B7C 4 00008000": offset, size and the bytes, all hexadecimal.
std::string WriteLogLine(const WriteRequest& write);

}  // namespace simstandin
