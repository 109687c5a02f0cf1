#include <cstring>
#include <functional>
#include <vector>

#include "simlink/tests/link_fixture.h"

using namespace simlink;

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  return std::vector<std::uint8_t>(values.begin(), values.end());
}

// --- Opening ---

TEST_F(LinkTest, OpenConnectsAndRunsOneHandshakeBatch) {
  Open();
  EXPECT_EQ(fsuipc.searched_classes, std::vector<std::string>{"UIPCMAIN"});
  EXPECT_EQ(fsuipc.registered_names, std::vector<std::string>{"FsasmLib:IPC"});
  EXPECT_EQ(fsuipc.atom_name, "FsasmLib:IPC:1A2C:1");
  EXPECT_EQ(fsuipc.mapping_name, "FsasmLib:IPC:1A2C:1");
  EXPECT_EQ(fsuipc.mapping_size, 32768u);

  ASSERT_EQ(fsuipc.batches.size(), 1u);
  const auto& batch = fsuipc.batches[0];
  ASSERT_EQ(batch.size(), 3u);
  EXPECT_EQ(batch[0].kind, 1u);
  EXPECT_EQ(batch[0].offset, 0x3304u);
  EXPECT_EQ(batch[0].size, 4u);
  EXPECT_EQ(batch[0].data, Bytes({0, 0, 0, 0}));
  EXPECT_EQ(batch[1].kind, 1u);
  EXPECT_EQ(batch[1].offset, 0x3308u);
  EXPECT_EQ(batch[2].kind, 2u);
  EXPECT_EQ(batch[2].offset, 0x330Au);
  EXPECT_EQ(batch[2].data, Bytes({0xEC, 0x03}));
  EXPECT_EQ(fsuipc.memory.ReadU32(0x3308) >> 16, 0xFADEu);
  EXPECT_EQ(fsuipc.sleeps, std::vector<std::uint32_t>{100});

  const fakes::SendCall& send = fsuipc.sends.at(0);
  EXPECT_EQ(send.message, fsuipc.message_id);
  EXPECT_EQ(send.wparam, fakes::FakeFsuipc::kAtom);
  EXPECT_EQ(send.lparam, 0);
  EXPECT_EQ(send.timeout_ms, 2000u);

  const LinkState& link = CurrentLink();
  EXPECT_EQ(link.FsuipcVersion, 0x35300000u);
  EXPECT_EQ(link.SimulatorVersion, 9u);
  EXPECT_EQ(link.ClientVersion, 1004u);
  EXPECT_EQ(link.MessageId, fsuipc.message_id);
  EXPECT_NE(link.View, nullptr);
  EXPECT_EQ(link.Next, link.View);
}

TEST_F(LinkTest, NameUsesUpperCaseHexWithoutLeadingZeros) {
  fsuipc.process_id = 0x00ab0c;
  Open();
  EXPECT_EQ(fsuipc.atom_name, "FsasmLib:IPC:AB0C:1");
}

struct OpenCase {
  const char* name;
  std::function<void(fakes::FakeFsuipc&)> arrange;
  std::uint32_t requested_simulator;
  std::uint32_t expected;
};

class OpenOutcome : public LinkTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenOutcome, ReportsItsCodeAndReleasesEverythingOnFailure) {
  GetParam().arrange(fsuipc);
  std::uint32_t result = 99;
  const bool opened = OpenLink(GetParam().requested_simulator, result);
  EXPECT_EQ(result, GetParam().expected);
  EXPECT_EQ(opened, GetParam().expected == LINK_OK);
  if (!opened) ExpectEverythingReleased();
}

