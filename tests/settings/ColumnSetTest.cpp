#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/CNeritEnv.h"
#include "platform/InstallLayout.h"
#include "platform/TempFolder.h"
#include "records/KokyakuColumns.h"
#include "settings/ArchiveTestSupport.h"
#include "settings/CQMVColSet.h"
#include "settings/FactoryColumns.h"
#include "settings/SettingsTestSupport.h"

namespace settings::test {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

constexpr const char* kInitQuestion =
    "列定義ファイルを読み込めません。列定義ファイルの初期化を試みます。初期化すると変更したラベルが元に戻ります。\n"
    "初期化してよろしいですか？";

const std::string kColClass = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}) + "CQMVCol";

std::string Str(std::string_view utf8) {
  const std::string s = Sjis(utf8);
  return std::string(1, static_cast<char>(s.size())) + s;
}

std::string ColBytes(std::string_view key, std::string_view label, unsigned char renamable) {
  return Str(key) + Str(label) + Bytes({renamable, 0, 0, 0});
}

class ColumnSetTest : public SettingsFolderTest {
 protected:
  std::filesystem::path File() const { return Data() / "QMVColSet.sys"; }
  void ExpectInitQuestion(Answer answer) {
    ui.ExpectMessage(kInitQuestion, Buttons::YesNo, Icon::Information, Answer::No, answer);
  }
};

TEST(FactoryColumnSet, DefinesEveryCustomerColumnExactlyOnceWithALabel) {
  std::set<std::string_view> keys;
  for (const FactoryColumn& c : FactoryColumns()) {
    EXPECT_NE(records::FindKokyakuColumn(c.key), nullptr) << c.key;
    EXPECT_TRUE(keys.insert(c.key).second) << "twice: " << c.key;
    EXPECT_FALSE(c.label.empty()) << c.key;
    EXPECT_LE(text::Cp932Length(c.label), 254u) << c.key;
  }
  EXPECT_EQ(keys.size(), records::KokyakuColumns().size());
}

TEST(FactoryColumnSet, OnlyNotesRankingsAndMainMerchandiseAreFreeItems) {
  std::map<std::string_view, std::string_view> free;
  std::map<std::string_view, std::string_view> labels;
  for (const FactoryColumn& c : FactoryColumns()) {
    labels[c.key] = c.label;
    if (c.renamable) free[c.key] = c.label;
  }
  EXPECT_EQ(free.size(), 17u);
  EXPECT_EQ(free["Note1"], "備考１");
  EXPECT_EQ(free["Note10"], "備考１０");
  EXPECT_EQ(free["Ranking1"], "ランク１");
  EXPECT_EQ(free["Ranking2"], "ランク２");
  EXPECT_TRUE(free.contains("MainMerchant1") && free.contains("MainMerchant5"));
  EXPECT_EQ(labels["CustomerID"], "お客様コード");
  EXPECT_EQ(labels["Name"], "氏名");
  EXPECT_EQ(labels["Yomi"], "フリガナ");
  EXPECT_EQ(labels["Suffix"], "敬称");
  EXPECT_EQ(FactoryColumns().front().key, "ID");
}

TEST_F(ColumnSetTest, AMissingFileIsReplacedByTheFactorySetWhenTheUserAgrees) {
  ExpectInitQuestion(Answer::Yes);
  CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  EXPECT_EQ(set.FilePath(), File());
  ASSERT_EQ(set.GetColumns().size(), FactoryColumns().size());
  EXPECT_EQ(set.GetLabel("CustomerID"), "お客様コード");

  const std::string bytes = ReadBytes(File());
  const std::string head = Bytes({0x47, 0x00}) + kColClass + ColBytes("ID", "ID", 0) + Bytes({0x01, 0x80}) +
                           ColBytes("CustomerID", "お客様コード", 0);
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  const std::string tail = Bytes({0x01, 0x80}) + ColBytes("RirekiUpDate", "最終履歴日", 0);
  ASSERT_GT(bytes.size(), head.size() + tail.size());
  EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
}

