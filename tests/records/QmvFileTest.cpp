#include "records/CQmvFile.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/TempFolder.h"

namespace records {
namespace {

using sqlite::Connection;
using sqlite::Statement;
using sqlite::StepResult;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;
using Names = std::vector<std::string>;

// Enough rows for a dozen pages, so that damage can hit a page in the middle of the file.
constexpr std::string_view kSchema =
    "CREATE TABLE Customer(ID INTEGER PRIMARY KEY, Name TEXT COLLATE NOCASE);"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200)"
    " INSERT INTO Customer(Name) SELECT printf('顧客%03d ', i) || hex(zeroblob(100)) FROM n;";

std::int64_t Query(Connection& db, std::string_view sql) {
  Statement st = db.Prepare(sql);
  return st.Step() == StepResult::Row ? st.ColumnInt64(0) : -1;
}

// The row count of a database file, read without the class under test; -1 when unreadable.
std::int64_t CustomersIn(const std::filesystem::path& file) {
  Connection db;
  if (!db.Open(file, SQLITE_OPEN_READONLY)) return -1;
  return Query(db, "SELECT COUNT(*) FROM Customer");
}

class QmvFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_EQ(CQmvFile::CreateDatabaseFile(database, kSchema, &error), 1) << error;
  }

  TempFolder folder;
  std::filesystem::path database = folder / CQmvFile::kDatabaseName;
  std::filesystem::path workCopy = folder / CQmvFile::kWorkCopyName;
  CQmvFile file;
};

TEST_F(QmvFileTest, LeftoverWorkCopyIsLeftAlone) {
  WriteBytes(workCopy, "unfinished work");
  const std::string before = ReadBytes(database);
  EXPECT_EQ(file.InitDB(folder.Path()), 0);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadBytes(workCopy), "unfinished work");
  EXPECT_EQ(ReadBytes(database), before);
  EXPECT_EQ(folder.Names(), (Names{"ZQQMV.qmv", "ZQQMV2.qmv2"}));
}

TEST_F(QmvFileTest, GoodDatabaseOpensThroughALockedWorkCopy) {
  ASSERT_EQ(file.InitDB(folder.Path()), 1) << file.LastError();
  EXPECT_EQ(file.GetQMVFName(), database);
  EXPECT_FALSE(file.IsReadOnly());
  EXPECT_EQ(Query(file.Db(), "SELECT COUNT(*) FROM Customer"), 200);
  EXPECT_EQ(folder.Names(), (Names{"ZQQMV.qmv", "ZQQMV2.qmv2"}));
  EXPECT_EQ(file.InitDB(folder.Path()), -1);  // one database at a time

  // Another connection of this process can neither read nor write the copy.
  Connection other;
  ASSERT_TRUE(other.Open(workCopy, SQLITE_OPEN_READWRITE));
  EXPECT_EQ(Query(other, "SELECT COUNT(*) FROM Customer"), -1);
  EXPECT_EQ(other.LastErrorCode(), SQLITE_BUSY);

  // Another process finds the file locked by us (the test a second SQLite process would make).
  const pid_t parent = getpid();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = ::open(workCopy.c_str(), O_RDWR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;  // start 0, length 0: the whole file
    const bool held = fd >= 0 && fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK &&
                      lock.l_pid == parent;
    _exit(held ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the work copy is not locked";
}

TEST_F(QmvFileTest, MissingOrDamagedDatabaseIsRefusedAndNeverWritten) {
  const std::string good = ReadBytes(database);
  ASSERT_GT(good.size(), 8u * 4096);
  std::string flipped = good;
  for (std::size_t i = 4096; i < 4096 + 12; ++i) flipped[i] = static_cast<char>(~flipped[i]);
  std::string flippedLate = good;
  for (std::size_t i = 5 * 4096; i < 5 * 4096 + 8; ++i) flippedLate[i] = static_cast<char>(~flippedLate[i]);
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"text file", "CustomerID,Name\n1,山田\n"},
      {"empty file", ""},
      {"header only", good.substr(0, 100)},
      {"truncated to half", good.substr(0, good.size() / 2)},
      {"flipped page header", flipped},
      {"flipped page in the middle", flippedLate},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    WriteBytes(database, bytes);
    CQmvFile damaged;
    EXPECT_EQ(damaged.InitDB(folder.Path()), -1);
    EXPECT_FALSE(damaged.LastError().empty());
    EXPECT_EQ(damaged.InitDBFromPath(database), -1);
    EXPECT_FALSE(damaged.IsOpen());
    EXPECT_EQ(ReadBytes(database), bytes);
    EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});
  }
  std::filesystem::remove(database);
  EXPECT_EQ(file.InitDB(folder.Path()), -1);
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(QmvFileTest, ValidatorRefusalKeepsItsReason) {
  file.SetValidator([](Connection& db, std::string& why) {
    if (Query(db, "PRAGMA user_version") == 3) return true;
    why = "schema version " + std::to_string(Query(db, "PRAGMA user_version"));
    return false;
  });
  EXPECT_EQ(file.InitDB(folder.Path()), -1);
  EXPECT_EQ(file.LastError(), "schema version 0");
  EXPECT_EQ(file.InitDBFromPath(database), -1);
  EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});

  ASSERT_EQ(CQmvFile::CreateDatabaseFile(database, "PRAGMA user_version=3; CREATE TABLE Customer(ID)"), 1);
  EXPECT_EQ(file.InitDB(folder.Path()), 1) << file.LastError();
}

