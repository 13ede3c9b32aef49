#include "platform/FolderProbe.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/ChildProcess.h"
#include "platform/TempFolder.h"

namespace platform {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(FolderProbe, WritableOrMissingFoldersPassAndLeaveNothingBehind) {
  TempFolder folder;
  EXPECT_TRUE(ProbeFolderWritable(folder.Path()));
  EXPECT_TRUE(folder.Names().empty());
  EXPECT_TRUE(ProbeFolderWritable(folder / "Data"));
  WriteBytes(folder / "dmy.txt", "left by an interrupted probe");
  EXPECT_TRUE(ProbeFolderWritable(folder.Path()));
  EXPECT_TRUE(folder.Names().empty());
  WriteBytes(folder / "Data", "a file where a folder belongs");
  EXPECT_FALSE(ProbeFolderWritable(folder / "Data"));
}

TEST(FolderProbe, ReadOnlyFolderAndFileAreNotWritable) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "Exe");
  WriteBytes(folder / "acck.sys", "");
  ::chmod((folder / "Exe").c_str(), 0555);
  ::chmod((folder / "acck.sys").c_str(), 0444);
  ::chmod(folder.Path().c_str(), 0755);
  EXPECT_FALSE(CanOpenForWriting(folder / "missing.sys"));
  // Permissions do not bind the superuser: check them as another user then.
  const uid_t user = testing_support::CanSwitchUser() ? testing_support::kNobody : static_cast<uid_t>(-1);
  const int result = testing_support::RunInChild(
      [&] { return ProbeFolderWritable(folder / "Exe") * 1 + CanOpenForWriting(folder / "acck.sys") * 2; }, user);
  EXPECT_EQ(result, 0);
  ::chmod((folder / "Exe").c_str(), 0755);
  ::chmod((folder / "acck.sys").c_str(), 0644);
  EXPECT_TRUE(ProbeFolderWritable(folder / "Exe"));
  EXPECT_TRUE(CanOpenForWriting(folder / "acck.sys"));
}

}  // namespace
}  // namespace platform