TEST_F(ColumnSetTest, TheFileReadsBackAndIsWrittenAgainByteForByte) {
  const std::string bytes = Bytes({0x02, 0x00}) + kColClass + ColBytes("Note1", "趣味", 1) + Bytes({0x01, 0x80}) +
                            ColBytes("Name", "氏名", 0);
  WriteBytes(File(), bytes);
  CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  EXPECT_EQ(set.GetLabel("Note1"), "趣味");
  std::filesystem::remove(File());
  ASSERT_EQ(set.Save(), 1);
  EXPECT_EQ(ReadBytes(File()), bytes);
}

TEST_F(ColumnSetTest, DecliningTheResetFailsTheLoadAndKeepsTheFileAsItWas) {
  ExpectInitQuestion(Answer::No);
  CQMVColSet set(ui, Install());
  EXPECT_EQ(set.Load(), 0);
  EXPECT_FALSE(std::filesystem::exists(File()));
  EXPECT_EQ(set.Save(), 0);
  EXPECT_FALSE(std::filesystem::exists(File()));

  for (const std::string& broken : {Bytes({0x02, 0x00}) + kColClass + Str("Name"),         // cut short
                                    Bytes({0x01, 0x00, 0xFF, 0xFF, 0x02, 0x00, 0x07, 0x00}) + "CQMVCol",  // schema 2
                                    Bytes({0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}) + "CQMVXxx"}) {
    WriteBytes(File(), broken);
    ui.ExpectMessage("ファイル操作中にエラーが発生しました");
    ExpectInitQuestion(Answer::No);
    EXPECT_EQ(set.Load(), 0);
    EXPECT_TRUE(set.GetColumns().empty());
    EXPECT_EQ(set.Save(), 0);
    EXPECT_EQ(ReadBytes(File()), broken);
  }
}

TEST_F(ColumnSetTest, ABrokenFileIsReplacedByTheFactorySetAndRead) {
  WriteBytes(File(), Bytes({0x05, 0x00}) + kColClass);
  ui.ExpectMessage("ファイル操作中にエラーが発生しました");
  ExpectInitQuestion(Answer::Yes);
  CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  EXPECT_EQ(set.GetLabel("Note3"), "備考３");
}

TEST_F(ColumnSetTest, AResetThatCannotBeWrittenIsReportedAndFailsTheLoad) {
  std::filesystem::remove_all(Data());
  ExpectInitQuestion(Answer::Yes);
  ui.ExpectMessage("列定義ファイルを初期化できません");
  CQMVColSet set(ui, Install());
  EXPECT_EQ(set.Load(), 0);
}

