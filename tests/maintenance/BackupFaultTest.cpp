// Backups and restores cut short: killed at random moments, and run out of room (a file size
// limit in a child process, RLIMIT_FSIZE, stands in for a small full file system, which cannot be
// mounted without root). The data folder must come out whole: untouched by a backup, and after a
// restore (rolled back at the next start when it was cut short) either the old data or the
// restored data, every file of it.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

#include "maintenance/DataBackup.h"
#include "maintenance/DataRestore.h"
#include "platform/ChildProcess.h"
#include "platform/TempFolder.h"
#include "records/SaveLock.h"

namespace maintenance {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;
using Snapshot = std::map<std::string, std::string>;

std::string Pattern(std::size_t size, int seed) {
  std::string bytes(size, '\0');
  std::uint32_t x = static_cast<std::uint32_t>(seed) * 2654435761u + 1;
  for (char& c : bytes) {
    x = x * 1664525u + 1013904223u;
    c = static_cast<char>(x >> 24);
  }
  return bytes;
}

// Every data file and picture of a folder, by relative name.
Snapshot Take(const fs::path& data) {
  Snapshot s;
  for (const char* name : {"ZQQMV.qmv", "QMVColSet.sys", "Tantou.dat", "DefOrder.dat"}) {
    if (fs::exists(data / name)) s[name] = ReadBytes(data / name);
  }
  std::error_code ec;
  for (fs::directory_iterator it(data / "Picture", ec), end; !ec && it != end; it.increment(ec)) {
    s["Picture/" + it->path().filename().string()] = ReadBytes(it->path());
  }
  return s;
}

void Lay(const fs::path& data, const Snapshot& s) {
  std::error_code ec;
  fs::remove_all(data, ec);
  fs::create_directories(data / "Picture");
  for (const auto& [name, bytes] : s) WriteBytes(data / name, bytes);
}

// A kill waits for the fsync under way to end, so the rounds run in memory where one is there
// (/dev/shm): a killed process leaves the same files there as on a disk.
std::filesystem::path QuickFolder() {
  std::error_code ec;
  const std::filesystem::path shm = "/dev/shm";
  return ::access(shm.c_str(), W_OK) == 0 && std::filesystem::is_directory(shm, ec)
             ? shm
             : std::filesystem::temp_directory_path();
}

// Small, so that the rounds stay quick.
constexpr std::size_t kOldDatabase = 300000;
constexpr std::size_t kNewDatabase = 400000;

class BackupFaults : public ::testing::Test {
 protected:
  BackupFaults() {
    // Old and new differ in every file, in sizes, and in which files and pictures exist.
    before = {{"ZQQMV.qmv", Pattern(kOldDatabase, 1)}, {"QMVColSet.sys", Pattern(5000, 2)}, {"Tantou.dat", Pattern(300, 3)},
              {"Picture/a.jpg", Pattern(30000, 4)}, {"Picture/kept.jpg", Pattern(1000, 5)}};
    after = {{"ZQQMV.qmv", Pattern(kNewDatabase, 11)}, {"QMVColSet.sys", Pattern(7000, 12)}, {"DefOrder.dat", Pattern(40, 13)},
             {"Picture/a.jpg", Pattern(20000, 14)}, {"Picture/b.jpg", Pattern(40000, 15)}};
    Lay(Data(), after);
    fs::create_directories(Backup());
    EXPECT_EQ(WriteDataBackup(Data(), Backup(), "b").status, BackupStatus::Done);
    Lay(Data(), before);
    after["Picture/kept.jpg"] = before["Picture/kept.jpg"];  // a picture the backup lacks survives
    after["Tantou.dat"] = before["Tantou.dat"];              // not in the backup: kept
  }
  fs::path Data() const { return temp / "data"; }
  fs::path Backup() const { return temp / "backup"; }

