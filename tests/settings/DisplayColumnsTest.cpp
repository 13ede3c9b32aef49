#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/TempFolder.h"
#include "settings/ArchiveTestSupport.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "settings/ColumnRoutines.h"
#include "settings/SettingsTestSupport.h"

namespace settings::test {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
using ui::Answer;

const std::string kDefaultDisplayBytes = Bytes({0x02, 0x00, 0x0A}) + "CustomerID" + Bytes({0x04}) + "Name";

class DisplayColumnsTest : public SettingsFolderTest {
 protected:
  std::filesystem::path File() const { return Data() / "QMVDispCol.sys"; }
  // A column set in place, with Note1 renamed to label.
  void WriteColumnSet(const std::string& note1Label = "備考１") {
    CQMVColSet set(ui, Install());
    ASSERT_EQ(set.GetFilePath(), 1);
    ASSERT_EQ(set.InitFile(false), 1);
    ASSERT_EQ(set.Load(), 1);
    ASSERT_EQ(set.SetLabel("Note1", note1Label), 1);
    ASSERT_EQ(set.Save(), 1);
  }
  void WriteDisplay(std::vector<std::string> keys) {
    CQMVDispKokyakuCol display(ui, Install());
    display.GetKeys() = std::move(keys);
    ASSERT_EQ(display.Save(), 1);
  }
  std::vector<std::string> Resolved() {
    std::vector<std::unique_ptr<CQMVCol>> out;
    out.push_back(std::make_unique<CQMVCol>("Stale", "前回", false));
    GetDispColumns(ui, out, Install());
    std::vector<std::string> shown;
    for (const auto& c : out) shown.push_back(c->GetKey() + "=" + c->GetLabel() + (c->IsRenamable() ? "+" : ""));
    return shown;
  }
};

TEST_F(DisplayColumnsTest, TheKeysAreAStringArrayThatReadsBackByteForByte) {
  WriteDisplay({"CustomerID", "Name"});
  EXPECT_EQ(ReadBytes(File()), kDefaultDisplayBytes);
  WriteDisplay({});
  EXPECT_EQ(ReadBytes(File()), Bytes({0x00, 0x00}));

  const std::string bytes = Bytes({0x03, 0x00, 0x05}) + "Note1" + Bytes({0x04}) + "Name" + Bytes({0x05}) + "Note1";
  WriteBytes(File(), bytes);
  CQMVDispKokyakuCol display(ui, Install());
  ASSERT_EQ(display.Load(), 1);
  EXPECT_EQ(display.GetKeys(), (std::vector<std::string>{"Note1", "Name", "Note1"}));
  EXPECT_EQ(display.Remove("Note1"), 1);
  EXPECT_EQ(display.Remove("Other"), 0);
  EXPECT_EQ(display.GetKeys(), (std::vector<std::string>{"Name", "Note1"}));
  ASSERT_EQ(display.Save(), 1);
  EXPECT_EQ(ReadBytes(File()), Bytes({0x02, 0x00, 0x04}) + "Name" + Bytes({0x05}) + "Note1");
}

TEST_F(DisplayColumnsTest, ColumnsComeInDisplayOrderWithCurrentLabelsAndUnknownKeysSkipped) {
  WriteColumnSet("趣味");
  WriteDisplay({"Note1", "Gone", "Name", "CustomerID"});
  EXPECT_EQ(Resolved(), (std::vector<std::string>{"Note1=趣味+", "Name=氏名", "CustomerID=お客様コード"}));
  EXPECT_EQ(ReadBytes(File()), Bytes({0x04, 0x00, 0x05}) + "Note1" + Bytes({0x04}) + "Gone" + Bytes({0x04}) +
                                   "Name" + Bytes({0x0A}) + "CustomerID");
}

TEST_F(DisplayColumnsTest, AMissingDisplayFileGivesCodeAndNameAndIsWritten) {
  WriteColumnSet();
  EXPECT_EQ(Resolved(), (std::vector<std::string>{"CustomerID=お客様コード", "Name=氏名"}));
  EXPECT_EQ(ReadBytes(File()), kDefaultDisplayBytes);
}

TEST_F(DisplayColumnsTest, ABrokenDisplayFileIsReportedThenReplacedByCodeAndName) {
  WriteColumnSet();
  WriteBytes(File(), Bytes({0x03, 0x00, 0x04}) + "Na");
  ui.ExpectMessage("ファイル操作中にエラーが発生しました");
  EXPECT_EQ(Resolved(), (std::vector<std::string>{"CustomerID=お客様コード", "Name=氏名"}));
  EXPECT_EQ(ReadBytes(File()), kDefaultDisplayBytes);
}

TEST_F(DisplayColumnsTest, ADisplayFileThatDoesNotOpenIsNotReplacedBehindTheUser) {
  WriteColumnSet();
  std::filesystem::create_symlink(File().filename(), File());  // there, but never opens
  EXPECT_EQ(Resolved(), (std::vector<std::string>{"CustomerID=お客様コード", "Name=氏名"}));
  EXPECT_TRUE(std::filesystem::is_symlink(File()));
}

TEST_F(DisplayColumnsTest, WithoutAColumnSetTheDisplayedColumnsAreEmpty) {
  WriteDisplay({"Name"});
  ui.ExpectMessage(
      "列定義ファイルを読み込めません。列定義ファイルの初期化を試みます。初期化すると変更したラベルが元に戻ります。\n"
      "初期化してよろしいですか？",
      Answer::No);
  EXPECT_TRUE(Resolved().empty());
}

TEST_F(DisplayColumnsTest, WithoutDataFolderTheListStillGetsCodeAndName) {
  ForgetDataFolder();
  EXPECT_EQ(Resolved(), (std::vector<std::string>{"CustomerID=お客様コード", "Name=氏名"}));
  EXPECT_TRUE(std::filesystem::is_empty(Data()));
  CQMVDispKokyakuCol display(ui, Install());
  EXPECT_TRUE(display.GetFilePath().empty());
  EXPECT_EQ(display.Load(), 0);
}

TEST_F(DisplayColumnsTest, AColumnsLabelIsLookedUpInTheFileEachTime) {
  WriteColumnSet("趣味");
  EXPECT_EQ(GetColLabel(ui, "Note1", Install()), "趣味");
  EXPECT_EQ(GetColLabel(ui, "Unknown", Install()), "");
  ForgetDataFolder();
  EXPECT_EQ(GetColLabel(ui, "Note1", Install()), "");
}

TEST(DisplayableColumns, IdHiddenTelephonesAndPicturesAreNeverListColumns) {
  for (const char* key : {"ID", "TEL_Home_X", "TEL_Office_X", "Picture1", "Picture2", "Picture3", "Picture4",
                          "Picture5"}) {
    EXPECT_EQ(IsDispColumn(key), 0) << key;
  }
  for (const char* key : {"CustomerID", "Name", "TEL_Home", "Picture6", "id", ""}) EXPECT_EQ(IsDispColumn(key), 1) << key;
}

}  // namespace
}  // namespace settings::test
