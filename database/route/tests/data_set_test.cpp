// Data sets over the in-memory engine: opening and closing, reading fields, locating, and
// editing written back with only what changed.
#include "database/route/data_set.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "database/route/data_access_error.h"
#include "database/route/data_sets.h"
#include "database/route/tests/route_fixture.h"

namespace route {
namespace {

using testing::N;
using testing::Null;
using testing::T;

const std::string kLongStar = std::string(50, 'S') + std::string(30, 'L');  // 80 characters

class DataSetTest : public ::testing::Test {
 protected:
  DataSetTest() {
    e().add_row("VOOS", {Null(), T("SBSP"), T("420"), T("270"), T("UM409 SJC"), T("SBRJ"), N(197),
                         T("ATIS 132.65"), T("ponte")});
    e().add_row("VOOS", {Null(), T("SBGR"), T("450"), T("370"), T("UZ36 VGH"), T("SBSV"), N(784),
                         T("ATIS 127.95"), Null()});
    e().add_row("VOOS", {Null(), T("SBBR"), T("45O"), Null(), T("UW60"), T("SBSP"), Null(), Null(), Null()});
    e().add_row("tab_saidas", {Null(), N(1), T("17R"), T("SID1"), T("SJC"), Null(), Null(), T("DUROG"),
                               T(kLongStar.c_str()), T("DUROG"), T("ILS 15")});
    e().answer("select * from VOOS order by ORIGEM, DEST", {"VOOS", {}, {1, 0}});
    e().answer("SELECT * from tab_saidas WHERE (((TAB_saidas.COD_VOO)=1))  ", {"tab_saidas", {}, {0}});
    e().answer("SELECT * from tab_saidas WHERE (((TAB_saidas.COD_VOO)=9))  ", {"tab_saidas", {}, {}});
    e().answer("SELECT * FROM [VOOS]", {"VOOS", {}, {2}});
    e().answer("SELECT DISTINCT ORIGEM FROM VOOS ORDER BY ORIGEM;", {"VOOS", {1}, {1, 0}, false});
  }
  testing::FakeQueryEngine& e() { return *fake.engine; }
  const StoredRow& stored_saida() { return e().table("tab_saidas").rows.at(0); }

  testing::FakeConnection fake;
};

TEST_F(DataSetTest, ClosedAndEmptyDataSetsReadAsEmptyTextAndZero) {
  DataSet saidas(fake.connection, data_sets::qrySaidas());
  EXPECT_EQ(saidas.text(0), "");
  EXPECT_EQ(saidas.text(99), "");
  EXPECT_EQ(saidas.text("STAR_DESTINO"), "");
  EXPECT_EQ(saidas.whole_number(1), 0);
  EXPECT_EQ(saidas.whole_number("COD_VOO"), 0);
  EXPECT_EQ(saidas.row_count(), 0u);

  saidas.set_parameter(std::int64_t{9});
  saidas.open();
  EXPECT_TRUE(saidas.active());
  EXPECT_TRUE(saidas.empty());
  EXPECT_EQ(saidas.text(2), "");
  EXPECT_EQ(saidas.text("PISTA"), "");
  EXPECT_EQ(saidas.whole_number(1), 0);
  EXPECT_EQ(saidas.whole_number("cod_voo"), 0);
  // On an open data set a field that is not there is a fault of the caller, not an empty value.
  EXPECT_THROW(saidas.text("OBS"), DataAccessError);
  EXPECT_THROW(saidas.text(11), DataAccessError);
}

TEST_F(DataSetTest, OpenAndCloseDoNothingWhenAlreadyDone) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.close();
  voos.open();
  voos.move_to(1);
  voos.open();
  EXPECT_EQ(e().statements.size(), 1u);
  EXPECT_EQ(voos.current_row(), 1u);  // the second open ran nothing and moved nothing
  voos.close();
  voos.close();
  EXPECT_FALSE(voos.active());
  voos.open();
  EXPECT_EQ(e().statements.size(), 2u);
  EXPECT_EQ(voos.current_row(), 0u);
}

TEST_F(DataSetTest, FieldsByPositionAndByNameInTheFixedOrder) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  ASSERT_EQ(voos.row_count(), 2u);
  // Fixed order COD_VOOS, ORIGEM, DEST, ...; the table has DEST sixth.
  EXPECT_EQ(voos.text(0), "2");
  EXPECT_EQ(voos.text(1), "SBGR");
  EXPECT_EQ(voos.text(2), "SBSV");
  EXPECT_EQ(voos.whole_number(6), 784);
  EXPECT_EQ(voos.text("rota"), "UZ36 VGH");
  EXPECT_EQ(voos.whole_number("FL"), 370);
  ASSERT_EQ(voos.fields().size(), 8u);
  for (const FieldDefinition& field : voos.fields()) EXPECT_NE(field.name, "OBS");
  EXPECT_THROW(voos.text("OBS"), DataAccessError);
  voos.move_to(1);
  EXPECT_EQ(voos.text("ORIGEM"), "SBSP");
}

