#include "platform/DataDirFile.h"

#include <gtest/gtest.h>

#include "platform/TempFolder.h"

namespace platform {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(DataDirFile, FolderIsRecordedInCp932WithoutLineEnd) {
  TempFolder folder;
  const auto file = folder / "datadir.dat";
  std::string error;
  ASSERT_TRUE(WriteDataDirFile(file, "/home/表計算/データ", error)) << error;
  // 表 is 95 5C: its trail byte is a backslash, which must survive as part of the character.
  EXPECT_EQ(ReadBytes(file), "/home/\x95\x5C\x8C\x76\x8E\x5A/\x83\x66\x81\x5B\x83\x5E");
  EXPECT_EQ(ReadDataDirFile(file), "/home/表計算/データ");
}

TEST(DataDirFile, AFolderCp932CannotHoldIsRecordedInMarkedUtf8) {
  TempFolder folder;
  const auto file = folder / "datadir.dat";
  std::string error;
  ASSERT_TRUE(WriteDataDirFile(file, "/home/josé/データ", error)) << error;
  EXPECT_EQ(ReadBytes(file), "\xEF\xBB\xBF/home/josé/データ");
  EXPECT_EQ(ReadDataDirFile(file), "/home/josé/データ");
}

TEST(DataDirFile, OnlyTheFirstLineIsRead) {
  TempFolder folder;
  const auto file = folder / "datadir.dat";
  WriteBytes(file, "D:\\Data\\\r\nsecond line");
  EXPECT_EQ(ReadDataDirFile(file), "D:\\Data\\");
  WriteBytes(file, "");
  EXPECT_EQ(ReadDataDirFile(file), "");
  EXPECT_EQ(ReadDataDirFile(folder / "missing.dat"), std::nullopt);
}

}  // namespace
}  // namespace platform
