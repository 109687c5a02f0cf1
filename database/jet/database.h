#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/jet/catalog.h"
#include "database/jet/change.h"
#include "database/jet/file.h"
#include "database/jet/header.h"
#include "database/jet/new_table.h"
#include "database/jet/page_cache.h"
#include "database/jet/page_writer.h"
#include "database/jet/table_definition.h"
#include "database/jet/table_scan.h"
#include "database/jet/value.h"

namespace jet {

enum class OpenMode { ReadOnly, ReadWrite };

// The time now as Jet keeps dates: days since 1899-12-30 (SOURCE_DATE_EPOCH, when set, stands for now).
double now_as_days();

// A table of an open database: its name, its definition, scans over its rows and changes to
// them. A value that does not fit its column, NULL in a NOT NULL column, a duplicate in a unique
// index, or a write to a table with an index the engine cannot keep true (any index but one on
// whole-number columns held on a single page) is refused with an Error naming the column (or
// the table and the index), and nothing is staged.
class Table {
 public:
  Table(PageCache& pages, std::u16string name, TableDefinition definition);

  const std::u16string& name() const { return name_; }
  // As read when the table was opened, refreshed by this object's own writes.
  const TableDefinition& definition() const { return definition_; }
  TableScan scan() const { return TableScan(pages_, definition_); }

  // Values in column order (the definition's); std::nullopt in an AutoNumber column takes the
  // next number, elsewhere it is NULL. Returns where the new row lives.
  RowPointer insert(Change& change, std::vector<std::optional<Value>> values);
  // Replaces the whole row (all columns, in column order); AutoNumber values are kept as given.
  // Returns where the row now lives: its old place, which may point on to the moved data.
  RowPointer update(Change& change, RowPointer row, const std::vector<Value>& values);
  void remove(Change& change, RowPointer row);

 private:
  PageCache& pages_;
  std::u16string name_;
  TableDefinition definition_;
};

// An Access 2000-2003 (Jet 4) database, opened shared.
class Database {
 public:
  static Database open(const std::string& path, OpenMode mode = OpenMode::ReadOnly);
  // A new, empty Jet 4 database with the system tables Jet creates; fails if the file exists.
  static Database create(const std::string& path);
  explicit Database(std::unique_ptr<File> file, size_t cache_pages = PageCache::default_capacity);
  Database(Database&&) noexcept;
  ~Database();

  const std::string& file_name() const { return file_->name(); }
  const DatabaseHeader& header() const { return header_; }
  const std::vector<CatalogEntry>& catalog() const { return catalog_; }
  // Names of the tables in catalog order; the user's own unless `system` is asked for too.
  std::vector<std::u16string> table_names(bool with_system = false) const;
  // The table of that name, matched without regard to case; throws Error when there is none.
  Table table(std::u16string_view name) const;
  Table table(std::string_view windows1252_name) const;

  PageCache& pages() const { return *pages_; }

  // Throws Error when the database was opened read-only or a change is already open. A change
  // must end (committed or dropped) before its database is moved or destroyed.
  Change begin_change();
  // Creates an empty table (see table_creator.h); refusals name the table or the column.
  void create_table(Change& change, const NewTable& table);
  // Sees each page write of a commit before it happens (tests stop a commit part-way).
  void set_write_hook(PageWriter::Hook hook) { write_hook_ = std::move(hook); }

 private:
  friend class Change;
  // Reads the catalog again after a change was committed or dropped.
  void reload();

  std::unique_ptr<File> file_;
  DatabaseHeader header_;
  std::unique_ptr<PageCache> pages_;
  std::vector<CatalogEntry> catalog_;
  bool change_open_ = false;
  PageWriter::Hook write_hook_;
};

}  // namespace jet
