// The program's own statements, as it stores, joins and binds them, run on a small route
// database that the test builds with the engine.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "database/jet/database.h"
#include "database/sql/binding.h"
#include "database/sql/csv_output.h"
#include "database/sql/executor.h"
#include "database/sql/script_runner.h"
#include "database/sql/tests/written_file.h"

namespace sql {
namespace {

// The tables in capitals: the statements name them in other cases.
constexpr const char* kRoutes = R"(
CREATE TABLE VOOS (COD_VOOS COUNTER NOT NULL, ORIGEM TEXT(4), SPEED TEXT(4), FL TEXT(4), ROTA TEXT(80),
  DEST TEXT(4), DISTANCIA LONG, ATIS TEXT(50), OBS TEXT(255), CONSTRAINT PrimaryKey PRIMARY KEY (COD_VOOS));
CREATE TABLE FLAPS (Weight LONG, Flap TEXT(50), V1 LONG, VR LONG, V2 LONG);
CREATE TABLE TAB_SAIDAS (COD_SAIDA COUNTER NOT NULL, COD_VOO LONG, PISTA TEXT(50), SID_PREF TEXT(50),
  TRANS_PREF TEXT(50), SID_SEC TEXT(50), TRANS_SEC TEXT(50), FIXO_ENTRADA TEXT(50), STAR_DESTINO TEXT(80),
  TRANSICAO_DESTINO TEXT(50), PROC_RECOMENDADO TEXT(50));
CREATE TABLE TAB_PROCEDIMENTO (Proc_Cod COUNTER NOT NULL, Proc_ICAO TEXT(50), Proc_Tipo TEXT(50),
  Proc_Nome TEXT(50), Proc_Pista TEXT(50), PROC_FLAG YESNO);
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA, ATIS, OBS)
  VALUES ('SBGR', '420', '270', 'UZ6 DUROG', 'SBRJ', 197, 'ATIS 132.65', 'first');
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA, ATIS) VALUES ('SBSP', '420', '270', 'UW2 ADR', 'SBRJ', 197, NULL);
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA) VALUES ('SBGR', '440', '330', 'UM540 PCX', 'SBBR', 471);
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA) VALUES ('SBGR', '420', '250', 'UZ10 UBT', 'SBRJ', 205);
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA) VALUES ('SBRJ', '420', '280', 'UW13 RSD', 'SBGR', 197);
INSERT INTO FLAPS VALUES (60, '1', 140, 142, 146);
INSERT INTO FLAPS VALUES (62, '1', 143, 145, 149);
INSERT INTO FLAPS VALUES (60, '5', 135, 137, 142);
INSERT INTO FLAPS VALUES (60, '15', 128, 130, 136);
INSERT INTO TAB_SAIDAS (COD_VOO, PISTA, SID_PREF, STAR_DESTINO) VALUES (1, '09L', 'PCX1A', 'ALDEIA1');
INSERT INTO TAB_SAIDAS (COD_VOO, PISTA, SID_PREF, STAR_DESTINO) VALUES (4, '27R', 'UBT1B', 'ALDEIA1');
INSERT INTO TAB_SAIDAS (COD_VOO, PISTA, SID_PREF, STAR_DESTINO) VALUES (1, '27L', 'PCX2B', 'ALDEIA2');
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG) VALUES ('SBRJ', 'SID', 'PCX1A', '20', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG) VALUES ('SBRJ', 'IAC', 'NDB 20', '20', FALSE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG) VALUES ('SBRJ', 'STAR', 'ALDEIA1', '20', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG) VALUES ('SBGR', 'SID', 'ZZZ1A', '09L', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG) VALUES ('SBRJ', 'SID', 'PCX1A', '20', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista) VALUES ('SBRJ', 'IAC', 'ILS 20', '20');
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG) VALUES ('SBRJ', 'IAC', 'RNAV 20', '20', TRUE);
)";

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (&line == &lines.front() ? "" : " ") + line;
  return text;
}

struct StatementCase {
  const char* name;
  std::vector<std::string> lines;
  std::optional<ParameterValue> parameter;
  const char* csv;
};

const std::vector<std::string> kOrigins = {"SELECT DISTINCT ORIGEM", "FROM VOOS", "ORDER BY ORIGEM;"};
const std::vector<std::string> kDestinations = {
    "SELECT DISTINCT VOOS.COD_VOOS, VOOS.ORIGEM, VOOS.SPEED, ", "VOOS.FL, VOOS.ROTA, VOOS.DEST, VOOS.DISTANCIA, VOOS.ATIS ",
    "FROM VOOS WHERE (((VOOS.ORIGEM)=:))", "ORDER BY VOOS.DEST;"};
const std::vector<std::string> kDepartures = {"SELECT * from tab_saidas", "WHERE (((TAB_saidas.COD_VOO)=:))", "", ""};
const std::vector<std::string> kProcedures = {
    "SELECT DISTINCT TAB_PROCEDIMENTO.proc_tipo, TAB_PROCEDIMENTO.proc_pista, TAB_PROCEDIMENTO.proc_nome  ",
    "FROM TAB_PROCEDIMENTO WHERE (((TAB_PROCEDIMENTO.PROC_ICAO)=:) AND TAB_PROCEDIMENTO.PROC_FLAG = TRUE)",
    "order by TAB_PROCEDIMENTO.proc_nome;"};
const std::vector<std::string> kSpeeds = {"SELECT * from FLAPS ", "WHERE (((Flaps.Weight)=:));"};
const std::vector<std::string> kFlightTable = {"select * from VOOS", "order by ORIGEM, DEST"};
const std::vector<std::string> kSpeedTable = {"select * from flaps"};

