#include "database/jet/tests/index_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "database/jet/index_leaf.h"
#include "database/jet/text.h"

namespace jet_test {

size_t check_kept_indexes(const jet::Database& db) {
  size_t checked = 0;
  for (const auto& name : db.table_names(true)) {
    const jet::Table table = db.table(name);
    const auto& t = table.definition();
    const bool system = t.table_type == jet::TableDefinition::system_table;
    for (const jet::RealIndex& index : t.real_indexes) {
      if (!jet::keyable(t, index, system) || !jet::IndexLeaf::single_leaf(db.pages(), index.first_page)) continue;
      std::vector<std::vector<uint8_t>> expected;
      jet::TableScan scan = table.scan();
      std::vector<jet::Value> row;
      while (scan.next(row)) {
        const auto key = jet::index_key(t, index, row);
        EXPECT_TRUE(key.has_value()) << jet::to_utf8(name);
        if (key) expected.push_back(jet::IndexLeaf::entry(*key, scan.position()));
      }
      std::sort(expected.begin(), expected.end());
      const jet::IndexLeaf leaf(db.pages(), index.first_page);
      EXPECT_EQ(leaf.entries(), expected) << "an index of table " << jet::to_utf8(name);
      ++checked;
    }
  }
  return checked;
}

}  // namespace jet_test
