// route-bench FILE [ROUTES] [ORIGINS]: writes a route database of ROUTES routes (100,000) among
// ORIGINS origins (2,000), two departures a route, then times what the program does on it:
// connect and open the origins, then the destinations of one origin, the departures of one
// route and the speeds of one weight key, each the best of several runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "database/jet/database.h"
#include "database/jet/text.h"
#include "database/route/data_set.h"
#include "database/route/data_sets.h"
#include "database/route/jet_query_engine.h"
#include "database/sql/binding.h"
#include "database/sql/executor.h"
#include "database/sql/script_runner.h"

namespace {

// No primary keys: the engine keeps only single-page indexes so far.
const char kTables[] = R"(
CREATE TABLE VOOS (COD_VOOS COUNTER NOT NULL, ORIGEM TEXT(4), SPEED TEXT(4), FL TEXT(4), ROTA TEXT(80),
  DEST TEXT(4), DISTANCIA LONG, ATIS TEXT(50), OBS TEXT(255));
CREATE TABLE FLAPS (Weight LONG, Flap TEXT(50), V1 LONG, VR LONG, V2 LONG);
CREATE TABLE tab_saidas (COD_SAIDA COUNTER NOT NULL, COD_VOO LONG, PISTA TEXT(50), SID_PREF TEXT(50),
  TRANS_PREF TEXT(50), SID_SEC TEXT(50), TRANS_SEC TEXT(50), FIXO_ENTRADA TEXT(50), STAR_DESTINO TEXT(80),
  TRANSICAO_DESTINO TEXT(50), PROC_RECOMENDADO TEXT(50));
CREATE TABLE TAB_PROCEDIMENTO (Proc_Cod COUNTER NOT NULL, Proc_ICAO TEXT(50), Proc_Tipo TEXT(50),
  Proc_Nome TEXT(50), Proc_Pista TEXT(50), PROC_FLAG YESNO);
)";

std::u16string Airport(long n) {
  std::string code = "S";
  code += static_cast<char>('A' + n / 676 % 26);
  code += static_cast<char>('A' + n / 26 % 26);
  code += static_cast<char>('A' + n % 26);
  return jet::from_windows1252(code);
}

std::u16string Text(const std::string& text) { return jet::from_windows1252(text); }

