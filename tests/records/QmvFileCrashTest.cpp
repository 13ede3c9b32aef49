#include "records/CQmvFile.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "platform/TempFolder.h"

namespace records {
namespace {

using sqlite::Connection;
using sqlite::Statement;
using sqlite::StepResult;
using testing_support::TempFolder;

// Each change bumps the counter and replaces the oldest filler row by one stamped with the new
// value, so a database torn between two states breaks MAX(Filler.n) = Counter.n.
constexpr std::string_view kSchema =
    "CREATE TABLE Counter(n INTEGER NOT NULL); INSERT INTO Counter VALUES(0);"
    "CREATE TABLE Filler(id INTEGER PRIMARY KEY, n INTEGER NOT NULL, pad BLOB);"
    "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 300)"
    " INSERT INTO Filler(n, pad) SELECT 0, randomblob(1000) FROM k;";
constexpr std::string_view kChange =
    "UPDATE Counter SET n = n + 1;"
    "INSERT INTO Filler(n, pad) SELECT n, randomblob(1000) FROM Counter;"
    "DELETE FROM Filler WHERE id = (SELECT MIN(id) FROM Filler);";

std::int64_t Query(Connection& db, std::string_view sql) {
  Statement st = db.Prepare(sql);
  return st.Step() == StepResult::Row ? st.ColumnInt64(0) : -1;
}

void Report(int fd, char what, std::int64_t n) {
  char record[9];
  record[0] = what;
  std::memcpy(record + 1, &n, sizeof n);
  (void)!write(fd, record, sizeof record);
}

// The child: open the folder as the program does after a crash, then change and save for ever,
// announcing each save before it starts ('A') and after it returned 1 ('S').
[[noreturn]] void ChangeAndSaveUntilKilled(const std::filesystem::path& folder, int fd) {
  CQmvFile file;
  int opened = file.InitDB(folder);
  if (opened == 0) {
    std::filesystem::remove(folder / CQmvFile::kWorkCopyName);
    opened = file.InitDB(folder);
  }
  if (opened != 1) _exit(2);
  Report(fd, 'O', 0);
  for (;;) {
    sqlite::Transaction tx(file.Db());
    if (!file.Db().Exec(kChange) || !tx.Commit()) _exit(3);
    const std::int64_t n = Query(file.Db(), "SELECT n FROM Counter");
    Report(fd, 'A', n);
    if (file.SaveQMV(false) != 1) _exit(4);
    Report(fd, 'S', n);
  }
}

TEST(QmvFileCrash, KilledSavesLeaveTheLastSavedDatabaseOrTheNextOne) {
  TempFolder folder;
  const auto database = folder / CQmvFile::kDatabaseName;
  ASSERT_EQ(CQmvFile::CreateDatabaseFile(database, kSchema), 1);

  std::mt19937 random(20240401);
  std::uniform_int_distribution<int> delayUs(1000, 40000);
  std::int64_t saved = 0;
  int killedMidSave = 0;
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(fds[0]);
      ChangeAndSaveUntilKilled(folder.Path(), fds[1]);
    }
    close(fds[1]);
    char opened[9];
    ASSERT_EQ(read(fds[0], opened, sizeof opened), static_cast<ssize_t>(sizeof opened));
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child failed with exit code " << WEXITSTATUS(status);

    std::int64_t attempted = saved;
    bool inFlight = false;
    char record[9];
    while (read(fds[0], record, sizeof record) == static_cast<ssize_t>(sizeof record)) {
      std::int64_t n;
      std::memcpy(&n, record + 1, sizeof n);
      if (record[0] == 'A') attempted = n;
      if (record[0] == 'S') saved = n;
      inFlight = record[0] == 'A';
    }
    close(fds[0]);
    killedMidSave += inFlight;

    Connection db;
    ASSERT_TRUE(db.Open(database, SQLITE_OPEN_READONLY)) << db.LastError();
    Statement check = db.Prepare("PRAGMA integrity_check");
    ASSERT_EQ(check.Step(), StepResult::Row) << db.LastError();
    ASSERT_EQ(check.ColumnText(0), "ok");
    const std::int64_t n = Query(db, "SELECT n FROM Counter");
    ASSERT_TRUE(n == saved || n == attempted) << n << " is neither " << saved << " nor " << attempted;
    ASSERT_EQ(Query(db, "SELECT MAX(n) FROM Filler"), n);
    ASSERT_EQ(Query(db, "SELECT COUNT(*) FROM Filler"), 300);
    saved = n;  // a save cut short after its rename counts as done
  }
  EXPECT_GT(killedMidSave, 0) << "no kill hit a save; the test proved nothing";

  // The next run discards the leftover work copy, and its save clears a crashed save's leftovers.
  CQmvFile file;
  int opened = file.InitDB(folder.Path());
  if (opened == 0) {
    std::filesystem::remove(folder / CQmvFile::kWorkCopyName);
    opened = file.InitDB(folder.Path());
  }
  ASSERT_EQ(opened, 1) << file.LastError();
  EXPECT_EQ(Query(file.Db(), "SELECT n FROM Counter"), saved);
  ASSERT_EQ(file.SaveQMV(true), 1) << file.LastError();
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"ZQQMV.qmv"});
}

}  // namespace
}  // namespace records
