#pragma once
// The one connection to the route database (the main window's KADaoDatabase1): its settings,
// and the engine it opens. The data sets run their statements through it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database/route/query_engine.h"

namespace route {

class DataSet;

struct ConnectionSettings {
  std::string path;        // the database file; set before connecting
  bool exclusive = false;  // other programs may have the file open too
  bool read_only = false;
  std::string user_name = "Admin";
  std::string password;
  std::string database_password;
  bool login_prompt = false;
  // Jet needs a workgroup information file to know its users; our engine reads the file's
  // own pages and has no users, so the setting is kept and never used.
  std::string system_database = "system.mdb";
  std::string workspace = "DaoWorkspace";
  bool odbc_workspace = false;
  int query_timeout_seconds = 60;
  bool transactions = false;  // each posted row is written at once
};

class Connection {
 public:
  // Opens the engine on a file; DataAccessError when it cannot.
  using EngineOpener = std::function<std::unique_ptr<QueryEngine>(const ConnectionSettings&)>;

  explicit Connection(EngineOpener opener);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  ConnectionSettings& settings() { return settings_; }
  const ConnectionSettings& settings() const { return settings_; }

  bool connected() const { return engine_ != nullptr; }
  // Does nothing when connected already; DataAccessError when the file cannot be opened.
  void connect();
  // Closes every data set on the connection first; does nothing when not connected.
  void disconnect();

  // DataAccessError when not connected.
  QueryEngine& engine();

 private:
  friend class DataSet;
  void attach(DataSet* data_set) { data_sets_.push_back(data_set); }
  void detach(DataSet* data_set);

  EngineOpener opener_;
  ConnectionSettings settings_;
  std::unique_ptr<QueryEngine> engine_;
  std::vector<DataSet*> data_sets_;
};

}  // namespace route
