#pragma once
// Every test starts with a closed link over a fresh fake and leaves it closed.
#include <gtest/gtest.h>

#include "simlink/FPCuser.h"
#include "testing/fakes/fake_fsuipc.h"

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override { simlink::SetLinkTransport(&fsuipc); }
  void TearDown() override {
    simlink::CloseLink();
    simlink::SetLinkTransport(nullptr);
  }

  void Open() {
    std::uint32_t result = 99;
    ASSERT_TRUE(simlink::OpenLink(0, result));
    ASSERT_EQ(result, simlink::LINK_OK);
  }

  std::uint32_t QueuedBytes() const {
    return static_cast<std::uint32_t>(simlink::CurrentLink().Next - simlink::CurrentLink().View);
  }

  void ExpectEverythingReleased() const {
    EXPECT_EQ(simlink::CurrentLink().View, nullptr);
    EXPECT_EQ(simlink::CurrentLink().Mapping, nullptr);
    EXPECT_EQ(simlink::CurrentLink().NameAtom, 0);
    EXPECT_EQ(simlink::CurrentLink().ServerWindow, nullptr);
    EXPECT_EQ(fsuipc.live_atoms, 0);
    EXPECT_EQ(fsuipc.live_mappings, 0);
    EXPECT_EQ(fsuipc.live_views, 0);
  }

  fakes::FakeFsuipc fsuipc;
};
