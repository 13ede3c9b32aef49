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
