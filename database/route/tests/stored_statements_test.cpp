// The program's statements as they run, their parameters as the engine receives them, and the
// field lists the grids and lists are built from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/route/data_access_error.h"
#include "database/route/data_set.h"
#include "database/route/data_sets.h"
#include "database/route/tests/route_fixture.h"

namespace route {
namespace {

struct StatementCase {
  const DataSetDefinition& (*definition)();
  const char* text;
  bool read_only;
};

TEST(StoredStatements, RunAsTheirLinesJoinedWithOneBlank) {
  const std::vector<StatementCase> cases = {
      {data_sets::tab_Voos, "SELECT * FROM [VOOS]", false},
      {data_sets::qryORIGEM, "SELECT DISTINCT ORIGEM FROM VOOS ORDER BY ORIGEM;", true},
      {data_sets::qryDESTINO,
       "SELECT DISTINCT VOOS.COD_VOOS, VOOS.ORIGEM, VOOS.SPEED,  VOOS.FL, VOOS.ROTA, VOOS.DEST, "
       "VOOS.DISTANCIA, VOOS.ATIS  FROM VOOS WHERE (((VOOS.ORIGEM)=:)) ORDER BY VOOS.DEST;",
       true},
      {data_sets::qrySaidas, "SELECT * from tab_saidas WHERE (((TAB_saidas.COD_VOO)=:))  ", false},
      {data_sets::tab_procedimentos,
       "SELECT DISTINCT TAB_PROCEDIMENTO.proc_tipo, TAB_PROCEDIMENTO.proc_pista, TAB_PROCEDIMENTO.proc_nome  "
       " "
       "FROM TAB_PROCEDIMENTO WHERE (((TAB_PROCEDIMENTO.PROC_ICAO)=:) AND TAB_PROCEDIMENTO.PROC_FLAG = TRUE) "
       "order by TAB_PROCEDIMENTO.proc_nome;",
       true},
      {data_sets::qryFLAP, "SELECT * from FLAPS  WHERE (((Flaps.Weight)=:));", false},
      {data_sets::tabVoos2, "select * from VOOS order by ORIGEM, DEST", false},
      {data_sets::tabFlaps, "select * from flaps", false},
  };
  for (const StatementCase& c : cases) {
    const DataSetDefinition& definition = c.definition();
    SCOPED_TRACE(definition.name);
    EXPECT_EQ(definition.statement_text(), c.text);
    EXPECT_EQ(definition.read_only, c.read_only);
    EXPECT_EQ(definition.parameterised, definition.statement_text().find("=:") != std::string::npos);
  }
}

struct BindingCase {
  const DataSetDefinition& (*definition)();
  std::vector<sql::ParameterValue> assigned;  // in turn; the last one runs
  const char* bound;                          // what takes the place of the colon of "=:"
};

TEST(StoredStatements, ParameterReachesTheEngineAsItsTypeWritesIt) {
  const std::vector<BindingCase> cases = {
      {data_sets::qryDESTINO, {std::string("SBGR")}, "\"SBGR\""},
      // Declared as text: a number is bound as its text.
      {data_sets::qryDESTINO, {std::int64_t{12}}, "\"12\""},
      // A double quote in the value is doubled, so it cannot end the literal.
      {data_sets::qryDESTINO, {std::string("SB\"X")}, "\"SB\"\"X\""},
      {data_sets::qryDESTINO, {std::string("SB\") OR (1=1")}, "\"SB\"\") OR (1=1\""},
      {data_sets::qrySaidas, {std::int64_t{12}}, "12"},
      // The first value typed it as a whole number; later texts are converted.
      {data_sets::qrySaidas, {std::int64_t{12}, std::string("37")}, "37"},
      {data_sets::qryFLAP, {60.0}, "60"},
      {data_sets::qryFLAP, {60.0, std::int64_t{62}}, "62"},
      {data_sets::qryFLAP, {61.5}, "61.5"},
      {data_sets::tab_procedimentos, {std::string("SBRJ")}, "\"SBRJ\""},
  };
  for (const BindingCase& c : cases) {
    SCOPED_TRACE(c.bound);
    testing::FakeConnection fake;
    DataSet data_set(fake.connection, c.definition());
    for (const sql::ParameterValue& value : c.assigned) data_set.set_parameter(value);
    EXPECT_THROW(data_set.open(), DataAccessError);  // the fake has no answer; it records the text
    ASSERT_EQ(fake.engine->statements.size(), 1u);
    std::string expected = c.definition().statement_text();
    expected.replace(expected.find("=:") + 1, 1, c.bound);
    EXPECT_EQ(fake.engine->statements[0], expected);
    EXPECT_FALSE(data_set.active());
  }
}

TEST(StoredStatements, ParameterRefusesAValueItsTypeCannotHold) {
  testing::FakeConnection fake;
  DataSet saidas(fake.connection, data_sets::qrySaidas());
  saidas.set_parameter(std::int64_t{12});
  try {
    saidas.set_parameter(std::string("12a"));
    FAIL() << "a text that is no whole number was taken";
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "'12a' is not a valid integer value");
  }
  ASSERT_TRUE(saidas.parameter().value());
  EXPECT_EQ(std::get<std::int64_t>(*saidas.parameter().value()), 12);
}

TEST(StoredStatements, OpeningWithoutAParameterValueIsRefused) {
  testing::FakeConnection fake;
  DataSet destino(fake.connection, data_sets::qryDESTINO());
  try {
    destino.open();
    FAIL();
  } catch (const DataAccessError& error) {
    EXPECT_STREQ(error.what(), "Too few parameters. Expected 1.");
  }
  EXPECT_TRUE(fake.engine->statements.empty());
  EXPECT_FALSE(destino.active());
}

struct FieldCase {
  const char* name;
  const char* label;
  std::size_t width;
  Alignment alignment;
  bool visible;
};

void ExpectFields(const DataSetDefinition& definition, const std::vector<FieldCase>& expected) {
  SCOPED_TRACE(definition.name);
  ASSERT_EQ(definition.fields.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const FieldDefinition& field = definition.fields[i];
    SCOPED_TRACE(field.name);
    EXPECT_EQ(field.name, expected[i].name);
    EXPECT_EQ(field.shown_label(), expected[i].label);
    EXPECT_EQ(field.shown_width(), expected[i].width);
    EXPECT_EQ(field.shown_alignment(), expected[i].alignment);
    EXPECT_EQ(field.visible, expected[i].visible);
  }
}

TEST(StoredStatements, FieldListsAsTheGridsShowThem) {
  const auto L = Alignment::left, C = Alignment::centre, R = Alignment::right;
  ExpectFields(data_sets::qryDESTINO(), {{"COD_VOOS", "COD_VOOS", 10, R, false},
                                         {"ORIGEM", "ORIGEM", 12, L, true},
                                         {"SPEED", "SPEED", 4, L, true},
                                         {"FL", "FL", 4, L, true},
                                         {"ROTA", "ROTA", 80, L, true},
                                         {"DEST", "DEST", 4, L, true},
                                         {"DISTANCIA", "DISTANCIA", 10, R, true},
                                         {"ATIS", "ATIS", 50, L, true}});
  ExpectFields(data_sets::qrySaidas(), {{"COD_SAIDA", "COD_SAIDA", 10, R, false},
                                        {"COD_VOO", "COD_VOO", 8, R, false},
                                        {"PISTA", "Pistas", 9, C, true},
                                        {"SID_PREF", "SID Pref.", 12, L, true},
                                        {"TRANS_PREF", "Transi\xE7\xE3o Pref.", 12, L, true},
                                        {"SID_SEC", "SID Sec.", 12, L, true},
                                        {"TRANS_SEC", "Transi\xE7\xE3o Sec.", 12, L, true},
                                        {"STAR_DESTINO", "STAR_DESTINO", 50, L, true},
                                        {"FIXO_ENTRADA", "FIXO_ENTRADA", 50, L, true},
                                        {"TRANSICAO_DESTINO", "TRANSICAO_DESTINO", 50, L, true},
                                        {"PROC_RECOMENDADO", "PROC_RECOMENDADO", 50, L, true}});
  ExpectFields(data_sets::tab_procedimentos(), {{"Proc_Tipo", "Proc_Tipo", 15, L, true},
                                                {"Proc_Nome", "Proc_Nome", 50, L, true},
                                                {"Proc_Pista", "Proc_Pista", 50, L, true}});
  ExpectFields(data_sets::tabVoos2(), {{"COD_VOOS", "COD_VOOS", 10, R, false},
                                       {"ORIGEM", "ORIGEM", 8, C, true},
                                       {"DEST", "DEST", 8, C, true},
                                       {"SPEED", "SPEED", 7, C, true},
                                       {"FL", "FL", 7, C, true},
                                       {"ROTA", "ROTA", 30, L, true},
                                       {"DISTANCIA", "DIST", 10, C, true},
                                       {"ATIS", "ATIS", 10, C, true}});
  ExpectFields(data_sets::tabFlaps(), {{"Weight", "Weight", 12, R, true},
                                       {"Flap", "Flap", 15, C, true},
                                       {"V1", "V1", 7, C, true},
                                       {"VR", "VR", 7, C, true},
                                       {"V2", "V2", 7, C, true}});
  EXPECT_TRUE(data_sets::qryORIGEM().fields.empty());
  EXPECT_TRUE(data_sets::qryFLAP().fields.empty());
  EXPECT_TRUE(data_sets::tab_Voos().fields.empty());
}

}  // namespace
}  // namespace route
