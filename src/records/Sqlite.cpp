#include "records/Sqlite.h"

#include <system_error>
#include <utility>

namespace records::sqlite {
namespace {

// SQLite decodes %XX in a file: URI, so every byte outside the unreserved set and "/" is escaped;
// a path with "?", "#" or "%" in it then still names the same file.
std::string FileUri(const std::filesystem::path& file, std::string_view parameters) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(file, ec);
  const std::string path = (ec ? file : absolute).string();
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (unsigned char c : path) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 0x0F];
    }
  }
  uri += '?';
  uri += parameters;
  return uri;
}

}  // namespace

// ---- Statement ----

Statement::Statement(Connection* connection, sqlite3_stmt* stmt, sqlite3_stmt** cacheSlot)
    : connection_(connection), stmt_(stmt), cacheSlot_(cacheSlot) {
  if (stmt_) ++connection_->liveStatements_;
}

Statement::~Statement() { Release(); }

Statement::Statement(Statement&& other) noexcept
    : connection_(std::exchange(other.connection_, nullptr)),
      stmt_(std::exchange(other.stmt_, nullptr)),
      cacheSlot_(std::exchange(other.cacheSlot_, nullptr)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    Release();
    connection_ = std::exchange(other.connection_, nullptr);
    stmt_ = std::exchange(other.stmt_, nullptr);
    cacheSlot_ = std::exchange(other.cacheSlot_, nullptr);
  }
  return *this;
}

void Statement::Release() {
  if (!stmt_) return;
  if (cacheSlot_ && *cacheSlot_ == nullptr) {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    *cacheSlot_ = stmt_;
  } else {
    sqlite3_finalize(stmt_);
  }
  --connection_->liveStatements_;
  stmt_ = nullptr;
  cacheSlot_ = nullptr;
}

bool Statement::CheckBind(int rc) {
  if (rc == SQLITE_OK) return true;
  if (connection_) connection_->RecordError(rc);
  return false;
}

bool Statement::BindInt(int index, int value) {
  return stmt_ ? CheckBind(sqlite3_bind_int(stmt_, index, value)) : false;
}

bool Statement::BindInt64(int index, std::int64_t value) {
  return stmt_ ? CheckBind(sqlite3_bind_int64(stmt_, index, value)) : false;
}

bool Statement::BindDouble(int index, double value) {
  return stmt_ ? CheckBind(sqlite3_bind_double(stmt_, index, value)) : false;
}

bool Statement::BindNull(int index) {
  return stmt_ ? CheckBind(sqlite3_bind_null(stmt_, index)) : false;
}

bool Statement::BindText(int index, std::string_view utf8) {
  if (!stmt_) return false;
  return CheckBind(sqlite3_bind_text64(stmt_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT,
                                       SQLITE_UTF8));
}

bool Statement::BindTextNoCopy(int index, std::string_view utf8) {
  if (!stmt_) return false;
  return CheckBind(sqlite3_bind_text64(stmt_, index, utf8.data(), utf8.size(), SQLITE_STATIC,
                                       SQLITE_UTF8));
}

StepResult Statement::Step() {
  if (!stmt_) return StepResult::Error;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return StepResult::Row;
  if (rc == SQLITE_DONE) return StepResult::Done;
  connection_->RecordError(rc);
  return StepResult::Error;
}

void Statement::Reset() {
  if (stmt_) sqlite3_reset(stmt_);
}

void Statement::ClearBindings() {
  if (stmt_) sqlite3_clear_bindings(stmt_);
}

int Statement::ColumnCount() const { return stmt_ ? sqlite3_column_count(stmt_) : 0; }

int Statement::ColumnType(int column) const {
  return stmt_ ? sqlite3_column_type(stmt_, column) : SQLITE_NULL;
}

bool Statement::ColumnIsNull(int column) const { return ColumnType(column) == SQLITE_NULL; }

int Statement::ColumnInt(int column) const { return stmt_ ? sqlite3_column_int(stmt_, column) : 0; }

std::int64_t Statement::ColumnInt64(int column) const {
  return stmt_ ? sqlite3_column_int64(stmt_, column) : 0;
}

double Statement::ColumnDouble(int column) const {
  return stmt_ ? sqlite3_column_double(stmt_, column) : 0.0;
}

std::string_view Statement::ColumnText(int column) const {
  if (!stmt_) return {};
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  if (!text) return {};
  const int bytes = sqlite3_column_bytes(stmt_, column);  // after column_text, as SQLite requires
  return {reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes)};
}

std::string_view Statement::ColumnName(int column) const {
  const char* name = stmt_ ? sqlite3_column_name(stmt_, column) : nullptr;
  return name ? std::string_view(name) : std::string_view();
}

// ---- Connection ----

