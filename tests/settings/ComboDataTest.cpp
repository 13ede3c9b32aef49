#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/TempFolder.h"
#include "settings/ArchiveTestSupport.h"
#include "settings/CArchive.h"
#include "settings/CMemoryStream.h"
#include "settings/CQMVComboData.h"
#include "settings/SettingsTestSupport.h"

namespace settings::test {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

const std::string kElemClass = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0D, 0x00}) + "CQMVComboElem";

std::string ElemBytes(std::string_view utf8, unsigned char editable) {
  const std::string text = Sjis(utf8);
  return std::string(1, static_cast<char>(text.size())) + text + Bytes({editable, 0, 0, 0});
}

std::vector<std::string> Texts(const CQMVComboData& list) {
  std::vector<std::string> texts;
  for (const auto& e : list.GetEntries()) texts.push_back(e->GetText() + (e->IsEditable() ? "" : "*"));
  return texts;
}

class ComboDataTest : public SettingsFolderTest {
 protected:
  std::filesystem::path File(int list) const { return Data() / std::string(CQMVComboData::FileName(list)); }
  void ExpectBrokenQuestion(int list, Answer answer) {
    ui.ExpectMessage("設定ファイル<" + File(list).string() + ">が壊れています。初期状態にしてよろしいですか？",
                     Buttons::YesNo, Icon::Information, Answer::No, answer);
  }
};

TEST(ComboFileBytes, TheArchiveExampleOfTwoEntriesReadsBackAndIsWrittenByteForByte) {
  const std::string bytes =
      Bytes({0x02, 0x00}) + kElemClass + Bytes({0x03, 'a', 'b', 'c', 0x05, 0, 0, 0}) +
      Bytes({0x01, 0x80, 0x02, 'd', 'e', 0x00, 0, 0, 0});
  RegisterSettingsClasses(CClassRegistry::Program());
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  CQMVComboData list(ui, {});
  CMemoryStream in(bytes);
  CArchive load(in, CArchive::Mode::Load);
  list.Serialize(load);
  EXPECT_TRUE(load.IsAtEnd());
  ASSERT_EQ(Texts(list), (std::vector<std::string>{"abc", "de*"}));

  CMemoryStream out;
  CArchive store(out, CArchive::Mode::Store);
  list.Serialize(store);
  store.Close();
  EXPECT_EQ(out.Bytes(), bytes);
}

TEST_F(ComboDataTest, AMissingFileIsCreatedWithTheListsDefaultsAndFixedFlags) {
  CQMVComboData list(ui, Install());
  ASSERT_EQ(list.Load(CQMVComboData::kImportant), 1);
  EXPECT_TRUE(list.IsLoaded());
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"VIP*", "特A", "A", "B", "C", "ブラックリスト*"}));
  EXPECT_EQ(ReadBytes(File(CQMVComboData::kImportant)),
            Bytes({0x06, 0x00}) + kElemClass + ElemBytes("VIP", 0) + Bytes({0x01, 0x80}) + ElemBytes("特A", 1) +
                Bytes({0x01, 0x80}) + ElemBytes("A", 1) + Bytes({0x01, 0x80}) + ElemBytes("B", 1) +
                Bytes({0x01, 0x80}) + ElemBytes("C", 1) + Bytes({0x01, 0x80}) + ElemBytes("ブラックリスト", 0));
}

TEST_F(ComboDataTest, EveryListHasItsOwnFileDefaultsAndTextLimit) {
  struct Expected {
    const char* file;
    std::size_t limit;
    std::vector<std::string> texts;
  };
  const Expected expected[] = {
      {"RirekiType.dat", 100, {"DM*", "DMメール送信*", "問い合わせ*", "購入*", "クレーム*", "メール送信*", "フォーム印刷*"}},
      {"RirekiWord.dat", 255, {"商品１", "商品２", "商品３"}},
      {"DMType.dat", 50, {"DM*", "年賀*", "お中元*", "お歳暮*", "暑中見舞い*", "寒中見舞い*"}},
      {"KImportant.dat", 50, {"VIP*", "特A", "A", "B", "C", "ブラックリスト*"}},
      {"KRank1.dat", 50, {}},
      {"KRank2.dat", 50, {}},
      {"KPayMeth.dat", 50, {"現金*", "小切手*", "振込み*", "手形*"}},
      {"KCompType.dat", 50, {"製造業", "流通業"}},
      {"Tantou.dat", 30, {}},
  };
  for (int n = 0; n < CQMVComboData::kListCount; ++n) {
    SCOPED_TRACE(n);
    CQMVComboData list(ui, Install());
    ASSERT_EQ(list.Load(n), 1);
    EXPECT_EQ(list.GetFilePath(), Data() / expected[n].file);
    EXPECT_EQ(CQMVComboData::TextLimit(n), expected[n].limit);
    EXPECT_EQ(Texts(list), expected[n].texts);
    CQMVComboData again(ui, Install());
    ASSERT_EQ(again.Load(n), 1);
    EXPECT_EQ(Texts(again), expected[n].texts);
  }
  EXPECT_EQ(ReadBytes(Data() / "Tantou.dat"), Bytes({0x00, 0x00}));
}

