#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/jet/catalog.h"
#include "database/jet/file.h"
#include "database/jet/header.h"
#include "database/jet/page_cache.h"
#include "database/jet/table_definition.h"
#include "database/jet/table_scan.h"

namespace jet {

// A table of an open database: its name, its definition, and scans over its rows.
class Table {
 public:
  Table(PageCache& pages, std::u16string name, TableDefinition definition);

  const std::u16string& name() const { return name_; }
  const TableDefinition& definition() const { return definition_; }
  TableScan scan() const { return TableScan(pages_, definition_); }

 private:
  PageCache& pages_;
  std::u16string name_;
  TableDefinition definition_;
};

// An Access 2000-2003 (Jet 4) database, opened read-only and shared.
class Database {
 public:
  static Database open(const std::string& path);
  explicit Database(std::unique_ptr<File> file, size_t cache_pages = PageCache::default_capacity);

  const std::string& file_name() const { return file_->name(); }
  const DatabaseHeader& header() const { return header_; }
  const std::vector<CatalogEntry>& catalog() const { return catalog_; }
  // Names of the tables in catalog order; the user's own unless `system` is asked for too.
  std::vector<std::u16string> table_names(bool with_system = false) const;
  // The table of that name, matched without regard to case; throws Error when there is none.
  Table table(std::u16string_view name) const;
  Table table(std::string_view windows1252_name) const;

  PageCache& pages() const { return *pages_; }

 private:
  std::unique_ptr<File> file_;
  DatabaseHeader header_;
  std::unique_ptr<PageCache> pages_;
  std::vector<CatalogEntry> catalog_;
};

}  // namespace jet
