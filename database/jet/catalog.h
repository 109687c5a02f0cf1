#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "database/jet/page_cache.h"

namespace jet {

// One object of the database as its catalog (the system table MSysObjects) lists it.
struct CatalogEntry {
  static constexpr int16_t table_type = 1;
  static constexpr uint32_t system_flags = 0x80000002;

  int32_t id = 0;
  int32_t parent_id = 0;
  std::u16string name;
  int16_t type = 0;
  uint32_t flags = 0;

  bool table() const { return type == table_type; }
  bool system() const { return (flags & system_flags) != 0; }
  // The table's definition page (for a table).
  uint32_t definition_page() const { return static_cast<uint32_t>(id) & 0x00FFFFFF; }
};

// The catalog's definition is always on this page.
constexpr uint32_t catalog_page = 2;

std::vector<CatalogEntry> read_catalog(PageCache& pages);

}  // namespace jet
