#include "database/jet/change.h"

#include "database/jet/database.h"
#include "database/jet/error.h"

namespace jet {

Change::Change(Database& database) : database_(&database) {}

Change::Change(Change&& other) noexcept : database_(other.database_), committed_(other.committed_) {
  other.database_ = nullptr;
}

Change::~Change() { finish(); }

void Change::finish() {
  if (database_ == nullptr) return;
  database_->change_open_ = false;
  database_ = nullptr;
}

void Change::commit() { throw Error("", std::nullopt, "not yet"); }

}  // namespace jet
