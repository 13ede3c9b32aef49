// The own-company and amount dialogs on screen: Japanese captions in full, every control named,
// digits only in the number boxes, and the keyboard and mouse reaching the models.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "company/AutoText.h"
#include "company/qt/JishaInfoDlgWidget.h"
#include "company/qt/KingakuDlgWidget.h"
#include "platform/InstallLayout.h"
#include "platform/TempFolder.h"
#include "qt/GuiTestSupport.h"
#include "settings/SettingsTestSupport.h"

namespace company {
namespace {

using gui_test::Button;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;

class CompanyDialogsOnScreen : public settings::test::SettingsFolderTest {
 protected:
  QLineEdit* Edit(QWidget& dialog, const char* name) { return Find<QLineEdit>(dialog, QString::fromUtf8(name)); }
  std::string Read(const char* name) const { return ReadAutoText(AutoTextFolder(Install()), name).value_or("<none>"); }
};

TEST_F(CompanyDialogsOnScreen, TheOwnCompanyDialogTakesTypedDetailsAndWritesThemOnOk) {
  CJishaInfoDlg model(ui, Install());
  model.Open();
  JishaInfoDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("自社情報設定"));
  QLineEdit* company = Edit(dialog, "会社名");
  company->setFocus();
  gui_test::TypeText(company, "ｻｸﾗﾃﾞｻﾞｲﾝ株式会社");
  QLineEdit* zip1 = Edit(dialog, "〒 上3桁");
  zip1->setFocus();
  QTest::keyClicks(zip1, "12a34");  // letters refused, three digits at most
  EXPECT_EQ(zip1->text(), QStringLiteral("123"));
  QLineEdit* zip2 = Edit(dialog, "〒 下4桁");
  QTest::keyClicks(zip2, "4567");
  gui_test::TypeText(Edit(dialog, "住所/所在地"), "東京都港区芝公園4－2－8 ｻｸﾗﾋﾞﾙ5F");
  QTest::keyClicks(Edit(dialog, "TEL 市外局番"), "03");
  QTest::keyClicks(Edit(dialog, "TEL 市内局番"), "1234");
  QTest::keyClicks(Edit(dialog, "TEL 加入者番号"), "5678");
  SaveScreenshot(dialog, "own-company.png");
  QTest::keyClick(Edit(dialog, "TEL 加入者番号"), Qt::Key_Return);  // OK is the default
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Read("COM.AUT"), "ｻｸﾗﾃﾞｻﾞｲﾝ株式会社");
  EXPECT_EQ(Read("ZIPHIFN.AUT"), "123-4567");
  EXPECT_EQ(Read("TATEADD.AUT"), "東京都港区芝公園四-二-八 サクラビル五Ｆ");
  EXPECT_EQ(Read("TATETEL.AUT"), "〇三-一二三四-五六七八");
}

TEST_F(CompanyDialogsOnScreen, ChoosingAnotherSetShowsItsBoxesAndItCanBeSwappedToTheFirst) {
  CJishaInfoDlg model(ui, Install());
  model.Open();
  model.SetText(JishaBox::Company, "本社");
  JishaInfoDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  QAbstractButton* swap = Button(dialog, "使用者１と入れ替え");
  EXPECT_FALSE(swap->isEnabled());
  auto* sets = dialog.findChild<QComboBox*>();
  ASSERT_NE(sets, nullptr);
  ASSERT_EQ(sets->count(), 5);
  EXPECT_EQ(sets->itemText(4), QString::fromUtf8("使用者５"));
  sets->setFocus();
  QTest::keyClick(sets, Qt::Key_Down);
  EXPECT_EQ(model.ShownSet(), 1);
  EXPECT_TRUE(Edit(dialog, "会社名")->text().isEmpty());
  QTest::keyClicks(Edit(dialog, "会社名"), "Branch");
  swap->click();
  EXPECT_EQ(sets->currentIndex(), 0);
  EXPECT_EQ(Edit(dialog, "会社名")->text(), QStringLiteral("Branch"));
  SaveScreenshot(dialog, "own-company-sets.png");
}

TEST_F(CompanyDialogsOnScreen, OnTheFirstRunTheDialogStandsInTheMiddleOfTheScreen) {
  testing_support::WriteBytes(platform::FirstRunMarkerFile(Install()), "");
  CJishaInfoDlg model(ui, Install());
  model.Open();
  JishaInfoDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  const QPoint middle = dialog.screen()->availableGeometry().center();
  EXPECT_LE((dialog.frameGeometry().center() - middle).manhattanLength(), 4);
}

TEST_F(CompanyDialogsOnScreen, TheAmountDialogChoosesTheMethodByMouseAndTheRateByKeyboard) {
  CKingakuDlg model(ui, Install());
  model.Open();
  KingakuDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "amount-calculation.png");
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("金額計算設定"));
  EXPECT_TRUE(Button(dialog, "切り捨て")->isChecked());
  QLineEdit* rate = Edit(dialog, "消費税率を指定してください。");
  EXPECT_EQ(rate->text(), QStringLiteral("5"));
  QAbstractButton* halfUp = Button(dialog, "四捨五入");
  QTest::mouseClick(halfUp, Qt::LeftButton, {}, QPoint(8, halfUp->height() / 2));  // on its mark
  EXPECT_TRUE(halfUp->isChecked());
  rate->setFocus();
  rate->selectAll();
  gui_test::TypeText(rate, "８％");  // two bytes each: the second does not fit
  EXPECT_EQ(rate->text(), QString::fromUtf8("８"));
  QTest::keyClick(rate, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(Read("SHOUHI.AUT"), "F");
  EXPECT_EQ(Read("TAX.AUT"), "8");
}

}  // namespace
}  // namespace company
