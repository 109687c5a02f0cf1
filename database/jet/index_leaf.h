#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "database/jet/page_cache.h"
#include "database/jet/row_pointer.h"
#include "database/jet/table_definition.h"
#include "database/jet/value.h"

namespace jet {

// The sort key of one row in a stored index: for each column a flag (0x7F, or 0x00 for NULL;
// inverted for a descending column) and the value's bytes in an order that sorts as the
// values do. Empty when a column's type or a text's characters cannot be keyed here.
std::optional<std::vector<uint8_t>> index_key(const TableDefinition& table, const RealIndex& index,
                                              const std::vector<Value>& values);
// Whether the index's columns are of types this engine keys (whole numbers; texts too when
// `with_text`, as far as the characters' sort weights are known).
bool keyable(const TableDefinition& table, const RealIndex& index, bool with_text);

// An index held on a single leaf page: its entries (key, then the row's page in three bytes
// and its row number) in order.
class IndexLeaf {
 public:
  static constexpr size_t entries_begin = 0x1E0;
  static constexpr size_t mask_begin = 0x1B;

  IndexLeaf(PageCache& pages, uint32_t number);
  // True when the index is on one leaf page, the only form kept here.
  static bool single_leaf(PageCache& pages, uint32_t number);

  static std::vector<uint8_t> entry(const std::vector<uint8_t>& key, RowPointer row);
  // Room for one more entry of this key, the entries sharing their common first bytes.
  bool fits(const std::vector<uint8_t>& key) const;
  bool holds_key(const std::vector<uint8_t>& key, std::optional<RowPointer> except) const;
  void insert(std::vector<uint8_t> entry);
  // Removes the entries that point to `row`.
  void remove(RowPointer row);
  const std::vector<std::vector<uint8_t>>& entries() const { return entries_; }
  void save();

 private:
  // The bytes every entry starts with (and `key`, when given, as far as it goes).
  size_t shared_prefix(const std::vector<uint8_t>* key) const;

  PageCache& pages_;
  uint32_t number_;
  std::vector<uint8_t> header_;
  std::vector<std::vector<uint8_t>> entries_;
};

}  // namespace jet
