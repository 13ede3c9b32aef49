// The choice-list drop-down, the list editor and its entry dialog, and the list choice, driven
// through their models with the exact messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "customers/CComboEditDlg.h"
#include "customers/CComboItemDlg.h"
#include "customers/CSelectComboDlg.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVComboData.h"
#include "settings/SettingsTestSupport.h"
#include "shell/CQMVComboBox.h"

namespace customers {
namespace {

using settings::CQMVComboData;
using shell::CQMVComboBox;
using ui::Answer;
using Strings = std::vector<std::string>;

class ChoiceListDialogsTest : public settings::test::SettingsFolderTest {
 protected:
  ChoiceListDialogsTest() { PlaceColumnSet(); }
  Strings OnDisk(int list) {
    CQMVComboData data(ui, Install());
    EXPECT_EQ(data.Load(list), 1);
    Strings texts;
    for (const auto& e : data.GetEntries()) texts.push_back(e->GetText());
    return texts;
  }
  // An editor on list, open, with row selected.
  std::unique_ptr<CComboEditDlg> Editor(int list, int row = -1) {
    auto editor = std::make_unique<CComboEditDlg>(ui, list, Install());
    EXPECT_TRUE(editor->Open());
    editor->Select(row);
    return editor;
  }
  void ExpectEntryDialog(std::string text) {
    ui.ExpectDialog<CComboItemDlg>([text](CComboItemDlg& d) {
      d.SetText(text);
      d.OnOK();
    });
  }
};

TEST_F(ChoiceListDialogsTest, ADropDownRegistersANewTextWhenLeftEvenIfItsDialogIsCancelled) {
  CQMVComboBox box(ui, Install());
  ASSERT_EQ(box.Fill(CQMVComboData::kTantou), 1);
  EXPECT_TRUE(box.Items().empty());
  EXPECT_EQ(box.TextLimit(), 30u);
  EXPECT_TRUE(box.OnFocusLeave("佐藤　花子"));
  EXPECT_FALSE(box.OnFocusLeave("佐藤　花子"));
  EXPECT_FALSE(box.OnFocusLeave(""));
  EXPECT_EQ(box.Items(), Strings{"佐藤　花子"});
  EXPECT_EQ(OnDisk(CQMVComboData::kTantou), Strings{"佐藤　花子"});
}

TEST_F(ChoiceListDialogsTest, AStoredTextChoosesOnlyTheItemEqualToIt) {
  CQMVComboBox box(ui, Install());
  ASSERT_EQ(box.Fill(CQMVComboData::kRirekiType), 1);  // DM, DMメール送信, 問い合わせ, ...
  EXPECT_EQ(box.ItemOf("DMメール送信"), 1);
  EXPECT_EQ(box.ItemOf("DM"), 0);
  EXPECT_EQ(box.ItemOf("dm"), -1) << "another case is another text";
  EXPECT_EQ(box.ItemOf("DMメール"), -1) << "the beginning of an item is not the item";
  EXPECT_EQ(box.ItemOf(""), -1);
}

TEST_F(ChoiceListDialogsTest, TwoBoxesOfOneListKeepEachOthersRegistrations) {
  CQMVComboBox first(ui, Install()), second(ui, Install());
  ASSERT_EQ(first.Fill(CQMVComboData::kRirekiWord), 1);
  ASSERT_EQ(second.Fill(CQMVComboData::kRirekiWord), 1);
  EXPECT_TRUE(first.OnFocusLeave("新商品"));
  EXPECT_TRUE(second.OnFocusLeave("旧商品"));
  EXPECT_EQ(OnDisk(CQMVComboData::kRirekiWord), (Strings{"商品１", "商品２", "商品３", "新商品", "旧商品"}));
}

TEST_F(ChoiceListDialogsTest, WithoutADataFolderADropDownIsEmptyAndRegistersNothing) {
  ForgetDataFolder();
  CQMVComboBox box(ui, Install());
  EXPECT_EQ(box.Fill(CQMVComboData::kImportant), 0);
  EXPECT_FALSE(box.AutoRegisters());
  EXPECT_FALSE(box.OnFocusLeave("特B"));
}

TEST_F(ChoiceListDialogsTest, TextLimitsFollowTheList) {
  const std::pair<int, std::size_t> limits[] = {
      {CQMVComboData::kRirekiType, 100}, {CQMVComboData::kRirekiWord, 255}, {CQMVComboData::kTantou, 30},
      {CQMVComboData::kImportant, 50},   {CQMVComboData::kCompType, 50}};
  for (const auto& [list, limit] : limits) {
    CQMVComboBox box(ui, Install());
    ASSERT_EQ(box.Fill(list), 1);
    EXPECT_EQ(box.TextLimit(), limit) << list;
  }
  // The entry dialog keeps whole characters only: 16 full-width characters are 32 bytes.
  CComboItemDlg item(ui, 30, {});
  item.SetText("あいうえおかきくけこさしすせそた");
  EXPECT_EQ(item.Text(), "あいうえおかきくけこさしすせそ");
}

TEST_F(ChoiceListDialogsTest, FixedEntriesMoveButAreNeitherChangedNorDeleted) {
  ui.ExpectMessage(CComboEditDlg::kFixedNotEditable);
  ui.ExpectMessage(CComboEditDlg::kFixedNotDeletable);
  auto editor = Editor(CQMVComboData::kImportant, 0);  // VIP
  editor->OnChange();
  editor->OnDelete();
  editor->OnUp();  // the first row stays, silently
  EXPECT_EQ(editor->Selection(), 0);
  editor->OnDown();
  EXPECT_EQ(editor->Selection(), 1);
  editor->Select(5);  // ブラックリスト, the last row
  editor->OnDown();
  EXPECT_EQ(editor->Rows(), (Strings{"特A", "VIP", "A", "B", "C", "ブラックリスト"}));
  editor->OnOK();
  EXPECT_TRUE(editor->ClosedWithOk());
  EXPECT_EQ(OnDisk(CQMVComboData::kImportant), editor->Rows());
}

TEST_F(ChoiceListDialogsTest, EveryCommandWithoutASelectionSaysWhatToSelect) {
  ui.ExpectMessage(CComboEditDlg::kNoChangeSelection)
      .ExpectMessage(CComboEditDlg::kNoDeleteSelection)
      .ExpectMessage(CComboEditDlg::kNoMoveSelection)
      .ExpectMessage(CComboEditDlg::kNoMoveSelection);
  auto editor = Editor(CQMVComboData::kCompType);
  editor->OnChange();
  editor->OnDelete();
  editor->OnUp();
  editor->OnDown();
}

TEST_F(ChoiceListDialogsTest, AdditionsRefuseEmptyAndDuplicateTextsAndAppendOtherwise) {
  ui.ExpectDialog<CComboItemDlg>([](CComboItemDlg& d) {
    d.OnOK();  // empty
    d.SetText("製造業");
    d.OnOK();  // already there
    d.SetText("製造業 ");
    d.OnOK();
  });
  ui.ExpectMessage(CComboItemDlg::kEmptyMessage).ExpectMessage(CComboItemDlg::kDuplicateMessage);
  auto editor = Editor(CQMVComboData::kCompType);
  editor->OnAdd();
  EXPECT_EQ(editor->Rows(), (Strings{"製造業", "流通業", "製造業 "}));
}

TEST_F(ChoiceListDialogsTest, AChangeReplacesInPlaceAndAnUnchangedTextCountsAsDuplicate) {
  ui.ExpectDialog<CComboItemDlg>([](CComboItemDlg& d) {
    EXPECT_EQ(d.Text(), "流通業");
    d.OnOK();
    d.SetText("小売業");
    d.OnOK();
  });
  ui.ExpectMessage(CComboItemDlg::kDuplicateMessage);
  auto editor = Editor(CQMVComboData::kCompType, 1);
  editor->OnChange();
  EXPECT_EQ(editor->Rows(), (Strings{"製造業", "小売業"}));
  EXPECT_EQ(editor->Selection(), 1);
}

TEST_F(ChoiceListDialogsTest, ADeletionAsksWithNoAsDefaultAndCancelDropsEveryChange) {
  ui.ExpectMessage("項目<商品２>を削除します。\nよろしいですか？", ui::Buttons::YesNo, ui::Icon::Question, Answer::No,
                   Answer::No);
  ui.ExpectMessage("項目<商品２>を削除します。\nよろしいですか？", Answer::Yes);
  ExpectEntryDialog("商品４");
  auto editor = Editor(CQMVComboData::kRirekiWord, 1);
  editor->OnDelete();
  EXPECT_EQ(editor->Rows().size(), 3u);
  editor->OnDelete();
  editor->OnAdd();
  EXPECT_EQ(editor->Rows(), (Strings{"商品１", "商品３", "商品４"}));
  editor->OnCancel();
  EXPECT_FALSE(editor->ClosedWithOk());
  EXPECT_EQ(OnDisk(CQMVComboData::kRirekiWord), (Strings{"商品１", "商品２", "商品３"}));
}

TEST_F(ChoiceListDialogsTest, AFailedSaveKeepsTheEditorOpen) {
  auto editor = Editor(CQMVComboData::kPayMethod);
  std::filesystem::remove_all(Data());
  ui.ExpectMessage(CComboEditDlg::kSaveFailed);
  editor->OnOK();
  EXPECT_FALSE(editor->IsClosing());
}

TEST_F(ChoiceListDialogsTest, TheEditorsTextsNameTheListAndTheRankingsByTheirLabels) {
  {
    settings::CQMVColSet set(ui, Install());
    ASSERT_EQ(set.Load(), 1);
    ASSERT_EQ(set.SetLabel("Ranking1", "地域"), 1);
    ASSERT_EQ(set.Save(), 1);
  }
  auto editor = Editor(CQMVComboData::kRank1);
  EXPECT_EQ(editor->Title(), "顧客情報の地域 の設定");
  EXPECT_EQ(editor->Intro(), "顧客情報の地域を編集します。設定が完了したら【OK】ボタンをクリックしてください。");
  EXPECT_EQ(editor->ListCaption(), "現在登録されている顧客情報の地域");
  EXPECT_EQ(Editor(CQMVComboData::kTantou)->AutoRegisterNote(),
            "※なお、各画面の自社担当者を設定するコンボボックスで入力すると自動的に登録されます。");

  CSelectComboDlg choice(ui, Install());
  EXPECT_EQ(choice.Captions()[4], "顧客：地域");
  EXPECT_EQ(choice.Captions()[5], "顧客：ランク２");
  EXPECT_EQ(choice.Captions()[7], "顧客：会社業種");
}

TEST_F(ChoiceListDialogsTest, TheListChoiceOpensTheEditorOfTheChosenList) {
  ui.ExpectDialog<CSelectComboDlg>([](CSelectComboDlg& d) {
    EXPECT_EQ(d.Choice(), 0);
    d.Choose(-1);
    d.OnOK();
    d.Choose(6);
    d.OnOK();
  });
  ui.ExpectMessage(CSelectComboDlg::kNoneChosen);
  ui.ExpectDialog<CComboEditDlg>([](CComboEditDlg& d) {
    EXPECT_EQ(d.Title(), "顧客情報の支払方法 の設定");
    EXPECT_EQ(d.Rows(), (Strings{"現金", "小切手", "振込み", "手形"}));
  });
  EditChoiceLists(ui, Install());

  ui.ExpectDialog<CComboEditDlg>([](CComboEditDlg& d) { EXPECT_EQ(d.Title(), "自社担当者 の設定"); });
  EditStaffList(ui, Install());
}

}  // namespace
}  // namespace customers
