#include "registrar/folder_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/fakes/fake_file_attributes.h"

namespace registrar {
namespace {

struct SplitCase {
  std::string path;
  const char* folder;  // null: no folder
};

class SplitProgramPathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitProgramPathTest, Folder) {
  const SplitCase& c = GetParam();
  std::string folder = "untouched";
  const bool found = SplitProgramPath(c.path, folder);
  EXPECT_EQ(found, c.folder != nullptr);
  EXPECT_EQ(folder, c.folder != nullptr ? c.folder : "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitProgramPathTest,
    testing::Values(SplitCase{"C:\\FS9\\Simlocate.exe", "C:\\FS9"}, SplitCase{"C:\\Simlocate.exe", "C:"},
                    SplitCase{"D:Simlocate.exe", "D"}, SplitCase{".\\Simlocate.exe", "."},
                    SplitCase{"C:\\FS9\\fs9.exe", "C:\\FS9"},
                    SplitCase{"C:\\Program Files\\Microsoft Games\\FS9\\Simlocate.exe",
                              "C:\\Program Files\\Microsoft Games\\FS9"},
                    // The separator in front of the last '.', not the last separator.
                    SplitCase{"C:\\FS 9.1\\bin\\tool", "C:"}, SplitCase{"C:\\FS9\\a.b\\c.exe", "C:\\FS9\\a.b"},
                    SplitCase{"Simlocate.exe", nullptr}, SplitCase{"C:\\FS9\\Simlocate", nullptr},
                    SplitCase{"C:\\FS9\\", nullptr}, SplitCase{"\\Simlocate.exe", nullptr},
                    SplitCase{"", nullptr}, SplitCase{".", nullptr}, SplitCase{"C:.exe", "C"}));

// An over-long path is refused, never cut into a wrong folder.
TEST(SplitProgramPath, PathLengthLimitIs259Characters) {
  const std::string folder_253 = "C:\\" + std::string(250, 'f');  // 253 characters
  std::string folder;
  EXPECT_TRUE(SplitProgramPath(folder_253 + "\\a.exe", folder));  // 259 characters
  EXPECT_EQ(folder, folder_253);
  EXPECT_FALSE(SplitProgramPath(folder_253 + "\\ab.exe", folder));  // 260 characters
  EXPECT_EQ(folder, folder_253);
}

struct SceneryCase {
  const char* folder;
  const char* asked;
};

class HasSceneryConfigTest : public testing::TestWithParam<SceneryCase> {};

TEST_P(HasSceneryConfigTest, AsksForTheFileInTheFolder) {
  fakes::FakeFileAttributes files;
  EXPECT_FALSE(HasSceneryConfig(files, GetParam().folder));
  files.existing[GetParam().asked] = 0x20;  // FILE_ATTRIBUTE_ARCHIVE
  EXPECT_TRUE(HasSceneryConfig(files, GetParam().folder));
  EXPECT_THAT(files.asked, testing::Each(std::string(GetParam().asked)));
}

INSTANTIATE_TEST_SUITE_P(Folders, HasSceneryConfigTest,
                         testing::Values(SceneryCase{"C:\\FS9", "C:\\FS9\\scenery.cfg"},
                                         SceneryCase{"C:\\FS9\\", "C:\\FS9\\scenery.cfg"},
                                         SceneryCase{"C:", "C:\\scenery.cfg"},
                                         SceneryCase{".", ".\\scenery.cfg"}));

TEST(HasSceneryConfig, AFolderOfThatNameCounts) {
  fakes::FakeFileAttributes files;
  files.existing["C:\\FS9\\scenery.cfg"] = platform::kFileAttributeDirectory;
  EXPECT_TRUE(HasSceneryConfig(files, "C:\\FS9"));
}

struct TempCase {
  const char* folder;
  bool temp;
};

class IsTempFolderTest : public testing::TestWithParam<TempCase> {};

TEST_P(IsTempFolderTest, Substring) { EXPECT_EQ(IsTempFolder(GetParam().folder), GetParam().temp); }

INSTANTIATE_TEST_SUITE_P(
    Folders, IsTempFolderTest,
    testing::Values(TempCase{"C:\\Documents and Settings\\pilot\\Local Settings\\Temp\\Rar$EX00.123", true},
                    TempCase{"C:\\TMP\\Sim", true}, TempCase{"C:\\Games\\Attempt", true},
                    TempCase{"C:\\TeMp", true}, TempCase{"C:\\xtmpx", true}, TempCase{"C:\\FS9", false},
                    TempCase{"C:\\Tem\\p", false}, TempCase{"C:\\T\xC9MP", false}, TempCase{"", false}));

}  // namespace
}  // namespace registrar