TEST_F(ColumnSetTest, WithoutDataFolderNothingIsAskedAndNothingWorks) {
  ForgetDataFolder();
  for (int variant = 0; variant < 2; ++variant) {
    CQMVColSet set(ui, Install());
    EXPECT_EQ(set.GetFilePath(), 0);
    EXPECT_EQ(set.Load(), 0);
    EXPECT_EQ(set.Save(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(Data()));
    WriteBytes(platform::DataDirFile(Install()), "\r\n" + Data().string());  // an empty first line
  }
}

TEST_F(ColumnSetTest, LongLabelsAreWarnedAboutButKeptWhole) {
  EXPECT_FALSE(CQMVColSet::IsLabelTooWide("趣味と特技"));  // 10 bytes
  EXPECT_TRUE(CQMVColSet::IsLabelTooWide("趣味と特技a"));
  EXPECT_FALSE(CQMVColSet::IsLabelTooWide("abcdefghij"));
  EXPECT_TRUE(CQMVColSet::IsLabelTooWide("ｱｲｳｴｵｶｷｸｹｺｻ"));  // half-width kana: one byte each

  ExpectInitQuestion(Answer::Yes);
  CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  const std::string long255(255, 'x');
  ASSERT_EQ(set.SetLabel("Note1", long255), 1);
  ASSERT_EQ(set.SetLabel("Note2", "〜"), 1);  // no CP932 code: kept in the wide form
  ASSERT_EQ(set.Save(), 1);
  EXPECT_NE(ReadBytes(File()).find(Bytes({0xFF, 0xFF, 0x00}) + long255), std::string::npos);
  CQMVColSet reread(ui, Install());
  ASSERT_EQ(reread.Load(), 1);
  EXPECT_EQ(reread.GetLabel("Note1"), long255);
  EXPECT_EQ(reread.GetLabel("Note2"), "〜");
}

TEST_F(ColumnSetTest, OnlyTheFirstDefinitionOfAKeyCountsAndOnlyFreeItemsRename) {
  WriteBytes(File(), Bytes({0x03, 0x00}) + kColClass + ColBytes("Note1", "備考１", 0) + Bytes({0x01, 0x80}) +
                         ColBytes("Note1", "別", 1) + Bytes({0x01, 0x80}) + ColBytes("Note2", "備考２", 1));
  CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  EXPECT_EQ(set.GetLabel("Note1"), "備考１");
  EXPECT_EQ(set.GetLabel("note2"), "");  // keys compare case-sensitively
  EXPECT_EQ(set.GetLabel("Missing"), "");
  EXPECT_EQ(set.SetLabel("Note1", "趣味"), 0);
  EXPECT_EQ(set.SetLabel("Missing", "趣味"), 0);
  EXPECT_EQ(set.SetLabel("Note2", "趣味と特技の欄です"), 1);
  EXPECT_EQ(set.GetLabel("Note2"), "趣味と特技の欄です");

  CQMVColSet other(ui, Install());
  ASSERT_EQ(other.Load(), 1);
  EXPECT_EQ(other.GetLabel("Note2"), "備考２");  // renames are in memory until saved
  ASSERT_EQ(set.Save(), 1);
  ASSERT_EQ(other.Load(), 1);
  EXPECT_EQ(other.GetLabel("Note2"), "趣味と特技の欄です");
}

TEST_F(ColumnSetTest, TheBuiltFactoryFileHoldsTheFactorySet) {
  const std::filesystem::path built = platform::FactoryColumnSetFile(platform::CNeritEnv().GetFactoryFolder());
  ASSERT_TRUE(std::filesystem::exists(built)) << built;
  std::filesystem::copy_file(built, platform::FactoryColumnSetFile(Install()),
                             std::filesystem::copy_options::overwrite_existing);
  ExpectInitQuestion(Answer::Yes);
  CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  ASSERT_EQ(set.GetColumns().size(), FactoryColumns().size());
  for (std::size_t i = 0; i < FactoryColumns().size(); ++i) {
    EXPECT_EQ(set.GetColumns()[i]->GetKey(), FactoryColumns()[i].key);
    EXPECT_EQ(set.GetColumns()[i]->GetLabel(), FactoryColumns()[i].label);
    EXPECT_EQ(set.GetColumns()[i]->IsRenamable(), FactoryColumns()[i].renamable);
  }
}

TEST_F(ColumnSetTest, WithoutTheFactoryCopyTheLoadFailsAndTheBrokenFileStays) {
  std::filesystem::remove(platform::FactoryColumnSetFile(Install()));
  WriteBytes(File(), "\x05");
  ui.ExpectMessage("ファイル操作中にエラーが発生しました");
  ExpectInitQuestion(Answer::Yes);
  ui.ExpectMessage("元の列定義ファイルが見つかりません。\n修正インストールを行ってください。");
  CQMVColSet set(ui, Install());
  EXPECT_EQ(set.Load(), 0);
  EXPECT_EQ(ReadBytes(File()), "\x05");
  EXPECT_EQ(set.Save(), 0);
}

TEST_F(ColumnSetTest, ReinitialisingWithoutAskingRestoresTheFactoryLabels) {
  ExpectInitQuestion(Answer::Yes);
  CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  ASSERT_EQ(set.SetLabel("Ranking1", "地域"), 1);
  ASSERT_EQ(set.Save(), 1);
  ASSERT_EQ(set.InitFile(false), 1);
  ASSERT_EQ(set.Load(), 1);
  EXPECT_EQ(set.GetLabel("Ranking1"), "ランク１");
}

}  // namespace
}  // namespace settings::test
