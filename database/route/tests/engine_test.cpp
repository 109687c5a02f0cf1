// The program's statements and edits on a small database the engine wrote, through the
// connection as the program makes it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "database/route/data_access_error.h"
#include "database/route/data_set.h"
#include "database/route/data_sets.h"
#include "database/route/jet_query_engine.h"
#include "database/route/tests/route_file.h"

namespace route {
namespace {

std::vector<std::string> Column(DataSet& data_set, const char* field) {
  std::vector<std::string> texts;
  for (std::size_t row = 0; row < data_set.row_count(); ++row) {
    data_set.move_to(row);
    texts.push_back(data_set.text(field));
  }
  return texts;
}

std::vector<std::string> Row(const DataSet& data_set) {
  std::vector<std::string> texts;
  for (std::size_t field = 0; field < data_set.fields().size(); ++field) texts.push_back(data_set.text(field));
  return texts;
}

class EngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { path_ = new std::string(testing::BuildDatabase("small", testing::kSmallRouteScript)); }
  static void TearDownTestSuite() {
    std::filesystem::remove(*path_);
    delete path_;
  }

  // Each test edits its own copy.
  EngineTest() {
    copy_ = ::testing::TempDir() + "/route_copy_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
            ".mdb";
    std::filesystem::remove(copy_);
    std::filesystem::copy_file(*path_, copy_);
    connect(KADaoDatabase1);
  }
  ~EngineTest() override {
    KADaoDatabase1.disconnect();  // Windows removes no file that is open
    std::error_code ignored;
    std::filesystem::remove(copy_, ignored);
  }

  void connect(Connection& connection) {
    connection.settings().path = copy_;
    connection.connect();
  }

