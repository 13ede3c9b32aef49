// The display-column and free-item dialogs, driven through their models with the exact messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "customers/CDispColumnDlg.h"
#include "customers/CFreeItemDlg.h"
#include "platform/TempFolder.h"
#include "settings/CDefaultSort.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "settings/SettingsTestSupport.h"

namespace customers {
namespace {

using ui::Answer;
using Strings = std::vector<std::string>;

Strings Labels(const std::vector<CDispColumnDlg::Row>& rows) {
  Strings labels;
  for (const auto& row : rows) labels.push_back(row.label);
  return labels;
}

bool HasKey(const std::vector<CDispColumnDlg::Row>& rows, std::string_view key) {
  return std::any_of(rows.begin(), rows.end(), [key](const auto& r) { return r.key == key; });
}

class ColumnDialogsTest : public settings::test::SettingsFolderTest {
 protected:
  ColumnDialogsTest() { PlaceColumnSet(); }
  void WriteDisplay(Strings keys) {
    settings::CQMVDispKokyakuCol display(ui, Install());
    display.GetKeys() = std::move(keys);
    ASSERT_EQ(display.Save(), 1);
  }
  Strings DisplayOnDisk() {
    settings::CQMVDispKokyakuCol display(ui, Install());
    EXPECT_EQ(display.Load(), 1);
    return display.GetKeys();
  }
  std::string LabelOnDisk(std::string_view key) {
    settings::CQMVColSet set(ui, Install());
    EXPECT_EQ(set.Load(), 1);
    return set.GetLabel(key);
  }
  int RowOf(const std::vector<CDispColumnDlg::Row>& rows, std::string_view key) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].key == key) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(ColumnDialogsTest, OpeningListsShownAndAvailableColumnsAndTheDefaultOrder) {
  WriteDisplay({"Name", "Stale", "CustomerID"});
  CDispColumnDlg dialog(ui, Install());
  ASSERT_TRUE(dialog.Open());
  EXPECT_EQ(Labels(dialog.Shown()), (Strings{"氏名", "", "お客様コード"}));  // a key without definition
  for (const char* hidden : {"ID", "TEL_Home_X", "TEL_Office_X", "Picture1", "Picture5"}) {
    EXPECT_FALSE(HasKey(dialog.Available(), hidden)) << hidden;
    EXPECT_FALSE(HasKey(dialog.SortColumns(), hidden)) << hidden;
  }
  EXPECT_FALSE(HasKey(dialog.Available(), "Name"));
  EXPECT_TRUE(HasKey(dialog.SortColumns(), "Name"));
  EXPECT_EQ(dialog.Available().front().key, "Yomi");  // set order, shown ones left out
  ASSERT_GE(dialog.SortSelection(), 0);
  EXPECT_EQ(dialog.SortColumns()[dialog.SortSelection()].key, "RirekiUpDate");
  EXPECT_EQ(dialog.Direction(), 1);
}

TEST_F(ColumnDialogsTest, ShowingHidingAndMovingKeepRowsAndKeysInStep) {
  WriteDisplay({"CustomerID", "Name"});
  ui.ExpectMessage(CDispColumnDlg::kNothingToShow)
      .ExpectMessage(CDispColumnDlg::kNothingToHide)
      .ExpectMessage(CDispColumnDlg::kNothingToMove);
  CDispColumnDlg dialog(ui, Install());
  ASSERT_TRUE(dialog.Open());
  dialog.OnShow();
  dialog.OnHide();
  dialog.OnUp();

  dialog.SelectAvailable(RowOf(dialog.Available(), "TEL_Home"));
  dialog.OnShow();
  EXPECT_EQ(Labels(dialog.Shown()).back(), "自宅電話番号");
  EXPECT_FALSE(HasKey(dialog.Available(), "TEL_Home"));

  dialog.SelectShown(0);
  dialog.OnUp();  // first row: nothing, silently
  EXPECT_EQ(dialog.ShownSelection(), 0);
  dialog.OnDown();
  EXPECT_EQ(dialog.ShownSelection(), 1);
  dialog.SelectShown(2);
  dialog.OnDown();  // last row: nothing

  dialog.SelectShown(0);  // Name
  dialog.OnHide();
  EXPECT_EQ(dialog.Available()[0].key, "Name");  // back in set order
  dialog.OnOK();
  EXPECT_TRUE(dialog.ClosedWithOk());
  EXPECT_EQ(DisplayOnDisk(), (Strings{"CustomerID", "TEL_Home"}));
}

TEST_F(ColumnDialogsTest, OkWritesTheOrderOnlyWithAColumnAndADirectionAndCancelWritesNothing) {
  WriteDisplay({"CustomerID"});
  {
    CDispColumnDlg dialog(ui, Install());
    ASSERT_TRUE(dialog.Open());
    dialog.SelectShown(0);
    dialog.OnHide();
    dialog.SelectSort(RowOf(dialog.SortColumns(), "Yomi"));
    dialog.SetDirection(0);
    dialog.OnOK();
  }
  EXPECT_TRUE(DisplayOnDisk().empty());
  settings::CDefaultSort sort(ui, Data());
  ASSERT_EQ(sort.Load(), 1);
  EXPECT_EQ(sort.column, "Yomi");
  EXPECT_EQ(sort.direction, 0);

  CDispColumnDlg cancelled(ui, Install());
  ASSERT_TRUE(cancelled.Open());
  cancelled.SelectAvailable(0);
  cancelled.OnShow();
  cancelled.SelectSort(-1);
  cancelled.OnCancel();
  EXPECT_TRUE(DisplayOnDisk().empty());
}

TEST_F(ColumnDialogsTest, ADialogWhoseColumnSetDoesNotLoadIsNotShown) {
  std::filesystem::remove(Data() / "QMVColSet.sys");
  ui.ExpectMessage(
      "列定義ファイルを読み込めません。列定義ファイルの初期化を試みます。初期化すると変更したラベルが元に戻ります。\n"
      "初期化してよろしいですか？",
      Answer::No);
  EXPECT_FALSE(EditDisplayColumns(ui, Install()));
}

TEST_F(ColumnDialogsTest, AMissingColumnSetIsRestoredOnAgreementAndTheFreeItemsShowFactoryLabels) {
  std::filesystem::remove(Data() / "QMVColSet.sys");
  ui.ExpectMessage(
      "列定義ファイルを読み込めません。列定義ファイルの初期化を試みます。初期化すると変更したラベルが元に戻ります。\n"
      "初期化してよろしいですか？",
      Answer::Yes);
  CFreeItemDlg dialog(ui, Install());
  ASSERT_TRUE(dialog.Open());
  const Strings rows = dialog.Rows();
  ASSERT_EQ(rows.size(), 17u);
  EXPECT_NE(std::find(rows.begin(), rows.end(), "ランク１"), rows.end());
  EXPECT_NE(std::find(rows.begin(), rows.end(), "備考１０"), rows.end());
}

TEST_F(ColumnDialogsTest, RenamingWarnsAboveTenBytesAndOkWritesTheLabels) {
  ui.ExpectMessage(CFreeItemDlg::kNoSelection).ExpectMessage(CFreeItemDlg::kEmptyName);
  CFreeItemDlg dialog(ui, Install());
  ASSERT_TRUE(dialog.Open());
  dialog.OnChange();
  dialog.Select(0);
  const std::string first = dialog.Rows()[0];
  EXPECT_EQ(dialog.NewName(), first);
  dialog.SetNewName("");
  dialog.OnChange();

  dialog.SetNewName("趣味と特技");  // 10 bytes: no warning
  dialog.OnChange();
  EXPECT_EQ(dialog.Rows()[0], "趣味と特技");
  ui.ExpectMessage(CFreeItemDlg::kTooWide);
  dialog.Select(1);
  dialog.SetNewName("趣味と特技X");  // 11 bytes
  dialog.OnChange();
  EXPECT_EQ(dialog.Rows()[1], "趣味と特技X");
  EXPECT_EQ(dialog.Selection(), 1);
  dialog.OnOK();
  EXPECT_TRUE(dialog.ClosedWithOk());

  settings::CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  EXPECT_EQ(set.GetLabel("Name"), "氏名");  // a fixed label cannot be renamed at all
  EXPECT_EQ(set.SetLabel("Name", "名前"), 0);
  int renamed = 0;
  for (const auto& c : set.GetColumns()) renamed += c->GetLabel() == "趣味と特技" || c->GetLabel() == "趣味と特技X";
  EXPECT_EQ(renamed, 2);
}

TEST_F(ColumnDialogsTest, AResetIsWrittenAtOnceAndSurvivesCancelWhileLaterRenamesDoNot) {
  {
    CFreeItemDlg dialog(ui, Install());
    ASSERT_TRUE(dialog.Open());
    dialog.Select(0);
    dialog.SetNewName("地域");
    dialog.OnChange();
    dialog.OnOK();
  }
  const std::string key = [&] {
    settings::CQMVColSet set(ui, Install());
    EXPECT_EQ(set.Load(), 1);
    for (const auto& c : set.GetColumns()) {
      if (c->GetLabel() == "地域") return c->GetKey();
    }
    return std::string();
  }();
  ASSERT_FALSE(key.empty());

  ui.ExpectMessage(CFreeItemDlg::kResetQuestion, ui::Buttons::YesNo, ui::Icon::Information, Answer::Yes, Answer::No);
  ui.ExpectMessage(CFreeItemDlg::kResetQuestion, Answer::Yes);
  CFreeItemDlg dialog(ui, Install());
  ASSERT_TRUE(dialog.Open());
  dialog.OnReset();
  EXPECT_EQ(dialog.Rows()[0], "地域");
  dialog.OnReset();
  EXPECT_NE(dialog.Rows()[0], "地域");
  EXPECT_NE(LabelOnDisk(key), "地域");
  dialog.Select(1);
  dialog.SetNewName("趣味");
  dialog.OnChange();
  dialog.OnCancel();
  EXPECT_EQ(LabelOnDisk(key), dialog.Rows()[0]);
  EXPECT_FALSE(dialog.ClosedWithOk());
}

}  // namespace
}  // namespace customers
