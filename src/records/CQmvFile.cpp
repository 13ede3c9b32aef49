#include "records/CQmvFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdint>
#include <future>
#include <functional>
#include <vector>
#include <system_error>

#include "platform/DurableFile.h"
#include "records/SaveLock.h"
#include "records/WorkCopyFile.h"

namespace records {
namespace {

using sqlite::Connection;
using sqlite::Statement;
using sqlite::StepResult;

// A zero-length file is an empty database to SQLite; ours always start with this header.
bool HasDatabaseHeader(const std::filesystem::path& file, std::string& why) {
  static constexpr char kMagic[16] = "SQLite format 3";  // with its terminating NUL: 16 bytes
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    why = "cannot open " + file.string() + ": " + std::strerror(errno);
    return false;
  }
  char head[16] = {};
  const ssize_t n = ::read(fd, head, sizeof head);
  ::close(fd);
  if (n != static_cast<ssize_t>(sizeof head) || std::memcmp(head, kMagic, sizeof head) != 0) {
    why = "not a database file: " + file.string();
    return false;
  }
  return true;
}

// Our database files are only ever replaced whole by a rename, never written in place, so an
// opened file cannot change under the reader and never has a journal to roll back: immutable=1
// is true of them. It makes SQLite take no locks and look for or create no -journal, -wal or -shm
// file, so reading leaves the folder exactly as it was, even on read-only media. query_only and
// no ATTACH (which VACUUM INTO also needs) keep every statement from writing anywhere.
bool OpenReadOnly(Connection& db, const std::filesystem::path& file, std::string& why) {
  if (!db.Open(file, SQLITE_OPEN_READONLY, "immutable=1") || !db.Exec("PRAGMA query_only=1")) {
    why = db.LastError();
    db.Close();
    return false;
  }
  sqlite3_limit(db.Handle(), SQLITE_LIMIT_ATTACHED, 0);
  return true;
}

// quick_check reads every page and checks the b-tree structure in time linear in the file size;
// the full integrity_check would also cross-check every index entry, too slow for each start.
// Three findings are enough to refuse a file and to say why.
bool QuickCheck(Connection& db, const std::filesystem::path& file, std::string& why) {
  Statement check = db.Prepare("PRAGMA quick_check(3)");
  if (!check || check.Step() != StepResult::Row) {
    why = "cannot read " + file.string() + ": " + db.LastError();
    return false;
  }
  if (check.ColumnText(0) != "ok") {
    why = "damaged database " + file.string() + ": " + std::string(check.ColumnText(0));
    return false;
  }
  return true;
}

// A page-by-page copy of a consistent snapshot of from into to.
bool CopyDatabase(Connection& from, Connection& to, std::string& why) {
  sqlite3_backup* backup = sqlite3_backup_init(to.Handle(), "main", from.Handle(), "main");
  if (!backup) {
    to.RecordError(sqlite3_extended_errcode(to.Handle()));
    why = "cannot copy the database: " + to.LastError();
    return false;
  }
  const int stepRc = sqlite3_backup_step(backup, -1);
  const int finishRc = sqlite3_backup_finish(backup);
  if (stepRc != SQLITE_DONE || finishRc != SQLITE_OK) {
    to.RecordError(finishRc != SQLITE_OK ? finishRc : stepRc);
    why = "cannot copy the database: " + to.LastError();
    return false;
  }
  return true;
}

using Verify = std::function<bool(const std::filesystem::path& saving, std::string& why)>;

// A database built from scratch is checked structurally from the disk.
bool QuickCheckFile(const std::filesystem::path& saving, std::string& why) {
  Connection check;
  return OpenReadOnly(check, saving, why) && QuickCheck(check, saving, why);
}

// Builds a database in the temporary file beside target through fill, makes it durable, checks
// it from the disk (verify) and only then renames it over target. On failure target is unchanged
// (unless only the final folder sync failed) and the temporary file is gone.
bool WriteDatabaseDurably(const std::filesystem::path& target,
                          const std::function<bool(Connection&, std::string&)>& fill, const Verify& verify,
                          std::string& why) {
  const std::filesystem::path saving = platform::SavingPathFor(target);
  if (!platform::RemoveIfPresent(saving, why)) return false;  // a crashed save's leftover
  bool ok = true;
  {
    // The temporary file needs no journal: when anything fails it is thrown away, and it is
    // synced once, below, when it is complete.
    Connection out;
    ok = out.Open(saving, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) &&
         out.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
    if (!ok) why = "cannot create " + saving.string() + ": " + out.LastError();
    ok = ok && fill(out, why);
    if (ok && !out.Close()) {
      why = "cannot close " + saving.string() + ": " + out.LastError();
      ok = false;
    }
  }
  ok = ok && platform::SyncFile(saving, why) && verify(saving, why);
  ok = ok && platform::ReplaceFile(saving, target, why);
  if (!ok) {
    std::string ignored;
    platform::RemoveIfPresent(saving, ignored);
  }
  return ok;
}

// Copies from into target durably; sourceFd reads the file under from, which the copy is checked
// against, so that what reaches the disk is exactly the database that was checked when it was
// opened (much cheaper than a structural check of the whole copy, which would cost more than the
// copy itself).
bool WriteCopyDurably(Connection& from, int sourceFd, const std::filesystem::path& target, std::string& why) {
  return WriteDatabaseDurably(
      target, [&from](Connection& out, std::string& w) { return CopyDatabase(from, out, w); },
      [sourceFd](const std::filesystem::path& saving, std::string& w) {
        const int fd = ::open(saving.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
          w = "cannot read back " + saving.string() + ": " + std::strerror(errno);
          return false;
        }
        const bool same = SameDatabaseBytes(fd, sourceFd, w);
        ::close(fd);
        if (!same) w = "the saved copy " + saving.string() + " is not the database: " + w;
        return same;
      },
      why);
}

// How long a save or an opening waits for a backup or a restore that holds the folder's save lock:
// a backup holds it only while it opens its files, a restore for as long as it writes.
constexpr std::chrono::milliseconds kSaveLockWait{60000};

bool Exists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found;
}

}  // namespace

