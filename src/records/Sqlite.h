#pragma once
// A small RAII layer over the SQLite C API. Nothing here throws: calls report success as a bool or a
// StepResult, and the connection keeps the text and code of the last failure until the next one.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace records::sqlite {

class Connection;

enum class StepResult { Row, Done, Error };

// One prepared statement. Parameters are 1-based, result columns 0-based (as in SQLite).
// A statement must not outlive its connection. Move-only.
class Statement {
 public:
  Statement() = default;
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // False when preparing failed; the connection's LastError() says why.
  bool IsValid() const { return stmt_ != nullptr; }
  explicit operator bool() const { return IsValid(); }

  // Each bind returns false on a bad index or an invalid statement (the error is recorded).
  bool BindInt(int index, int value);
  bool BindInt64(int index, std::int64_t value);
  bool BindDouble(int index, double value);
  bool BindNull(int index);
  // Copies the UTF-8 text (SQLITE_TRANSIENT); the caller's buffer may change at once.
  bool BindText(int index, std::string_view utf8);
  // Does not copy (SQLITE_STATIC): the text must stay unchanged until the statement is stepped to
  // its end and reset, rebound or destroyed.
  bool BindTextNoCopy(int index, std::string_view utf8);

  // Row: a result row is ready. Done: the statement has finished. Error: recorded on the
  // connection; Reset() before stepping again.
  StepResult Step();
  // Ready for another Step() with the same bindings. Does not touch the recorded error.
  void Reset();
  // Sets every parameter back to NULL.
  void ClearBindings();

  int ColumnCount() const;
  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL of the current row.
  int ColumnType(int column) const;
  bool ColumnIsNull(int column) const;
  int ColumnInt(int column) const;
  std::int64_t ColumnInt64(int column) const;
  double ColumnDouble(int column) const;
  // The column as UTF-8 without copying; empty for NULL. Valid until the next Step(), Reset() or
  // destruction, and until another accessor converts this column to another type.
  std::string_view ColumnText(int column) const;
  std::string_view ColumnName(int column) const;

  sqlite3_stmt* Handle() const { return stmt_; }

 private:
  friend class Connection;
  Statement(Connection* connection, sqlite3_stmt* stmt, sqlite3_stmt** cacheSlot);
  bool CheckBind(int rc);
  void Release();

  Connection* connection_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
  sqlite3_stmt** cacheSlot_ = nullptr;  // where a cached statement goes back when released
};

// One database connection. The busy timeout stays off: a locked database fails at once with
// SQLITE_BUSY rather than stalling the GUI thread. Extended result codes are on.
// Not movable, so that statements and transactions can point at it.
class Connection {
 public:
  Connection() = default;
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the file with SQLITE_OPEN_* flags. With uriParameters ("mode=ro&immutable=1") the path
  // is passed as a file: URI carrying them. False when already open or when SQLite fails; the
  // connection then stays closed and LastError() says why.
  bool Open(const std::filesystem::path& file, int flags, std::string_view uriParameters = {});
  // Finalizes the cached statements and closes. False (and still open) while statements handed
  // out by Prepare() or Cached() are alive or a backup is running. True when already closed.
  bool Close();
  bool IsOpen() const { return db_ != nullptr; }

  // Runs one or more statements, discarding any rows. False on the first failure.
  bool Exec(std::string_view sql);
  // A new statement for the first statement of sql; invalid on failure (see LastError()).
  Statement Prepare(std::string_view sql);
  // A statement from the cache keyed by the exact SQL text, prepared on first use. It returns to
  // the cache reset and unbound when destroyed. Asking again for the same text while one is alive
  // gives a second, independent statement.
  Statement Cached(std::string_view sql);

  // True while a statement from Prepare() or Cached() is alive (Close() would be refused).
  bool HasLiveStatements() const { return liveStatements_ > 0; }
  // True between BEGIN (or an outermost SAVEPOINT) and its end.
  bool InTransaction() const;
  // Rows changed by the last INSERT, UPDATE or DELETE.
  std::int64_t Changes() const;
  std::int64_t LastInsertRowid() const;

  // The last failure of this connection (or of its statements); empty code 0 when none yet.
  const std::string& LastError() const { return lastError_; }
  int LastErrorCode() const { return lastErrorCode_; }
  // Records the current SQLite error of the handle (after a direct C API call) and returns false.
  bool RecordError(int rc);
  // Records a failure of our own in the same place.
  void SetError(int code, std::string text);

  sqlite3* Handle() const { return db_; }

 private:
  friend class Statement;
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  void FinalizeCache();

  sqlite3* db_ = nullptr;
  std::unordered_map<std::string, sqlite3_stmt*, TextHash, std::equal_to<>> cache_;
  int liveStatements_ = 0;
  std::string lastError_;
  int lastErrorCode_ = SQLITE_OK;
};

// A transaction that rolls back when destroyed unless Commit() ran. Nested transactions on the
// same connection become savepoints: an inner rollback undoes only the inner part.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // False when the transaction could not begin (then Commit() fails too).
  bool IsActive() const { return active_; }
  // Makes the work permanent (for a nested one: part of the enclosing transaction). False on
  // failure; the destructor then rolls back what is left. The recorded error is the commit's.
  bool Commit();

 private:
  Connection& connection_;
  bool active_ = false;
};

}  // namespace records::sqlite
