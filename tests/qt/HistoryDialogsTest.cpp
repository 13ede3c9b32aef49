// The history dialogs on screen, over a real database with realistic entries: each fits its
// Japanese captions, renders the model's mode, and passes clicks and keys to its model.
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "history/HistoryTestSupport.h"
#include "history/qt/RirekiDlgWidget.h"
#include "history/qt/RirekiRefDlgWidget.h"
#include "history/qt/YearSpinBox.h"
#include "qt/GuiTestSupport.h"

namespace history {
namespace {

using gui_test::Button;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;
using records::COleDate;
using records::CRirekiData;

using test::kNow;

class HistoryDialogsTest : public test::HistoryFolderTest {
 protected:
  HistoryDialogsTest() {
    PaintPicture(Data() / "Picture" / "showroom.jpg");
    Store({2026, 11, 20, 16, 45}, "購入", "ソファ（3人掛け）を購入。\n配送は12月5日午前を希望。", "家具", "鈴木　一郎", 128000,
          "showroom.jpg");
    Store({2026, 10, 2, 14, 0}, "問い合わせ", "新作ソファの色違いについて電話で問い合わせ。\nカタログを郵送済み。",
          "商品１", "佐藤　花子", 0, "");
    Store({2026, 9, 15, 7, 30}, "DM", "秋の新作案内を送付。", "", "鈴木　一郎", 1500, "");
    EXPECT_EQ(owner.ShowCustomer(customer), 1);
  }

  static void PaintPicture(const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(235, 228, 210));
    QPainter p(&image);
    p.setBrush(QColor(120, 80, 50));
    p.drawRect(40, 120, 240, 70);
    p.setBrush(QColor(160, 110, 70));
    p.drawRect(40, 90, 240, 40);
    p.end();
    EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "JPG"));
  }
  void Store(records::CivilTime when, const char* summary, const char* details, const char* keyword, const char* staff,
             double money, const char* picture) {
    CRirekiData e;
    e.Date = COleDate::FromCivil(when);
    e.ActionTitle = summary;
    e.Action = details;
    e.Keyword = keyword;
    e.TantouName = staff;
    e.Money = money;
    e.Picture = picture;
    EXPECT_GT(store.AddNewRireki(customer, e, kNow), 0);
  }
  std::unique_ptr<CRirekiDlg> Dialog(RirekiMode mode) {
    auto dialog = std::make_unique<CRirekiDlg>(ui, mode, &owner, Install(), [] { return kNow; });
    dialog->SetCustomer(customer);
    return dialog;
  }
  template <typename T>
  T* Control(QWidget& dialog, const char* caption) {
    return Find<T>(dialog, QString::fromUtf8(caption));
  }

};

TEST_F(HistoryDialogsTest, TheModifyDialogShowsTheEntryAndStepsToTheNext) {
  owner.Select(0);
  auto model = Dialog(RirekiMode::Modify);
  model->LoadEntry(*owner.History()[0]);
  model->SetStepEnabled(false, true);
  RirekiDlgWidget dialog(*model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "history-modify.png");
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("履歴の修正"));
  EXPECT_EQ(Control<QComboBox>(dialog, "時")->currentText(), QStringLiteral("16"));
  EXPECT_EQ(Control<QComboBox>(dialog, "分")->currentText(), QStringLiteral("45"));
  EXPECT_EQ(Control<QComboBox>(dialog, "概要")->currentText(), QString::fromUtf8("購入"));
  EXPECT_EQ(Control<QLineEdit>(dialog, "金額")->text(), QStringLiteral("128000"));
  EXPECT_TRUE(Button(dialog, "修正")->isVisible());
  EXPECT_FALSE(Button(dialog, "前の履歴へ")->isEnabled());
  EXPECT_TRUE(Button(dialog, "削除")->isEnabled());

  Button(dialog, "次の履歴へ")->click();
  Button(dialog, "次の履歴へ")->click();
  EXPECT_EQ(Control<QComboBox>(dialog, "時")->currentText(), QStringLiteral("7"));
  EXPECT_EQ(Control<QComboBox>(dialog, "分")->currentText(), QStringLiteral("30"));
  EXPECT_EQ(Control<QComboBox>(dialog, "概要")->currentText(), QStringLiteral("DM"));
  EXPECT_FALSE(Button(dialog, "次の履歴へ")->isEnabled());
  EXPECT_TRUE(Button(dialog, "前の履歴へ")->isEnabled());
  EXPECT_FALSE(Button(dialog, "削除")->isEnabled());
  EXPECT_EQ(owner.Selection(), 2);
}

TEST_F(HistoryDialogsTest, TheAddDialogRefusesThreeDecimalsWithTheFocusOnTheAmount) {
  auto model = Dialog(RirekiMode::Add);
  RirekiDlgWidget dialog(*model, nullptr);
  ShowAndWait(dialog);
  QApplication::setActiveWindow(&dialog);
  ExpectReadable(dialog);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("履歴を追加"));
  EXPECT_FALSE(Button(dialog, "前の履歴へ")->isVisible());
  EXPECT_EQ(Control<YearSpinBox>(dialog, "日付 年")->text(), QStringLiteral("2026"));
  auto* summary = Control<QComboBox>(dialog, "概要");
  EXPECT_EQ(summary->count(), 7);
  summary->setFocus();
  gui_test::TypeText(summary->lineEdit(), "見積もり依頼");
  auto* details = Control<QPlainTextEdit>(dialog, "詳細");
  details->setFocus();
  gui_test::TypeText(details, "応接セット一式の見積もりを依頼された。");
  auto* amount = Control<QLineEdit>(dialog, "金額");
  amount->setFocus();
  amount->selectAll();
  QTest::keyClicks(amount, "12.345");
  SaveScreenshot(dialog, "history-add.png");
  ui.ExpectMessage(CRirekiDlg::kTooManyDecimals);
  Button(dialog, "追加")->click();
  EXPECT_EQ(QApplication::focusWidget(), amount);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(summary->count(), 8);  // leaving the box registered the new summary
}