TEST_F(ComboDataTest, NoDataFolderOrAnUnknownListFailsWithoutAMessage) {
  CQMVComboData list(ui, Install());
  EXPECT_EQ(list.Load(-1), 0);
  EXPECT_EQ(list.Load(9), 0);
  ForgetDataFolder();
  EXPECT_EQ(list.Load(0), 0);
  EXPECT_FALSE(list.IsLoaded());
  EXPECT_EQ(list.Save(), 0);
  EXPECT_EQ(list.AddEntry("x"), 0);
  EXPECT_TRUE(temp.Names() == std::vector<std::string>({"data", "install"}));
  EXPECT_TRUE(std::filesystem::is_empty(Data()));
}

TEST_F(ComboDataTest, ABrokenFileIsKeptWhenTheUserDeclinesTheReset) {
  const std::string cut = Bytes({0x02, 0x00}) + kElemClass + Bytes({0x03, 'a'});
  for (const std::string& broken : {cut, Bytes({0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00}) + "CXyz"}) {
    WriteBytes(File(CQMVComboData::kTantou), broken);
    ui.ExpectMessage("ファイル操作中にエラーが発生しました");
    ExpectBrokenQuestion(CQMVComboData::kTantou, Answer::No);
    CQMVComboData list(ui, Install());
    EXPECT_EQ(list.Load(CQMVComboData::kTantou), 0);
    EXPECT_TRUE(list.GetEntries().empty());
    EXPECT_EQ(list.Save(), 0);
    EXPECT_EQ(list.AddEntry("山田"), 0);
    EXPECT_EQ(ReadBytes(File(CQMVComboData::kTantou)), broken);
  }
}

TEST_F(ComboDataTest, ABrokenFileIsReplacedByTheDefaultsWhenTheUserAgrees) {
  WriteBytes(File(CQMVComboData::kPayMethod), Bytes({0x05, 0x00}) + kElemClass);
  ui.ExpectMessage("ファイル操作中にエラーが発生しました");
  ExpectBrokenQuestion(CQMVComboData::kPayMethod, Answer::Yes);
  CQMVComboData list(ui, Install());
  ASSERT_EQ(list.Load(CQMVComboData::kPayMethod), 1);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"現金*", "小切手*", "振込み*", "手形*"}));
  CQMVComboData reread(ui, Install());
  ASSERT_EQ(reread.Load(CQMVComboData::kPayMethod), 1);
  EXPECT_EQ(Texts(reread), Texts(list));
}

TEST_F(ComboDataTest, AFileThatDoesNotOpenIsOnlyAskedAboutNotReported) {
  // A link to itself is there but never opens, whoever runs the test.
  const std::filesystem::path file = File(CQMVComboData::kRank1);
  std::filesystem::create_symlink(file.filename(), file);
  ExpectBrokenQuestion(CQMVComboData::kRank1, Answer::No);
  CQMVComboData list(ui, Install());
  EXPECT_EQ(list.Load(CQMVComboData::kRank1), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(file));

  ExpectBrokenQuestion(CQMVComboData::kRank1, Answer::Yes);
  EXPECT_EQ(list.Load(CQMVComboData::kRank1), 1);
  EXPECT_EQ(ReadBytes(file), Bytes({0x00, 0x00}));
}

TEST_F(ComboDataTest, AnAddedEntryIsEditableAndOnDiskAtOnce) {
  CQMVComboData list(ui, Install());
  ASSERT_EQ(list.Load(CQMVComboData::kTantou), 1);
  EXPECT_EQ(list.AddEntry("山田　太郎"), 1);
  EXPECT_TRUE(list.Contains("山田　太郎"));
  EXPECT_FALSE(list.Contains("山田"));
  EXPECT_EQ(ReadBytes(File(CQMVComboData::kTantou)), Bytes({0x01, 0x00}) + kElemClass + ElemBytes("山田　太郎", 1));
}

TEST_F(ComboDataTest, AnEntryMustBeNonEmptyAndWithinTheListsByteLimit) {
  CQMVComboData list(ui, Install());
  ASSERT_EQ(list.Load(CQMVComboData::kTantou), 1);
  const std::string thirty(30, 'a');
  EXPECT_EQ(list.AddEntry(""), 0);
  EXPECT_EQ(list.AddEntry(thirty + "b"), 0);
  EXPECT_EQ(list.AddEntry("担当担当担当担当担当担当担当担当"), 0);  // 16 characters, 32 bytes
  EXPECT_EQ(list.AddEntry(thirty), 1);
  EXPECT_EQ(list.AddEntry("担当担当担当担当担当担当担当担"), 1);  // 30 bytes
  EXPECT_EQ(Texts(list), (std::vector<std::string>{thirty, "担当担当担当担当担当担当担当担"}));
}

TEST_F(ComboDataTest, AnEntryThatCannotBeSavedIsNotKept) {
  CQMVComboData list(ui, Install());
  ASSERT_EQ(list.Load(CQMVComboData::kCompType), 1);
  std::filesystem::remove_all(Data());
  EXPECT_EQ(list.AddEntry("小売業"), 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"製造業", "流通業"}));
}

TEST(ComboListNames, RankListsAreNamedByTheirColumnsCurrentLabel) {
  EXPECT_EQ(CQMVComboData::DisplayName(0), "履歴の概要");
  EXPECT_EQ(CQMVComboData::DisplayName(8), "自社担当者");
  EXPECT_EQ(CQMVComboData::DisplayName(4, "地域"), "顧客情報の地域");
  EXPECT_EQ(CQMVComboData::DisplayName(4), "顧客情報のランク１");
  EXPECT_EQ(CQMVComboData::DisplayName(5), "顧客情報のランク２");
  EXPECT_EQ(CQMVComboData::DisplayName(9), "");
}

}  // namespace
}  // namespace settings::test