  static std::string* path_;
  std::string copy_;
  Connection KADaoDatabase1{OpenJetQueryEngine};
};
std::string* EngineTest::path_ = nullptr;

TEST_F(EngineTest, OriginsAreDistinctAndInOrder) {
  DataSet qryORIGEM(KADaoDatabase1, data_sets::qryORIGEM());
  qryORIGEM.open();
  EXPECT_EQ(Column(qryORIGEM, "ORIGEM"), (std::vector<std::string>{"SBBR", "SBGR", "SBSP"}));
  ASSERT_EQ(qryORIGEM.fields().size(), 1u);
  EXPECT_EQ(qryORIGEM.fields()[0].size, 4u);
  EXPECT_THROW(qryORIGEM.set_text(0, "SBXX"), DataAccessError);
}

TEST_F(EngineTest, DestinationsOfAnOriginBoundInDoubleQuotesListBothRoutesOfAPair) {
  DataSet qryDESTINO(KADaoDatabase1, data_sets::qryDESTINO());
  qryDESTINO.set_parameter(std::string("SBSP"));
  qryDESTINO.open();
  EXPECT_EQ(Column(qryDESTINO, "DEST"), (std::vector<std::string>{"SBBR", "SBRJ", "SBRJ"}));
  qryDESTINO.move_to(1);
  EXPECT_EQ(Row(qryDESTINO), (std::vector<std::string>{"1", "SBSP", "420", "270", "UM409 SJC UZ36 RSD UW13 DUROG",
                                                       "SBRJ", "197", "ATIS 132.65"}));
  qryDESTINO.move_to(2);
  EXPECT_EQ(qryDESTINO.whole_number(0), 4);
  EXPECT_EQ(qryDESTINO.whole_number(6), 199);

  // Re-run for another origin, as a pick in the DEPARTURE list does.
  qryDESTINO.close();
  qryDESTINO.set_parameter(std::string("sbgr"));  // Jet compares texts without regard to case
  qryDESTINO.open();
  EXPECT_EQ(Column(qryDESTINO, "DEST"), (std::vector<std::string>{"SBSV"}));
}

TEST_F(EngineTest, AQuoteInTheValueCannotChangeTheStatement) {
  DataSet qryDESTINO(KADaoDatabase1, data_sets::qryDESTINO());
  for (const char* value : {"SB\"X", "SB\") OR (\"\"=\"", "\" OR VOOS.ORIGEM <> \""}) {
    SCOPED_TRACE(value);
    qryDESTINO.close();
    qryDESTINO.set_parameter(std::string(value));
    qryDESTINO.open();
    EXPECT_TRUE(qryDESTINO.empty());
    EXPECT_EQ(qryDESTINO.text("DEST"), "");
  }
}

TEST_F(EngineTest, DeparturesOfARouteInNaturalOrder) {
  DataSet qrySaidas(KADaoDatabase1, data_sets::qrySaidas());
  qrySaidas.set_parameter(std::int64_t{1});
  qrySaidas.open();
  EXPECT_EQ(Column(qrySaidas, "PISTA"), (std::vector<std::string>{"17R", "35L"}));
  qrySaidas.move_to(0);
  // Positions follow the field list: STAR before FIXO, although the table has FIXO first.
  EXPECT_EQ(qrySaidas.text(7), "DUROG1A RNAV VIA DUROG ESPRA TOKOT ALTAS DESCENDIN");
  EXPECT_EQ(qrySaidas.text(8), "DUROG");
  EXPECT_EQ(qrySaidas.text("SID_SEC"), "");
  EXPECT_EQ(qrySaidas.whole_number("COD_VOO"), 1);

  qrySaidas.close();
  qrySaidas.set_parameter(std::int64_t{2});
  qrySaidas.open();
  EXPECT_TRUE(qrySaidas.empty());
}

TEST_F(EngineTest, ProceduresListFlaggedOnesOnceOrderedByName) {
  DataSet tab_procedimentos(KADaoDatabase1, data_sets::tab_procedimentos());
  tab_procedimentos.set_parameter(std::string("SBRJ"));
  tab_procedimentos.open();
  EXPECT_EQ(Column(tab_procedimentos, "Proc_Nome"), (std::vector<std::string>{"BOKAM1", "DUROG1A", "ILS Z 15"}));
  tab_procedimentos.move_to(2);
  // The fixed field list puts the name before the runway, whatever order the statement selects.
  EXPECT_EQ(Row(tab_procedimentos), (std::vector<std::string>{"IAC", "ILS Z 15", "15"}));
}

TEST_F(EngineTest, SpeedsForAWeightKeyBoundAsAWholeNumber) {
  DataSet qryFLAP(KADaoDatabase1, data_sets::qryFLAP());
  qryFLAP.set_parameter(60.0);
  qryFLAP.open();
  EXPECT_EQ(Column(qryFLAP, "Flap"), (std::vector<std::string>{"5", "1", "15"}));
  qryFLAP.move_to(0);
  EXPECT_EQ(Row(qryFLAP), (std::vector<std::string>{"60", "5", "139", "141", "146"}));
  EXPECT_TRUE(qryFLAP.locate("flap", "15"));
  EXPECT_EQ(qryFLAP.text(2), "133");

  qryFLAP.close();
  qryFLAP.set_parameter(64.0);
  qryFLAP.open();
  EXPECT_TRUE(qryFLAP.empty());
  EXPECT_EQ(qryFLAP.text(2), "");
  EXPECT_EQ(qryFLAP.whole_number(3), 0);
}

TEST(EngineSpeedTable, ColumnsInAnotherOrderGiveTheOtherColumnsNumbers) {
  const std::string path = testing::BuildDatabase("reordered", R"(
CREATE TABLE FLAPS (Weight LONG, Flap TEXT(50), V2 LONG, VR LONG, V1 LONG);
INSERT INTO FLAPS (Weight, Flap, V1, VR, V2) VALUES (60, '5', 139, 141, 146);
)");
  Connection connection(OpenJetQueryEngine);
  connection.settings().path = path;
  connection.connect();
  DataSet qryFLAP(connection, data_sets::qryFLAP());
  qryFLAP.set_parameter(60.0);
  qryFLAP.open();
  // Read by position as the speed box does: V1 is taken from the third column, here V2.
  EXPECT_EQ(qryFLAP.text(2), "146");
  EXPECT_EQ(qryFLAP.text(4), "139");
  EXPECT_EQ(qryFLAP.text("V1"), "139");
}

TEST_F(EngineTest, FlightTableOrderedByOriginThenDestinationWithoutRemarks) {
  DataSet tabVoos2(KADaoDatabase1, data_sets::tabVoos2());
  tabVoos2.open();
  std::vector<std::string> pairs;
  for (std::size_t row = 0; row < tabVoos2.row_count(); ++row) {
    tabVoos2.move_to(row);
    pairs.push_back(tabVoos2.text("ORIGEM") + "-" + tabVoos2.text("DEST"));
  }
  EXPECT_EQ(pairs, (std::vector<std::string>{"SBBR-SBSP", "SBGR-SBSV", "SBSP-SBBR", "SBSP-SBRJ", "SBSP-SBRJ"}));
  EXPECT_THROW(tabVoos2.text("OBS"), DataAccessError);

  DataSet tabFlaps(KADaoDatabase1, data_sets::tabFlaps());
  tabFlaps.open();
  EXPECT_EQ(Column(tabFlaps, "Weight"), (std::vector<std::string>{"60", "60", "62", "60"}));

  DataSet tab_Voos(KADaoDatabase1, data_sets::tab_Voos());
  tab_Voos.open();
  EXPECT_EQ(tab_Voos.row_count(), 5u);
  EXPECT_EQ(tab_Voos.text("OBS"), "ponte");
}

TEST_F(EngineTest, InsertChangePostAndDeleteReachTheFile) {
  {
    DataSet tabVoos2(KADaoDatabase1, data_sets::tabVoos2());
    tabVoos2.open();
    tabVoos2.append();
    tabVoos2.set_text("ORIGEM", "SBKP");
    tabVoos2.set_text("DEST", "SBPA");
    tabVoos2.set_text("SPEED", "445");
    tabVoos2.set_text("FL", "340");
    tabVoos2.set_text("DISTANCIA", "449");
    tabVoos2.post();
    EXPECT_EQ(tabVoos2.text("COD_VOOS"), "6");

    ASSERT_TRUE(tabVoos2.locate("COD_VOOS", "2"));
    tabVoos2.set_text("FL", "390");
    tabVoos2.post();

    ASSERT_TRUE(tabVoos2.locate("COD_VOOS", "5"));
    tabVoos2.remove();
    EXPECT_EQ(tabVoos2.row_count(), 5u);
  }
  // What another data set reads anew from the file.
  DataSet tab_Voos(KADaoDatabase1, data_sets::tab_Voos());
  tab_Voos.open();
  EXPECT_EQ(Column(tab_Voos, "COD_VOOS"), (std::vector<std::string>{"1", "2", "3", "4", "6"}));
  ASSERT_TRUE(tab_Voos.locate("COD_VOOS", "2"));
  EXPECT_EQ(tab_Voos.text("FL"), "390");
  EXPECT_EQ(tab_Voos.text("ROTA"), "UZ36 VGH UW13 CNF");
  ASSERT_TRUE(tab_Voos.locate("COD_VOOS", "6"));
  EXPECT_EQ(tab_Voos.text("ORIGEM"), "SBKP");
  EXPECT_EQ(tab_Voos.whole_number("DISTANCIA"), 449);
  EXPECT_EQ(tab_Voos.text("OBS"), "");

  // The remarks the flight table never shows are kept by its edits.
  ASSERT_TRUE(tab_Voos.locate("COD_VOOS", "1"));
  EXPECT_EQ(tab_Voos.text("OBS"), "ponte");
}

TEST_F(EngineTest, ANonIntegerIsRefusedBeforeTheFileIsTouched) {
  DataSet tabFlaps(KADaoDatabase1, data_sets::tabFlaps());
  tabFlaps.open();
  try {
    tabFlaps.set_text("V1", "1a4");
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "'1a4' is not a valid integer value for field 'V1'");
  }
  EXPECT_EQ(tabFlaps.state(), DataSet::State::edit);
  tabFlaps.set_text("V1", "140");
  tabFlaps.post();
  tabFlaps.close();
  tabFlaps.open();
  EXPECT_EQ(tabFlaps.text("V1"), "140");
}

