#include "registrar/registered_path.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "registrar/simulator_version.h"
#include "registrar/tests/fake_system.h"

namespace registrar {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

struct KeyCase {
  const char* version;
  std::string key_path;
};

class KeyLookupTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyLookupTest, KeyPath) { EXPECT_EQ(SimulatorKeyPath(GetParam().version), GetParam().key_path); }

INSTANTIATE_TEST_SUITE_P(Versions, KeyLookupTest,
                         testing::Values(KeyCase{"FS2004", kFs2004Key}, KeyCase{"fs2004", kFs2004Key},
                                         KeyCase{"Fs2004", kFs2004Key}, KeyCase{"FS2002", kFs2002Key},
                                         KeyCase{"fs2002", kFs2002Key}, KeyCase{"FS2004 ", ""},
                                         KeyCase{" FS2004", ""}, KeyCase{"FS2000", ""}, KeyCase{"FS", ""},
                                         KeyCase{"", ""}));

TEST(KeyLookup, BothKeysHave55Characters) {
  EXPECT_EQ(kFs2004Key.size(), 55u);
  EXPECT_EQ(kFs2002Key.size(), 55u);
}

class ReadRegisteredPathTest : public testing::Test {
 protected:
  bool Read(std::string_view version = "FS2004") { return ReadRegisteredPath(system_.platform, path_, version); }

  FakeSystem system_;
  std::string path_;
};

TEST_F(ReadRegisteredPathTest, ReadsTheValueWithTheCallsAsTheSystemNeedsThem) {
  system_.registry.StoreText(kFs2004Key, "EXE Path", "C:\\FS9");
  ASSERT_TRUE(Read());
  EXPECT_EQ(path_, "C:\\FS9");
  EXPECT_THAT(system_.registry.calls,
              ElementsAre("RegOpenKeyExA HKLM\\" + kFs2004Key + " options=0 access=0x1",
                          "RegQueryValueExA " + kFs2004Key + " EXE Path type=none size=260",
                          "RegCloseKey " + kFs2004Key));
  EXPECT_THAT(system_.report.lines, IsEmpty());
  EXPECT_EQ(system_.registry.OpenKeys(), 0u);
}

TEST_F(ReadRegisteredPathTest, LowerCaseVersionReadsTheSameKey) {
  system_.registry.StoreText(kFs2004Key, "EXE Path", "C:\\FS9");
  ASSERT_TRUE(Read("fs2004"));
  EXPECT_EQ(path_, "C:\\FS9");
}

TEST_F(ReadRegisteredPathTest, Fs2002ReadsItsOwnKey) {
  system_.registry.StoreText(kFs2002Key, "EXE Path", "C:\\FS8");
  system_.registry.StoreText(kFs2004Key, "EXE Path", "C:\\FS9");
  ASSERT_TRUE(Read("FS2002"));
  EXPECT_EQ(path_, "C:\\FS8");
}

TEST_F(ReadRegisteredPathTest, UnrecognisedVersionTouchesNoKey) {
  EXPECT_FALSE(Read("FS2004 "));
  EXPECT_THAT(system_.report.lines, ElementsAre("Error: Unrecognised version of flight simulator"));
  EXPECT_THAT(system_.registry.calls, IsEmpty());
}

struct StoredCase {
  const char* name;
  unsigned long type;
  std::string data;
  const char* path;  // null: the read fails with the query line
};

const std::string kText259Storage(259, 'x');
const char* const kText259 = kText259Storage.c_str();

