// The source of the shipped database is a jet-sql script: it must stay one.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "database/sql/names.h"
#include "database/sql/parser.h"

namespace sql {
namespace {

TEST(ShippedScriptTest, ParsesAndCreatesTheFourTablesBeforeTheirRows) {
  std::ifstream in(TRIMWISE_SOURCE_DIR "/data/Trimwise.sql", std::ios::binary);
  ASSERT_TRUE(in) << "data/Trimwise.sql";
  std::stringstream script;
  script << in.rdbuf();
  const std::vector<Statement> statements = ParseScript(script.str());
  std::set<std::string> created;
  for (const Statement& s : statements) {
    if (const auto* create = std::get_if<CreateTable>(&s.body)) {
      created.insert(FoldName(create->table.text));
    } else if (const auto* insert = std::get_if<Insert>(&s.body)) {
      EXPECT_TRUE(created.contains(FoldName(insert->table.text))) << "statement " << s.ordinal;
    } else {
      ADD_FAILURE() << "statement " << s.ordinal << " is neither CREATE TABLE nor INSERT";
    }
  }
  EXPECT_EQ(created, (std::set<std::string>{"FLAPS", "TAB_PROCEDIMENTO", "TAB_SAIDAS", "VOOS"}));
}

}  // namespace
}  // namespace sql
