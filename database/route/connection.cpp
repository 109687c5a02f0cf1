#include "database/route/connection.h"

#include <algorithm>

#include "database/route/data_access_error.h"
#include "database/route/data_set.h"

namespace route {

Connection::Connection(EngineOpener opener) : opener_(std::move(opener)) {}

Connection::~Connection() {
  disconnect();
  for (DataSet* data_set : data_sets_) data_set->connection_gone();
}

void Connection::connect() {
  if (engine_) return;
  engine_ = opener_(settings_);
}

void Connection::disconnect() {
  if (!engine_) return;
  for (DataSet* data_set : data_sets_) data_set->close();
  engine_.reset();
}

QueryEngine& Connection::engine() {
  if (!engine_) throw DataAccessError("The database is not connected.");
  return *engine_;
}

void Connection::detach(DataSet* data_set) {
  data_sets_.erase(std::remove(data_sets_.begin(), data_sets_.end(), data_set), data_sets_.end());
}

}  // namespace route
