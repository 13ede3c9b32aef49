// The entry dialogs as an office worker meets them on a 1366×768 laptop: the whole dialog with
// its buttons on the screen, Tab through the fields in the order they are read, the 御中 change
// shown while the next question is asked, the cursor back on お客様ｺｰﾄﾞ for the next customer;
// and the history dialog refusing a year out of range with a message, keeping what was typed.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

#include "shell/CTovanaDoc.h"
#include "shell/DocumentTestSupport.h"
#include "customers/CKokyakuCompanyDlg.h"
#include "customers/CKokyakuDocOwner.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuPersonDlg.h"
#include "customers/SampleCustomers.h"
#include "customers/qt/KokyakuDlgWidget.h"
#include "history/CRirekiListOwner.h"
#include "history/qt/RirekiDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "qt/TabOrder.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/SettingsTestSupport.h"
#include "ui/qt/ScreenFit.h"

namespace customers {
namespace {

using gui_test::Button;
using gui_test::Find;
using ui::Answer;

// Passes everything to the scripted Ui, and lets the test look at the screen whenever a
// message is asked.
class WatchingUi : public ui::Ui {
 public:
  WatchingUi(ui::Ui& inner, std::function<void(std::string_view)> onMessage)
      : inner_(inner), onMessage_(std::move(onMessage)) {}
  ui::Answer Message(std::string_view text, ui::Buttons b, ui::Icon i, ui::Answer d) override {
    onMessage_(text);
    return inner_.Message(text, b, i, d);
  }
  std::optional<std::filesystem::path> ChooseFolder(std::string_view t, const std::filesystem::path& s) override {
    return inner_.ChooseFolder(t, s);
  }
  std::optional<std::filesystem::path> OpenFile(std::string_view t, std::string_view f,
                                                const std::filesystem::path& s) override {
    return inner_.OpenFile(t, f, s);
  }
  std::optional<std::filesystem::path> SaveFile(std::string_view t, std::string_view f,
                                                const std::filesystem::path& s) override {
    return inner_.SaveFile(t, f, s);
  }
  bool Run(ui::CDialogModel& nested) override { return inner_.Run(nested); }
  ui::WaitScope Wait(bool window) override { return inner_.Wait(window); }

 private:
  ui::Ui& inner_;
  std::function<void(std::string_view)> onMessage_;
};

class EntryOnALaptop : public shell::test::DocumentFolderTest {
 protected:
  EntryOnALaptop() {
    auto k = std::make_unique<records::CKokyaku>(test::SampleCustomer(6));
    k->EMail1 = "watanabe@example.jp";
    k->CompName = "株式会社　渡辺製作所";
    k->Note1 = "毎年春に新作カタログを送付";
    EXPECT_GT(doc.AddCustomer(k), 0);
  }
  ~EntryOnALaptop() override { doc.Store().SaveQMV(true); }

