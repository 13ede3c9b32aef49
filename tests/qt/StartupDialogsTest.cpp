// The password dialogs render their models, carry accessible captions and pass what is typed.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/qt/AboutDlgWidget.h"
#include "app/qt/PassCheckDlgWidget.h"
#include "app/qt/PassSetDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "ui/ScriptedUi.h"

namespace {

using gui_test::Button;
using gui_test::SaveScreenshot;

TEST(PasswordDialogs, CheckDialogPassesTheTypedPasswordToItsModel) {
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  platform::CPassCheckDlg model(ui, [](std::string_view p) { return p == "秘密"; });
  app::PassCheckDlgWidget dialog(model, nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto fields = dialog.findChildren<QLineEdit*>();
  ASSERT_EQ(fields.size(), 1);
  EXPECT_EQ(fields[0]->accessibleName(), QString::fromUtf8("パスワードを入力してください。"));
  fields[0]->setText(QString::fromUtf8("秘密"));
  SaveScreenshot(dialog, "password-check.png");
  QAbstractButton* ok = Button(dialog, "OK");
  ASSERT_NE(ok, nullptr);
  ok->click();
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PasswordDialogs, SetDialogShowsEveryFieldWithItsCaption) {
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  ui.ExpectMessage(platform::CPassSetDlg::kMismatchMessage);
  platform::CPassSetDlg model(ui, false, [](std::string_view) { return false; });
  app::PassSetDlgWidget dialog(model, nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto fields = dialog.findChildren<QLineEdit*>();
  ASSERT_EQ(fields.size(), 3);
  EXPECT_FALSE(fields[0]->isEnabled());
  fields[1]->setText("abc");
  fields[2]->setText("abd");
  SaveScreenshot(dialog, "password-set.png");
  Button(dialog, "OK")->click();
  EXPECT_FALSE(model.IsClosing());
  EXPECT_TRUE(fields[1]->text().isEmpty()) << "the view shows the fields the model emptied";
  Button(dialog, "キャンセル")->click();
  EXPECT_TRUE(model.IsClosing());
  EXPECT_FALSE(model.ClosedWithOk());
}

}  // namespace

namespace {

TEST(AboutBox, ShowsTheVersionAndClosesWithOk) {
  shell::CAboutDlg model(123);
  app::AboutDlgWidget dialog(model, nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  SaveScreenshot(dialog, "about.png");
  Button(dialog, "OK")->click();
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.Text(), "顧客ソレル\nVersion 1.23");
}

}  // namespace
