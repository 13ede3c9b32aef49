#include "records/CQmvFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>

#include "platform/FileFaults.h"
#include "platform/TempFolder.h"

namespace records {
namespace {

using platform::FileOp;
using sqlite::Connection;
using sqlite::Statement;
using sqlite::StepResult;
using testing_support::ReadBytes;
using testing_support::ScopedFileFault;
using testing_support::ScopedFullDisk;
using testing_support::TempFolder;
using Names = std::vector<std::string>;

constexpr std::string_view kSchema =
    "CREATE TABLE Customer(ID INTEGER PRIMARY KEY, Name TEXT);"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
    " INSERT INTO Customer(Name) SELECT hex(randomblob(60)) FROM n;";

std::int64_t CustomersIn(const std::filesystem::path& file) {
  Connection db;
  if (!db.Open(file, SQLITE_OPEN_READONLY)) return -1;
  Statement st = db.Prepare("SELECT COUNT(*) FROM Customer");
  return st.Step() == StepResult::Row ? st.ColumnInt64(0) : -1;
}

class QmvFileFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CQmvFile::CreateDatabaseFile(database, kSchema), 1);
    ASSERT_EQ(file.InitDB(folder.Path()), 1) << file.LastError();
    ASSERT_TRUE(file.Db().Exec("DELETE FROM Customer WHERE ID > 100"));
  }

  TempFolder folder;
  std::filesystem::path database = folder / CQmvFile::kDatabaseName;
  CQmvFile file;
};

TEST_F(QmvFileFaultTest, FailedSaveKeepsTheSavedFileAndTheWork) {
  using Fault = std::function<std::shared_ptr<void>()>;
  const std::vector<std::pair<const char*, Fault>> faults = {
      {"disk full at the first page", [] { return std::make_shared<ScopedFullDisk>(".saving", 0); }},
      {"disk full in the middle", [] { return std::make_shared<ScopedFullDisk>(".saving", 5 * 4096); }},
      {"fsync of the copy fails",
       [] { return std::make_shared<ScopedFileFault>(FileOp::Sync, 1, EIO, ".saving"); }},
      {"rename fails", [] { return std::make_shared<ScopedFileFault>(FileOp::Rename, 1, ENOSPC); }},
  };
  const std::string before = ReadBytes(database);
  for (const auto& [name, inject] : faults) {
    SCOPED_TRACE(name);
    {
      std::shared_ptr<void> fault = inject();
      EXPECT_EQ(file.SaveQMV(true), -1);
    }
    EXPECT_FALSE(file.LastError().empty());
    EXPECT_EQ(ReadBytes(database), before);
    EXPECT_EQ(folder.Names(), (Names{"ZQQMV.qmv", "ZQQMV2.qmv2", "ZQQMV2.qmv2-journal"}));
    EXPECT_TRUE(file.IsOpen());  // the work stays open to be saved again
  }
  ASSERT_EQ(file.SaveQMV(true), 1) << file.LastError();
  EXPECT_EQ(CustomersIn(database), 100);
  EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});
}

TEST_F(QmvFileFaultTest, FolderSyncFailureAfterTheRenameIsReportedWithTheNewFileWhole) {
  {
    ScopedFileFault fault(FileOp::Sync, 2, EIO);  // 1: the copy, 2: the folder after the rename
    EXPECT_EQ(file.SaveQMV(false), -1);
    EXPECT_TRUE(fault.Fired());
  }
  EXPECT_NE(file.LastError().find("fsync"), std::string::npos) << file.LastError();
  EXPECT_EQ(CustomersIn(database), 100);
  EXPECT_EQ(folder.Names(), (Names{"ZQQMV.qmv", "ZQQMV2.qmv2", "ZQQMV2.qmv2-journal"}));
}

TEST_F(QmvFileFaultTest, FullDiskWhileMakingTheWorkCopyLeavesNothingBehind) {
  ASSERT_EQ(file.SaveQMV(true), 1);
  const std::string before = ReadBytes(database);
  {
    ScopedFileFault full(FileOp::Write, 1, ENOSPC, CQmvFile::kWorkCopyName);
    EXPECT_EQ(file.InitDB(folder.Path()), -1);
    EXPECT_TRUE(full.Fired());
  }
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadBytes(database), before);
  EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});
}

TEST_F(QmvFileFaultTest, FailedBackupStopsCompactionAndKeepsTheOldBackup) {
  const auto backup = folder / "backup.qmv";
  ASSERT_EQ(CQmvFile::CreateDatabaseFile(backup, "CREATE TABLE Customer(ID)"), 1);
  const std::string oldBackup = ReadBytes(backup);
  const auto size = std::filesystem::file_size(folder / CQmvFile::kWorkCopyName);
  {
    ScopedFullDisk full(".saving", 4096);
    EXPECT_EQ(file.CompactDB(backup), -1);
  }
  EXPECT_EQ(ReadBytes(backup), oldBackup);
  EXPECT_EQ(std::filesystem::file_size(folder / CQmvFile::kWorkCopyName), size);  // not compacted
  EXPECT_EQ(folder.Names(), (Names{"ZQQMV.qmv", "ZQQMV2.qmv2", "ZQQMV2.qmv2-journal", "backup.qmv"}));
}

}  // namespace
}  // namespace records
