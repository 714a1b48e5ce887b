#include "library/sqlite.hpp"

#include <sqlite3.h>

#include <thread>

namespace patchlore::sql {

namespace {

Failure SqlFailure(sqlite3* db, int code) {
  return Failure{std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(code))};
}

}  // namespace

Statement::Statement(Statement&& other) noexcept : db_(other.db_), statement_(other.statement_) {
  other.statement_ = nullptr;
}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement& Statement::bind(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
  return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
  sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::bindStored(int index, std::string_view text) {
  sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
  return *this;
}

Result<bool> Statement::step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  return SqlFailure(db_, code);
}

Status Statement::run() {
  for (;;) {
    const Result<bool> row = step();
    if (!row) return row.failure();
    if (!*row) return Success();
  }
}

void Statement::reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string Statement::text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}

void Connection::Close::operator()(sqlite3* db) const { sqlite3_close_v2(db); }

Result<Connection> Connection::Open(const std::string& path, bool create, std::chrono::milliseconds busy) {
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  const int code = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  Connection connection(db);
  if (code != SQLITE_OK) return SqlFailure(db, code);
  sqlite3_busy_timeout(db, static_cast<int>(busy.count()));
  sqlite3_extended_result_codes(db, 1);
  return connection;
}

Result<Statement> Connection::prepare(std::string_view sql) const {
  sqlite3_stmt* statement = nullptr;
  const int code = sqlite3_prepare_v2(db_.get(), sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
  if (code != SQLITE_OK) return SqlFailure(db_.get(), code);
  return Statement(db_.get(), statement);
}

Result<Statement*> Connection::cached(const std::string& sql) const {
  auto found = cache_->find(sql);
  if (found == cache_->end()) {
    Result<Statement> prepared = prepare(sql);
    if (!prepared) return prepared.failure();
    found = cache_->emplace(sql, std::move(*prepared)).first;
  } else {
    found->second.reset();
  }
  return &found->second;
}

Status Connection::execute(const std::string& sql) const {
  char* message = nullptr;
  const int code = sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message);
  if (code == SQLITE_OK) return Success();
  Failure failure{message ? std::string(message) : std::string(sqlite3_errstr(code))};
  sqlite3_free(message);
  return failure;
}

Status Connection::executeWaiting(const std::string& sql, std::chrono::milliseconds wait) const {
  const auto giveUp = std::chrono::steady_clock::now() + wait;
  for (;;) {
    Status done = execute(sql);
    if (done || (sqlite3_errcode(db_.get()) & 0xFF) != SQLITE_BUSY || std::chrono::steady_clock::now() >= giveUp)
      return done;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::int64_t Connection::lastInsertId() const { return sqlite3_last_insert_rowid(db_.get()); }

bool Connection::inTransaction() const { return sqlite3_get_autocommit(db_.get()) == 0; }

Result<Transaction> Transaction::Begin(const Connection& connection) {
  if (connection.inTransaction()) return Transaction(connection, true);
  const Status begun = connection.execute("BEGIN IMMEDIATE");
  if (!begun) return begun.failure();
  return Transaction(connection, false);
}

Transaction::~Transaction() {
  if (connection_ && !nested_) (void)connection_->execute("ROLLBACK");
}

Status Transaction::commit() {
  if (nested_) {
    connection_ = nullptr;
    return Success();
  }
  const Status committed = connection_->execute("COMMIT");
  if (committed) connection_ = nullptr;
  return committed;
}

}  // namespace patchlore::sql
