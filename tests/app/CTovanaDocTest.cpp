#include "app/CTovanaDoc.h"

#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "text/Cp932.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "ui/ScriptedUi.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(install_ / "Data" / "MyData");
    fs::create_directories(data_);
    ASSERT_EQ(records::CQmvFile::CreateDatabaseFile(data_ / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
  }

  TempFolder install_, dataRoot_;
  fs::path data_ = dataRoot_ / "顧客データ";
  ui::ScriptedUi ui_{[](const std::string& why) { ADD_FAILURE() << why; }};
  CTovanaDoc doc_{ui_, install_.Path()};
};

TEST_F(DocTest, DataFolderIsWrittenAsCp932WithoutLineEndAndReadBack) {
  doc_.SetDataFolder(data_);
  ASSERT_EQ(doc_.WriteDataFolder(), 1);
  EXPECT_EQ(ReadBytes(doc_.DataDirFile()), *text::ToCp932(data_.string()));
  doc_.SetDataFolder({});
  EXPECT_EQ(doc_.ReadDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), data_);
}

TEST_F(DocTest, FinalSeparatorIsDroppedAndAFolderWithoutDatabaseFails) {
  WriteBytes(doc_.DataDirFile(), *text::ToCp932(data_.string() + "/"));
  EXPECT_EQ(doc_.ReadDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), data_);
  WriteBytes(doc_.DataDirFile(), "/");
  EXPECT_EQ(doc_.ReadDataFolder(), 0);
  fs::remove(doc_.DataDirFile());
  EXPECT_EQ(doc_.ReadDataFolder(), 0);
  EXPECT_TRUE(doc_.DataFolder().empty());
}

TEST_F(DocTest, PathOutsideCp932SurvivesTheDataDirFile) {
  const fs::path odd = dataRoot_ / "데이터";
  fs::create_directories(odd);
  fs::copy_file(data_ / "ZQQMV.qmv", odd / "ZQQMV.qmv");
  doc_.SetDataFolder(odd);
  ASSERT_EQ(doc_.WriteDataFolder(), 1);
  EXPECT_EQ(doc_.ReadDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), odd);
}

TEST_F(DocTest, ChooserRefusesRootsAndFoldersWithoutDatabaseUntilCancelled) {
  ui_.ExpectFolder(fs::path("/"))
      .ExpectMessage("ルートディレクトリは指定できません。\nフォルダを選択しなおしてください")
      .ExpectFolder(dataRoot_.Path())
      .ExpectMessage("指定されたフォルダにはデータファイルが存在しません\nフォルダを指定しなおしてください")
      .ExpectFolder(std::nullopt);
  EXPECT_EQ(doc_.ChooseDataFolder(), 0);
  EXPECT_FALSE(fs::exists(doc_.DataDirFile()));

  ui_.ExpectFolder(fs::path(data_.string() + "/"));
  EXPECT_EQ(doc_.ChooseDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), data_);
  EXPECT_EQ(ReadBytes(doc_.DataDirFile()), *text::ToCp932(data_.string()));
}

TEST_F(DocTest, EndInfoHoldsTabAndFormAsEightBytes) {
  doc_.SetMenuState(2, 40001);
  ASSERT_EQ(doc_.WriteEndInfo(), 1);
  EXPECT_EQ(ReadBytes(doc_.EndInfoFile()), std::string("\x02\x00\x00\x00\x41\x9C\x00\x00", 8));
  doc_.SetMenuState(0, 0);
  ASSERT_EQ(doc_.ReadEndInfo(), 1);
  EXPECT_EQ(doc_.MenuTab(), 2);
  EXPECT_EQ(doc_.SelectedForm(), 40001);
}

TEST_F(DocTest, MissingOrShortEndInfoLeavesTheMenuStateAlone) {
  doc_.SetMenuState(3, 7);
  EXPECT_EQ(doc_.ReadEndInfo(), 0);
  WriteBytes(doc_.EndInfoFile(), std::string("\x01\x00\x00\x00\x05", 5));
  EXPECT_EQ(doc_.ReadEndInfo(), 0);
  EXPECT_EQ(doc_.MenuTab(), 3);
  EXPECT_EQ(doc_.SelectedForm(), 7);
}

}  // namespace
}  // namespace app
