// A thin layer over SQLite: a connection and prepared statements whose
// failures are values with SQLite's own text. Values are bound as
// parameters, never written into the SQL text.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/result.hpp"

struct sqlite3;
struct sqlite3_stmt;

namespace patchlore::sql {

class Statement {
 public:
  Statement(sqlite3* db, sqlite3_stmt* statement) : db_(db), statement_(statement) {}
  Statement(Statement&&) noexcept;
  Statement& operator=(Statement&&) = delete;
  ~Statement();

  // Parameters count from 1.
  Statement& bind(int index, std::int64_t value);
  Statement& bind(int index, std::string_view text);
  // Text SQLite reads in place, without a copy: it must stay until the
  // statement is stepped to its end or reset.
  Statement& bindStored(int index, std::string_view text);
  // Steps once: true while a row is there, false when done; a failure as its text.
  Result<bool> step();
  // Steps to the end, for statements that return no rows.
  Status run();
  // Ready to run again with new parameters.
  void reset();

  std::int64_t integer(int column) const;
  std::string text(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_;
};

class Connection {
 public:
  // Opens (creating when allowed) the database file, waiting up to
  // `busy` for a lock another process holds.
  static Result<Connection> Open(const std::string& path, bool create,
                                 std::chrono::milliseconds busy = std::chrono::seconds(2));
  Connection(Connection&&) noexcept = default;
  Connection& operator=(Connection&&) noexcept = default;

  Result<Statement> prepare(std::string_view sql) const;
  // A statement prepared once and kept for the connection's life, reset
  // each time it is given out: for statements run again and again.
  Result<Statement*> cached(const std::string& sql) const;
  // Runs statements that take no parameters.
  Status execute(const std::string& sql) const;
  // The same, trying again for up to `wait` while another process holds a
  // lock they need: SQLite does not wait by itself for every lock (turning
  // a new database to WAL is one it does not).
  Status executeWaiting(const std::string& sql, std::chrono::milliseconds wait) const;
  std::int64_t lastInsertId() const;
  // A transaction is open on this connection.
  bool inTransaction() const;

 private:
  struct Close {
    void operator()(sqlite3* db) const;
  };
  explicit Connection(sqlite3* db) : db_(db), cache_(std::make_unique<std::map<std::string, Statement>>()) {}
  std::unique_ptr<sqlite3, Close> db_;
  // Finalized before the connection closes (members go in reverse order).
  std::unique_ptr<std::map<std::string, Statement>> cache_;
};

// A transaction that rolls back unless committed. Begun inside another
// one, it joins it: its changes are committed or rolled back with the
// outer transaction (a savepoint would copy every page it changes).
class Transaction {
 public:
  static Result<Transaction> Begin(const Connection& connection);
  Transaction(Transaction&& other) noexcept : connection_(other.connection_), nested_(other.nested_) {
    other.connection_ = nullptr;
  }
  Transaction& operator=(Transaction&&) = delete;
  ~Transaction();
  Status commit();

 private:
  Transaction(const Connection& connection, bool nested) : connection_(&connection), nested_(nested) {}
  const Connection* connection_;
  bool nested_;
};

}  // namespace patchlore::sql