TEST_F(QmvFileTest, SavedWorkReachesTheDatabaseFile) {
  ASSERT_EQ(file.InitDB(folder.Path()), 1);
  ASSERT_TRUE(file.Db().Exec("DELETE FROM Customer WHERE ID > 10"));
  ASSERT_EQ(file.SaveQMV(false), 1) << file.LastError();
  EXPECT_EQ(CustomersIn(database), 10);
  EXPECT_TRUE(file.IsOpen());

  // Unsaved work is not in the file; a save with an open transaction is refused.
  ASSERT_TRUE(file.Db().Exec("INSERT INTO Customer(Name) VALUES('新規')"));
  {
    sqlite::Transaction tx(file.Db());
    ASSERT_TRUE(file.Db().Exec("INSERT INTO Customer(Name) VALUES('途中')"));
    EXPECT_EQ(file.SaveQMV(true), -1);
    EXPECT_TRUE(file.IsOpen());
  }
  {
    Statement kept = file.Db().Prepare("SELECT 1");
    EXPECT_EQ(file.SaveQMV(true), -1);  // it could not close afterwards, so it does not start
    EXPECT_TRUE(file.IsOpen());
  }
  EXPECT_EQ(CustomersIn(database), 10);

  ASSERT_EQ(file.SaveQMV(true), 1) << file.LastError();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(file.GetQMVFName().empty());
  EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});
  EXPECT_EQ(CustomersIn(database), 11);
  EXPECT_EQ(file.SaveQMV(true), 1);  // nothing open: nothing to lose

  ASSERT_EQ(file.InitDB(folder.Path()), 1);  // the next open follows a closing save
  EXPECT_EQ(Query(file.Db(), "SELECT COUNT(*) FROM Customer WHERE Name = '新規'"), 1);
}

TEST_F(QmvFileTest, StaleTemporaryFileOfACrashedSaveIsRemoved) {
  const auto saving = folder / "ZQQMV.qmv.saving";
  WriteBytes(saving, "half a database");
  ASSERT_EQ(file.InitDB(folder.Path()), 1);
  ASSERT_EQ(file.SaveQMV(true), 1) << file.LastError();
  EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});
  EXPECT_EQ(CustomersIn(database), 200);
}