TEST_F(EngineTest, ARowAnotherConnectionChangedFirstIsRefusedAndStaysInEdit) {
  Connection other(OpenJetQueryEngine);
  connect(other);
  DataSet mine(KADaoDatabase1, data_sets::tabVoos2());
  DataSet theirs(other, data_sets::tabVoos2());
  mine.open();
  theirs.open();
  ASSERT_TRUE(theirs.locate("COD_VOOS", "3"));
  theirs.set_text("ATIS", "ATIS 127.85");
  theirs.post();

  ASSERT_TRUE(mine.locate("COD_VOOS", "3"));
  mine.set_text("FL", "350");
  try {
    mine.post();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(),
                 "The Microsoft Jet database engine stopped the process because you and another user are attempting "
                 "to change the same data at the same time.");
  }
  EXPECT_EQ(mine.state(), DataSet::State::edit);
  EXPECT_EQ(mine.text("FL"), "350");
  mine.cancel();
  mine.close();
  mine.open();
  ASSERT_TRUE(mine.locate("COD_VOOS", "3"));
  EXPECT_EQ(mine.text("ATIS"), "ATIS 127.85");
  EXPECT_EQ(mine.text("FL"), "330");

  // A row the other connection deleted.
  ASSERT_TRUE(theirs.locate("COD_VOOS", "3"));
  theirs.remove();
  mine.set_text("FL", "350");
  try {
    mine.post();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "Record is deleted.");
  }
  EXPECT_EQ(mine.state(), DataSet::State::edit);
}