  // What the child does: the restore as the command runs it.
  static int Restore(const fs::path& data, const fs::path& file) {
    records::CSaveLock lock;
    std::string why;
    if (!lock.Lock(data, records::CSaveLock::Mode::Exclusive, std::chrono::milliseconds(1000), why)) return 2;
    std::optional<CSafetyCopy> safety = CSafetyCopy::Make(data, why);
    if (!safety) return 3;
    const RestoreReport report = RestoreFromBackup(data, file);
    if (report.status == RestoreStatus::Done) return safety->Discard(why) ? 0 : 4;
    return (report.touched ? safety->RollBack(why) : safety->Discard(why)) ? 5 : 6;
  }

  TempFolder temp{QuickFolder()};
  Snapshot before, after;
};

// Starts body in a child and kills it after delay; true when it was killed before it ended.
bool KillAfter(const std::function<int()>& body, std::chrono::microseconds delay) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  std::this_thread::sleep_for(delay);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status);
}

std::chrono::microseconds TimeOf(const std::function<int()>& body) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(testing_support::RunInChild(body), 0);
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
}

TEST_F(BackupFaults, KilledRestoresLeaveTheOldOrTheRestoredDataAfterTheNextStart) {
  const fs::path file = Backup() / "b.qmvdbu";
  const auto whole = TimeOf([this, file] { return Restore(Data(), file); });
  ASSERT_EQ(Take(Data()), after);
  std::mt19937 random(27);
  std::uniform_int_distribution<long> delay(0, whole.count());
  int cut = 0, old = 0;
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Lay(Data(), before);
    cut += KillAfter([this, file] { return Restore(Data(), file); }, std::chrono::microseconds(delay(random)));
    std::string why;
    ASSERT_NE(RecoverInterruptedRestore(Data(), why), InterruptedRestore::Failed) << why;
    const Snapshot now = Take(Data());
    ASSERT_TRUE(now == before || now == after) << "neither the old nor the restored data";
    old += now == before;
    EXPECT_EQ(std::count_if(fs::directory_iterator(Data()), fs::directory_iterator(),
                            [](const fs::directory_entry& e) { return e.path().filename().string().starts_with("BupTmp"); }),
              0);
  }
  EXPECT_GT(cut, 0) << "no kill came before the restore ended";
  EXPECT_GT(old, 0) << "no kill cut a restore short";
}

TEST_F(BackupFaults, KilledBackupsLeaveTheDataUntouched) {
  std::mt19937 random(28);
  std::uniform_int_distribution<long> delay(0, 5000);
  for (int round = 0; round < 30; ++round) {
    const fs::path out = temp / ("k" + std::to_string(round));
    fs::create_directories(out);
    KillAfter([this, out] { return WriteDataBackup(Data(), out, "b").status == BackupStatus::Done ? 0 : 1; },
              std::chrono::microseconds(delay(random)));
    ASSERT_EQ(Take(Data()), before) << "round " << round;
  }
}

// In a child: writes past limit bytes into any one file fail with EFBIG, as on a full disk.
int WithFileSizeLimit(rlim_t limit, const std::function<int()>& body) {
  return testing_support::RunInChild([limit, &body] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit r{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &r) != 0) return 100;
    return body();
  });
}

TEST_F(BackupFaults, ABackupWithoutRoomFailsAndLeavesTheDataUntouched) {
  fs::create_directories(temp / "small");
  const int status = WithFileSizeLimit(kOldDatabase / 2, [this] {
    const BackupReport report = WriteDataBackup(Data(), temp / "small", "b");
    return report.status == BackupStatus::DiskFull ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Take(Data()), before);
}

TEST_F(BackupFaults, ARestoreWithoutRoomRollsBackToTheOldData) {
  // Room for every old file but not for the restored database.
  const fs::path file = Backup() / "b.qmvdbu";
  const int status = WithFileSizeLimit(kOldDatabase + 4096, [this, file] { return Restore(Data(), file); });
  EXPECT_EQ(status, 5) << "the restore should fail and roll back";
  EXPECT_EQ(Take(Data()), before);
}

}  // namespace
}  // namespace maintenance