TEST_F(QmvFileTest, PastDataRefusesEveryWriteAndLeavesItsFolderAsItWas) {
  const std::filesystem::path past = folder / "past";
  std::filesystem::create_directory(past);
  const std::filesystem::path old = past / "old.qmv";
  std::filesystem::rename(database, old);
  const std::string bytes = ReadBytes(old);
  const auto mtime = std::filesystem::last_write_time(old);
  const auto names = [&past] {
    Names n;
    for (const auto& e : std::filesystem::directory_iterator(past)) n.push_back(e.path().filename());
    return n;
  };

  ASSERT_EQ(file.InitDBFromPath(old), 1) << file.LastError();
  EXPECT_TRUE(file.IsReadOnly());
  EXPECT_EQ(file.GetQMVFName(), old);
  EXPECT_EQ(Query(file.Db(), "SELECT COUNT(*) FROM Customer"), 200);
  const std::string into = (past / "copy.qmv").string();
  for (const std::string& sql : std::vector<std::string>{
           "INSERT INTO Customer(Name) VALUES('x')", "UPDATE Customer SET Name = 'x'",
        "DELETE FROM Customer", "CREATE TABLE T(x)", "DROP TABLE Customer",
        "CREATE TEMP TABLE T(x)", "PRAGMA user_version=7", "VACUUM",
        "VACUUM INTO '" + into + "'", "ATTACH '" + (past / "new.db").string() + "' AS n",
        "BEGIN; DELETE FROM Customer; COMMIT"}) {
    EXPECT_FALSE(file.Db().Exec(sql)) << sql;
    file.Db().Exec("ROLLBACK");
  }
  EXPECT_EQ(file.CompactDB(past / "backup.qmv"), -1);
  EXPECT_EQ(file.SaveQMV(false), 1);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(file.SaveQMV(true), 1);
  EXPECT_FALSE(file.IsOpen());

  EXPECT_EQ(ReadBytes(old), bytes);
  EXPECT_EQ(std::filesystem::last_write_time(old), mtime);
  EXPECT_EQ(names(), Names{"old.qmv"});
  EXPECT_EQ(folder.Names(), Names{"past"});
}

TEST_F(QmvFileTest, CompactionBacksUpThenShrinksTheWorkCopy) {
  ASSERT_EQ(file.InitDB(folder.Path()), 1);
  ASSERT_TRUE(file.Db().Exec("DELETE FROM Customer WHERE ID > 20"));
  const auto before = std::filesystem::file_size(workCopy);
  const auto backup = folder / "20240401 の顧客ﾃﾞｰﾀ.qmv";
  ASSERT_EQ(file.CompactDB(backup), 1) << file.LastError();
  EXPECT_EQ(CustomersIn(backup), 20);
  EXPECT_LT(std::filesystem::file_size(workCopy), before / 2);
  EXPECT_EQ(Query(file.Db(), "SELECT COUNT(*) FROM Customer"), 20);
  EXPECT_EQ(file.CompactDB(workCopy), -1);  // the backup must not take the copy's place

  ASSERT_EQ(file.SaveQMV(true), 1) << file.LastError();
  EXPECT_EQ(CustomersIn(database), 20);
  EXPECT_LT(std::filesystem::file_size(database), before / 2);
}

TEST_F(QmvFileTest, NewDatabaseReplacesTheFileOnlyWhenItsSchemaRuns) {
  const std::string before = ReadBytes(database);
  std::string error;
  EXPECT_EQ(CQmvFile::CreateDatabaseFile(database, "CREATE TABLE A(x); CREATE TABLE A(y)", &error), -1);
  EXPECT_NE(error.find("already exists"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(database), before);
  EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});

  ASSERT_EQ(CQmvFile::CreateDatabaseFile(database, "CREATE TABLE Customer(ID); INSERT INTO Customer VALUES(1)"), 1);
  EXPECT_EQ(CustomersIn(database), 1);
  EXPECT_EQ(folder.Names(), Names{"ZQQMV.qmv"});
}

}  // namespace
}  // namespace records
