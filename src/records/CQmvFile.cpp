#include "records/CQmvFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdint>
#include <fstream>
#include <functional>
#include <vector>
#include <system_error>

#include "platform/DurableFile.h"

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

// A page-by-page copy equals its source byte for byte but for the header's change counter, schema
// cookie and version-valid-for number, which the copy sets for itself.
bool IsCopyOwnHeaderByte(std::uintmax_t offset) {
  return (offset >= 24 && offset < 28) || (offset >= 40 && offset < 44) || (offset >= 92 && offset < 96);
}

// Reads the copy back and compares it with its source, so that what reaches the disk is exactly
// the database that was checked when it was opened. Much cheaper than a structural check of
// the whole copy, which would cost more than the copy itself.
bool SameBytesAsSource(const std::filesystem::path& copy, const std::filesystem::path& source, std::string& why) {
  std::ifstream a(copy, std::ios::binary), b(source, std::ios::binary);
  std::error_code ec1, ec2;
  if (!a || !b || std::filesystem::file_size(copy, ec1) != std::filesystem::file_size(source, ec2) || ec1 || ec2) {
    why = "the saved copy " + copy.string() + " differs from " + source.string();
    return false;
  }
  static constexpr std::size_t kChunk = 1 << 20;
  std::vector<char> x(kChunk), y(kChunk);
  for (std::uintmax_t offset = 0;;) {
    a.read(x.data(), kChunk);
    b.read(y.data(), kChunk);
    const auto n = static_cast<std::size_t>(a.gcount());
    if (n != static_cast<std::size_t>(b.gcount())) break;
    if (n == 0) return true;
    if (std::memcmp(x.data(), y.data(), n) != 0) {
      for (std::size_t i = 0; i < n; ++i) {
        if (x[i] != y[i] && !IsCopyOwnHeaderByte(offset + i)) {
          why = "the saved copy " + copy.string() + " differs from the database at byte " + std::to_string(offset + i);
          return false;
        }
      }
    }
    offset += n;
  }
  why = "cannot read back " + copy.string();
  return false;
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

bool WriteCopyDurably(Connection& from, const std::filesystem::path& target, std::string& why) {
  const std::filesystem::path source = sqlite3_db_filename(from.Handle(), "main");
  return WriteDatabaseDurably(
      target, [&from](Connection& out, std::string& w) { return CopyDatabase(from, out, w); },
      [&source](const std::filesystem::path& saving, std::string& w) { return SameBytesAsSource(saving, source, w); },
      why);
}

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
  Connection source;
  if (!OpenChecked(source, database, why)) return Fail(why);
  // Claiming the name atomically settles a race with another process opening the same folder.
  if (!platform::CreateNewFile(workCopy, why)) {
    return Exists(workCopy) ? WorkCopyExists(workCopy) : Fail(why);
  }
  if (!OpenWorkCopy(source, workCopy, why)) {
    db_.Close();
    std::string ignored;
    platform::RemoveIfPresent(workCopy, ignored);
    return Fail(why);
  }
  databasePath_ = database;
  workCopyPath_ = workCopy;
  readOnly_ = false;
  return 1;
}

// The work copy is disposable: after a crash it is discarded, never recovered, so it needs no
// durable journal; MEMORY still lets a failed transaction roll back. EXCLUSIVE locking keeps the
// lock for the whole run, and the empty write transaction takes it at once, so no other process
// can read or write the copy while we hold it.
bool CQmvFile::OpenWorkCopy(Connection& source, const std::filesystem::path& workCopy,
                            std::string& why) {
  if (!db_.Open(workCopy, SQLITE_OPEN_READWRITE) ||
      !db_.Exec("PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF")) {
    why = "cannot open " + workCopy.string() + ": " + db_.LastError();
    return false;
  }
  if (!CopyDatabase(source, db_, why)) return false;
  // The copy carries the source's header, so the journal mode is set again for the copied file.
  if (!db_.Exec("PRAGMA journal_mode=MEMORY; BEGIN EXCLUSIVE; COMMIT")) {
    why = "cannot lock " + workCopy.string() + ": " + db_.LastError();
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
  if (!WriteCopyDurably(db_, databasePath_, why)) return Fail(why);
  if (close) {
    const std::filesystem::path workCopy = workCopyPath_;
    if (!CloseAll()) return Fail("saved, but cannot close: " + db_.LastError());
    // Saved either way; a work copy left behind only makes the next InitDB report 0.
    if (!platform::RemoveIfPresent(workCopy, why)) lastError_ = why;
  }
  return 1;
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
  if (!WriteCopyDurably(db_, backupPath, why)) return Fail(why);
  if (!db_.Exec("VACUUM")) return Fail("cannot compact: " + db_.LastError());
  return 1;
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
  databasePath_.clear();
  workCopyPath_.clear();
  readOnly_ = false;
  return true;
}

}  // namespace records
