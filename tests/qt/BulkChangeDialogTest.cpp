// "顧客の一括修正" on screen: its captions fit, each input is named for a screen reader, only the
// chosen field's input takes input, and a new ranking text joins its choice list on leaving the
// box even when the dialog is then cancelled.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "customers/qt/KokyakuBulkDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "qt/TabOrder.h"
#include "settings/CQMVComboData.h"
#include "settings/SettingsTestSupport.h"

namespace customers {
namespace {

using gui_test::Button;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;
using settings::CQMVComboData;

class BulkChangeDialogTest : public settings::test::SettingsFolderTest {
 protected:
  BulkChangeDialogTest() { PlaceColumnSet(); }
};

TEST_F(BulkChangeDialogTest, OnlyTheChosenFieldsInputIsEnabledAndOkAsksItsQuestion) {
  CKokyakuBulkDlg model(ui, Install());
  KokyakuBulkDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  gui_test::ExpectTabOrderFollowsTheLayout(dialog);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("顧客の一括修正"));
  SaveScreenshot(dialog, "bulk-change.png");
  auto* colour = Find<QComboBox>(dialog, QString::fromUtf8("カラーマーク"));
  auto* rank1 = Find<QComboBox>(dialog, QString::fromUtf8("ランク１"));
  ASSERT_TRUE(colour && rank1);
  EXPECT_EQ(colour->currentText(), QString::fromUtf8("なし"));
  EXPECT_TRUE(colour->isEnabled());
  EXPECT_FALSE(rank1->isEnabled());

  QTest::mouseClick(Find<QRadioButton>(dialog, QString::fromUtf8("ランク１")), Qt::LeftButton);
  EXPECT_EQ(model.Field(), CKokyakuBulkDlg::kRank1);
  EXPECT_FALSE(colour->isEnabled());
  EXPECT_TRUE(rank1->isEnabled());
  rank1->setFocus();
  rank1->lineEdit()->selectAll();
  gui_test::TypeText(rank1->lineEdit(), "ゴールド会員");
  EXPECT_EQ(model.Text(CKokyakuBulkDlg::kRank1), "ゴールド会員");
  SaveScreenshot(dialog, "bulk-change-ranking.png");
  ui.ExpectMessage("選択されている顧客のランク１を「ゴールド会員」に変更します。\nよろしいですか？", ui::Answer::Yes);
  Button(dialog, "OK")->click();
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.ColumnKey(), "Ranking1");
}

TEST_F(BulkChangeDialogTest, ANewRankingTextJoinsItsListOnLeavingTheBoxEvenWhenCancelled) {
  CKokyakuBulkDlg model(ui, Install());
  KokyakuBulkDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  QApplication::setActiveWindow(&dialog);
  Find<QRadioButton>(dialog, QString::fromUtf8("ランク２"))->click();
  auto* rank2 = Find<QComboBox>(dialog, QString::fromUtf8("ランク２"));
  rank2->setFocus();
  rank2->lineEdit()->selectAll();
  gui_test::TypeText(rank2->lineEdit(), "新規区分");
  Find<QRadioButton>(dialog, QString::fromUtf8("カラーマーク"))->setFocus();
  QApplication::processEvents();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(model.ClosedWithOk());
  CQMVComboData onDisk(ui, Install());
  ASSERT_EQ(onDisk.Load(CQMVComboData::kRank2), 1);
  EXPECT_TRUE(onDisk.Contains("新規区分"));
}

}  // namespace
}  // namespace customers