TEST_F(HistoryDialogsTest, TheDayListIsRebuiltWhenItDropsDown) {
  auto model = Dialog(RirekiMode::Add);
  RirekiDlgWidget dialog(*model, nullptr);
  ShowAndWait(dialog);
  Control<YearSpinBox>(dialog, "日付 年")->Edit()->setText(QStringLiteral("2000"));
  Control<QComboBox>(dialog, "月")->setCurrentIndex(1);
  auto* day = Control<QComboBox>(dialog, "日");
  day->setCurrentIndex(30);
  day->showPopup();
  EXPECT_EQ(day->count(), 29);
  EXPECT_EQ(day->currentIndex(), 28);
  day->hidePopup();
}

TEST_F(HistoryDialogsTest, EscapeClosesAnUntouchedAddDialogAndTheBulkDialogCancels) {
  auto add = Dialog(RirekiMode::Add);
  RirekiDlgWidget addDialog(*add, nullptr);
  ShowAndWait(addDialog);
  QTest::keyClick(&addDialog, Qt::Key_Escape);
  EXPECT_EQ(addDialog.result(), QDialog::Rejected);
  EXPECT_FALSE(addDialog.isVisible());

  auto bulk = Dialog(RirekiMode::BulkAdd);
  RirekiDlgWidget bulkDialog(*bulk, nullptr);
  ShowAndWait(bulkDialog);
  ExpectReadable(bulkDialog);
  SaveScreenshot(bulkDialog, "history-bulk-add.png");
  EXPECT_EQ(bulkDialog.windowTitle(), QString::fromUtf8("履歴を一括追加"));
  EXPECT_FALSE(Button(bulkDialog, "次の履歴へ")->isVisible());
  Button(bulkDialog, "ｷｬﾝｾﾙ")->click();
  EXPECT_FALSE(bulkDialog.isVisible());
  EXPECT_FALSE(bulk->ClosedWithOk());
}

TEST_F(HistoryDialogsTest, AStoredTextThatOnlyBeginsAListEntryIsShownAndSavedAsStored) {
  // "dm" differs from the summary entry "DM" in case, "商品" begins the keyword entry "商品１".
  Store({2026, 12, 1, 9, 0}, "dm", "年末の案内", "商品", "鈴木　一郎", 0, "");
  ASSERT_EQ(owner.ShowCustomer(customer), 1);
  owner.Select(0);
  ASSERT_EQ(owner.History()[0]->ActionTitle, "dm");
  auto model = Dialog(RirekiMode::Modify);
  model->LoadEntry(*owner.History()[0]);
  RirekiDlgWidget dialog(*model, nullptr);
  ShowAndWait(dialog);
  auto* summary = Control<QComboBox>(dialog, "概要");
  auto* keyword = Control<QComboBox>(dialog, "検索ｷｰﾜｰﾄﾞ");
  EXPECT_EQ(summary->currentText(), QStringLiteral("dm"));
  EXPECT_EQ(summary->currentIndex(), -1);
  EXPECT_EQ(keyword->currentText(), QString::fromUtf8("商品"));
  EXPECT_EQ(keyword->currentIndex(), -1);
  EXPECT_EQ(model->Summary(), "dm");
  EXPECT_EQ(model->Keyword(), "商品");

  // Nothing was changed, so closing asks nothing (an unexpected question fails the test).
  Button(dialog, "閉じる")->click();
  EXPECT_FALSE(dialog.isVisible());
  ASSERT_EQ(owner.ShowCustomer(customer), 1);
  EXPECT_EQ(owner.History()[0]->ActionTitle, "dm");
  EXPECT_EQ(owner.History()[0]->Keyword, "商品");

  // An exact entry is chosen as the item itself.
  owner.Select(1);
  auto bought = Dialog(RirekiMode::Modify);
  bought->LoadEntry(*owner.History()[1]);
  RirekiDlgWidget second(*bought, nullptr);
  EXPECT_EQ(Control<QComboBox>(second, "概要")->currentIndex(), 3);  // 購入
}

TEST_F(HistoryDialogsTest, TheReferenceDialogShowsTheAmountTextAndSteps) {
  owner.Select(1);
  CRirekiRefDlg model(&owner, owner.PictureFolder());
  model.LoadEntry(*owner.History()[1]);
  model.SetStepEnabled(true, true);
  RirekiRefDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("履歴の参照"));
  EXPECT_EQ(Control<QLineEdit>(dialog, "概要")->text(), QString::fromUtf8("問い合わせ"));
  EXPECT_TRUE(Control<QLineEdit>(dialog, "概要")->isReadOnly());
  Button(dialog, "前の履歴へ")->click();
  EXPECT_EQ(Control<QLineEdit>(dialog, "金額")->text(), QStringLiteral("128000"));
  EXPECT_FALSE(Button(dialog, "前の履歴へ")->isEnabled());
  SaveScreenshot(dialog, "history-reference.png");
  Button(dialog, "閉じる")->click();
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace history