class ProgramStatementTest : public testing::TestWithParam<StatementCase> {
 protected:
  static void SetUpTestSuite() {
    folder_ = new sql_test::ScratchFolder;
    jet::Database database = jet::Database::create(File());
    std::ostringstream ignored;
    RunScript(database, kRoutes, ignored);
  }
  static void TearDownTestSuite() {
    sql_test::ExpectMdbExportAgrees(File());
    delete folder_;
  }
  static std::string File() { return folder_->path("routes.mdb"); }

 private:
  static sql_test::ScratchFolder* folder_;
};

sql_test::ScratchFolder* ProgramStatementTest::folder_ = nullptr;

TEST_P(ProgramStatementTest, GivesTheRows) {
  const StatementCase& c = GetParam();
  std::string text = Joined(c.lines);
  if (c.parameter) text = BindParameter(text, *c.parameter);
  jet::Database database = jet::Database::open(File());
  std::ostringstream csv;
  WriteCsv(Executor(database).Query(text), csv);
  EXPECT_EQ(csv.str(), c.csv) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Stored, ProgramStatementTest,
    testing::Values(
        StatementCase{"origins", kOrigins, std::nullopt, "ORIGEM\n\"SBGR\"\n\"SBRJ\"\n\"SBSP\"\n"},
        // Both SBGR-SBRJ routes, each by its own key.
        StatementCase{"destinations", kDestinations, std::string("SBGR"),
                      "COD_VOOS,ORIGEM,SPEED,FL,ROTA,DEST,DISTANCIA,ATIS\n"
                      "3,\"SBGR\",\"440\",\"330\",\"UM540 PCX\",\"SBBR\",471,\n"
                      "1,\"SBGR\",\"420\",\"270\",\"UZ6 DUROG\",\"SBRJ\",197,\"ATIS 132.65\"\n"
                      "4,\"SBGR\",\"420\",\"250\",\"UZ10 UBT\",\"SBRJ\",205,\n"},
        StatementCase{"destinations_lower_case", kDestinations, std::string("sbsp"),
                      "COD_VOOS,ORIGEM,SPEED,FL,ROTA,DEST,DISTANCIA,ATIS\n"
                      "2,\"SBSP\",\"420\",\"270\",\"UW2 ADR\",\"SBRJ\",197,\n"},
        // A quote in the value is part of the text, never the end of it.
        StatementCase{"destinations_quote", kDestinations, std::string("SB\"X"),
                      "COD_VOOS,ORIGEM,SPEED,FL,ROTA,DEST,DISTANCIA,ATIS\n"},
        StatementCase{"departures", kDepartures, std::int64_t{1},
                      "COD_SAIDA,COD_VOO,PISTA,SID_PREF,TRANS_PREF,SID_SEC,TRANS_SEC,FIXO_ENTRADA,STAR_DESTINO,"
                      "TRANSICAO_DESTINO,PROC_RECOMENDADO\n"
                      "1,1,\"09L\",\"PCX1A\",,,,,\"ALDEIA1\",,\n"
                      "3,1,\"27L\",\"PCX2B\",,,,,\"ALDEIA2\",,\n"},
        StatementCase{"departures_none", kDepartures, std::int64_t{2},
                      "COD_SAIDA,COD_VOO,PISTA,SID_PREF,TRANS_PREF,SID_SEC,TRANS_SEC,FIXO_ENTRADA,STAR_DESTINO,"
                      "TRANSICAO_DESTINO,PROC_RECOMENDADO\n"},
        // Unflagged ones never, the repeated one once, by name.
        StatementCase{"procedures", kProcedures, std::string("SBRJ"),
                      "Proc_Tipo,Proc_Pista,Proc_Nome\n\"STAR\",\"20\",\"ALDEIA1\"\n\"SID\",\"20\",\"PCX1A\"\n"
                      "\"IAC\",\"20\",\"RNAV 20\"\n"},
        StatementCase{"speeds", kSpeeds, 60.0,
                      "Weight,Flap,V1,VR,V2\n60,\"1\",140,142,146\n60,\"5\",135,137,142\n60,\"15\",128,130,136\n"},
        StatementCase{"speeds_none", kSpeeds, 64.0, "Weight,Flap,V1,VR,V2\n"},
        StatementCase{"flight_table", kFlightTable, std::nullopt,
                      "COD_VOOS,ORIGEM,SPEED,FL,ROTA,DEST,DISTANCIA,ATIS,OBS\n"
                      "3,\"SBGR\",\"440\",\"330\",\"UM540 PCX\",\"SBBR\",471,,\n"
                      "1,\"SBGR\",\"420\",\"270\",\"UZ6 DUROG\",\"SBRJ\",197,\"ATIS 132.65\",\"first\"\n"
                      "4,\"SBGR\",\"420\",\"250\",\"UZ10 UBT\",\"SBRJ\",205,,\n"
                      "5,\"SBRJ\",\"420\",\"280\",\"UW13 RSD\",\"SBGR\",197,,\n"
                      "2,\"SBSP\",\"420\",\"270\",\"UW2 ADR\",\"SBRJ\",197,,\n"},
        StatementCase{"speed_table", kSpeedTable, std::nullopt,
                      "Weight,Flap,V1,VR,V2\n60,\"1\",140,142,146\n62,\"1\",143,145,149\n60,\"5\",135,137,142\n"
                      "60,\"15\",128,130,136\n"}),
    [](const testing::TestParamInfo<StatementCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sql
