#include "records/WorkCopyRecovery.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/DurableFile.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "records/Sqlite.h"
#include "records/WorkCopyFile.h"

namespace records {
namespace {

namespace fs = std::filesystem;
using sqlite::Connection;
using sqlite::Statement;
using sqlite::StepResult;

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

enum class Soundness { Sound, Damaged, Busy };

// Opens the copy as SQLite would to work on it, so a transaction cut short is rolled back from its
// journal (and the journal deleted), and leaves it locked in a transaction that writes nothing,
// which closing the connection ends, while it is checked and moved.
Soundness Examine(Connection& db, const fs::path& copy, std::string& why) {
  if (!db.Open(copy, SQLITE_OPEN_READWRITE) || !db.Exec("BEGIN EXCLUSIVE")) {
    why = db.LastError();
    return (db.LastErrorCode() & 0xff) == SQLITE_BUSY || (db.LastErrorCode() & 0xff) == SQLITE_LOCKED
               ? Soundness::Busy
               : Soundness::Damaged;
  }
  Statement check = db.Prepare("PRAGMA quick_check(3)");
  const bool readable = check && check.Step() == StepResult::Row;
  const std::string verdict = readable ? std::string(check.ColumnText(0)) : db.LastError();
  check = Statement();
  if (verdict != "ok") {
    why = "damaged: " + verdict;
    return Soundness::Damaged;
  }
  if (!IsQmvDatabase(db.Handle())) {
    why = "not a customer database of this version";
    return Soundness::Damaged;
  }
  return Soundness::Sound;
}

std::string Stamp(std::time_t now) {
  std::tm local {};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// A new dated folder under Recovered; two starts within a second get "-2", "-3", ...
bool MakeDatedFolder(const fs::path& recovered, std::time_t now, fs::path& made, std::string& why) {
  std::error_code ec;
  fs::create_directories(recovered, ec);
  const std::string stamp = Stamp(now);
  for (int n = 1; n < 100 && !ec; ++n) {
    made = recovered / (n == 1 ? stamp : stamp + "-" + std::to_string(n));
    if (fs::create_directory(made, ec)) return platform::SyncFolder(recovered, why);
  }
  why = "cannot create a folder under " + recovered.string() + (ec ? ": " + ec.message() : "");
  return false;
}

// Moves the copy and its journal (a journal still holding a cut transaction stays with its file;
// an empty one is just dropped). The copy goes first: a journal left behind alone is removed by
// the next work copy before it could be taken for that one's.
bool MoveCopy(const fs::path& workCopy, const fs::path& folder, fs::path& moved, std::string& why) {
  moved = folder / CQmvFile::kDatabaseName;
  if (!platform::RenameNoReplace(workCopy, moved, why)) return false;
  const fs::path journal = CQmvFile::JournalOf(workCopy);
  std::error_code ec;
  if (!Exists(journal)) return platform::SyncFolder(workCopy.parent_path(), why);
  if (fs::file_size(journal, ec) == 0 && !ec) return platform::RemoveIfPresent(journal, why);
  return platform::RenameNoReplace(journal, CQmvFile::JournalOf(moved), why) &&
         platform::SyncFolder(workCopy.parent_path(), why);
}

bool SameAsSaved(const fs::path& copy, const fs::path& database) {
  const int a = ::open(copy.c_str(), O_RDONLY | O_CLOEXEC);
  const int b = ::open(database.c_str(), O_RDONLY | O_CLOEXEC);
  std::string ignored;
  const bool same = a >= 0 && b >= 0 && SameDatabaseBytes(a, b, ignored);
  if (a >= 0) ::close(a);
  if (b >= 0) ::close(b);
  return same;
}

}  // namespace

LeftoverReport SetAsideWorkCopy(const fs::path& dataFolder, std::time_t now) {
  LeftoverReport report;
  const fs::path workCopy = dataFolder / CQmvFile::kWorkCopyName;
  if (!Exists(workCopy)) return report;
  switch (TestRecordLock(workCopy, report.why)) {
    case LockState::HeldElsewhere: report.state = Leftover::InUse; return report;
    case LockState::Unknown: report.state = Exists(workCopy) ? Leftover::Failed : Leftover::Gone; return report;
    case LockState::Free: break;
  }
  Connection db;
  const Soundness soundness = Examine(db, workCopy, report.why);
  if (soundness == Soundness::Busy) {
    report.state = Leftover::InUse;
    return report;
  }
  fs::path folder;
  std::string why;
  if (!MakeDatedFolder(dataFolder / kRecoveredFolderName, now, folder, why) ||
      !MoveCopy(workCopy, folder, report.copy, why)) {
    report.state = Exists(workCopy) ? Leftover::Failed : Leftover::Gone;
    report.why = why;
    std::error_code ec;
    if (folder.has_filename() && fs::is_empty(folder, ec)) fs::remove(folder, ec);
    return report;
  }
  db.Close();  // the lock went with the file; only now may SQLite let it go
  if (soundness == Soundness::Damaged) {
    report.state = Leftover::Damaged;
    return report;
  }
  if (SameAsSaved(report.copy, dataFolder / CQmvFile::kDatabaseName)) {
    report.state = Leftover::Unchanged;
    std::error_code ec;
    fs::remove_all(folder, ec);
    report.copy.clear();
    return report;
  }
  report.state = Leftover::HoldsWork;
  return report;
}

void PruneRecovered(const fs::path& dataFolder, std::size_t keep) {
  const fs::path recovered = dataFolder / kRecoveredFolderName;
  std::error_code ec;
  std::vector<fs::path> folders;
  for (fs::directory_iterator it(recovered, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_directory(ec)) folders.push_back(it->path());
  }
  if (folders.size() <= keep) return;
  // The names are dated, so their order is their age ("-2" sorts after its stamp).
  std::sort(folders.begin(), folders.end());
  for (std::size_t i = 0; i + keep < folders.size(); ++i) fs::remove_all(folders[i], ec);
}

}  // namespace records
