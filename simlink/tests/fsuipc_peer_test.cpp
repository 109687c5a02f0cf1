// The stand-in's side of the protocol, which the Wine tests rely on.
#include "testing/simstandin/fsuipc_peer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace simstandin;

namespace {

void Put(std::vector<std::uint8_t>& region, std::size_t at, std::initializer_list<std::uint32_t> words) {
  for (std::uint32_t word : words) {
    std::memcpy(&region[at], &word, 4);
    at += 4;
  }
}

TEST(FsuipcPeer, CarriesOutRecordsInOrderAndLogsEachWrite) {
  std::vector<std::uint8_t> region(64, 0xEE);
  Put(region, 0, {2, 0x0B7C, 4, 0x00800000});  // write
  Put(region, 16, {1, 0x0B7C, 4, 5, 0});       // read back, target left alone
  Put(region, 36, {1, 0x10000, 2, 0});         // read outside the area gives zeros
  Put(region, 54, {0});
  OffsetMemory memory;
  std::vector<std::string> log;
  EXPECT_TRUE(CarryOutBatch(region.data(), region.size(), memory,
                            [&log](const WriteRequest& write) { log.push_back(WriteLogLine(write)); }));
  EXPECT_EQ(log, std::vector<std::string>{"0B7C 4 00008000"});
  EXPECT_EQ(memory.ReadU32(0x0B7C), 0x00800000u);
  std::uint32_t read_back = 0, target = 0;
  std::memcpy(&read_back, &region[32], 4);
  std::memcpy(&target, &region[28], 4);
  EXPECT_EQ(read_back, 0x00800000u);
  EXPECT_EQ(target, 5u);
}

TEST(FsuipcPeer, StopsAtRecordsThatRunPastTheRegion) {
  std::vector<std::uint8_t> region(32, 0);
  Put(region, 0, {2, 0x100, 21});
  OffsetMemory memory;
  EXPECT_FALSE(CarryOutBatch(region.data(), region.size(), memory, nullptr));
  EXPECT_EQ(memory.ReadU32(0x100), 0u);
  Put(region, 0, {9});
  EXPECT_FALSE(CarryOutBatch(region.data(), region.size(), memory, nullptr));
}

}  // namespace
