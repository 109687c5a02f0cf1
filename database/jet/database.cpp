#include "database/jet/database.h"

#include <chrono>
#include <cstdlib>
#include <string>

#include "database/jet/empty_database.h"
#include "database/jet/error.h"
#include "database/jet/table_creator.h"
#include "database/jet/table_writer.h"
#include "database/jet/text.h"

namespace jet {

double now_as_days() {
  // SOURCE_DATE_EPOCH (the reproducible-builds convention) fixes the clock, so the
  // same script always makes the same file.
  long long seconds = std::chrono::duration_cast<std::chrono::seconds>(
                          std::chrono::system_clock::now().time_since_epoch()).count();
  if (const char* fixed = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long value = std::strtoll(fixed, &end, 10);
    if (end != fixed && *end == '\0' && value >= 0) seconds = value;
  }
  // 25569 days from 1899-12-30 to 1970-01-01; Jet keeps local time, UTC is near enough here.
  return 25569.0 + static_cast<double>(seconds) / 86400.0;
}

Table::Table(PageCache& pages, std::u16string name, TableDefinition definition)
    : pages_(pages), name_(std::move(name)), definition_(std::move(definition)) {}

Database Database::open(const std::string& path, OpenMode mode) {
  return Database(mode == OpenMode::ReadWrite ? open_file_for_writing(path) : open_file_for_reading(path));
}

Database Database::create(const std::string& path) {
  std::vector<uint8_t> bytes = empty_database();
  set_creation_date(bytes, now_as_days());
  auto file = create_file(path);
  file->write(0, bytes);
  file->flush();
  return Database(std::move(file));
}

Database::Database(Database&&) noexcept = default;
Database::~Database() = default;

void Database::reload() { catalog_ = read_catalog(*pages_); }

Change Database::begin_change() {
  if (!file_->writable()) throw Error(file_->name(), std::nullopt, "the database is open for reading only");
  if (change_open_) throw Error(file_->name(), std::nullopt, "a change is already open");
  change_open_ = true;
  return Change(*this);
}

void Database::create_table(Change& change, const NewTable& table) {
  if (&change.database() != this) throw Error(file_->name(), std::nullopt, "the change is open on another database");
  jet::create_table(*pages_, catalog_, table);
  reload();
}

namespace {

TableWriter writer_for(Change& change, PageCache& pages, const std::u16string& name, uint32_t page) {
  if (&change.database().pages() != &pages)
    throw Error(pages.file_name(), std::nullopt, "the change is open on another database");
  return TableWriter(pages, name, page);
}

}  // namespace

RowPointer Table::insert(Change& change, std::vector<std::optional<Value>> values) {
  const RowPointer where = writer_for(change, pages_, name_, definition_.page).insert(std::move(values));
  definition_ = read_table_definition(pages_, definition_.page);
  return where;
}

RowPointer Table::update(Change& change, RowPointer row, const std::vector<Value>& values) {
  const RowPointer where = writer_for(change, pages_, name_, definition_.page).update(row, values);
  definition_ = read_table_definition(pages_, definition_.page);
  return where;
}

void Table::remove(Change& change, RowPointer row) {
  writer_for(change, pages_, name_, definition_.page).remove(row);
  definition_ = read_table_definition(pages_, definition_.page);
}

Database::Database(std::unique_ptr<File> file, size_t cache_pages)
    : file_(std::move(file)),
      header_(read_header(*file_)),
      pages_(std::make_unique<PageCache>(*file_, DatabaseHeader::page_size, cache_pages)),
      catalog_(read_catalog(*pages_)) {}

std::vector<std::u16string> Database::table_names(bool with_system) const {
  std::vector<std::u16string> names;
  for (const CatalogEntry& e : catalog_)
    if (e.table() && (with_system || !e.system())) names.push_back(e.name);
  return names;
}

Table Database::table(std::u16string_view name) const {
  for (const CatalogEntry& e : catalog_)
    if (e.table() && same_name(e.name, name))
      return Table(*pages_, e.name, read_table_definition(*pages_, e.definition_page()));
  throw Error(file_->name(), std::nullopt, "the database has no table " + to_windows1252(name));
}

Table Database::table(std::string_view windows1252_name) const {
  return table(from_windows1252(windows1252_name));
}

}  // namespace jet
