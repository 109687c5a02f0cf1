// The jet-sql program: files and standard input, --create, CSV on standard output, errors on
// standard error with the exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "database/jet/tests/fixture_files.h"
#include "database/sql/tests/written_file.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ToolTest : public testing::Test {
 protected:
  void TearDown() override {
    if (std::filesystem::exists(file_)) sql_test::ExpectMdbExportAgrees(file_);
  }

  // Runs jet-sql with the arguments (already quoted as the shell needs) and the given input.
  Outcome Run(const std::string& arguments, const std::string& input = "") {
    std::ofstream(folder_.path("in"), std::ios::binary) << input;
    const std::string command = std::string(JET_SQL_TOOL) + " " + arguments + " <" + folder_.path("in") + " >" +
                                folder_.path("out") + " 2>" + folder_.path("err");
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(folder_.path("out")), Slurp(folder_.path("err"))};
  }
  std::string Script(const std::string& text) {
    std::ofstream(folder_.path("script.sql"), std::ios::binary) << text;
    return folder_.path("script.sql");
  }

  sql_test::ScratchFolder folder_;
  std::string file_ = folder_.path("tool.mdb");
};

TEST_F(ToolTest, CreatesTheFileAndRunsAScriptFile) {
  const Outcome o = Run("--create " + file_ + " " +
                        Script("CREATE TABLE T (ID COUNTER, NAME TEXT(10));\n"
                               "INSERT INTO T (NAME) VALUES ('one'); INSERT INTO T (NAME) VALUES ('two');\n"
                               "SELECT * FROM T ORDER BY NAME DESC;\nSELECT NAME FROM T WHERE ID = 1;\n"));
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out, "ID,NAME\n2,\"two\"\n1,\"one\"\nNAME\n\"one\"\n");
}

TEST_F(ToolTest, ReadsTheScriptFromStandardInput) {
  ASSERT_EQ(Run("--create " + file_, "CREATE TABLE T (N LONG); INSERT INTO T VALUES (5)").status, 0);
  EXPECT_EQ(Run(file_, "SELECT * FROM t").out, "N\n5\n");
  EXPECT_EQ(Run(file_ + " -", "select n from T where n > 4").out, "N\n5\n");
}

TEST_F(ToolTest, StopsAtTheFailingStatementWithItsPosition) {
  ASSERT_EQ(Run("--create " + file_, "CREATE TABLE T (N BYTE)").status, 0);
  const std::vector<uint8_t> before = jet_test::read_bytes(file_);
  const Outcome refused = Run(file_, "SELECT * FROM T;\nINSERT INTO T VALUES (1000)");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, "N\n");
  EXPECT_EQ(refused.err,
            "jet-sql: statement 2 (INSERT INTO T VALUES (1000)), line 2, column 23: "
            "column 'N': 1000 is out of the range of Byte\n");
  EXPECT_TRUE(jet_test::read_bytes(file_) == before);

  const Outcome partly = Run(file_, "INSERT INTO T VALUES (1);\n\n  INSERT INTO U VALUES (2);\nINSERT INTO T VALUES (3)");
  EXPECT_EQ(partly.status, 1);
  EXPECT_EQ(partly.err, "jet-sql: statement 2 (INSERT INTO U VALUES (2)), line 3, column 15: no table named 'U'\n");
  EXPECT_EQ(Run(file_, "SELECT * FROM T").out, "N\n1\n");
}

TEST_F(ToolTest, TakesAUtf8ScriptAsItsCharacters) {
  ASSERT_EQ(Run("--create " + file_, "CREATE TABLE T (S TEXT(10)); INSERT INTO T VALUES ('S\xC3\xA3o Lu\xC3\xADs')").status, 0);
  EXPECT_EQ(Run(file_, "SELECT * FROM T WHERE S = 'S\xC3\x83O LU\xC3\x8DS'").out, "S\n\"S\xC3\xA3o Lu\xC3\xADs\"\n");
  // With the mark some editors put first, and in ASCII with that mark.
  EXPECT_EQ(Run(file_, "\xEF\xBB\xBFSELECT * FROM T WHERE S = 'S\xC3\xA3o Lu\xC3\xADs'").out, "S\n\"S\xC3\xA3o Lu\xC3\xADs\"\n");
  EXPECT_EQ(Run(file_, "\xEF\xBB\xBFSELECT * FROM T WHERE S IS NULL").out, "S\n");
  // The same in Windows-1252.
  EXPECT_EQ(Run(file_, "SELECT * FROM T WHERE S = 's\xE3o lu\xEDs'").out, "S\n\"S\xC3\xA3o Lu\xC3\xADs\"\n");
  const Outcome beyond = Run(file_, "SELECT * FROM T WHERE S =\n '\xE2\x82\xAC \xE2\x88\x9E'");  // euro, infinity
  EXPECT_EQ(beyond.status, 1);
  EXPECT_EQ(beyond.err, "jet-sql: the script's line 2 holds a character that Windows-1252 has no code for\n");
}

TEST_F(ToolTest, ReadsAFileItMayNotWrite) {
  ASSERT_EQ(Run("--create " + file_, "CREATE TABLE T (N LONG); INSERT INTO T VALUES (5)").status, 0);
  // The owner's write permission is no bar to root; the immutable attribute is.
  std::filesystem::permissions(file_, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  const bool root = geteuid() == 0;
  if (root && std::system(("chattr +i " + file_ + " 2>/dev/null").c_str()) != 0) GTEST_SKIP() << "no chattr";
  const Outcome read = Run(file_, "SELECT * FROM T");
  const Outcome write = Run(file_, "SELECT * FROM T; INSERT INTO T VALUES (6)");
  if (root) std::system(("chattr -i " + file_).c_str());
  EXPECT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(read.out, "N\n5\n");
  EXPECT_EQ(write.status, 1);
  EXPECT_EQ(write.out, "N\n5\n");
  EXPECT_EQ(write.err.rfind("jet-sql: statement 2 (INSERT INTO T VALUES (6)), line 1, column 18: ", 0), 0u) << write.err;
}

TEST_F(ToolTest, RefusesWhatItCannotDo) {
  EXPECT_EQ(Run("").status, 2);
  EXPECT_EQ(Run("--bogus " + file_).status, 2);
  EXPECT_EQ(Run(file_ + " a b").status, 2);

  const Outcome missing = Run(file_, "SELECT * FROM T");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err.rfind("jet-sql: ", 0), 0u) << missing.err;

  const Outcome no_script = Run("--create " + file_ + " " + folder_.path("none.sql"));
  EXPECT_EQ(no_script.status, 1);
  EXPECT_EQ(no_script.err, "jet-sql: cannot read the script " + folder_.path("none.sql") + "\n");

  // --create never overwrites.
  jet_test::write_bytes(file_, jet_test::read_bytes(jet_test::fixture("testV2000.mdb")));
  const Outcome exists = Run("--create " + file_, "SELECT * FROM Table3");
  EXPECT_EQ(exists.status, 1);
  EXPECT_TRUE(jet_test::read_bytes(file_) == jet_test::read_bytes(jet_test::fixture("testV2000.mdb")));
}

}  // namespace