TEST_F(DataSetTest, WholeNumbersFromTextFieldsMustBeWholeNumbers) {
  DataSet voos(fake.connection, data_sets::tab_Voos());
  voos.open();
  EXPECT_EQ(voos.whole_number("COD_VOOS"), 3);
  EXPECT_EQ(voos.whole_number("DISTANCIA"), 0);  // an empty number
  const std::vector<std::pair<const char*, const char*>> refused = {{"FL", "''"}, {"SPEED", "'45O'"}};
  for (const auto& [field, quoted] : refused) {
    try {
      voos.whole_number(field);
      FAIL() << field;
    } catch (const DataAccessError& error) {
      EXPECT_EQ(std::string(error.what()), std::string(quoted) + " is not a valid integer value");
    }
  }
}

TEST_F(DataSetTest, WithoutAFixedListTheFieldsAreTheColumnsReturned) {
  DataSet origens(fake.connection, data_sets::qryORIGEM());
  origens.open();
  ASSERT_EQ(origens.fields().size(), 1u);
  EXPECT_EQ(origens.fields()[0].name, "ORIGEM");
  EXPECT_EQ(origens.fields()[0].size, 4u);
  EXPECT_EQ(origens.text(0), "SBGR");
}

TEST_F(DataSetTest, AFixedFieldTheStatementDoesNotReturnFailsTheOpen) {
  e().answer("select * from flaps", {"VOOS", {0, 1}, {0}});
  DataSet flaps(fake.connection, data_sets::tabFlaps());
  try {
    flaps.open();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "tabFlaps: Field 'Weight' not found");
  }
  EXPECT_FALSE(flaps.active());
}

TEST_F(DataSetTest, LocateMakesTheRowOfAKeyCurrent) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  EXPECT_TRUE(voos.locate("COD_VOOS", "1"));
  EXPECT_EQ(voos.current_row(), 1u);
  EXPECT_TRUE(voos.locate("ORIGEM", "SBGR"));
  EXPECT_EQ(voos.current_row(), 0u);
  EXPECT_FALSE(voos.locate("ORIGEM", "SBXX"));
  EXPECT_EQ(voos.current_row(), 0u);
}

TEST_F(DataSetTest, AValueLongerThanTheFieldIsShownCutAndNeverWrittenBackCut) {
  DataSet saidas(fake.connection, data_sets::qrySaidas());
  saidas.set_parameter(std::int64_t{1});
  saidas.open();
  EXPECT_EQ(saidas.text("STAR_DESTINO"), kLongStar.substr(0, 50));

  saidas.set_text("PISTA", "35L");
  // The grid may write back the cell it showed; that is no change.
  saidas.set_text("STAR_DESTINO", saidas.text("STAR_DESTINO"));
  saidas.post();
  ASSERT_EQ(e().updates.size(), 1u);
  ASSERT_EQ(e().updates[0].changes.size(), 1u);
  EXPECT_EQ(e().updates[0].changes[0].table_position, 2u);
  EXPECT_EQ(stored_saida().values[8], T(kLongStar.c_str()));
  EXPECT_EQ(saidas.text("PISTA"), "35L");

  // A new STAR is limited to what the field holds.
  saidas.set_text("STAR_DESTINO", std::string(60, 'N'));
  EXPECT_EQ(saidas.text("STAR_DESTINO"), std::string(50, 'N'));
  saidas.post();
  EXPECT_EQ(stored_saida().values[8], T(std::string(50, 'N').c_str()));
}

TEST_F(DataSetTest, PostWithoutChangesWritesNothing) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  voos.set_text("ORIGEM", "SBGR");
  EXPECT_EQ(voos.state(), DataSet::State::edit);
  voos.post();
  EXPECT_EQ(voos.state(), DataSet::State::browse);
  EXPECT_TRUE(e().updates.empty());
}

TEST_F(DataSetTest, ATextThatIsNoWholeNumberIsRefusedAndTheRowStaysInEdit) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  for (const char* text : {"12a", "1.5", "2147483648", " ", "+"}) {
    SCOPED_TRACE(text);
    try {
      voos.set_text("DISTANCIA", text);
      FAIL();
    } catch (const DataAccessError& error) {
      EXPECT_EQ(std::string(error.what()),
                std::string("'") + text + "' is not a valid integer value for field 'DIST'");
    }
    EXPECT_EQ(voos.state(), DataSet::State::edit);
    EXPECT_EQ(voos.whole_number("DISTANCIA"), 784);
  }
  voos.set_text("DISTANCIA", "-12");
  EXPECT_EQ(voos.whole_number("DISTANCIA"), -12);
  voos.set_text("DISTANCIA", "");
  EXPECT_EQ(voos.text("DISTANCIA"), "");
  voos.cancel();
  EXPECT_EQ(voos.whole_number("DISTANCIA"), 784);
  EXPECT_TRUE(e().updates.empty());
}

