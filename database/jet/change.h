#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace jet {

class Database;
class PageCache;

// One atomic change of the file: every page a statement writes is staged here and reaches
// the file only on commit(). Destroying a change without commit() leaves the file byte for
// byte as it was. A database has at most one change open at a time.
class Change {
 public:
  Change(Change&& other) noexcept;
  Change& operator=(Change&&) = delete;
  Change(const Change&) = delete;
  ~Change();

  // Writes the staged pages to the file (new pages first, then the pages that point to them)
  // and makes them what later reads see. A change is committed at most once.
  void commit();
  bool committed() const { return committed_; }

  // The database the change is open on; throws Error once it is committed.
  Database& database() const;

 private:
  friend class Database;
  explicit Change(Database& database);
  void finish();

  Database* database_;
  bool committed_ = false;
};

}  // namespace jet
