#include "database/jet/change.h"

#include "database/jet/database.h"
#include "database/jet/error.h"

namespace jet {

Change::Change(Database& database) : database_(&database) {}

Change::Change(Change&& other) noexcept : database_(other.database_), committed_(other.committed_) {
  other.database_ = nullptr;
}

Change::~Change() {
  if (database_ == nullptr) return;
  database_->pages().drop_staged();
  try {
    database_->reload();
  } catch (...) {
    // The file is as it was when it was last read; its catalog read then.
  }
  finish();
}

Database& Change::database() const {
  if (database_ == nullptr) throw Error("", std::nullopt, "the change is no longer open");
  return *database_;
}

void Change::finish() {
  database_->change_open_ = false;
  database_ = nullptr;
}

void Change::commit() {
  Database& db = database();
  PageCache& pages = db.pages();
  PageWriter writer(*db.file_);
  writer.set_hook(db.write_hook_);
  try {
    writer.write(pages.staged(), pages.file_page_count());
  } catch (...) {
    pages.drop_staged();
    try {
      db.reload();
    } catch (...) {
    }
    finish();
    throw;
  }
  pages.keep_staged();
  committed_ = true;
  finish();
  db.reload();
}

}  // namespace jet
