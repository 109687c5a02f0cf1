// The program's own stored statements, as the lines it keeps them in, joined
// with one blank before they run, bound and parsed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "database/sql/binding.h"
#include "database/sql/format.h"
#include "database/sql/parser.h"
#include "database/sql/sql_error.h"

namespace sql {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (&line != &lines.front()) text += ' ';
    text += line;
  }
  return text;
}

struct StoredStatement {
  const char* name;
  std::vector<std::string> lines;
  std::optional<ParameterValue> parameter;
  const char* bound_text;
  const char* canonical;
};

const std::vector<StoredStatement>& Stored() {
  static const std::vector<StoredStatement> statements = {
      {"origins",
       {"SELECT DISTINCT ORIGEM", "FROM VOOS", "ORDER BY ORIGEM;"},
       std::nullopt,
       "SELECT DISTINCT ORIGEM FROM VOOS ORDER BY ORIGEM;",
       "SELECT DISTINCT ORIGEM FROM VOOS ORDER BY ORIGEM ASC"},
      {"destinations",
       {"SELECT DISTINCT VOOS.COD_VOOS, VOOS.ORIGEM, VOOS.SPEED, ",
        "VOOS.FL, VOOS.ROTA, VOOS.DEST, VOOS.DISTANCIA, VOOS.ATIS ", "FROM VOOS WHERE (((VOOS.ORIGEM)=:))",
        "ORDER BY VOOS.DEST;"},
       std::string("SBGR"),
       "SELECT DISTINCT VOOS.COD_VOOS, VOOS.ORIGEM, VOOS.SPEED,  VOOS.FL, VOOS.ROTA, VOOS.DEST, VOOS.DISTANCIA, "
       "VOOS.ATIS  FROM VOOS WHERE (((VOOS.ORIGEM)=\"SBGR\")) ORDER BY VOOS.DEST;",
       "SELECT DISTINCT VOOS.COD_VOOS, VOOS.ORIGEM, VOOS.SPEED, VOOS.FL, VOOS.ROTA, VOOS.DEST, VOOS.DISTANCIA, "
       "VOOS.ATIS FROM VOOS WHERE (VOOS.ORIGEM = \"SBGR\") ORDER BY VOOS.DEST ASC"},
      {"departures",
       {"SELECT * from tab_saidas", "WHERE (((TAB_saidas.COD_VOO)=:))", "", ""},
       std::int64_t{12},
       "SELECT * from tab_saidas WHERE (((TAB_saidas.COD_VOO)=12))  ",
       "SELECT * FROM tab_saidas WHERE (TAB_saidas.COD_VOO = 12)"},
      {"procedures",
       {"SELECT DISTINCT TAB_PROCEDIMENTO.proc_tipo, TAB_PROCEDIMENTO.proc_pista, TAB_PROCEDIMENTO.proc_nome  ",
        "FROM TAB_PROCEDIMENTO WHERE (((TAB_PROCEDIMENTO.PROC_ICAO)=:) AND TAB_PROCEDIMENTO.PROC_FLAG = TRUE)",
        "order by TAB_PROCEDIMENTO.proc_nome;"},
       std::string("SBRJ"),
       "SELECT DISTINCT TAB_PROCEDIMENTO.proc_tipo, TAB_PROCEDIMENTO.proc_pista, TAB_PROCEDIMENTO.proc_nome   "
       "FROM TAB_PROCEDIMENTO WHERE (((TAB_PROCEDIMENTO.PROC_ICAO)=\"SBRJ\") AND TAB_PROCEDIMENTO.PROC_FLAG = TRUE) "
       "order by TAB_PROCEDIMENTO.proc_nome;",
       "SELECT DISTINCT TAB_PROCEDIMENTO.proc_tipo, TAB_PROCEDIMENTO.proc_pista, TAB_PROCEDIMENTO.proc_nome "
       "FROM TAB_PROCEDIMENTO WHERE ((TAB_PROCEDIMENTO.PROC_ICAO = \"SBRJ\") AND (TAB_PROCEDIMENTO.PROC_FLAG = TRUE)) "
       "ORDER BY TAB_PROCEDIMENTO.proc_nome ASC"},
      {"speeds",
       {"SELECT * from FLAPS ", "WHERE (((Flaps.Weight)=:));"},
       60.0,
       "SELECT * from FLAPS  WHERE (((Flaps.Weight)=60));",
       "SELECT * FROM FLAPS WHERE (Flaps.Weight = 60)"},
      {"flight_table",
       {"select * from VOOS", "order by ORIGEM, DEST"},
       std::nullopt,
       "select * from VOOS order by ORIGEM, DEST",
       "SELECT * FROM VOOS ORDER BY ORIGEM ASC, DEST ASC"},
      {"speed_table", {"select * from flaps"}, std::nullopt, "select * from flaps", "SELECT * FROM flaps"},
  };
  return statements;
}

