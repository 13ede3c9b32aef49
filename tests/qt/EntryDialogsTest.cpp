// The customer entry dialogs on screen over a real database: each card type lays out its
// Japanese captions without cutting them, shows the fixed lists, renders the mode, and passes
// clicks and keys to its model.
#include <QApplication>
#include <QInputMethodEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "customers/CKokyakuCompanyDlg.h"
#include "customers/CKokyakuDocOwner.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuPersonDlg.h"
#include "customers/CKokyakuPictureDlg.h"
#include "customers/CKokyakuSubDlg.h"
#include "customers/qt/KokyakuDlgWidget.h"
#include "customers/qt/KokyakuPictureDlgWidget.h"
#include "customers/qt/KokyakuSubDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "shell/CTovanaDoc.h"
#include "shell/DocumentTestSupport.h"

namespace customers {
namespace {

using gui_test::Button;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;
using records::CKokyaku;

class EntryDialogsTest : public shell::test::DocumentFolderTest {
 protected:
  EntryDialogsTest() {
    auto k = std::make_unique<CKokyaku>();
    k->CustomerID = "K-0001";
    k->Name = "山田　太郎";
    k->Yomi = "ﾔﾏﾀﾞ ﾀﾛｳ";
    k->Suffix = "様";
    k->EntryType = 1;
    k->Zip_Home = "100-0001";
    k->Add1_Home = "東京都";
    k->Add2_Home = "千代田区";
    k->Add3_Home = "千代田１－１";
    k->TEL_Home = "03-1234-5678";
    k->EMail1 = "yamada@example.jp";
    k->CommonMail = 1;
    k->CompName = "株式会社　青葉商事";
    k->ClosingDay = 99;
    k->ColorMark = 0x0099FF;
    k->ImportantRanking = "VIP";
    k->BirthDay = records::COleDate::FromCivil(1975, 4, 12);
    customer = doc.AddCustomer(k);
    EXPECT_GT(customer, 0);
  }
  template <typename T>
  T* Control(QWidget& dialog, const char* caption) {
    return Find<T>(dialog, QString::fromUtf8(caption));
  }

  CKokyakuDocOwner owner{doc, nullptr};
  std::int32_t customer = 0;
};

TEST_F(EntryDialogsTest, TheNormalCardShowsTheCustomerWithItsListsAndMarks) {
  CKokyakuNormalDlg model(ui, KokyakuMode::Modify, &owner, Install());
  const auto place = owner.SelectKokyaku(customer);
  model.SetSource(&place->customer);
  model.SetStepEnabled(false, false);
  KokyakuDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "entry-normal-modify.png");
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("顧客を修正－通常タイプ"));
  EXPECT_EQ(Control<QLineEdit>(dialog, "氏名")->text(), QString::fromUtf8("山田　太郎"));
  EXPECT_EQ(Control<QComboBox>(dialog, "個人/法人")->currentText(), QString::fromUtf8("個人"));
  EXPECT_EQ(Control<QComboBox>(dialog, "ｶﾗｰ")->currentText(), QString::fromUtf8("ｺﾞｰﾙﾄﾞ"));
  EXPECT_EQ(Control<QComboBox>(dialog, "ｶﾗｰ")->count(), 7);
  EXPECT_EQ(Control<QComboBox>(dialog, "重要度")->currentText(), QStringLiteral("VIP"));
  EXPECT_EQ(Control<QLineEdit>(dialog, "生年月日")->text(), QStringLiteral("1975/04/12"));
  EXPECT_EQ(Control<QLineEdit>(dialog, "会社 URL")->text(), QStringLiteral("http://"));
  auto* prefectures = Control<QComboBox>(dialog, "自宅 都道府県");
  ASSERT_EQ(prefectures->count(), 47);
  EXPECT_EQ(prefectures->itemText(46), QString::fromUtf8("沖縄県"));
  EXPECT_TRUE(Control<QAbstractButton>(dialog, "標準ﾒｰﾙ 1")->isChecked());
  EXPECT_TRUE(Button(dialog, "修正")->isVisible());
  EXPECT_FALSE(Button(dialog, "次へ")->isEnabled());
  // An unchanged customer closes on Esc without a question.
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(EntryDialogsTest, TheCompanyCardShowsTheClosingDayAndRefusesOverLongTextWithTheFocusOnIt) {
  CKokyakuCompanyDlg model(ui, KokyakuMode::Add, &owner, Install());
  const auto place = owner.SelectKokyaku(customer);
  model.SetSource(&place->customer);
  KokyakuDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  QApplication::setActiveWindow(&dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "entry-company-add.png");
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("顧客を追加－法人タイプ"));
  EXPECT_EQ(Control<QComboBox>(dialog, "締日")->currentText(), QString::fromUtf8("99(末)"));
  EXPECT_FALSE(Button(dialog, "前へ")->isVisible());
  EXPECT_TRUE(Button(dialog, "個人情報...")->isVisible());