CQmvFile::~CQmvFile() = default;

int CQmvFile::Fail(std::string why) {
  lastError_ = std::move(why);
  return -1;
}

bool CQmvFile::OpenChecked(Connection& db, const std::filesystem::path& file, std::string& why) {
  bool ok = HasDatabaseHeader(file, why) && OpenReadOnly(db, file, why) && QuickCheck(db, file, why);
  if (ok && validator_ && !validator_(db, why)) {
    if (why.empty()) why = "database refused: " + file.string();
    ok = false;
  }
  if (!ok) db.Close();
  return ok;
}

int CQmvFile::WorkCopyExists(const std::filesystem::path& workCopy) {
  lastError_ = "a work copy exists: " + workCopy.string();
  return 0;
}

int CQmvFile::InitDB(const std::filesystem::path& folder) {
  if (IsOpen()) return Fail("a database is already open: " + databasePath_.string());
  const std::filesystem::path database = folder / kDatabaseName;
  const std::filesystem::path workCopy = folder / kWorkCopyName;
  if (Exists(workCopy)) return WorkCopyExists(workCopy);
  std::string why;
  if (!HasDatabaseHeader(database, why)) return Fail(why);
  // Claiming the name atomically settles a race with another process opening the same folder,
  // and the lock taken with it shows the copy in use from its first byte.
  if (!workCopy_.Claim(workCopy, why)) return Exists(workCopy) ? WorkCopyExists(workCopy) : Fail(why);
  // The saved file is checked while it is copied: both read the same bytes, and the copy is
  // opened for work only when the check has passed.
  CSaveLock saveLock;  // no save or restore replaces the file while it is copied and checked
  if (!saveLock.Lock(folder, CSaveLock::Mode::Shared, kSaveLockWait, why)) {
    workCopy_.Release();
    std::string ignored;
    platform::RemoveIfPresent(workCopy, ignored);
    return Fail(why);
  }
  std::string checkWhy;
  auto checked = std::async(std::launch::async, [this, &database, &checkWhy] {
    Connection source;
    return OpenChecked(source, database, checkWhy);
  });
  bool ok = RemoveStaleJournal(workCopy, why) && workCopy_.CopyFrom(database, why) &&
            platform::SyncFolder(folder, why);
  if (!checked.get() && ok) {
    why = checkWhy;
    ok = false;
  }
  ok = ok && OpenWorkCopy(workCopy, why);
  if (!ok) {
    db_.Close();
    workCopy_.Release();
    std::string ignored;
    platform::RemoveIfPresent(workCopy, ignored);
    RemoveStaleJournal(workCopy, ignored);
    return Fail(why);
  }
  databasePath_ = database;
  workCopyPath_ = workCopy;
  readOnly_ = false;
  return 1;
}

// A journal beside a work copy this process has just created belongs to an earlier copy of that
// name; SQLite would take it for the new copy's and play it back into it.
bool CQmvFile::RemoveStaleJournal(const std::filesystem::path& workCopy, std::string& why) {
  return platform::RemoveIfPresent(JournalOf(workCopy), why);
}

std::filesystem::path CQmvFile::JournalOf(const std::filesystem::path& database) {
  return database.string() + "-journal";
}