TEST_F(DataSetTest, ARefusedPostLeavesTheRowInEditWithItsChanges) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  voos.set_text("ROTA", "UZ36 VGH UW10");
  e().refuse_writes = "Refused.";
  try {
    voos.post();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "Refused.");
  }
  EXPECT_EQ(voos.state(), DataSet::State::edit);
  EXPECT_EQ(voos.text("ROTA"), "UZ36 VGH UW10");
  // Moving to another row posts first, so it is refused too and the row stays.
  EXPECT_THROW(voos.move_to(1), DataAccessError);
  EXPECT_EQ(voos.current_row(), 0u);
  e().refuse_writes.clear();
  voos.post();
  EXPECT_EQ(e().table("VOOS").rows[1].values[4], T("UZ36 VGH UW10"));
}

TEST_F(DataSetTest, InsertTakesItsAutoNumberWhenWritten) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  voos.append();
  EXPECT_EQ(voos.state(), DataSet::State::insert);
  EXPECT_EQ(voos.current_row(), 2u);
  EXPECT_EQ(voos.text("COD_VOOS"), "");
  voos.set_text("ORIGEM", "SBKPX");  // cut to the 4 characters of the field
  voos.set_text("DEST", "SBPA");
  voos.set_text("DISTANCIA", "450");
  voos.post();
  EXPECT_EQ(voos.text("COD_VOOS"), "4");
  EXPECT_EQ(voos.text("ORIGEM"), "SBKP");
  ASSERT_EQ(e().inserts.size(), 1u);
  EXPECT_EQ(e().inserts[0].size(), 3u);  // only the fields given; COD_VOOS and OBS left to the file
  EXPECT_EQ(e().table("VOOS").rows.back().values[0], N(4));
  EXPECT_EQ(voos.row_count(), 3u);
}

TEST_F(DataSetTest, CancelledInsertLeavesNoRow) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  voos.move_to(1);
  voos.insert();
  EXPECT_EQ(voos.current_row(), 1u);
  voos.set_text("ORIGEM", "SBKP");
  voos.cancel();
  EXPECT_EQ(voos.row_count(), 2u);
  EXPECT_EQ(voos.text("ORIGEM"), "SBSP");
  EXPECT_TRUE(e().inserts.empty());
}

TEST_F(DataSetTest, TypingIntoAnEmptyDataSetStartsANewRow) {
  DataSet saidas(fake.connection, data_sets::qrySaidas());
  saidas.set_parameter(std::int64_t{9});
  saidas.open();
  saidas.set_text("PISTA", "09");
  EXPECT_EQ(saidas.state(), DataSet::State::insert);
  saidas.post();
  EXPECT_EQ(saidas.row_count(), 1u);
  EXPECT_EQ(saidas.text("COD_SAIDA"), "2");
}

TEST_F(DataSetTest, DeleteRemovesTheCurrentRowFromTheFile) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  voos.move_to(1);
  voos.remove();
  EXPECT_EQ(voos.row_count(), 1u);
  EXPECT_EQ(voos.current_row(), 0u);
  EXPECT_EQ(voos.text("ORIGEM"), "SBGR");
  ASSERT_EQ(e().table("VOOS").rows.size(), 2u);
  voos.remove();
  EXPECT_TRUE(voos.empty());
  try {
    voos.remove();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "Cannot perform this operation on an empty dataset");
  }
}

TEST_F(DataSetTest, ReadOnlyDataSetsAndFieldsRefuseEditing) {
  DataSet origens(fake.connection, data_sets::qryORIGEM());
  origens.open();
  for (auto edit : {+[](DataSet& d) { d.set_text(0, "SBXX"); }, +[](DataSet& d) { d.append(); },
                    +[](DataSet& d) { d.remove(); }}) {
    try {
      edit(origens);
      FAIL();
    } catch (const DataAccessError& error) {
      EXPECT_STREQ(error.what(), "Cannot modify a read-only dataset");
    }
    EXPECT_EQ(origens.state(), DataSet::State::browse);
  }

  DataSet saidas(fake.connection, data_sets::qrySaidas());
  saidas.set_parameter(std::int64_t{1});
  saidas.open();
  try {
    saidas.set_text("COD_SAIDA", "7");
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "Field 'COD_SAIDA' cannot be modified");
  }

  DataSet closed(fake.connection, data_sets::tabVoos2());
  EXPECT_THROW(closed.set_text("ORIGEM", "SBXX"), DataAccessError);
}

TEST_F(DataSetTest, DisconnectClosesTheDataSetsAndOpeningThenFails) {
  DataSet voos(fake.connection, data_sets::tabVoos2());
  voos.open();
  fake.connection.disconnect();
  EXPECT_FALSE(voos.active());
  EXPECT_EQ(voos.text("ORIGEM"), "");
  try {
    voos.open();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "The database is not connected.");
  }
  EXPECT_FALSE(voos.active());
}

TEST(DataSetLifetime, ADataSetOutlivingItsConnectionReadsEmptyAndCannotOpen) {
  auto fake = std::make_unique<testing::FakeConnection>();
  fake->engine->answer("select * from flaps", {"FLAPS", {}, {}});
  DataSet flaps(fake->connection, data_sets::tabFlaps());
  flaps.open();
  fake.reset();
  EXPECT_FALSE(flaps.active());
  EXPECT_EQ(flaps.text(0), "");
  EXPECT_THROW(flaps.open(), DataAccessError);
}

}  // namespace
}  // namespace route