class ProgramStatementTest : public testing::TestWithParam<StoredStatement> {};

TEST_P(ProgramStatementTest, BindsAndParses) {
  const StoredStatement& s = GetParam();
  const std::string joined = Joined(s.lines);
  const std::string text = s.parameter ? BindParameter(joined, *s.parameter) : joined;
  EXPECT_EQ(text, s.bound_text);
  const Statement parsed = ParseStatement(text);
  EXPECT_EQ(FormatStatement(parsed), s.canonical);
  EXPECT_EQ(parsed.ordinal, 1);
}

INSTANTIATE_TEST_SUITE_P(Stored, ProgramStatementTest, testing::ValuesIn(Stored()),
                         [](const testing::TestParamInfo<StoredStatement>& info) { return info.param.name; });

TEST(ProgramStatementTest, UnboundParametersAreRefusedAtTheColon) {
  int parameterised = 0;
  for (const StoredStatement& s : Stored()) {
    if (!s.parameter) continue;
    ++parameterised;
    const std::string joined = Joined(s.lines);
    try {
      ParseStatement(joined);
      ADD_FAILURE() << s.name;
    } catch (const SqlError& e) {
      EXPECT_EQ(e.detail(), "parameter ':' has no value (a value must be bound in its place)") << s.name;
      EXPECT_EQ(e.where().offset, joined.find(':')) << s.name;
    }
  }
  EXPECT_EQ(parameterised, 4);
}

TEST(ProgramStatementTest, DestinationsSelectTheKeyAndQualifiedColumns) {
  const Statement s = ParseStatement(BindParameter(Joined(Stored()[1].lines), std::string("SBGR")));
  const Select& select = std::get<Select>(s.body);
  EXPECT_TRUE(select.distinct);
  ASSERT_EQ(select.columns.size(), 8u);
  const char* expected[] = {"COD_VOOS", "ORIGEM", "SPEED", "FL", "ROTA", "DEST", "DISTANCIA", "ATIS"};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(select.columns[i].table->text, "VOOS");
    EXPECT_EQ(select.columns[i].column.text, expected[i]);
  }
  ASSERT_EQ(select.order_by.size(), 1u);
  EXPECT_EQ(select.order_by[0].column.column.text, "DEST");
}

TEST(ProgramStatementTest, ProceduresFilterOnTheFlagAsWell) {
  const Statement s = ParseStatement(BindParameter(Joined(Stored()[3].lines), std::string("SBRJ")));
  const Logical& both = std::get<Logical>(std::get<Select>(s.body).where->node);
  EXPECT_EQ(both.op, LogicalOp::And);
  const Comparison& flag = std::get<Comparison>(both.right->node);
  EXPECT_EQ(std::get<ColumnRef>(flag.left->node).column.text, "PROC_FLAG");
  EXPECT_EQ(std::get<Boolean>(std::get<Literal>(flag.right->node)).value, true);
}

TEST(ProgramStatementTest, OriginWithAQuoteGivesAnOrdinaryComparison) {
  const Statement s = ParseStatement(BindParameter(Joined(Stored()[1].lines), std::string("SB\"X")));
  EXPECT_EQ(FormatExpr(*std::get<Select>(s.body).where), "(VOOS.ORIGEM = \"SB\"\"X\")");
}

TEST(ProgramStatementTest, FractionalSpeedKeyKeepsItsDecimals) {
  const Statement s = ParseStatement(BindParameter(Joined(Stored()[4].lines), 60.5));
  EXPECT_EQ(FormatExpr(*std::get<Select>(s.body).where), "(Flaps.Weight = 60.5)");
}

}  // namespace
}  // namespace sql
