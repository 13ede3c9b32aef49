#include "platform/DurableFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/FileFaults.h"
#include "platform/TempFolder.h"

namespace platform {
namespace {

using testing_support::ReadBytes;
using testing_support::ScopedFileFault;
using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(DurableFile, WriteReplacesTheWholeFile) {
  TempFolder folder;
  const auto target = folder / "QMVColSet.sys";
  std::string error;
  ASSERT_TRUE(WriteFileDurably(target, "first version, longer", error)) << error;
  ASSERT_TRUE(WriteFileDurably(target, "second", error)) << error;
  EXPECT_EQ(ReadBytes(target), "second");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"QMVColSet.sys"});
}

TEST(DurableFile, AnyFailedStepLeavesTheOldFileAndNoTemporary) {
  struct Case {
    const char* name;
    FileOp op;
    int error;
  };
  for (const Case& c : {Case{"disk full while writing", FileOp::Write, ENOSPC},
                        Case{"fsync fails", FileOp::Sync, EIO},
                        Case{"rename fails", FileOp::Rename, EIO}}) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const auto target = folder / "DefOrder.dat";
    WriteBytes(target, "old");
    std::string error;
    {
      ScopedFileFault fault(c.op, 1, c.error);
      EXPECT_FALSE(WriteFileDurably(target, "new", error));
      EXPECT_TRUE(fault.Fired());
    }
    EXPECT_NE(error.find(std::strerror(c.error)), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"DefOrder.dat"});
  }
}

TEST(DurableFile, AFileSetIsReplacedWholeOrNotAtAll) {
  struct Case {
    const char* name;
    FileOp op;
    int nth;  // of the files' operations of that kind, counted over the whole set
  };
  // Three files, B.AUT not there before. Renames: the first, the second (after one replaced),
  // the third (after two); the folder syncs after a rename count as syncs 4 to 6.
  for (const Case& c : {Case{"second file cannot be written", FileOp::Write, 2},
                        Case{"third file cannot be synced", FileOp::Sync, 3},
                        Case{"first rename fails", FileOp::Rename, 1},
                        Case{"last rename fails", FileOp::Rename, 3},
                        Case{"folder sync after the second rename fails", FileOp::Sync, 5}}) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "A.AUT", "old A");
    WriteBytes(folder / "C.AUT", "old C");
    std::string error;
    {
      ScopedFileFault fault(c.op, c.nth, EIO);
      EXPECT_FALSE(WriteFilesDurably({{folder / "A.AUT", "new A"}, {folder / "B.AUT", "new B"}, {folder / "C.AUT", "new C"}},
                                     error));
      EXPECT_TRUE(fault.Fired());
    }
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(folder / "A.AUT"), "old A");
    EXPECT_EQ(ReadBytes(folder / "C.AUT"), "old C");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"A.AUT", "C.AUT"}));
  }
  TempFolder folder;
  WriteBytes(folder / "A.AUT", "old A");
  std::string error;
  ASSERT_TRUE(WriteFilesDurably({{folder / "A.AUT", "new A"}, {folder / "B.AUT", ""}}, error)) << error;
  EXPECT_EQ(ReadBytes(folder / "A.AUT"), "new A");
  EXPECT_EQ(ReadBytes(folder / "B.AUT"), "");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"A.AUT", "B.AUT"}));
}

TEST(DurableFile, NewFileIsCreatedOnlyOnce) {
  TempFolder folder;
  std::string error;
  EXPECT_TRUE(CreateNewFile(folder / "lock", error)) << error;
  EXPECT_FALSE(CreateNewFile(folder / "lock", error));
  EXPECT_NE(error.find("exists"), std::string::npos) << error;
  EXPECT_TRUE(RemoveIfPresent(folder / "lock", error));
  EXPECT_TRUE(RemoveIfPresent(folder / "lock", error));
  EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace platform