  CKokyakuDocOwner owner{doc, nullptr};
};

TEST_F(EntryOnALaptop, EveryCardTypeFitsTheScreenWithItsButtonsAndTabsInReadingOrder) {
  const std::pair<CardKind, const char*> kinds[] = {
      {CardKind::Normal, "entry-normal-laptop.png"}, {CardKind::Person, "entry-person-laptop.png"},
      {CardKind::Company, "entry-company-laptop.png"}};
  for (const auto& [kind, file] : kinds) {
    std::unique_ptr<CKokyakuDlg> model;
    if (kind == CardKind::Normal) model = std::make_unique<CKokyakuNormalDlg>(ui, KokyakuMode::Modify, &owner, Install());
    if (kind == CardKind::Person) model = std::make_unique<CKokyakuPersonDlg>(ui, KokyakuMode::Modify, &owner, Install());
    if (kind == CardKind::Company) model = std::make_unique<CKokyakuCompanyDlg>(ui, KokyakuMode::Modify, &owner, Install());
    model->SetSource(doc.Customers().front().get());
    KokyakuDlgWidget dialog(*model, nullptr);
    gui_test::ShowAndWait(dialog);
    // On the laptop it gets at most the room the screen has below the title bar.
    const QSize room = ui::kSmallestScreen - ui::kWindowFrame;
    const QSize least = dialog.minimumSizeHint().expandedTo(dialog.minimumSize());
    EXPECT_TRUE(least.width() <= room.width() && least.height() <= room.height())
        << file << ": needs " << least.width() << "x" << least.height();
    dialog.resize(dialog.size().boundedTo(room));
    QApplication::processEvents();
    for (const char* caption : {"修正", "閉じる", "前へ", "次へ", "さらに備考...", "写真..."}) {
      QAbstractButton* b = Button(dialog, caption);
      ASSERT_NE(b, nullptr);
      EXPECT_TRUE(dialog.rect().contains(gui_test::On(dialog, b))) << file << ": " << caption;
    }
    gui_test::ExpectReadable(dialog);
    gui_test::ExpectTabOrderFollowsTheLayout(dialog);
    gui_test::SaveScreenshot(dialog, file);
    dialog.close();
  }
}

TEST_F(EntryOnALaptop, TheHonorificShowsItsChangeWhileTheNextQuestionIsAskedAndTypingStartsAtTheCodeAgain) {
  QString shownWhenAsked;
  KokyakuDlgWidget* shown = nullptr;
  WatchingUi watching(ui, [&](std::string_view text) {
    if (text == CKokyakuDlg::kAddQuestion && shown) shownWhenAsked = Find<QComboBox>(*shown, QString::fromUtf8("敬称"))->currentText();
  });
  CKokyakuNormalDlg model(watching, KokyakuMode::Add, &owner, Install());
  KokyakuDlgWidget dialog(model, nullptr);
  shown = &dialog;
  gui_test::ShowAndWait(dialog);
  QApplication::setActiveWindow(&dialog);
  Find<QComboBox>(dialog, QString::fromUtf8("個人/法人"))->setCurrentIndex(0);
  Find<QLineEdit>(dialog, QString::fromUtf8("お客様ｺｰﾄﾞ"))->setText("C-0100");
  Find<QLineEdit>(dialog, QString::fromUtf8("会社名"))->setText(QString::fromUtf8("株式会社　青葉"));
  ui.ExpectMessage(CKokyakuDlg::kSuffixQuestion, ui::Buttons::YesNoCancel, ui::Icon::Question, Answer::Yes, Answer::Yes);
  ui.ExpectMessage(CKokyakuDlg::kAddQuestion, Answer::Yes);
  Button(dialog, "追加")->click();
  EXPECT_EQ(shownWhenAsked, QString::fromUtf8("御中"));
  ASSERT_EQ(doc.Customers().size(), 2u);
  EXPECT_EQ(doc.Customers()[0]->Suffix, "御中");
  auto* code = Find<QLineEdit>(dialog, QString::fromUtf8("お客様ｺｰﾄﾞ"));
  EXPECT_EQ(QApplication::focusWidget(), code);
  EXPECT_TRUE(code->text().isEmpty());
}

TEST_F(EntryOnALaptop, TheHistoryYearOutOfRangeIsRefusedWithAMessageAndStaysAsTyped) {
  history::CRirekiListOwner history(ui, doc.Store(), doc.Customers(), Data() / "Picture", false, Install());
  ASSERT_EQ(history.ShowCustomer(doc.Customers().front()->ID), 1);
  history::CRirekiDlg model(ui, history::RirekiMode::Add, &history, Install());
  model.SetCustomer(doc.Customers().front()->ID);
  history::RirekiDlgWidget dialog(model, nullptr);
  gui_test::ShowAndWait(dialog);
  QApplication::setActiveWindow(&dialog);
  auto* year = Find<QWidget>(dialog, QString::fromUtf8("日付 年"));
  auto* yearEdit = year->findChild<QLineEdit*>();
  ASSERT_NE(yearEdit, nullptr);
  yearEdit->setFocus();
  yearEdit->selectAll();
  gui_test::TypeText(yearEdit, "９９");
  Find<QLineEdit>(dialog, QString::fromUtf8("金額"))->setFocus();  // leaving the field puts nothing back
  EXPECT_EQ(yearEdit->text(), QString::fromUtf8("９９"));
  ui.ExpectMessage(history::CRirekiDlg::kYearRange);
  Button(dialog, "追加")->click();
  EXPECT_EQ(yearEdit->text(), QString::fromUtf8("９９"));
  EXPECT_TRUE(year->hasFocus() || yearEdit->hasFocus());

  yearEdit->setText(QString::fromUtf8("２０２５"));
  QTest::keyClick(yearEdit, Qt::Key_Up);  // the spin steps from what is typed
  EXPECT_EQ(yearEdit->text(), QStringLiteral("2026"));
  Find<QLineEdit>(dialog, QString::fromUtf8("金額"))->setText(QString::fromUtf8("¥1,500"));
  ui.ExpectMessage(history::CRirekiDlg::kAddQuestion, Answer::Yes);
  Button(dialog, "追加")->click();
  ASSERT_EQ(history.History().size(), 1u);
  EXPECT_EQ(history.History().front()->Date.ToCivil().year, 2026);
  EXPECT_DOUBLE_EQ(history.History().front()->Money, 1500);
  dialog.close();
}

}  // namespace
}  // namespace customers