  auto* section = Control<QLineEdit>(dialog, "部署");
  section->setFocus();
  gui_test::TypeText(section, "営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部営業部");
  auto* name = Control<QLineEdit>(dialog, "氏名");
  name->setFocus();
  QTest::keyClick(name, Qt::Key_Return);  // Enter moves on, it does not save
  EXPECT_NE(QApplication::focusWidget(), name);
  ui.ExpectMessage("100文字(ﾊﾞｲﾄ)以内で入力してください");
  Button(dialog, "追加")->click();
  EXPECT_EQ(QApplication::focusWidget(), section);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(doc.Customers().size(), 1u);
}

TEST_F(EntryDialogsTest, ThePersonCardAddsAndComesBackBlank) {
  CKokyakuPersonDlg model(ui, KokyakuMode::Add, &owner, Install());
  KokyakuDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("顧客を追加－個人タイプ"));
  EXPECT_EQ(Control<QComboBox>(dialog, "敬称")->currentText(), QString::fromUtf8("様"));
  EXPECT_EQ(Control<QComboBox>(dialog, "ｶﾗｰ")->currentText(), QString::fromUtf8("なし"));
  Control<QComboBox>(dialog, "個人/法人")->setCurrentIndex(1);
  auto* name = Control<QLineEdit>(dialog, "氏名");
  name->setFocus();
  gui_test::TypeText(name, "佐藤　花子");
  auto* yomi = Control<QLineEdit>(dialog, "ﾌﾘｶﾞﾅ");
  yomi->setFocus();
  EXPECT_EQ(yomi->property("imeMode").toString(), QStringLiteral("halfKatakana"));
  yomi->setText(QString::fromUtf8("ｻﾄｳ ﾊﾅｺ"));  // as assistive technology enters text
  SaveScreenshot(dialog, "entry-person-add.png");
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, ui::Answer::Yes);
  Button(dialog, "追加")->click();
  EXPECT_EQ(name->text(), QString());
  EXPECT_EQ(Control<QLineEdit>(dialog, "自宅 URL")->text(), QStringLiteral("http://"));
  ASSERT_EQ(doc.Customers().size(), 2u);
  EXPECT_EQ(doc.Customers()[0]->Name, "佐藤　花子");
  EXPECT_EQ(doc.Customers()[0]->Yomi, "ｻﾄｳ ﾊﾅｺ");
}

// What an input method sends while a word is typed: the composition shown, then the text handed over.
void Compose(QWidget* field, const char* preedit) {
  QInputMethodEvent event(QString::fromUtf8(preedit), {});
  QApplication::sendEvent(field, &event);
}
void HandOver(QWidget* field, const char* text) {
  QInputMethodEvent event;
  event.setCommitString(QString::fromUtf8(text));
  QApplication::sendEvent(field, &event);
}

TEST_F(EntryDialogsTest, ANameTypedThroughTheInputMethodFillsItsFuriganaAndKanaTypedThereBecomeHalfWidth) {
  CKokyakuNormalDlg model(ui, KokyakuMode::Add, &owner, Install());
  KokyakuDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  QApplication::setActiveWindow(&dialog);
  auto* name = Control<QLineEdit>(dialog, "氏名");
  auto* yomi = Control<QLineEdit>(dialog, "ﾌﾘｶﾞﾅ");
  auto* company = Control<QLineEdit>(dialog, "会社名");
  auto* companyYomi = Control<QLineEdit>(dialog, "会社名 ﾌﾘｶﾞﾅ");
  ASSERT_TRUE(name && yomi && company && companyYomi);

  name->setFocus();
  for (const char* typed : {"や", "やま", "やまd", "やまだ", "山田"}) Compose(name, typed);
  HandOver(name, "山田");
  for (const char* typed : {"た", "たろう", "太郎"}) Compose(name, typed);
  HandOver(name, "太郎");
  EXPECT_EQ(name->text(), QString::fromUtf8("山田太郎"));
  EXPECT_EQ(yomi->text(), QString::fromUtf8("ﾔﾏﾀﾞﾀﾛｳ"));

  company->setFocus();
  Compose(company, "あおばしょうじ");
  Compose(company, "青葉商事");
  HandOver(company, "青葉商事");
  EXPECT_EQ(companyYomi->text(), QString::fromUtf8("ｱｵﾊﾞｼｮｳｼﾞ"));

  // The person writes the reading in hiragana themselves; leaving the field makes it half width,
  // and so does Enter, which moves on.
  companyYomi->setFocus();
  companyYomi->clear();
  HandOver(companyYomi, "あおば　しょうじ");
  name->setFocus();
  EXPECT_EQ(companyYomi->text(), QString::fromUtf8("ｱｵﾊﾞ ｼｮｳｼﾞ"));
  yomi->setFocus();
  yomi->clear();
  HandOver(yomi, "ヤマダ　たろう");
  QTest::keyClick(yomi, Qt::Key_Return);
  EXPECT_EQ(yomi->text(), QString::fromUtf8("ﾔﾏﾀﾞ ﾀﾛｳ"));
  SaveScreenshot(dialog, "entry-furigana.png");

  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, ui::Answer::Yes);
  Button(dialog, "追加")->click();
  ASSERT_EQ(doc.Customers().size(), 2u);
  EXPECT_EQ(doc.Customers()[0]->Name, "山田太郎");
  EXPECT_EQ(doc.Customers()[0]->Yomi, "ﾔﾏﾀﾞ ﾀﾛｳ");
  EXPECT_EQ(doc.Customers()[0]->CompYomi, "ｱｵﾊﾞ ｼｮｳｼﾞ");
}

