// "メーラーを起動" on screen: captions in full, the subject typed and refused when too long with
// the focus back on it, and the history box fixed when the caller says so.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "dm/qt/MailerDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "ui/ScriptedUi.h"

namespace dm {
namespace {

using gui_test::ExpectReadable;
using gui_test::Find;

TEST(MailerDlgOnScreen, TheSubjectIsTypedAndATooLongOneIsSentBackToIt) {
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  CMailerDlg model(ui, true, true);
  MailerDlgWidget dialog(model, nullptr);
  gui_test::ShowAndWait(dialog);
  ExpectReadable(dialog);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("メーラーを起動"));
  auto* subject = Find<QLineEdit>(dialog, QString::fromUtf8("件名："));
  ASSERT_NE(subject, nullptr);
  EXPECT_TRUE(subject->hasFocus());
  gui_test::TypeText(subject, "年末年始の営業のご案内");
  gui_test::SaveScreenshot(dialog, "mail-launcher.png");
  subject->setText(QString(257, QChar('a')));
  ui.ExpectMessage(CMailerDlg::kSubjectTooLong);
  QTest::keyClick(subject, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(subject->hasFocus());
  subject->setText(QString::fromUtf8("ご案内"));
  Find<QCheckBox>(dialog, QString::fromUtf8("履歴に登録する"))->click();
  QTest::keyClick(subject, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(model.Subject(), "ご案内");
  EXPECT_FALSE(model.History());
}

TEST(MailerDlgOnScreen, TheHistoryBoxStaysAsTheCallerFixedIt) {
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  CMailerDlg model(ui, true, false);
  MailerDlgWidget dialog(model, nullptr);
  gui_test::ShowAndWait(dialog);
  auto* history = Find<QCheckBox>(dialog, QString::fromUtf8("履歴に登録する"));
  ASSERT_NE(history, nullptr);
  EXPECT_TRUE(history->isChecked());
  EXPECT_FALSE(history->isEnabled());
  EXPECT_NE(Find<QAbstractButton>(dialog, QString::fromUtf8("メーラー起動")), nullptr);
  EXPECT_NE(Find<QAbstractButton>(dialog, QString::fromUtf8("ｷｬﾝｾﾙ")), nullptr);
}

}  // namespace
}  // namespace dm