Connection::~Connection() {
  FinalizeCache();
  // close_v2 rather than close: a statement leaked past its connection must not keep the
  // destructor from releasing the handle.
  if (db_) sqlite3_close_v2(db_);
}

bool Connection::Open(const std::filesystem::path& file, int flags, std::string_view uriParameters) {
  if (db_) {
    SetError(SQLITE_MISUSE, "connection is already open");
    return false;
  }
  std::string name = file.string();
  if (!uriParameters.empty()) {
    name = FileUri(file, uriParameters);
    flags |= SQLITE_OPEN_URI;
  }
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(name.c_str(), &db, flags | SQLITE_OPEN_EXRESCODE, nullptr);
  if (rc != SQLITE_OK) {
    lastErrorCode_ = rc;
    lastError_ = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    lastError_ += ": " + file.string();
    sqlite3_close(db);
    return false;
  }
  db_ = db;
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, 0);
  return true;
}

void Connection::FinalizeCache() {
  for (auto& [sql, stmt] : cache_) {
    if (stmt) sqlite3_finalize(stmt);
  }
  cache_.clear();
}

bool Connection::Close() {
  if (!db_) return true;
  if (liveStatements_ > 0) {
    SetError(SQLITE_BUSY, "cannot close: " + std::to_string(liveStatements_) +
                              " statement(s) still in use");
    return false;
  }
  FinalizeCache();
  const int rc = sqlite3_close(db_);
  if (rc != SQLITE_OK) return RecordError(rc);
  db_ = nullptr;
  return true;
}

bool Connection::Exec(std::string_view sql) {
  if (!db_) {
    SetError(SQLITE_MISUSE, "connection is not open");
    return false;
  }
  const std::string text(sql);
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &message);
  if (rc == SQLITE_OK) return true;
  lastErrorCode_ = sqlite3_extended_errcode(db_);
  lastError_ = message ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  return false;
}

Statement Connection::Prepare(std::string_view sql) {
  if (!db_) {
    SetError(SQLITE_MISUSE, "connection is not open");
    return {};
  }
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), 0, &stmt, nullptr);
  if (rc != SQLITE_OK) {
    RecordError(rc);
    return {};
  }
  if (!stmt) {  // only white space or a comment
    SetError(SQLITE_MISUSE, "no statement in the SQL text");
    return {};
  }
  return Statement(this, stmt, nullptr);
}

Statement Connection::Cached(std::string_view sql) {
  if (!db_) {
    SetError(SQLITE_MISUSE, "connection is not open");
    return {};
  }
  auto it = cache_.find(sql);
  const bool inserted = it == cache_.end();
  if (inserted) it = cache_.emplace(std::string(sql), nullptr).first;
  if (sqlite3_stmt* parked = std::exchange(it->second, nullptr)) {
    return Statement(this, parked, &it->second);
  }
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                    SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (rc != SQLITE_OK || !stmt) {
    if (rc != SQLITE_OK) {
      RecordError(rc);
    } else {
      SetError(SQLITE_MISUSE, "no statement in the SQL text");
    }
    if (inserted) cache_.erase(it);
    return {};
  }
  return Statement(this, stmt, &it->second);
}

bool Connection::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

std::int64_t Connection::Changes() const { return db_ ? sqlite3_changes64(db_) : 0; }

std::int64_t Connection::LastInsertRowid() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

bool Connection::RecordError(int rc) {
  lastErrorCode_ = rc;
  // The handle's message belongs to rc only when the handle agrees on the code.
  if (db_ && sqlite3_extended_errcode(db_) == rc) {
    lastError_ = sqlite3_errmsg(db_);
  } else {
    lastError_ = sqlite3_errstr(rc);
  }
  return false;
}

void Connection::SetError(int code, std::string text) {
  lastErrorCode_ = code;
  lastError_ = std::move(text);
}

// ---- Transaction ----
// A savepoint outside a transaction starts one, and releasing the outermost commits it, so the
// same three statements serve the outermost and the nested case.

Transaction::Transaction(Connection& connection) : connection_(connection) {
  Statement begin = connection_.Cached("SAVEPOINT tx");
  active_ = begin && begin.Step() == StepResult::Done;
}

bool Transaction::Commit() {
  if (!active_) return false;
  Statement release = connection_.Cached("RELEASE tx");
  if (!release || release.Step() != StepResult::Done) return false;
  active_ = false;
  return true;
}

Transaction::~Transaction() {
  if (!active_) return;
  // An I/O or full-disk failure can already have rolled the whole transaction back.
  if (!connection_.InTransaction()) return;
  std::string error = connection_.LastError();
  const int code = connection_.LastErrorCode();
  for (const char* sql : {"ROLLBACK TO tx", "RELEASE tx"}) {
    Statement step = connection_.Cached(sql);
    if (step) step.Step();
  }
  connection_.SetError(code, std::move(error));  // the caller wants the failure, not the rollback
}

}  // namespace records::sqlite
