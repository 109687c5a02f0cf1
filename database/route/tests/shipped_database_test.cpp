// The Trimwise.mdb the build places beside the programs: it opens, and every statement of the
// program finds rows in it.
#include <gtest/gtest.h>

#include <string>

#include "database/route/data_set.h"
#include "database/route/data_sets.h"
#include "database/route/jet_query_engine.h"

namespace route {
namespace {

TEST(ShippedDatabase, OpensAndEveryStatementReturnsRows) {
  Connection KADaoDatabase1(OpenJetQueryEngine);
  KADaoDatabase1.settings().path = "Trimwise.mdb";  // the test runs in the programs' folder
  KADaoDatabase1.connect();

  DataSet tab_Voos(KADaoDatabase1, data_sets::tab_Voos());
  DataSet qryORIGEM(KADaoDatabase1, data_sets::qryORIGEM());
  tab_Voos.open();
  qryORIGEM.open();
  EXPECT_EQ(tab_Voos.row_count(), 80u);
  EXPECT_GE(qryORIGEM.row_count(), 20u);

  DataSet qryDESTINO(KADaoDatabase1, data_sets::qryDESTINO());
  qryDESTINO.set_parameter(std::string("SBSP"));
  qryDESTINO.open();
  ASSERT_GT(qryDESTINO.row_count(), 1u);
  // The two routes of the "ponte" share origin and destination.
  EXPECT_EQ(qryDESTINO.text("DEST"), "SBBR");
  ASSERT_TRUE(qryDESTINO.locate("COD_VOOS", "1"));
  EXPECT_EQ(qryDESTINO.text(5), "SBRJ");
  EXPECT_EQ(qryDESTINO.whole_number(3) * 100, 27000);

  DataSet qrySaidas(KADaoDatabase1, data_sets::qrySaidas());
  qrySaidas.set_parameter(qryDESTINO.whole_number(0));
  qrySaidas.open();
  EXPECT_FALSE(qrySaidas.empty());

  DataSet tab_procedimentos(KADaoDatabase1, data_sets::tab_procedimentos());
  tab_procedimentos.set_parameter(qryDESTINO.text(5));
  tab_procedimentos.open();
  EXPECT_FALSE(tab_procedimentos.empty());

  DataSet qryFLAP(KADaoDatabase1, data_sets::qryFLAP());
  qryFLAP.set_parameter(60.0);
  qryFLAP.open();
  EXPECT_EQ(qryFLAP.row_count(), 5u);
  EXPECT_LE(qryFLAP.whole_number(2), qryFLAP.whole_number(3));
  EXPECT_LE(qryFLAP.whole_number(3), qryFLAP.whole_number(4));

  DataSet tabVoos2(KADaoDatabase1, data_sets::tabVoos2());
  DataSet tabFlaps(KADaoDatabase1, data_sets::tabFlaps());
  tabVoos2.open();
  tabFlaps.open();
  EXPECT_EQ(tabVoos2.row_count(), 80u);
  EXPECT_EQ(tabFlaps.row_count(), 21u * 5u);

  // A STAR longer than the departures grid holds (route 4).
  qrySaidas.close();
  qrySaidas.set_parameter(std::int64_t{4});
  qrySaidas.open();
  bool cut = false;
  for (std::size_t row = 0; row < qrySaidas.row_count(); ++row) {
    qrySaidas.move_to(row);
    cut = cut || qrySaidas.text("STAR_DESTINO").size() == 50;
  }
  EXPECT_TRUE(cut);
}

}  // namespace
}  // namespace route