// Every change the program reports as done must survive a kill or a power cut, so the work copy
// keeps a rollback journal and syncs each commit (synchronous=FULL). TRUNCATE commits by cutting
// the journal to nothing, synced, so the journal file itself stays; WAL would sync less but marks
// the file's header as WAL, which every copy of it (the saved file, backups) would inherit.
// A 32 MiB page cache keeps a bulk change from spilling pages (each spill syncs the journal) and
// repeated extractions in memory. EXCLUSIVE locking keeps SQLite's lock for the whole run, and
// the empty write transaction takes it at once, so no other process can read or write the copy
// while we hold it.
bool CQmvFile::OpenWorkCopy(const std::filesystem::path& workCopy, std::string& why) {
  if (!db_.Open(workCopy, SQLITE_OPEN_READWRITE) ||
      !db_.Exec("PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=TRUNCATE; PRAGMA synchronous=FULL;"
                " PRAGMA cache_size=-32768; BEGIN EXCLUSIVE; COMMIT")) {
    why = "cannot open " + workCopy.string() + ": " + db_.LastError();
    return false;
  }
  return true;
}

int CQmvFile::InitDBFromPath(const std::filesystem::path& path) {
  if (IsOpen()) return Fail("a database is already open: " + databasePath_.string());
  std::string why;
  if (!OpenChecked(db_, path, why)) return Fail(why);
  databasePath_ = path;
  workCopyPath_.clear();
  readOnly_ = true;
  return 1;
}

int CQmvFile::SaveQMV(bool close) {
  if (!IsOpen()) return 1;
  if (readOnly_) {
    if (close && !CloseAll()) return Fail("cannot close: " + db_.LastError());
    return 1;
  }
  if (db_.InTransaction()) return Fail("cannot save while a transaction is open");
  if (close && db_.HasLiveStatements()) return Fail("cannot close while statements are in use");
  std::string why;
  CSaveLock saveLock;
  if (!saveLock.Lock(databasePath_.parent_path(), CSaveLock::Mode::Exclusive, kSaveLockWait, why)) return Fail(why);
  if (!WriteCopyDurably(db_, workCopy_.Descriptor(), databasePath_, why)) return Fail(why);
  saveLock.Unlock();
  if (close) {
    const std::filesystem::path workCopy = workCopyPath_;
    if (!CloseAll()) return Fail("saved, but cannot close: " + db_.LastError());
    // Saved either way; a work copy left behind is found equal to the saved file next time.
    if (!platform::RemoveIfPresent(workCopy, why) || !RemoveStaleJournal(workCopy, why)) lastError_ = why;
  }
  return 1;
}

int CQmvFile::CloseKeepingWorkCopy() {
  if (!IsOpen()) return 1;
  if (db_.InTransaction()) return Fail("cannot close while a transaction is open");
  return CloseAll() ? 1 : Fail("cannot close: " + db_.LastError());
}

int CQmvFile::CompactDB(const std::filesystem::path& backupPath) {
  if (!IsOpen()) return Fail("no database is open");
  if (readOnly_) return Fail("the database is read-only: " + databasePath_.string());
  if (db_.InTransaction()) return Fail("cannot compact while a transaction is open");
  std::error_code ec;
  if (std::filesystem::equivalent(backupPath, workCopyPath_, ec)) {
    return Fail("the backup cannot replace the work copy: " + backupPath.string());
  }
  std::string why;
  if (!WriteCopyDurably(db_, workCopy_.Descriptor(), backupPath, why)) return Fail(why);
  if (!db_.Exec("VACUUM")) return Fail("cannot compact: " + db_.LastError());
  return 1;
}

int CQmvFile::RestoreDatabase(const std::filesystem::path& from, const std::filesystem::path& folder,
                              std::string* error) {
  std::string why;
  CSaveLock saveLock;
  if (!saveLock.Lock(folder, CSaveLock::Mode::Exclusive, kSaveLockWait, why)) {
    if (error) *error = why;
    return -1;
  }
  Connection source;
  const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  bool ok = fd >= 0;
  if (!ok) why = "cannot open " + from.string() + ": " + std::strerror(errno);
  ok = ok && OpenReadOnly(source, from, why) && QuickCheck(source, from, why) &&
       WriteCopyDurably(source, fd, folder / kDatabaseName, why);
  source.Close();
  if (fd >= 0) ::close(fd);
  if (!ok && error) *error = why;
  return ok ? 1 : -1;
}

int CQmvFile::CreateDatabaseFile(const std::filesystem::path& path, std::string_view schemaSql,
                                 std::string* error) {
  std::string why;
  const bool ok = WriteDatabaseDurably(
      path,
      [schemaSql](Connection& out, std::string& w) {
        if (out.Exec(schemaSql)) return true;
        w = "cannot create the schema: " + out.LastError();
        return false;
      },
      QuickCheckFile, why);
  if (!ok && error) *error = why;
  return ok ? 1 : -1;
}

bool CQmvFile::CloseAll() {
  if (!db_.Close()) return false;
  workCopy_.Release();  // only after SQLite's descriptor: see WorkCopyFile.h
  databasePath_.clear();
  workCopyPath_.clear();
  readOnly_ = false;
  return true;
}

}  // namespace records
