// jet-write-bench FILE [ROWS]: makes FILE anew with one table, inserts ROWS rows (commits of
// 1000 rows), reads them back, and prints rows per second and the file's bytes per row
// against the raw size of the values.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "database/jet/database.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: jet-write-bench FILE [ROWS]\n");
    return 2;
  }
  const std::string path = argv[1];
  const long rows = argc == 3 ? std::stol(argv[2]) : 100000;
  try {
    std::filesystem::remove(path);
    auto db = jet::Database::create(path);
    {
      auto change = db.begin_change();
      using T = jet::ColumnType;
      db.create_table(change, jet::NewTable{u"Departures",
                                            {{u"Id", T::long_integer, 0, true, true},
                                             {u"Route", T::text, 40, true},
                                             {u"Weight", T::double_},
                                             {u"Planned", T::date_time},
                                             {u"Seats", T::integer},
                                             {u"Done", T::yes_no},
                                             {u"Remark", T::text, 100}},
                                            u"",
                                            {}});
      change.commit();
    }
    jet::Table table = db.table(std::string("Departures"));
    uint64_t raw = 0;
    const auto start = std::chrono::steady_clock::now();
    for (long done = 0; done < rows;) {
      auto change = db.begin_change();
      for (int k = 0; k < 1000 && done < rows; ++k, ++done) {
        std::u16string route = u"LPPT-EGLL " + std::u16string(1, static_cast<char16_t>(u'A' + done % 26));
        std::u16string remark = done % 3 == 0 ? u"" : u"Remark number " + std::u16string(static_cast<size_t>(done % 17), u'x');
        raw += 4 + route.size() + 8 + 8 + 2 + 1 + remark.size();
        table.insert(change, {std::nullopt, jet::Value(route), jet::Value(62000.5 + static_cast<double>(done % 1000)),
                              jet::Value(jet::DateTime{46000.0 + static_cast<double>(done) / 96.0}),
                              jet::Value(int64_t{done % 300}), jet::Value(done % 2 == 0),
                              remark.empty() ? std::optional<jet::Value>() : jet::Value(remark)});
      }
      change.commit();
    }
    const double inserting = seconds_since(start);

    const auto reopened = jet::Database::open(path);
    const auto read_start = std::chrono::steady_clock::now();
    long read = 0;
    jet::TableScan scan = reopened.table(std::string("Departures")).scan();
    std::vector<jet::Value> row;
    while (scan.next(row)) ++read;
    const double reading = seconds_since(read_start);
    if (read != rows) {
      std::fprintf(stderr, "jet-write-bench: %ld rows read back of %ld\n", read, rows);
      return 1;
    }
    const auto size = std::filesystem::file_size(path);
    std::printf("inserted %ld rows in %.2f s: %.0f rows/s\n", rows, inserting, rows / inserting);
    std::printf("read them back in %.3f s: %.0f rows/s\n", reading, rows / reading);
    std::printf("file %llu bytes: %.1f bytes a row, raw data %.1f bytes a row (%.2f times)\n",
                static_cast<unsigned long long>(size), static_cast<double>(size) / rows,
                static_cast<double>(raw) / rows, static_cast<double>(size) / static_cast<double>(raw));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "jet-write-bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