const OpenCase kOpenCases[] = {
    {"Uipcmain", [](auto&) {}, 0, LINK_OK},
    {"Fs98mainOnly", [](auto& f) { f.uipcmain_window = false, f.fs98main_window = true; }, 0, LINK_OK},
    {"NoWindow", [](auto& f) { f.uipcmain_window = false; }, 0, LINK_NO_SIMULATOR},
    {"RegisterFails", [](auto& f) { f.message_id = 0; }, 0, LINK_REGISTER_FAILED},
    {"AtomFails", [](auto& f) { f.atom_fails = true; }, 0, LINK_ATOM_FAILED},
    {"MappingFails", [](auto& f) { f.mapping_fails = true; }, 0, LINK_MAPPING_FAILED},
    {"MappingExisted", [](auto& f) { f.mapping_exists = true; }, 0, LINK_MAPPING_FAILED},
    {"ViewFails", [](auto& f) { f.view_fails = true; }, 0, LINK_VIEW_FAILED},
    {"FsuipcTooOld", [](auto& f) { f.memory.SetU32(0x3304, 0x19980004); }, 0, LINK_BAD_VERSION},
    {"FsuipcOldestAccepted", [](auto& f) { f.memory.SetU32(0x3304, 0x19980005); }, 0, LINK_OK},
    {"FsuipcVersionAboveSignedRange", [](auto& f) { f.memory.SetU32(0x3304, 0xF0000000); }, 0, LINK_OK},
    {"HighWordNotFade", [](auto& f) { f.memory.SetU32(0x3308, 0xFADF0009); }, 0, LINK_BAD_VERSION},
    {"Fs98mainBadVersion",
     [](auto& f) {
       f.uipcmain_window = false;
       f.fs98main_window = true;
       f.memory.SetU32(0x3304, 0x10000000);
     },
     0, LINK_REMOTE_NOT_RUNNING},
    {"Fs98mainBadHighWord",
     [](auto& f) {
       f.uipcmain_window = false;
       f.fs98main_window = true;
       f.memory.SetU32(0x3308, 0x00000009);
     },
     0, LINK_REMOTE_NOT_RUNNING},
    {"RequestedSimulatorMatches", [](auto&) {}, 9, LINK_OK},
    {"RequestedSimulatorDiffers", [](auto&) {}, 8, LINK_WRONG_SIMULATOR},
    {"SendsTimeOut", [](auto& f) { f.failing_sends = -1, f.send_error = 0; }, 0, LINK_TIMEOUT},
    {"SendsFail", [](auto& f) { f.failing_sends = -1, f.send_error = 1460; }, 0, LINK_SEND_FAILED},
    {"ReplyNotOne", [](auto& f) { f.reply = 0; }, 0, LINK_BAD_DATA},
};

