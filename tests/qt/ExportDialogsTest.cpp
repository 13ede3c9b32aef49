// The export dialogs on screen: each fits its Japanese captions, names its controls for screen
// readers, and passes mouse and keyboard input to its model.
#include <QApplication>
#include <QListWidget>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "io/qt/ExportDialogWidgets.h"
#include "qt/GuiTestSupport.h"
#include "settings/SettingsTestSupport.h"
#include "ui/qt/QtUi.h"

namespace io {
namespace {

using gui_test::Button;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;

class ExportDialogsTest : public settings::test::SettingsFolderTest {
 protected:
  ExportDialogsTest() { PlaceColumnSet(); }
  QListWidget* List(QWidget& dialog, const char* caption) { return Find<QListWidget>(dialog, QString::fromUtf8(caption)); }
};

TEST_F(ExportDialogsTest, TheFormatChoiceGoesOnWithTheCheckedFormat) {
  CExportFormatDlg model;
  ExportFormatDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "export-format.png");
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("顧客データ書き出し"));
  EXPECT_TRUE(Find<QRadioButton>(dialog, QString::fromUtf8("EXCEL（2002/2000/97）データ"))->isChecked());
  Find<QRadioButton>(dialog, QString::fromUtf8("ContactXML"))->click();
  QTest::keyClick(&dialog, Qt::Key_Return);  // 次へ is the default button
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.Chosen(), CExportFormatDlg::kContactXml);
}

TEST_F(ExportDialogsTest, TheColumnChoiceMovesAndOrdersColumnsByMouse) {
  CExportColumnDlg model(ui, Install());
  ASSERT_TRUE(model.Open());
  ExportColumnDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  QListWidget* chosen = List(dialog, "書き出す列");
  QListWidget* available = List(dialog, "書き出し可能な列");
  ASSERT_TRUE(chosen && available);
  available->setCurrentRow(1);  // 氏名
  Button(dialog, "書き出す\n←")->click();
  available->setCurrentRow(0);  // お客様コード
  Button(dialog, "書き出す\n←")->click();
  ASSERT_EQ(chosen->count(), 2);
  EXPECT_EQ(chosen->item(0)->text(), QString::fromUtf8("氏名"));
  chosen->setCurrentRow(1);
  Button(dialog, "上へ")->click();
  EXPECT_EQ(chosen->item(0)->text(), QString::fromUtf8("お客様コード"));
  const QPoint first = available->visualItemRect(available->item(0)).center();
  QTest::mouseClick(available->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(available->viewport(), Qt::LeftButton, {}, first);
  EXPECT_EQ(chosen->count(), 3);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "export-columns.png");
  Button(dialog, "全部書き出さない\n →")->click();
  EXPECT_EQ(chosen->count(), 0);
  ui.ExpectMessage(CExportColumnDlg::kNoColumns);
  Button(dialog, "OK")->click();
  EXPECT_FALSE(model.IsClosing());
  Button(dialog, "全部書き出す\n←")->click();
  EXPECT_EQ(available->count(), 0);
  Button(dialog, "OK")->click();
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.Chosen().size(), 63u);
}

TEST_F(ExportDialogsTest, TheHtmlFormChoiceTakesTheHistoryByKeyboard) {
  CHtmlFormatDlg model;
  HtmlFormatDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "export-html-form.png");
  auto* customers = Find<QRadioButton>(dialog, QString::fromUtf8("顧客データ"));
  ASSERT_TRUE(customers->isChecked());
  customers->setFocus();
  QTest::keyClick(customers, Qt::Key_Down);
  EXPECT_TRUE(Find<QRadioButton>(dialog, QString::fromUtf8("顧客データ＋履歴"))->isChecked());
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.Chosen(), CHtmlFormatDlg::kWithHistory);
}

TEST_F(ExportDialogsTest, TheProgressWindowShowsLongWorkAndItsCancelStopsIt) {
  ui::QtUi qt;
  const auto progress = qt.StartProgress("顧客データを書き出しています...", 1000);
  EXPECT_TRUE(progress->Step(10));
  QTest::qWait(400);  // a window appears only for work that lasts
  EXPECT_TRUE(progress->Step(500));
  QProgressDialog* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) window = p;
  }
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->accessibleName(), QString::fromUtf8("顧客データを書き出しています..."));
  ExpectReadable(*window);
  SaveScreenshot(*window, "export-progress.png");
  QAbstractButton* cancel = nullptr;
  for (auto* b : window->findChildren<QAbstractButton*>()) cancel = b;
  ASSERT_NE(cancel, nullptr);
  EXPECT_FALSE(cancel->accessibleName().isEmpty());
  QTest::mouseClick(cancel, Qt::LeftButton);
  QTest::qWait(60);
  EXPECT_FALSE(progress->Step(600));
}

}  // namespace
}  // namespace io
