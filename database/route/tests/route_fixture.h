#pragma once
// A connection on the in-memory engine, with the route tables as the program's file has them.
#include <memory>
#include <string>

#include "database/jet/text.h"
#include "database/route/connection.h"
#include "database/route/tests/fake_query_engine.h"

namespace route::testing {

inline jet::Value T(const char* windows1252) { return jet::from_windows1252(windows1252); }
inline jet::Value N(std::int64_t number) { return number; }
inline jet::Value Null() { return jet::Null{}; }

inline ResultColumn TextColumn(const char* name, std::size_t size) {
  return {name, jet::ColumnType::text, size, false, 0};
}
inline ResultColumn LongColumn(const char* name) {
  return {name, jet::ColumnType::long_integer, 0, false, 0};
}
inline ResultColumn CounterColumn(const char* name) {
  return {name, jet::ColumnType::long_integer, 0, true, 0};
}

// The engine lives as long as the connection is connected; the fixture keeps a pointer to it.
struct FakeConnection {
  FakeConnection()
      : connection([this](const ConnectionSettings&) {
          auto made = std::make_unique<FakeQueryEngine>();
          engine = made.get();
          fill(*made);
          return made;
        }) {
    connection.connect();
  }

  static void fill(FakeQueryEngine& e) {
    e.add_table("VOOS", {CounterColumn("COD_VOOS"), TextColumn("ORIGEM", 4), TextColumn("SPEED", 4),
                         TextColumn("FL", 4), TextColumn("ROTA", 80), TextColumn("DEST", 4),
                         LongColumn("DISTANCIA"), TextColumn("ATIS", 50), TextColumn("OBS", 255)});
    e.add_table("tab_saidas",
                {CounterColumn("COD_SAIDA"), LongColumn("COD_VOO"), TextColumn("PISTA", 50),
                 TextColumn("SID_PREF", 50), TextColumn("TRANS_PREF", 50), TextColumn("SID_SEC", 50),
                 TextColumn("TRANS_SEC", 50), TextColumn("FIXO_ENTRADA", 50), TextColumn("STAR_DESTINO", 80),
                 TextColumn("TRANSICAO_DESTINO", 50), TextColumn("PROC_RECOMENDADO", 50)});
    e.add_table("FLAPS", {LongColumn("Weight"), TextColumn("Flap", 50), LongColumn("V1"), LongColumn("VR"),
                          LongColumn("V2")});
  }

  FakeQueryEngine* engine = nullptr;
  Connection connection;
};

}  // namespace route::testing
