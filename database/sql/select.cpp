#include "database/sql/select.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <unordered_set>

#include "database/jet/text.h"
#include "database/sql/condition.h"
#include "database/sql/sql_error.h"
#include "database/sql/table_scope.h"
#include "database/sql/value_order.h"

namespace sql {
namespace {

struct SortKey {
  std::size_t field;  // in the row as kept: chosen columns, then any others ORDER BY needs
  bool descending;
};

// <0, 0, >0 over the fields named, in turn.
int CompareRows(const std::vector<jet::Value>& a, const std::vector<jet::Value>& b,
                const std::vector<SortKey>& keys) {
  for (const SortKey& key : keys) {
    const int order = SortOrder(a[key.field], b[key.field]);
    if (order != 0) return key.descending ? -order : order;
  }
  return 0;
}

}  // namespace

ResultSet RunSelect(const jet::Database& database, const Statement& statement, const Select& select) {
  TableScope scope(statement, database, select.table);
  const auto& columns = scope.definition().columns;

  ResultSet result;
  result.table = scope.table().name();
  if (select.all_columns) {
    result.source_columns.resize(columns.size());
    std::iota(result.source_columns.begin(), result.source_columns.end(), std::size_t{0});
  } else {
    for (const ColumnRef& ref : select.columns) result.source_columns.push_back(scope.Resolve(ref));
  }
  for (std::size_t column : result.source_columns) result.columns.push_back(columns[column].name);

  // Fields kept for each row: the chosen columns, then the ORDER BY columns not among them.
  std::vector<std::size_t> kept = result.source_columns;
  std::vector<SortKey> order;
  for (const OrderKey& key : select.order_by) {
    const std::size_t column = scope.Resolve(key.column);
    auto at = std::find(kept.begin(), kept.end(), column);
    if (at == kept.end()) {
      if (select.distinct) {
        throw ErrorAt(statement, key.column.range.begin,
                      "ORDER BY column '" + key.column.column.text + "' must be among the columns of a SELECT DISTINCT");
      }
      at = kept.insert(kept.end(), column);
    }
    order.push_back({static_cast<std::size_t>(at - kept.begin()), key.descending});
  }

  std::optional<BoundExpr> where;
  if (select.where) where = BoundExpr::Condition(*select.where, scope);

  std::vector<std::vector<jet::Value>> rows;
  std::vector<jet::RowPointer> ids;
  std::unordered_set<std::u16string> seen;  // DISTINCT: the rows taken so far, by their key
  std::u16string key;
  jet::TableScan scan = scope.table().scan();
  std::vector<jet::Value> row;
  while (scan.next(row)) {
    if (where && where->Test(row) != Truth::True) continue;
    if (select.distinct) {
      key.clear();
      for (std::size_t column : result.source_columns) AppendEqualityKey(row[column], key);
      if (!seen.insert(key).second) continue;  // the first of equal rows stands for them
    }
    std::vector<jet::Value> fields;
    fields.reserve(kept.size());
    for (std::size_t column : kept) fields.push_back(row[column]);
    rows.push_back(std::move(fields));
    ids.push_back(scan.position());
  }

  std::vector<std::size_t> sequence(rows.size());
  std::iota(sequence.begin(), sequence.end(), std::size_t{0});
  if (select.distinct) {
    std::vector<SortKey> all;
    for (std::size_t i = 0; i < result.columns.size(); ++i) all.push_back({i, false});
    std::stable_sort(sequence.begin(), sequence.end(),
                     [&](std::size_t a, std::size_t b) { return CompareRows(rows[a], rows[b], all) < 0; });
  }
  if (!order.empty()) {
    std::stable_sort(sequence.begin(), sequence.end(),
                     [&](std::size_t a, std::size_t b) { return CompareRows(rows[a], rows[b], order) < 0; });
  }

  result.rows.reserve(sequence.size());
  for (std::size_t i : sequence) {
    rows[i].resize(result.columns.size());
    result.rows.push_back(std::move(rows[i]));
    if (!select.distinct) result.row_ids.push_back(ids[i]);
  }
  return result;
}

}  // namespace sql
