#pragma once
// The customer database file of a data folder and its work copy. "ZQQMV.qmv" is never written in
// place: InitDB copies it to "ZQQMV2.qmv2" and the program works on that copy; SaveQMV writes the
// copy back through a verified temporary file renamed over "ZQQMV.qmv", so after a crash at any
// moment "ZQQMV.qmv" is the last saved database, whole. Every change committed to the work copy
// is durable too (synced journal), so a leftover "ZQQMV2.qmv2" holds the unfinished run's work
// up to its last reported change, for the next start to offer (see WorkCopyRecovery.h). While
// open, the work copy is record-locked against other processes (see WorkCopyFile.h).
// Past data opens a database file read-only, leaving every byte of its folder as it was.
// Results: 1 done, 0 (InitDB only) a work copy exists, -1 failed; LastError() then says why.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "records/Sqlite.h"
#include "records/WorkCopyFile.h"

namespace records {

class CQmvFile {
 public:
  static constexpr const char* kDatabaseName = "ZQQMV.qmv";
  static constexpr const char* kWorkCopyName = "ZQQMV2.qmv2";

  // Checks a database about to be opened (for example its schema version), on a read-only
  // connection. Returning false refuses the file; `why` becomes the LastError().
  using Validator = std::function<bool(sqlite::Connection& db, std::string& why)>;

  CQmvFile() = default;
  // Closes without saving: a work copy stays behind, as after a crash.
  ~CQmvFile();
  CQmvFile(const CQmvFile&) = delete;
  CQmvFile& operator=(const CQmvFile&) = delete;

  // Runs on every database InitDB and InitDBFromPath open, after the file passed its quick_check.
  void SetValidator(Validator validator) { validator_ = std::move(validator); }

  // 0: "ZQQMV2.qmv2" exists in folder (left as it is, not opened). -1: a database is already
  // open, or "ZQQMV.qmv" is missing, unreadable, not a database, damaged or refused by the
  // validator (it is never written; a work copy begun is removed). 1: the work copy is open
  // read-write and locked against other processes.
  int InitDB(const std::filesystem::path& folder);

  // 1: the past database at path is open read-only; every write through Db() fails and nothing
  // in its folder changes. -1: a database is already open, or the file is missing or damaged.
  int InitDBFromPath(const std::filesystem::path& path);

  // 1: the work copy is now "ZQQMV.qmv" (also 1, writing nothing, for past data or when nothing
  // is open: there is no work to lose, and a caller switching folders must not be stopped).
  // With close, also closes the database and removes the work copy; no statement from Db() may
  // be alive then. -1: not saved (also when a transaction is open, or with close a statement is
  // alive); the previous "ZQQMV.qmv" stays whole, no temporary file remains, and the database
  // stays open whatever close says. (Only when the final folder fsync fails is "ZQQMV.qmv"
  // already the new file, whole.) A stale temporary file of a crashed save is removed first.
  int SaveQMV(bool close);

  // Closes the database without saving, leaving the work copy (durable up to the last change) for
  // the next start to offer. 1, or -1 while a transaction is open or the close fails.
  int CloseKeepingWorkCopy();

  // 1: a consistent, verified copy of the work copy is at backupPath and the work copy is then
  // compacted (VACUUM). -1: failed (read-only, nothing open, a transaction open, or an I/O
  // error); when the copy failed, any file at backupPath is unchanged.
  int CompactDB(const std::filesystem::path& backupPath);

  // Writes a new database made by running schemaSql (any statements, pragmas included) to path,
  // the same durable way as SaveQMV, replacing any file there. 1 done, -1 failed: path unchanged,
  // the reason in *error when given.
  static int CreateDatabaseFile(const std::filesystem::path& path, std::string_view schemaSql,
                                std::string* error = nullptr);

  // Makes the database file `from` (a recovered work copy) the folder's "ZQQMV.qmv", the same
  // durable, verified way as SaveQMV. `from` is only read. 1, or -1 with "ZQQMV.qmv" unchanged.
  static int RestoreDatabase(const std::filesystem::path& from, const std::filesystem::path& folder,
                             std::string* error = nullptr);
  // SQLite's rollback journal of a database file.
  static std::filesystem::path JournalOf(const std::filesystem::path& database);

  // The database file the user knows: folder/"ZQQMV.qmv", or the past-data path; empty when
  // nothing is open.
  const std::filesystem::path& GetQMVFName() const { return databasePath_; }
  bool IsOpen() const { return db_.IsOpen(); }
  bool IsReadOnly() const { return readOnly_; }
  // The open database for the store's operations (the work copy, or the past file read-only).
  // Always usable: while nothing is open, every call on it fails. Prefer Db().Cached() to keeping
  // statements: one kept alive stops SaveQMV(true) from closing.
  sqlite::Connection& Db() { return db_; }
  const std::string& LastError() const { return lastError_; }

 private:
  int Fail(std::string why);
  int WorkCopyExists(const std::filesystem::path& workCopy);
  bool OpenWorkCopy(const std::filesystem::path& workCopy, std::string& why);
  static bool RemoveStaleJournal(const std::filesystem::path& workCopy, std::string& why);
  bool OpenChecked(sqlite::Connection& db, const std::filesystem::path& file, std::string& why);
  bool CloseAll();

  WorkCopyFile workCopy_;  // declared first so it is released after the connection
  sqlite::Connection db_;
  Validator validator_;
  std::filesystem::path databasePath_;
  std::filesystem::path workCopyPath_;
  bool readOnly_ = false;
  std::string lastError_;
};

}  // namespace records