TEST_F(EngineTest, AStarCutForTheGridIsNeverWrittenBackCut) {
  const std::string whole = "DUROG1A RNAV VIA DUROG ESPRA TOKOT ALTAS DESCENDING FL110 THEN VECTORS ILS15";
  DataSet qrySaidas(KADaoDatabase1, data_sets::qrySaidas());
  qrySaidas.set_parameter(std::int64_t{1});
  qrySaidas.open();
  qrySaidas.set_text("PISTA", "17L");
  qrySaidas.set_text("STAR_DESTINO", qrySaidas.text("STAR_DESTINO"));
  qrySaidas.post();

  DataSetDefinition whole_table;
  whole_table.name = "saidas";
  whole_table.table = "tab_saidas";
  DataSet check(KADaoDatabase1, whole_table);
  check.open();
  EXPECT_EQ(check.text("PISTA"), "17L");
  EXPECT_EQ(check.text("STAR_DESTINO"), whole);
  check.close();

  // Typing the whole text leaves what the grid holds unchanged, so nothing is cut either.
  qrySaidas.set_text("STAR_DESTINO", whole);
  qrySaidas.post();
  check.open();
  EXPECT_EQ(check.text("STAR_DESTINO"), whole);
  check.close();

  // A STAR typed anew is held to the 50 characters of the grid.
  const std::string other = "ESPRA1B RNAV VIA ESPRA TOKOT ALTAS DESCENDING FL090 THEN VECTORS ILS15";
  qrySaidas.set_text("STAR_DESTINO", other);
  qrySaidas.post();
  check.open();
  EXPECT_EQ(check.text("STAR_DESTINO"), other.substr(0, 50));
}

TEST_F(EngineTest, AConnectionOpenedForReadingRefusesWritesWithTheEnginesText) {
  Connection reader(OpenJetQueryEngine);
  reader.settings().read_only = true;
  connect(reader);
  DataSet tabFlaps(reader, data_sets::tabFlaps());
  tabFlaps.open();
  tabFlaps.set_text("V2", "151");
  try {
    tabFlaps.post();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_NE(std::string(error.what()).find("read"), std::string::npos) << error.what();
  }
  EXPECT_EQ(tabFlaps.state(), DataSet::State::edit);
  EXPECT_EQ(tabFlaps.text("V2"), "151");
}

TEST(EngineConnection, SettingsAndTheFileErrorsUsersKnow) {
  Connection KADaoDatabase1(OpenJetQueryEngine);
  const ConnectionSettings& settings = KADaoDatabase1.settings();
  EXPECT_FALSE(settings.exclusive);
  EXPECT_FALSE(settings.read_only);
  EXPECT_EQ(settings.user_name, "Admin");
  EXPECT_EQ(settings.password, "");
  EXPECT_EQ(settings.system_database, "system.mdb");
  EXPECT_EQ(settings.workspace, "DaoWorkspace");
  EXPECT_EQ(settings.query_timeout_seconds, 60);
  EXPECT_FALSE(settings.transactions);

  const std::string missing = ::testing::TempDir() + "/route_missing.mdb";
  std::filesystem::remove(missing);
  const std::string text_file = ::testing::TempDir() + "/route_not_a_database.mdb";
  std::ofstream(text_file) << "Trimwise routes\r\n";
  const std::string empty_file = ::testing::TempDir() + "/route_empty.mdb";
  std::ofstream{empty_file};
  const std::vector<std::pair<std::string, std::string>> cases = {
      {missing, "Could not find file '" + missing + "'."},
      {::testing::TempDir(), "Could not find file '" + ::testing::TempDir() + "'."},
      {text_file, "Unrecognized database format '" + text_file + "'."},
      {empty_file, "Unrecognized database format '" + empty_file + "'."},
  };
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(path);
    KADaoDatabase1.settings().path = path;
    try {
      KADaoDatabase1.connect();
      FAIL();
    } catch (const DataAccessError& error) {
      EXPECT_EQ(error.what(), message);
    }
    EXPECT_FALSE(KADaoDatabase1.connected());
  }

  KADaoDatabase1.settings().path = testing::BuildDatabase("connect", testing::kSmallRouteScript);
  KADaoDatabase1.connect();
  EXPECT_TRUE(KADaoDatabase1.connected());
  KADaoDatabase1.connect();
  EXPECT_TRUE(KADaoDatabase1.connected());
  DataSet qryORIGEM(KADaoDatabase1, data_sets::qryORIGEM());
  qryORIGEM.open();
  KADaoDatabase1.disconnect();
  EXPECT_FALSE(KADaoDatabase1.connected());
  EXPECT_FALSE(qryORIGEM.active());
  KADaoDatabase1.disconnect();
}

TEST_F(EngineTest, AStatementTheEngineRefusesGivesItsOwnTextAndTheDataSetStaysClosed) {
  DataSetDefinition broken;
  broken.name = "broken";
  broken.statement = StoredStatement{{"SELECT * FROM VOOS WHERE NOSUCH = 1"}};
  DataSet data_set(KADaoDatabase1, broken);
  try {
    data_set.open();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_NE(std::string(error.what()).find("NOSUCH"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(data_set.active());
}

}  // namespace
}  // namespace route
