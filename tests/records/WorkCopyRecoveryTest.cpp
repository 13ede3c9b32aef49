#include "records/WorkCopyRecovery.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <random>
#include <set>
#include <thread>

#include "platform/ChildProcess.h"
#include "platform/TempFolder.h"
#include "records/CKokyakuVMData.h"
#include "records/QmvSchema.h"

namespace records {
namespace {

namespace fs = std::filesystem;
using testing_support::CLingeringChild;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::time_t At(int day, int second) { return std::time_t{1796000000} + day * 86400 + second; }

class WorkCopyRecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CQmvFile::CreateDatabaseFile(Database(), QmvSchemaSql()), 1); }

  fs::path Database() const { return folder_ / CQmvFile::kDatabaseName; }
  fs::path WorkCopy() const { return folder_ / CQmvFile::kWorkCopyName; }

  static std::int32_t AddCustomer(CKokyakuVMData& store, const std::string& name) {
    CKokyaku k;
    k.Name = name;
    return store.AddNewKokyaku(k);
  }

  // The customers' IDs and history IDs in the folder's saved database.
  std::pair<std::set<std::int32_t>, std::set<std::int32_t>> SavedIds() {
    CKokyakuVMData past;
    EXPECT_EQ(past.InitDBFromPath(Database()), 1) << past.DispOleDBErrDlg();
    KokyakuList customers;
    RirekiList history;
    EXPECT_EQ(past.GetAllKokyaku(customers), 1);
    EXPECT_EQ(past.GetAllRireki(history), 1);
    std::set<std::int32_t> c, h;
    for (const auto& k : customers) c.insert(k->ID);
    for (const auto& r : history) h.insert(r->ID);
    return {c, h};
  }

  TempFolder folder_;
};

// The child opens the folder ('O'), then adds customers and history until it is killed, writing each
// ID to the pipe only after the store reported it done: 'K' a customer, 'R' a history entry.
[[noreturn]] void AddUntilKilled(const fs::path& folder, int fd) {
  CKokyakuVMData store;
  if (store.InitDB(folder) != 1) _exit(2);
  (void)!write(fd, "O\0\0\0\0", 5);
  for (int n = 0;; ++n) {
    CKokyaku k;
    k.Name = "顧客" + std::to_string(n);
    const std::int32_t id = store.AddNewKokyaku(k);
    if (id <= 0) _exit(3);
    char record[5] = {'K'};
    std::memcpy(record + 1, &id, sizeof id);
    (void)!write(fd, record, sizeof record);
    CRirekiData entry;
    entry.ActionTitle = "来店";
    entry.Date = COleDate::Now();
    const std::int32_t rid = store.AddNewRireki(id, entry, COleDate::Now());
    if (rid <= 0) _exit(4);
    record[0] = 'R';
    std::memcpy(record + 1, &rid, sizeof rid);
    (void)!write(fd, record, sizeof record);
  }
}

TEST_F(WorkCopyRecoveryTest, KilledRunsLoseNoReportedChange) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> delayUs(0, 20000);
  std::uniform_int_distribution<int> changesFirst(1, 4);
  std::set<std::int32_t> customers, history;
  int recovered = 0;
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(fds[0]);
      AddUntilKilled(folder_.Path(), fds[1]);
    }
    close(fds[1]);
    bool reported = false;
    char record[5];
    const auto take = [&] {
      if (read(fds[0], record, sizeof record) != static_cast<ssize_t>(sizeof record)) return false;
      std::int32_t id;
      std::memcpy(&id, record + 1, sizeof id);
      if (record[0] != 'O') {
        (record[0] == 'K' ? customers : history).insert(id);
        reported = true;
      }
      return true;
    };
    // Most kills come a few changes in, at a random moment of the next one; every tenth comes at
    // any moment, the opening of the folder included.
    if (round % 10 != 0) {
      for (int seen = 0, wanted = changesFirst(random); seen <= wanted; ++seen) ASSERT_TRUE(take());
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child failed with exit code " << WEXITSTATUS(status);
    while (take()) {
    }
    close(fds[0]);

    const LeftoverReport leftover = SetAsideWorkCopy(folder_.Path(), At(0, round));
    if (reported) {
      // Killed while copying at its start, a child reports nothing: only then may the copy be
      // unreadable or the same as the saved file.
      ASSERT_EQ(leftover.state, Leftover::HoldsWork) << leftover.why;
    } else {
      ASSERT_NE(leftover.state, Leftover::InUse);
      ASSERT_NE(leftover.state, Leftover::Failed) << leftover.why;
    }
    ASSERT_FALSE(fs::exists(WorkCopy()));
    if (leftover.state == Leftover::HoldsWork) {
      std::string why;
      ASSERT_EQ(CQmvFile::RestoreDatabase(leftover.copy, folder_.Path(), &why), 1) << why;
      ++recovered;
    }
    const auto [savedCustomers, savedHistory] = SavedIds();
    ASSERT_TRUE(std::includes(savedCustomers.begin(), savedCustomers.end(), customers.begin(), customers.end()));
    ASSERT_TRUE(std::includes(savedHistory.begin(), savedHistory.end(), history.begin(), history.end()));
    PruneRecovered(folder_.Path());
  }
  EXPECT_GE(recovered, 180);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / kRecoveredFolderName), fs::directory_iterator()), 5);
}