class StoredDataTest : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredDataTest, Text) {
  const StoredCase& c = GetParam();
  FakeSystem system;
  system.registry.keys[kFs2004Key]["EXE Path"] = {c.type, c.data};
  std::string path;
  const bool read = ReadRegisteredPath(system.platform, path, "FS2004");
  ASSERT_EQ(read, c.path != nullptr);
  if (read) {
    EXPECT_EQ(path, c.path);
    EXPECT_THAT(system.report.lines, IsEmpty());
  } else {
    EXPECT_THAT(system.report.lines, ElementsAre("Couldn't query registry key: " + kFs2004Key));
  }
  EXPECT_EQ(system.registry.OpenKeys(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredDataTest,
    testing::Values(
        StoredCase{"Terminated", platform::kRegSz, std::string("C:\\FS9\0", 7), "C:\\FS9"},
        StoredCase{"WithoutTerminator", platform::kRegSz, "D:\\Games\\FS9", "D:\\Games\\FS9"},
        StoredCase{"EndsAtFirstNul", platform::kRegSz, std::string("C:\\FS9\0junk\0", 12), "C:\\FS9"},
        StoredCase{"AnyTypeAccepted", 4 /*REG_DWORD*/, "ABCD", "ABCD"},
        StoredCase{"ExpandString", 2 /*REG_EXPAND_SZ*/, std::string("%FS%\0", 5), "%FS%"},
        StoredCase{"Empty", platform::kRegSz, std::string(1, '\0'), ""},
        StoredCase{"Longest", platform::kRegSz, std::string(259, 'x') + '\0', kText259},
        StoredCase{"TooLong", platform::kRegSz, std::string(260, 'x') + '\0', nullptr},
        StoredCase{"TooLongWithoutTerminator", platform::kRegSz, std::string(260, 'x'), nullptr},
        StoredCase{"LongestWithoutTerminator", platform::kRegSz, std::string(259, 'x'), kText259}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadFailureCase {
  const char* name;
  bool key_exists;
  bool value_exists;
  const char* failing_operation;  // null: none
  const char* line;               // the prefix of the line; the key path follows
  std::size_t close_calls;
};

class ReadFailureTest : public testing::TestWithParam<ReadFailureCase> {};

TEST_P(ReadFailureTest, LineAndFalse) {
  const ReadFailureCase& c = GetParam();
  FakeSystem system;
  if (c.key_exists) system.registry.keys[kFs2004Key];
  if (c.value_exists) system.registry.StoreText(kFs2004Key, "EXE Path", "C:\\FS9");
  if (c.failing_operation) system.registry.failures[c.failing_operation] = 5;
  std::string path;
  EXPECT_FALSE(ReadRegisteredPath(system.platform, path, "FS2004"));
  EXPECT_THAT(system.report.lines, ElementsAre(c.line + kFs2004Key));
  EXPECT_EQ(std::ranges::count_if(system.registry.calls, [](const std::string& call) {
              return call.starts_with("RegCloseKey");
            }),
            static_cast<long>(c.close_calls));
  EXPECT_EQ(system.registry.OpenKeys(), 0u);
  EXPECT_THAT(system.last_error.set, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ReadFailureTest,
    testing::Values(
        ReadFailureCase{"NoKey", false, false, nullptr, "Couldn't open registry key: ", 0},
        ReadFailureCase{"OpenFails", true, true, "RegOpenKeyExA", "Couldn't open registry key: ", 0},
        ReadFailureCase{"NoValue", true, false, nullptr, "Couldn't query registry key: ", 1},
        ReadFailureCase{"QueryFails", true, true, "RegQueryValueExA", "Couldn't query registry key: ", 1},
        ReadFailureCase{"CloseFails", true, true, "RegCloseKey", "Couldn't close registry key: ", 1}),
    [](const auto& info) { return std::string(info.param.name); });

class WriteRegisteredPathTest : public testing::Test {
 protected:
  FakeSystem system_;
};

TEST_F(WriteRegisteredPathTest, CreatesTheKeyAndStoresTheFolderWithItsTerminator) {
  ASSERT_TRUE(WriteRegisteredPath(system_.platform, "C:\\FS9", "FS2004"));
  EXPECT_THAT(system_.registry.calls,
              ElementsAre("RegCreateKeyExA HKLM\\" + kFs2004Key + " options=0 access=0x20006",
                          "RegSetValueExA " + kFs2004Key + " EXE Path type=1 size=7",
                          "RegCloseKey " + kFs2004Key));
  const auto& value = system_.registry.keys[kFs2004Key]["EXE Path"];
  EXPECT_EQ(value.type, platform::kRegSz);
  EXPECT_EQ(value.data, std::string("C:\\FS9\0", 7));
  EXPECT_THAT(system_.report.lines, IsEmpty());
  EXPECT_THAT(system_.boxes.shown, IsEmpty());
  EXPECT_EQ(system_.registry.OpenKeys(), 0u);
}

TEST_F(WriteRegisteredPathTest, ReplacesTheValueAndLeavesTheRestOfTheKey) {
  system_.registry.StoreText(kFs2004Key, "EXE Path", "C:\\Old\\Longer\\Folder");
  system_.registry.StoreText(kFs2004Key, "SETUPLANGUAGE", "1033");
  ASSERT_TRUE(WriteRegisteredPath(system_.platform, "C:\\FS9", "fs2004"));
  EXPECT_EQ(system_.StoredPath(), "C:\\FS9");
  EXPECT_EQ(system_.registry.keys[kFs2004Key]["EXE Path"].data.size(), 7u);
  EXPECT_EQ(system_.registry.keys[kFs2004Key]["SETUPLANGUAGE"].data, std::string("1033\0", 5));
}

TEST_F(WriteRegisteredPathTest, UnrecognisedVersionWritesNothing) {
  EXPECT_FALSE(WriteRegisteredPath(system_.platform, "C:\\FS9", "FS2005"));
  EXPECT_THAT(system_.report.lines, ElementsAre("Error: Unrecognised version of flight simulator"));
  EXPECT_THAT(system_.registry.calls, IsEmpty());
  EXPECT_TRUE(system_.registry.keys.empty());
}

struct WriteFailureCase {
  const char* name;
  const char* failing_operation;
  long status;
  std::string report;  // without ": GetLastError returned <code>\n"
};

class WriteFailureTest : public testing::TestWithParam<WriteFailureCase> {};

// The failed call's status is what the report, the box and the exit status carry,
// whatever the thread's last error held before.
TEST_P(WriteFailureTest, EndsTheProcessWithTheFailedCallsStatus) {
  const WriteFailureCase& c = GetParam();
  FakeSystem system;
  system.last_error.value = 0;
  system.registry.failures[c.failing_operation] = c.status;
  system.error_text.system_texts[5] = "Access denied.\r\n";
  system.error_text.system_texts[1021] = "Cannot create a stable subkey under a volatile parent key.\r\n";

  try {
    WriteRegisteredPath(system.platform, "C:\\FS9", "FS2004");
    FAIL() << "returned";
  } catch (const fakes::ProcessExit& exit) {
    EXPECT_EQ(exit.code, static_cast<unsigned long>(c.status));
  }
  const std::string report = c.report + ": GetLastError returned " + std::to_string(c.status) + "\n";
  const std::string system_text = system.error_text.system_texts[static_cast<unsigned long>(c.status)];
  EXPECT_THAT(system.report.lines, ElementsAre(report, system_text));
  EXPECT_THAT(system.boxes.shown, ElementsAre(fakes::ShownBox{report, "Error", platform::kMbOk},
                                              fakes::ShownBox{system_text, "ErrorText", platform::kMbOk}));
  EXPECT_THAT(system.last_error.set, ElementsAre(static_cast<unsigned long>(c.status)));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, WriteFailureTest,
    testing::Values(
        WriteFailureCase{"Create", "RegCreateKeyExA", 5, "Couldn't open/create registry key: " + kFs2004Key},
        WriteFailureCase{"CreateUnderVolatile", "RegCreateKeyExA", 1021,
                         "Couldn't open/create registry key: " + kFs2004Key},
        // The detail is the folder here, not the key path.
        WriteFailureCase{"Set", "RegSetValueExA", 5, "Couldn't set EXE Path registry value : C:\\FS9"},
        WriteFailureCase{"Close", "RegCloseKey", 5, "Couldn't close registry key: " + kFs2004Key}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace registrar