INSTANTIATE_TEST_SUITE_P(Cases, OpenOutcome, ::testing::ValuesIn(kOpenCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkTest, NoWindowAcquiresNothingAndRegistersNothing) {
  fsuipc.uipcmain_window = false;
  std::uint32_t result = 0;
  EXPECT_FALSE(OpenLink(0, result));
  EXPECT_EQ(fsuipc.searched_classes, (std::vector<std::string>{"UIPCMAIN", "FS98MAIN"}));
  EXPECT_TRUE(fsuipc.registered_names.empty());
  EXPECT_TRUE(fsuipc.atom_name.empty());
}

TEST_F(LinkTest, HandshakeRepeatsUntilBothVersionsAreReadWritingTheClientVersionOnce) {
  fsuipc.memory.SetU32(0x3304, 0);
  fsuipc.before_batch = [this](int batch) {
    if (batch == 2) fsuipc.memory.SetU32(0x3304, 0x35300000);
  };
  Open();
  ASSERT_EQ(fsuipc.batches.size(), 3u);
  EXPECT_EQ(fsuipc.batches[0].size(), 3u);
  for (int pass : {1, 2}) {
    ASSERT_EQ(fsuipc.batches[pass].size(), 2u);
    EXPECT_EQ(fsuipc.batches[pass][0].offset, 0x3304u);
    EXPECT_EQ(fsuipc.batches[pass][1].offset, 0x3308u);
  }
  EXPECT_EQ(fsuipc.sleeps, (std::vector<std::uint32_t>{100, 100, 100}));
}

TEST_F(LinkTest, VersionsStillZeroAfterFivePassesFailTheVersionTest) {
  fsuipc.memory.SetU32(0x3308, 0);
  std::uint32_t result = 0;
  EXPECT_FALSE(OpenLink(0, result));
  EXPECT_EQ(result, LINK_BAD_VERSION);
  EXPECT_EQ(fsuipc.batches.size(), 5u);
  EXPECT_EQ(fsuipc.sleeps.size(), 5u);
  // A failed open keeps what the handshake last read.
  EXPECT_EQ(CurrentLink().FsuipcVersion, 0x35300000u);
  ExpectEverythingReleased();
}

TEST_F(LinkTest, SecondOpenIsRefusedAndTheFirstLinkKeepsWorking) {
  Open();
  const int calls = fsuipc.Calls();
  std::uint32_t result = 0;
  EXPECT_FALSE(OpenLink(0, result));
  EXPECT_EQ(result, LINK_ALREADY_OPEN);
  EXPECT_EQ(fsuipc.Calls(), calls);

  std::uint32_t version = 0;
  ASSERT_TRUE(QueueRead(0x3304, 4, &version, result));
  ASSERT_TRUE(ProcessRequests(result));
  EXPECT_EQ(version, 0x35300000u);
}

TEST_F(LinkTest, OpenAfterCloseStartsAfresh) {
  Open();
  CloseLink();
  ExpectEverythingReleased();
  fsuipc.memory.SetU32(0x3304, 0x12345678);
  std::uint32_t result = 0;
  EXPECT_FALSE(OpenLink(0, result));
  EXPECT_EQ(result, LINK_BAD_VERSION);
  EXPECT_EQ(CurrentLink().FsuipcVersion, 0x12345678u);
}

// --- Closed link and empty queue ---

TEST_F(LinkTest, EveryOperationOnAClosedLinkReportsNotOpen) {
  std::uint32_t value = 0;
  std::uint32_t result = 0;
  EXPECT_FALSE(QueueRead(0x3304, 4, &value, result));
  EXPECT_EQ(result, LINK_NOT_OPEN);
  result = 0;
  EXPECT_FALSE(QueueWrite(0x3304, 4, &value, result));
  EXPECT_EQ(result, LINK_NOT_OPEN);
  result = 0;
  EXPECT_FALSE(ProcessRequests(result));
  EXPECT_EQ(result, LINK_NOT_OPEN);
  EXPECT_EQ(fsuipc.Calls(), 0);
}

TEST_F(LinkTest, EmptyQueueSendsNothing) {
  Open();
  const auto sends = fsuipc.sends.size();
  std::uint32_t result = 0;
  EXPECT_FALSE(ProcessRequests(result));
  EXPECT_EQ(result, LINK_NO_REQUESTS);
  EXPECT_EQ(fsuipc.sends.size(), sends);
}

TEST_F(LinkTest, CloseTwiceOrWithoutOpenDoesNothing) {
  CloseLink();
  CloseLink();
  EXPECT_EQ(fsuipc.Calls(), 0);
  Open();
  CloseLink();
  const int calls = fsuipc.Calls();
  CloseLink();
  EXPECT_EQ(fsuipc.Calls(), calls);
  ExpectEverythingReleased();
}

// --- Queuing ---

TEST_F(LinkTest, RecordsLieEndToEndWithTheirExactSizes) {
  Open();
  std::uint32_t result = 0;
  std::uint8_t target[3] = {7, 7, 7};
  const std::uint8_t source[5] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(QueueRead(0x1000, 0, target, result));
  EXPECT_EQ(QueuedBytes(), 16u);
  ASSERT_TRUE(QueueWrite(0x2000, 0, source, result));
  EXPECT_EQ(QueuedBytes(), 28u);
  ASSERT_TRUE(QueueRead(0x3000, 3, target, result));
  EXPECT_EQ(QueuedBytes(), 47u);
  ASSERT_TRUE(QueueWrite(0x4000, 5, source, result));
  EXPECT_EQ(QueuedBytes(), 64u);
  ASSERT_TRUE(ProcessRequests(result));

  const auto& batch = fsuipc.batches.back();
  ASSERT_EQ(batch.size(), 4u);
  EXPECT_EQ(batch[0].size, 0u);
  EXPECT_EQ(batch[1].size, 0u);
  EXPECT_EQ(batch[3].data, Bytes({1, 2, 3, 4, 5}));
  // The terminator follows the last record.
  const std::uint8_t* region = fsuipc.Region();
  EXPECT_EQ(std::memcmp(region + 64, "\0\0\0\0", 4), 0);
  EXPECT_EQ(region[68], fakes::FakeFsuipc::kUntouched);
  // The size-0 read copied nothing; the 3-byte read got zeros from an empty offset.
  EXPECT_EQ(target[0], 0);
  EXPECT_EQ(QueuedBytes(), 0u);
}

TEST_F(LinkTest, WriteSourceIsCopiedAtQueueTime) {
  Open();
  std::uint32_t value = 0x11223344;
  std::uint32_t result = 0;
  ASSERT_TRUE(QueueWrite(0x0B7C, 4, &value, result));
  value = 0;
  ASSERT_TRUE(ProcessRequests(result));
  EXPECT_EQ(fsuipc.memory.ReadU32(0x0B7C), 0x11223344u);
}

struct CapacityCase {
  bool read;
  std::uint32_t size;
  bool accepted;
};

class Capacity : public LinkTest, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(Capacity, OneRequestOnAnEmptyQueue) {
  Open();
  std::vector<std::uint8_t> buffer(40000, 0x5A);
  std::uint32_t result = 99;
  const CapacityCase& c = GetParam();
  const bool ok =
      c.read ? QueueRead(0x100, c.size, buffer.data(), result) : QueueWrite(0x100, c.size, buffer.data(), result);
  EXPECT_EQ(ok, c.accepted);
  EXPECT_EQ(result, c.accepted ? LINK_OK : LINK_FULL);
  if (!ok) {
    EXPECT_EQ(QueuedBytes(), 0u);
    return;
  }
  ASSERT_TRUE(ProcessRequests(result));
  for (std::size_t i = 0x7F00; i < 0x8000; ++i) ASSERT_EQ(fsuipc.Region()[i], fakes::FakeFsuipc::kUntouched) << i;
}

INSTANTIATE_TEST_SUITE_P(Limits, Capacity,
                         ::testing::Values(CapacityCase{true, 32492, true}, CapacityCase{true, 32493, false},
                                           CapacityCase{false, 32496, true}, CapacityCase{false, 32497, false},
                                           CapacityCase{true, 0xFFFFFFFF, false}, CapacityCase{true, 0xFFFFFFEC, false},
                                           CapacityCase{false, 0xFFFFFFF0, false},
                                           CapacityCase{false, 0xFFFFFFFF, false}));

TEST_F(LinkTest, QueueFillsUpAndARefusalLeavesItAsItWas) {
  Open();
  std::uint32_t result = 0;
  static std::uint8_t targets[2100];
  int accepted = 0;
  while (QueueRead(0x4000 + accepted, 1, &targets[accepted], result)) ++accepted;
  EXPECT_EQ(result, LINK_FULL);
  EXPECT_EQ(accepted, (32512 - 4) / 17);
  const std::uint32_t queued = QueuedBytes();
  EXPECT_FALSE(QueueWrite(0, 0xFFFFFFFF, targets, result));
  EXPECT_EQ(QueuedBytes(), queued);

  for (int i = 0; i < accepted; ++i) {
    const auto byte = static_cast<std::uint8_t>(i);
    fsuipc.memory.Write(0x4000 + i, 1, &byte);
  }
  ASSERT_TRUE(ProcessRequests(result));
  for (int i = 0; i < accepted; ++i) ASSERT_EQ(targets[i], std::uint8_t(i)) << i;
}

TEST_F(LinkTest, TheMostReadsABatchCanHoldAllFindTheirTargets) {
  Open();
  std::uint32_t result = 0;
  static std::uint8_t targets[2100];
  int accepted = 0;
  while (QueueRead(0x100, 0, &targets[accepted], result)) ++accepted;
  EXPECT_EQ(accepted, (32512 - 4) / 16);
  EXPECT_TRUE(ProcessRequests(result));
}

// --- Exchanging ---

TEST_F(LinkTest, MixedBatchIsCarriedOutInOrderAndReadsReachTheirTargets) {
  Open();
  std::uint32_t result = 0;
  const std::uint32_t level = 4194304;
  std::uint32_t before = 0xFFFFFFFF, after = 0xFFFFFFFF, version = 0;
  std::uint16_t untouched = 0xBEEF;
  ASSERT_TRUE(QueueRead(0x0B74, 4, &before, result));
  ASSERT_TRUE(QueueWrite(0x0B74, 4, &level, result));
  ASSERT_TRUE(QueueRead(0x0B74, 4, &after, result));
  ASSERT_TRUE(QueueRead(0x3304, 4, nullptr, result));
  ASSERT_TRUE(QueueRead(0x3304, 4, &version, result));
  ASSERT_TRUE(ProcessRequests(result));
  EXPECT_EQ(result, LINK_OK);
  EXPECT_EQ(before, 0u);
  EXPECT_EQ(after, level);
  EXPECT_EQ(version, 0x35300000u);
  EXPECT_EQ(untouched, 0xBEEF);
  EXPECT_EQ(fsuipc.batches.back()[3].target, 0u);
  EXPECT_EQ(QueuedBytes(), 0u);
}

TEST_F(LinkTest, SendIsRetriedWithPausesUntilItGetsThrough) {
  Open();
  fsuipc.sleeps.clear();
  fsuipc.sends.clear();
  fsuipc.failing_sends = 3;
  std::uint32_t value = 0, result = 0;
  ASSERT_TRUE(QueueRead(0x3304, 4, &value, result));
  EXPECT_TRUE(ProcessRequests(result));
  EXPECT_EQ(fsuipc.sends.size(), 4u);
  EXPECT_EQ(fsuipc.sleeps, (std::vector<std::uint32_t>(3, 100)));
  EXPECT_EQ(value, 0x35300000u);
}

struct ExchangeFailure {
  const char* name;
  std::function<void(fakes::FakeFsuipc&)> arrange;
  std::uint32_t expected;
  std::size_t sends;
};

class FailedExchange : public LinkTest, public ::testing::WithParamInterface<ExchangeFailure> {};

TEST_P(FailedExchange, DiscardsTheBatchKeepsTargetsAndTheLinkOpen) {
  Open();
  fsuipc.sends.clear();
  fsuipc.sleeps.clear();
  GetParam().arrange(fsuipc);
  std::uint32_t first = 0x0BAD, second = 0x0BAD, result = 0;
  const std::uint32_t level = 77;
  ASSERT_TRUE(QueueRead(0x3304, 4, &first, result));
  ASSERT_TRUE(QueueWrite(0x0B7C, 4, &level, result));
  ASSERT_TRUE(QueueRead(0x3308, 4, &second, result));
  EXPECT_FALSE(ProcessRequests(result));
  EXPECT_EQ(result, GetParam().expected);
  EXPECT_EQ(fsuipc.sends.size(), GetParam().sends);
  EXPECT_EQ(first, 0x0BADu);
  EXPECT_EQ(second, 0x0BADu);

  EXPECT_FALSE(ProcessRequests(result));
  EXPECT_EQ(result, LINK_NO_REQUESTS);
  EXPECT_NE(CurrentLink().View, nullptr);

  // The next batch works again.
  fsuipc.failing_sends = 0;
  fsuipc.reply = 1;
  fsuipc.after_batch = nullptr;
  ASSERT_TRUE(QueueRead(0x3304, 4, &first, result));
  EXPECT_TRUE(ProcessRequests(result));
  EXPECT_EQ(first, 0x35300000u);
}

void SetU32(std::uint8_t* at, std::uint32_t value) { std::memcpy(at, &value, 4); }

// Region layout of that batch: read at 0 (16+4), write at 20 (12+4), read at 36 (16+4), terminator at 56.
const ExchangeFailure kExchangeFailures[] = {
    {"AllSendsTimeOut", [](auto& f) { f.failing_sends = -1, f.send_error = 0; }, LINK_TIMEOUT, 10},
    {"AllSendsFail", [](auto& f) { f.failing_sends = -1, f.send_error = 1400; }, LINK_SEND_FAILED, 10},
    {"ReplyZero", [](auto& f) { f.reply = 0; }, LINK_BAD_DATA, 1},
    {"ReplyTwo", [](auto& f) { f.reply = 2; }, LINK_BAD_DATA, 1},
    {"UnknownKindMidway", [](auto& f) { f.after_batch = [](std::uint8_t* r) { SetU32(r + 20, 7); }; }, LINK_BAD_DATA,
     1},
    {"SizeRunsPastRegion", [](auto& f) { f.after_batch = [](std::uint8_t* r) { SetU32(r + 44, 0xFFFFFFF0); }; },
     LINK_BAD_DATA, 1},
    {"WriteSizeRunsPastRegion", [](auto& f) { f.after_batch = [](std::uint8_t* r) { SetU32(r + 28, 0x8000); }; },
     LINK_BAD_DATA, 1},
    {"TargetIndexUnknown", [](auto& f) { f.after_batch = [](std::uint8_t* r) { SetU32(r + 48, 9); }; }, LINK_BAD_DATA,
     1},
    {"ReadSizeChanged", [](auto& f) { f.after_batch = [](std::uint8_t* r) { SetU32(r + 44, 8); }; }, LINK_BAD_DATA, 1},
    {"EmptyWritesUpToTheRegionsEnd",
     [](auto& f) {
       f.after_batch = [](std::uint8_t* r) {
         for (std::uint32_t at = 56; at < 0x8000; at += 12) {
           SetU32(r + at, 2);
           SetU32(r + at + 4, 0);
           SetU32(r + at + 8, 0);
         }
       };
     },
     LINK_BAD_DATA, 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, FailedExchange, ::testing::ValuesIn(kExchangeFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkTest, EverySendFailureIsFollowedByAPause) {
  Open();
  fsuipc.sleeps.clear();
  fsuipc.failing_sends = -1;
  std::uint32_t result = 0;
  ASSERT_TRUE(QueueRead(0x3304, 4, nullptr, result));
  EXPECT_FALSE(ProcessRequests(result));
  EXPECT_EQ(fsuipc.sleeps, (std::vector<std::uint32_t>(10, 100)));
}

TEST_F(LinkTest, KindWithZeroLowByteEndsTheWalk) {
  Open();
  fsuipc.after_batch = [](std::uint8_t* r) { SetU32(r + 20, 0x100); };
  std::uint32_t first = 0, second = 0x0BAD, result = 0;
  ASSERT_TRUE(QueueRead(0x3304, 4, &first, result));
  ASSERT_TRUE(QueueWrite(0x0B7C, 4, &first, result));
  ASSERT_TRUE(QueueRead(0x3308, 4, &second, result));
  EXPECT_TRUE(ProcessRequests(result));
  EXPECT_EQ(first, 0x35300000u);
  EXPECT_EQ(second, 0x0BADu);
}

TEST(LinkResultTexts, PortugueseTextsAreWindows1252) {
  EXPECT_EQ(static_cast<unsigned char>(LinkResultText[LINK_ALREADY_OPEN][18]), 0xE1);  // já
  EXPECT_EQ(static_cast<unsigned char>(LinkResultText[LINK_NO_SIMULATOR][1]), 0xE3);   // Não
  EXPECT_STREQ(LinkResultText[LINK_OK], "Okay");
  EXPECT_STREQ(LinkResultText[LINK_FULL], "Read or Write request cannot be added, memory for Process is full");
}

}  // namespace