TEST_F(WorkCopyRecoveryTest, WorkCopyOfARunningProcessIsNeverTouched) {
  CLingeringChild first([this] {
    static CKokyakuVMData store;
    if (store.InitDB(folder_.Path()) != 1 || AddCustomer(store, "先の顧客") <= 0) return 1;
    // A save reads the work copy back; the lock must outlive it.
    return store.SaveQMV(false) == 1 && AddCustomer(store, "保存後の顧客") > 0 ? 0 : 1;
  });
  ASSERT_EQ(first.Result(), 0);
  const std::string before = ReadBytes(WorkCopy());

  CKokyakuVMData second;
  EXPECT_EQ(second.InitDB(folder_.Path()), 0);
  const LeftoverReport leftover = SetAsideWorkCopy(folder_.Path());
  EXPECT_EQ(leftover.state, Leftover::InUse) << leftover.why;
  EXPECT_EQ(ReadBytes(WorkCopy()), before);
  EXPECT_FALSE(fs::exists(folder_ / kRecoveredFolderName));

  // Once the first process is gone, its work is there to recover, both customers of it.
  first.Kill();
  const LeftoverReport after = SetAsideWorkCopy(folder_.Path());
  ASSERT_EQ(after.state, Leftover::HoldsWork) << after.why;
  ASSERT_EQ(CQmvFile::RestoreDatabase(after.copy, folder_.Path()), 1);
  EXPECT_EQ(SavedIds().first.size(), 2u);
}

TEST_F(WorkCopyRecoveryTest, DamagedOrForeignLeftoverIsMovedAsideNotOffered) {
  const std::string saved = ReadBytes(Database());
  for (const std::string& content : {std::string("unfinished"), saved.substr(0, 4096) + std::string(8192, '\x5a')}) {
    WriteBytes(WorkCopy(), content);
    const LeftoverReport leftover = SetAsideWorkCopy(folder_.Path(), At(1, static_cast<int>(content.size())));
    EXPECT_EQ(leftover.state, Leftover::Damaged);
    EXPECT_FALSE(fs::exists(WorkCopy()));
    EXPECT_EQ(leftover.copy.parent_path().parent_path(), folder_ / kRecoveredFolderName);
    EXPECT_EQ(ReadBytes(leftover.copy), content);
  }
  EXPECT_EQ(ReadBytes(Database()), saved);
}

TEST_F(WorkCopyRecoveryTest, UnchangedLeftoverLeavesNothingBehind) {
  {
    CKokyakuVMData store;
    ASSERT_EQ(store.InitDB(folder_.Path()), 1);
  }  // gone without a save, as in a crash
  ASSERT_TRUE(fs::exists(WorkCopy()));
  const LeftoverReport leftover = SetAsideWorkCopy(folder_.Path());
  EXPECT_EQ(leftover.state, Leftover::Unchanged) << leftover.why;
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"Recovered", "ZQQMV.qmv"}));
  EXPECT_TRUE(fs::is_empty(folder_ / kRecoveredFolderName));
}

// A journal of the previous work copy must never be played back into the next one.
TEST_F(WorkCopyRecoveryTest, StrayJournalIsNotTakenForTheNewWorkCopys) {
  WriteBytes(CQmvFile::JournalOf(WorkCopy()), std::string(4096, '\x7f'));
  CKokyakuVMData store;
  ASSERT_EQ(store.InitDB(folder_.Path()), 1) << store.DispOleDBErrDlg();
  const fs::path journal = CQmvFile::JournalOf(WorkCopy());
  EXPECT_TRUE(!fs::exists(journal) || fs::file_size(journal) == 0);
  EXPECT_GT(AddCustomer(store, "新しい顧客"), 0);
  ASSERT_EQ(store.SaveQMV(true), 1);
  EXPECT_EQ(SavedIds().first.size(), 1u);
  EXPECT_EQ(folder_.Names(), (std::vector<std::string>{"ZQQMV.qmv"}));
}

TEST_F(WorkCopyRecoveryTest, OnlyTheNewestFiveRecoveredFoldersAreKept) {
  for (int i = 0; i < 7; ++i) {
    WriteBytes(WorkCopy(), "unfinished " + std::to_string(i));
    ASSERT_EQ(SetAsideWorkCopy(folder_.Path(), At(2, i)).state, Leftover::Damaged);
  }
  // Two in the same second get their own folders.
  WriteBytes(WorkCopy(), "same second");
  const LeftoverReport twin = SetAsideWorkCopy(folder_.Path(), At(2, 6));
  EXPECT_EQ(twin.copy.parent_path().filename().string().substr(15), "-2");
  PruneRecovered(folder_.Path());
  std::vector<std::string> kept;
  for (const auto& entry : fs::directory_iterator(folder_ / kRecoveredFolderName)) {
    kept.push_back(ReadBytes(entry.path() / CQmvFile::kDatabaseName));
  }
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, (std::vector<std::string>{"same second", "unfinished 3", "unfinished 4", "unfinished 5",
                                            "unfinished 6"}));
}

}  // namespace
}  // namespace records
