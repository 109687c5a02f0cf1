#include "database/route/tests/route_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "database/jet/database.h"
#include "database/sql/script_runner.h"

namespace route::testing {

const char kSmallRouteScript[] = R"(
CREATE TABLE VOOS (COD_VOOS COUNTER NOT NULL, ORIGEM TEXT(4), SPEED TEXT(4), FL TEXT(4), ROTA TEXT(80),
  DEST TEXT(4), DISTANCIA LONG, ATIS TEXT(50), OBS TEXT(255), CONSTRAINT PrimaryKey PRIMARY KEY (COD_VOOS));
CREATE TABLE FLAPS (Weight LONG, Flap TEXT(50), V1 LONG, VR LONG, V2 LONG);
CREATE TABLE tab_saidas (COD_SAIDA COUNTER NOT NULL, COD_VOO LONG, PISTA TEXT(50), SID_PREF TEXT(50),
  TRANS_PREF TEXT(50), SID_SEC TEXT(50), TRANS_SEC TEXT(50), FIXO_ENTRADA TEXT(50), STAR_DESTINO TEXT(80),
  TRANSICAO_DESTINO TEXT(50), PROC_RECOMENDADO TEXT(50), CONSTRAINT PrimaryKey PRIMARY KEY (COD_SAIDA));
CREATE TABLE TAB_PROCEDIMENTO (Proc_Cod COUNTER NOT NULL, Proc_ICAO TEXT(50), Proc_Tipo TEXT(50),
  Proc_Nome TEXT(50), Proc_Pista TEXT(50), PROC_FLAG YESNO, CONSTRAINT PrimaryKey PRIMARY KEY (Proc_Cod));

INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA, ATIS, OBS)
  VALUES ('SBSP', '420', '270', 'UM409 SJC UZ36 RSD UW13 DUROG', 'SBRJ', 197, 'ATIS 132.65', 'ponte');
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA, ATIS, OBS)
  VALUES ('SBGR', '450', '370', 'UZ36 VGH UW13 CNF', 'SBSV', 784, 'ATIS 127.95', NULL);
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA, ATIS, OBS)
  VALUES ('SBSP', '440', '330', 'UM540 PCX UM417 RPR', 'SBBR', 471, 'ATIS 127.80', NULL);
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA, ATIS, OBS)
  VALUES ('SBSP', '420', '260', 'UZ10 UBT UW2 ADR UZ6 DUROG', 'SBRJ', 199, 'ATIS 132.65', 'litoral');
INSERT INTO VOOS (ORIGEM, SPEED, FL, ROTA, DEST, DISTANCIA, ATIS, OBS)
  VALUES ('SBBR', '450', '340', 'UW60 PCN UL304 ULD', 'SBSP', 471, 'ATIS 127.65', NULL);

INSERT INTO tab_saidas (COD_VOO, PISTA, SID_PREF, TRANS_PREF, SID_SEC, TRANS_SEC, FIXO_ENTRADA, STAR_DESTINO,
  TRANSICAO_DESTINO, PROC_RECOMENDADO)
  VALUES (1, '17R', 'OPNEM1A', 'SJC', NULL, NULL, 'DUROG',
  'DUROG1A RNAV VIA DUROG ESPRA TOKOT ALTAS DESCENDING FL110 THEN VECTORS ILS15', 'DUROG', 'ILS Z 15');
INSERT INTO tab_saidas (COD_VOO, PISTA, SID_PREF, TRANS_PREF, SID_SEC, TRANS_SEC, FIXO_ENTRADA, STAR_DESTINO,
  TRANSICAO_DESTINO, PROC_RECOMENDADO)
  VALUES (1, '35L', 'BUXE1A', 'SJC', 'OPNEM1B', 'RSD', 'DUROG', 'DUROG1B', 'DUROG', 'ILS Z 15');
INSERT INTO tab_saidas (COD_VOO, PISTA, SID_PREF, TRANS_PREF, SID_SEC, TRANS_SEC, FIXO_ENTRADA, STAR_DESTINO,
  TRANSICAO_DESTINO, PROC_RECOMENDADO)
  VALUES (3, '17R', 'PCX1A', 'PCX', NULL, NULL, 'DORAT', 'DORAT2A', 'DORAT', 'ILS 11L');

INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG)
  VALUES ('SBRJ', 'STAR', 'DUROG1A', '20R', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG)
  VALUES ('SBRJ', 'IAC', 'ILS Z 15', '15', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG)
  VALUES ('SBRJ', 'IAC', 'NDB 15', '15', FALSE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG)
  VALUES ('SBRJ', 'SID', 'BOKAM1', '02R', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG)
  VALUES ('SBRJ', 'IAC', 'ILS Z 15', '15', TRUE);
INSERT INTO TAB_PROCEDIMENTO (Proc_ICAO, Proc_Tipo, Proc_Nome, Proc_Pista, PROC_FLAG)
  VALUES ('SBSP', 'IAC', 'ILS 17R', '17R', TRUE);

INSERT INTO FLAPS (Weight, Flap, V1, VR, V2) VALUES (60, '5', 139, 141, 146);
INSERT INTO FLAPS (Weight, Flap, V1, VR, V2) VALUES (60, '1', 143, 145, 150);
INSERT INTO FLAPS (Weight, Flap, V1, VR, V2) VALUES (62, '5', 142, 144, 149);
INSERT INTO FLAPS (Weight, Flap, V1, VR, V2) VALUES (60, '15', 133, 135, 140);
)";

std::string BuildDatabase(const std::string& name, const std::string& script) {
  // Each test case runs in a process of its own, several at once: one file each.
  const std::string path =
      ::testing::TempDir() + "/route_" + name + "_" + std::to_string(std::random_device{}()) + ".mdb";
  std::filesystem::remove(path);
  jet::Database database = jet::Database::create(path);
  std::ostringstream ignored;
  sql::RunScript(database, script, ignored);
  return path;
}

}  // namespace route::testing
