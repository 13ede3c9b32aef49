// Qt's own texts speak Japanese like the rest of the program: the file dialog, the edit menu of
// every text field, the standard buttons of the program's dialogs and message boxes.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "qt/GuiTestSupport.h"
#include "ui/qt/ApplicationSetup.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace {

QStringList Texts(const QList<QAction*>& actions) {
  QStringList texts;
  for (QAction* a : actions) {
    if (!a->isSeparator()) texts << a->text();
  }
  return texts;
}

// Every text of the file dialog's labels and buttons, as shown.
QStringList Texts(QWidget& dialog) {
  QStringList texts;
  for (auto* l : dialog.findChildren<QLabel*>()) texts << l->text();
  for (auto* b : dialog.findChildren<QAbstractButton*>()) texts << b->text();
  return texts;
}

TEST(QtJapanese, TheFileDialogSpeaksJapanese) {
  QFileDialog dialog(nullptr, QString::fromUtf8("画像の選択"), QDir::tempPath(), QString::fromUtf8("jpg ﾌｧｲﾙ (*.jpg)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const QStringList texts = Texts(dialog);
  for (const char* english : {"Look in:", "File name:", "Files of type:", "&Open", "Open", "Cancel"}) {
    EXPECT_FALSE(texts.contains(QString::fromUtf8(english))) << english << " in " << texts.join(" | ").toStdString();
  }
  const QString all = texts.join(QLatin1Char('|'));
  for (const char* japanese : {"ファイル名", "キャンセル", "開く"}) {
    EXPECT_TRUE(all.contains(QString::fromUtf8(japanese))) << japanese << " not in " << all.toStdString();
  }
  gui_test::SaveScreenshot(dialog, "file-dialog.png");
  dialog.close();
}

TEST(QtJapanese, EveryTextFieldsMenuSpeaksJapanese) {
  QLineEdit edit;
  edit.setText(QString::fromUtf8("山田　太郎"));
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  const QString all = Texts(menu->actions()).join(QLatin1Char('|'));
  for (const char* japanese : {"元に戻す", "やり直す", "切り取り", "コピー", "貼り付け", "削除", "すべてを選択"}) {
    EXPECT_TRUE(all.contains(QString::fromUtf8(japanese))) << japanese << " not in " << all.toStdString();
  }
  for (const char* english : {"Undo", "Cut", "Copy", "Paste", "Select All"}) {
    EXPECT_FALSE(all.contains(QString::fromUtf8(english))) << english;
  }
}

TEST(QtJapanese, StandardButtonsReadAsTheTranslationSaysAndAreNamedWithoutTheirMnemonic) {
  QDialog dialog;
  QDialogButtonBox* buttons = ui::OkCancelButtons(&dialog, [] {});
  const QString cancel = buttons->button(QDialogButtonBox::Cancel)->text();
  EXPECT_EQ(cancel, QString::fromUtf8("キャンセル"));
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->accessibleName(), QString::fromUtf8("キャンセル"));
  // A dialog that names its cancel button keeps that name.
  QDialogButtonBox* named = ui::OkCancelButtons(&dialog, [] {}, "ｷｬﾝｾﾙ");
  EXPECT_EQ(named->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));

  // A question of the program: its buttons as in every other message box of the desktop.
  ui::QtUi qtUi;
  QStringList seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* b : box->buttons()) seen << b->accessibleName();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(qtUi.Message("顧客を追加します。よろしいですか？", ui::Buttons::YesNoCancel, ui::Icon::Question, ui::Answer::Yes),
            ui::Answer::No);
  seen.sort();
  EXPECT_TRUE(seen.contains(QString::fromUtf8("はい"))) << seen.join(" ").toStdString();
  EXPECT_TRUE(seen.contains(QString::fromUtf8("いいえ"))) << seen.join(" ").toStdString();
  EXPECT_TRUE(seen.contains(QString::fromUtf8("キャンセル"))) << seen.join(" ").toStdString();
}

TEST(QtJapanese, WindowTitlesAreTheProgramsOwn) {
  // The desktop names the program by its desktop file; no display name is appended to titles.
  EXPECT_EQ(QGuiApplication::desktopFileName(), QString::fromUtf8(ui::kDesktopFileName));
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
}

}  // namespace