TEST_F(EntryDialogsTest, TheSubDialogsFitTheirCaptionsAndTheViewOnlyOnesOnlyClose) {
  CKokyakuForm page;
  const auto place = owner.SelectKokyaku(customer);
  page.Show(place->customer);
  for (const auto& [kind, file] : {std::pair{SubKind::Notes, "entry-notes.png"},
                                   {SubKind::CompanyInfo, "entry-company-info.png"},
                                   {SubKind::HomeInfo, "entry-home-info.png"},
                                   {SubKind::CompanyDetails, "entry-company-details.png"}}) {
    CKokyakuSubDlg model(ui, kind, page, nullptr, Install());
    KokyakuSubDlgWidget dialog(model, nullptr);
    ShowAndWait(dialog);
    ExpectReadable(dialog);
    SaveScreenshot(dialog, file);
  }
  CKokyakuForm viewOnly(true);
  viewOnly.Show(place->customer);
  CKokyakuSubDlg model(ui, SubKind::Notes, viewOnly, nullptr, Install());
  KokyakuSubDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("備考を参照(修正することはできません)"));
  EXPECT_FALSE(Button(dialog, "OK")->isEnabled());
  EXPECT_TRUE(Control<QLineEdit>(dialog, "備考１")->isReadOnly());
  Button(dialog, "閉じる")->click();
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(EntryDialogsTest, ThePictureDialogPreviewsJpegAndBmpAndSaysWhenAPictureIsTooLarge) {
  std::filesystem::create_directories(Data() / "Picture");
  QImage image(160, 120, QImage::Format_RGB32);
  image.fill(QColor(200, 220, 240));
  QPainter p(&image);
  p.setBrush(QColor(60, 120, 60));
  p.drawEllipse(30, 20, 100, 80);
  p.end();
  ASSERT_TRUE(image.save(QString::fromStdString((Data() / "Picture" / "shop.jpg").string()), "JPG"));
  ASSERT_TRUE(image.save(QString::fromStdString((Data() / "Picture" / "map.bmp").string()), "BMP"));
  // A bitmap whose header claims 16000 x 16000 pixels: far more than a picture may take.
  QByteArray huge;
  {
    std::ifstream in(Data() / "Picture" / "map.bmp", std::ios::binary);
    huge = QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  const qint32 side = 16000;
  std::memcpy(huge.data() + 18, &side, 4);
  std::memcpy(huge.data() + 22, &side, 4);
  std::ofstream(Data() / "Picture" / "huge.bmp", std::ios::binary).write(huge.constData(), huge.size());

  CKokyakuForm page;
  CKokyaku k;
  k.Picture1 = "shop.jpg";
  k.Picture2 = "map.bmp";
  page.Show(k);
  CKokyakuPictureDlg model(ui, page, Data() / "Picture", Install());
  KokyakuPictureDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "entry-pictures.png");
  const auto named = [&](int slot, const char* what) { return QString::fromStdString(model.Caption(slot) + what); };
  for (int slot : {0, 1}) {
    auto* preview = Find<QLabel>(dialog, named(slot, " プレビュー"));
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->pixmap().isNull());
  }
  EXPECT_FALSE(Find<QAbstractButton>(dialog, named(2, " 削除"))->isEnabled());
  ui.ExpectOpenFile(Data() / "Picture" / "huge.bmp").ExpectMessage(CKokyakuPictureDlg::kTooLarge);
  Find<QAbstractButton>(dialog, named(2, " 登録..."))->click();
  EXPECT_TRUE(Find<QAbstractButton>(dialog, named(2, " 削除"))->isEnabled());
  EXPECT_TRUE(Find<QLabel>(dialog, named(2, " プレビュー"))->pixmap().isNull());
}

}  // namespace
}  // namespace customers
