// The choice-list and column dialogs on screen: each opens on a temporary workspace, fits its
// Japanese captions, carries accessible names, and passes mouse and keyboard input to its model.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "customers/qt/ComboEditDlgWidget.h"
#include "customers/qt/ComboItemDlgWidget.h"
#include "customers/qt/DispColumnDlgWidget.h"
#include "customers/qt/FreeItemDlgWidget.h"
#include "customers/qt/SelectComboDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "settings/CQMVComboData.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "settings/SettingsTestSupport.h"
#include "ui/qt/ChoiceListComboBox.h"

namespace customers {
namespace {

using gui_test::Button;
using ui::ChoiceListComboBox;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;
using settings::CQMVComboData;

class SettingsDialogsTest : public settings::test::SettingsFolderTest {
 protected:
  SettingsDialogsTest() { PlaceColumnSet(); }
  QListWidget* List(QWidget& dialog, const char* caption) { return Find<QListWidget>(dialog, QString::fromUtf8(caption)); }
};

TEST_F(SettingsDialogsTest, TheListEditorMovesTheSelectedRowAndSavesOnOk) {
  CComboEditDlg model(ui, CQMVComboData::kImportant, Install());
  ASSERT_TRUE(model.Open());
  ComboEditDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "choice-list-editor.png");
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("顧客情報の重要度ランク の設定"));
  QListWidget* list = List(dialog, "現在登録されている顧客情報の重要度ランク");
  ASSERT_EQ(list->count(), 6);
  list->setCurrentRow(1);
  Button(dialog, "上へ")->click();
  EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("特A"));
  EXPECT_EQ(list->currentRow(), 0);
  Button(dialog, "OK")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  CQMVComboData onDisk(ui, Install());
  ASSERT_EQ(onDisk.Load(CQMVComboData::kImportant), 1);
  EXPECT_EQ(onDisk.GetEntries()[0]->GetText(), "特A");
}

TEST_F(SettingsDialogsTest, TheEntryDialogLimitsTypingToTheListsBytes) {
  CComboItemDlg model(ui, 30, {"自社担当"});
  ComboItemDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "choice-list-entry.png");
  auto* edit = dialog.findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  gui_test::TypeText(edit, "あいうえおかきくけこさしすせそたちつ");
  EXPECT_EQ(edit->text(), QString::fromUtf8("あいうえおかきくけこさしすせそ"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(model.Text(), "あいうえおかきくけこさしすせそ");
  EXPECT_TRUE(model.ClosedWithOk());
}

TEST_F(SettingsDialogsTest, TheListChoiceShowsEightListsWithTheFirstChosen) {
  CSelectComboDlg model(ui, Install());
  SelectComboDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "choice-list-select.png");
  const auto radios = dialog.findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 8);
  EXPECT_TRUE(radios[0]->isChecked());
  radios[3]->click();
  Button(dialog, "OK")->click();
  EXPECT_EQ(model.Choice(), 3);
  EXPECT_TRUE(model.ClosedWithOk());
}

TEST_F(SettingsDialogsTest, TheDisplayColumnDialogMovesAColumnIntoTheListShown) {
  CDispColumnDlg model(ui, Install());
  ASSERT_TRUE(model.Open());
  DispColumnDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  QListWidget* shown = List(dialog, "表示列");
  QListWidget* available = List(dialog, "表示可能な列");
  const int before = shown->count();
  available->setCurrentRow(0);
  const QString label = available->item(0)->text();
  Button(dialog, "←表示する")->click();
  ASSERT_EQ(shown->count(), before + 1);
  EXPECT_EQ(shown->item(before)->text(), label);
  EXPECT_NE(available->item(0)->text(), label);
  EXPECT_TRUE(Button(dialog, "降順で並べ替え")->isChecked());
  SaveScreenshot(dialog, "display-columns.png");
  Button(dialog, "OK")->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  settings::CQMVDispKokyakuCol display(ui, Install());
  ASSERT_EQ(display.Load(), 1);
  EXPECT_EQ(display.GetKeys().size(), static_cast<std::size_t>(before + 1));
}

TEST_F(SettingsDialogsTest, TheFreeItemDialogRenamesWithTheKeyboard) {
  CFreeItemDlg model(ui, Install());
  ASSERT_TRUE(model.Open());
  FreeItemDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "free-items.png");
  QListWidget* list = List(dialog, "変更可能な項目名");
  list->setCurrentRow(2);
  auto* name = Find<QLineEdit>(dialog, QString::fromUtf8("新しい項目名"));
  EXPECT_EQ(name->text(), list->item(2)->text());
  name->setFocus();
  name->selectAll();
  gui_test::TypeText(name, "地域");
  QTest::keyClick(name, Qt::Key_Return);  // 変更 is the default
  EXPECT_EQ(list->item(2)->text(), QString::fromUtf8("地域"));
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SettingsDialogsTest, LeavingAChoiceListBoxRegistersTheTypedText) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* box = new ChoiceListComboBox(ui, Install(), QString::fromUtf8("自社担当者"), &window);
  auto* other = new QLineEdit(&window);
  layout->addWidget(box);
  layout->addWidget(other);
  ASSERT_EQ(box->Fill(CQMVComboData::kTantou), 1);
  ShowAndWait(window);
  QApplication::setActiveWindow(&window);
  box->setFocus();
  gui_test::TypeText(box->lineEdit(), "鈴木");
  other->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(box->count(), 1);
  CQMVComboData onDisk(ui, Install());
  ASSERT_EQ(onDisk.Load(CQMVComboData::kTantou), 1);
  ASSERT_EQ(onDisk.GetEntries().size(), 1u);
  EXPECT_EQ(onDisk.GetEntries()[0]->GetText(), "鈴木");
}

}  // namespace
}  // namespace customers