void Fill(const std::string& path, long routes, long origins) {
  std::filesystem::remove(path);
  jet::Database database = jet::Database::create(path);
  std::ostringstream ignored;
  sql::RunScript(database, kTables, ignored);
  auto in_batches = [&](const char* table_name, long count, const std::function<std::vector<std::optional<jet::Value>>(long)>& row) {
    jet::Table table = database.table(std::string(table_name));
    for (long done = 0; done < count;) {
      jet::Change change = database.begin_change();
      for (int k = 0; k < 1000 && done < count; ++k, ++done) table.insert(change, row(done));
      change.commit();
    }
  };
  in_batches("VOOS", routes, [&](long n) -> std::vector<std::optional<jet::Value>> {
    const long origin = n % origins;
    const long destination = (origin + 1 + n / origins * 37) % origins;
    return {std::nullopt, Airport(origin), Text(std::to_string(400 + n % 60)), Text(std::to_string(250 + n % 15 * 10)),
            Text("UZ" + std::to_string(n % 90) + " FIX" + std::to_string(n % 977) + " UW" + std::to_string(n % 40)),
            Airport(destination), jet::Value(int64_t{150 + n % 1300}), Text("ATIS 127." + std::to_string(n % 99)),
            std::nullopt};
  });
  in_batches("tab_saidas", routes * 2, [&](long n) -> std::vector<std::optional<jet::Value>> {
    return {std::nullopt, jet::Value(int64_t{n / 2 + 1}), Text(n % 2 ? "17R" : "35L"), Text("SID" + std::to_string(n % 9)),
            Text("TRN" + std::to_string(n % 7)), std::nullopt, std::nullopt, Text("FIX" + std::to_string(n % 977)),
            Text("STAR" + std::to_string(n % 5) + "A RNAV"), Text("FIX" + std::to_string(n % 977)), Text("ILS 17R")};
  });
  in_batches("FLAPS", 21 * 5, [&](long n) -> std::vector<std::optional<jet::Value>> {
    static const char* flaps[] = {"1", "5", "10", "15", "25"};
    const int64_t weight = 40 + n / 5 * 2;
    const int64_t v1 = 110 + weight - (n % 5) * 3;
    return {jet::Value(weight), Text(flaps[n % 5]), jet::Value(v1), jet::Value(v1 + 3), jet::Value(v1 + 8)};
  });
  in_batches("TAB_PROCEDIMENTO", origins * 4, [&](long n) -> std::vector<std::optional<jet::Value>> {
    return {std::nullopt, Airport(n / 4), Text(n % 4 == 0 ? "SID" : n % 4 == 1 ? "STAR" : "IAC"),
            Text("PROC" + std::to_string(n % 4)), Text("17R"), jet::Value(n % 4 != 3)};
  });
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Best(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) best = std::min(best, Milliseconds(work));
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: route-bench FILE [ROUTES] [ORIGINS]\n");
    return 2;
  }
  const std::string path = argv[1];
  const long routes = argc > 2 ? std::stol(argv[2]) : 100000;
  const long origins = argc > 3 ? std::stol(argv[3]) : 2000;
  try {
    const double writing = Milliseconds([&] { Fill(path, routes, origins); });
    std::printf("wrote %ld routes among %ld origins, %ld departures in %.0f ms: %.1f MB\n", routes, origins,
                routes * 2, writing, static_cast<double>(std::filesystem::file_size(path)) / 1e6);

    constexpr int kRuns = 5;
    std::size_t rows = 0;
    const double first = Best(kRuns, [&] {
      route::Connection connection(route::OpenJetQueryEngine);
      connection.settings().path = path;
      connection.connect();
      route::DataSet origens(connection, route::data_sets::qryORIGEM());
      origens.open();
      rows = origens.row_count();
    });
    std::printf("connect + qryORIGEM:          %8.2f ms  (%zu origins; goal 100 ms)\n", first, rows);

    route::Connection connection(route::OpenJetQueryEngine);
    connection.settings().path = path;
    connection.connect();
    const double whole = Best(kRuns, [&] {
      route::DataSet voos(connection, route::data_sets::tab_Voos());
      voos.open();
      rows = voos.row_count();
    });
    std::printf("tab_Voos (whole table):       %8.2f ms  (%zu routes)\n", whole, rows);

    route::DataSet destino(connection, route::data_sets::qryDESTINO());
    const double destinations = Best(kRuns, [&] {
      destino.close();
      destino.set_parameter(jet::to_windows1252(Airport(origins / 2)));
      destino.open();
    });
    std::printf("qryDESTINO for one origin:    %8.2f ms  (%zu routes; goal 10 ms)\n", destinations, destino.row_count());

    route::DataSet saidas(connection, route::data_sets::qrySaidas());
    const double departures = Best(kRuns, [&] {
      saidas.close();
      saidas.set_parameter(destino.whole_number("COD_VOOS"));
      saidas.open();
    });
    std::printf("qrySaidas for one route:      %8.2f ms  (%zu departures; goal 10 ms)\n", departures, saidas.row_count());

    route::DataSet flap(connection, route::data_sets::qryFLAP());
    const double speeds = Best(kRuns, [&] {
      flap.close();
      flap.set_parameter(62.0);
      flap.open();
    });
    std::printf("qryFLAP for one weight key:   %8.2f ms  (%zu flap settings; goal 10 ms)\n", speeds, flap.row_count());

    // The same statements on the executor alone, on a database kept open: the engine's share.
    jet::Database database = jet::Database::open(path);
    const auto engine_only = [&](const char* name, const route::DataSetDefinition& definition,
                                 const sql::ParameterValue& value) {
      const std::string text = sql::BindParameter(definition.statement_text(), value);
      const double ms = Best(kRuns, [&] { sql::Executor(database).Query(text); });
      std::printf("  executor alone, %-12s %8.2f ms\n", name, ms);
    };
    engine_only("qryDESTINO:", route::data_sets::qryDESTINO(), jet::to_windows1252(Airport(origins / 2)));
    engine_only("qrySaidas:", route::data_sets::qrySaidas(), std::int64_t{1});
    const double origins_only = Best(kRuns, [&] {
      sql::Executor(database).Query(route::data_sets::qryORIGEM().statement_text());
    });
    std::printf("  executor alone, %-12s %8.2f ms\n", "qryORIGEM:", origins_only);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "route-bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
