// Every input the fuzzer ever crashed on stays here and must now give rows or a clear error.
#include <gtest/gtest.h>

#include <filesystem>

#include "database/jet/error.h"
#include "database/jet/tests/fixture_files.h"
#include "database/jet/tests/read_everything.h"

namespace {

TEST(JetCrashInputs, EveryKeptInputIsReadOrRefused) {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(JET_CRASHES)) {
    if (!entry.is_regular_file() || entry.path().filename() == "README.md") continue;
    SCOPED_TRACE(entry.path().string());
    try {
      jet_test::read_everything(jet_test::read_bytes(entry.path().string()));
    } catch (const jet::Error&) {
    }
    ++count;
  }
  RecordProperty("inputs", static_cast<int>(count));
}

}  // namespace
