// The maintenance dialogs on screen: Japanese captions in full, every control named, and typed
// values reaching the models.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include "maintenance/qt/BackupFolderDlgWidget.h"
#include "maintenance/qt/CompactDlgWidget.h"
#include "maintenance/qt/DataFolderDlgWidget.h"
#include "maintenance/qt/RirekiDeleteDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "settings/SettingsTestSupport.h"
#include "ui/qt/QtUi.h"

namespace maintenance {
namespace {

using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;

class MaintenanceDialogsOnScreen : public settings::test::SettingsFolderTest {};

TEST_F(MaintenanceDialogsOnScreen, HistoryDeletionTakesTheTypedFolderAndDate) {
  CRirekiDeleteDlg model(ui, records::COleDate::FromCivil(2026, 12, 9));
  RirekiDeleteDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "history-deletion.png");
  auto* month = Find<QLineEdit>(dialog, QString::fromUtf8(CRirekiDeleteDlg::kMonthCaption));
  ASSERT_NE(month, nullptr);
  EXPECT_EQ(month->text(), "12");
  month->selectAll();
  QTest::keyClicks(month, "13");
  Find<QLineEdit>(dialog, QString::fromUtf8(CRirekiDeleteDlg::kFolderCaption))->setText(QString::fromStdString((temp / "h").string()));
  ui.ExpectMessage("指定されたフォルダは存在しません。\nフォルダを作成しますか？", ui::Answer::Yes);
  ui.ExpectMessage(CRirekiDeleteDlg::kBadMonth);
  QTest::mouseClick(Find(dialog, "OK"), Qt::LeftButton);
  EXPECT_EQ(model.Month(), "13");
  EXPECT_TRUE(month->hasFocus() || !dialog.isActiveWindow());
}

TEST_F(MaintenanceDialogsOnScreen, TheOtherDialogsShowTheirCaptionsWhole) {
  CBackupFolderDlg backup(ui);
  BackupFolderDlgWidget backupView(backup, nullptr);
  ShowAndWait(backupView);
  ExpectReadable(backupView);
  SaveScreenshot(backupView, "backup-folder.png");

  CDataFolderDlg folder(ui, Data());
  DataFolderDlgWidget folderView(folder, nullptr);
  ShowAndWait(folderView);
  ExpectReadable(folderView);
  SaveScreenshot(folderView, "data-folder.png");
  auto* copy = Find<QRadioButton>(folderView, QString::fromUtf8(CDataFolderDlg::ChoiceCaption(CDataFolderDlg::kCopy)));
  ASSERT_NE(copy, nullptr);
  copy->click();
  ui.ExpectMessage(CDataFolderDlg::kNoFolder);
  QTest::mouseClick(Find(folderView, "OK"), Qt::LeftButton);
  EXPECT_EQ(folder.GetChoice(), CDataFolderDlg::kCopy);

  CCompactDlg compact(ui, Data(), records::COleDate::FromCivil(2026, 12, 9));
  CompactDlgWidget compactView(compact, nullptr);
  ShowAndWait(compactView);
  ExpectReadable(compactView);
  SaveScreenshot(compactView, "optimise.png");
}

TEST_F(MaintenanceDialogsOnScreen, ABackupsProgressWindowNamesTheFileBeingWritten) {
  ui::QtUi qt;
  const auto progress = qt.StartProgress("処理中です。しばらくお待ちください...", 0);
  EXPECT_TRUE(progress->Report("/media/usb に ZQQMV.qmv を書き込んでいます", 1 << 20, std::int64_t{3} << 32));
  QTest::qWait(400);  // a window appears only for work that lasts
  EXPECT_TRUE(progress->Report("/media/usb に Picture を書き込んでいます", std::int64_t{2} << 32, std::int64_t{3} << 32));
  QProgressDialog* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) window = p;
  }
  ASSERT_NE(window, nullptr);
  EXPECT_NE(Find<QLabel>(*window, QString::fromUtf8("/media/usb に Picture を書き込んでいます")), nullptr);
  EXPECT_EQ(window->value(), 666) << "twelve gigabytes of backup fit the bar";
  ExpectReadable(*window);
  SaveScreenshot(*window, "backup-progress.png");
}

}  // namespace
}  // namespace maintenance
