// The customer list from the keyboard, through real key events: Enter opens the selected
// customer, Delete asks and deletes, Tab leaves the list, and the header shows the order. And an
// entry added while the history dialog stays open shows in the card's history list at once.
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"
#include "app/Screens.h"
#include "app/qt/MainFrameWindow.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuView.h"
#include "customers/SampleCustomers.h"
#include "customers/qt/CustomerListWidget.h"
#include "customers/qt/KokyakuCardPaneWidget.h"
#include "history/CRirekiDlg.h"
#include "platform/CProfile.h"
#include "qt/GuiTestSupport.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/SettingsTestSupport.h"
#include "text/Collation.h"
#include "text/Format.h"

namespace customers {
namespace {

using ui::Answer;

class CustomerListKeys : public shell::test::DocumentFolderTest {
 protected:
  CustomerListKeys() {
    for (int i = 0; i < 12; ++i) {
      auto k = std::make_unique<records::CKokyaku>(test::SampleCustomer(i));
      EXPECT_GT(doc.AddCustomer(k), 0);
    }
    gui_test::WireScreens(frame, doc, ui, Install());
  }
  ~CustomerListKeys() override { doc.Store().SaveQMV(true); }

  // The list on screen n, shown, with the keyboard in the list on row.
  CustomerListWidget* Show(int n, int row) {
    EXPECT_TRUE(frame.Create());
    EXPECT_TRUE(frame.SwitchScreen(n));
    window.resize(1200, 680);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    auto* list = dynamic_cast<CustomerListWidget*>(window.centralWidget());
    list->Table()->selectRow(row);
    list->Table()->setFocus();
    return list;
  }
  CKokyakuView& Model() { return dynamic_cast<CKokyakuView&>(*frame.ActiveScreen()); }

  shell::CMainFrame frame{ui, {}};
  app::MainFrameWindow window{frame, [this] { frame.Close(); }};
};

TEST_F(CustomerListKeys, EnterOpensTheSelectedCustomerToModifyOrOnlyToViewWhenReadOnly) {
  CustomerListWidget* list = Show(shell::CScreen::kCustomerList, 3);
  const std::int32_t chosen = Model().List().Rows()[3].id;
  ui.ExpectDialog<CKokyakuNormalDlg>([&](CKokyakuNormalDlg& d) {
    EXPECT_EQ(d.Mode(), KokyakuMode::Modify);
    EXPECT_EQ(d.Working().ID, chosen);
    d.OnCancel();
  });
  QTest::keyClick(list->Table(), Qt::Key_Return);
  EXPECT_TRUE(ui.Done());

  doc.SetReadOnly(true);
  ui.ExpectMessage("データベースは読取専用です。\n顧客を修正することはできません。\n参照のみを行ないます。\n");
  ui.ExpectDialog<CKokyakuNormalDlg>([&](CKokyakuNormalDlg& d) {
    EXPECT_EQ(d.Mode(), KokyakuMode::View);
    d.OnCancel();
  });
  QTest::keyClick(list->Table(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(ui.Done());
  window.close();
}

TEST_F(CustomerListKeys, DeleteAsksAsTheMenuCommandDoesAndNoKeepsTheCustomer) {
  CustomerListWidget* list = Show(shell::CScreen::kCustomerList, 2);
  const std::string question =
      text::Format("選択されている%d件の顧客を削除します。\n顧客を削除すると、二度と元に戻すことはできません。\n"
                   "また、削除する顧客の履歴・DM送付予定などもすべて削除されます。\n\n本当に削除してよろしいですか？",
                   1);
  ui.ExpectMessage(question, ui::Buttons::YesNo, ui::Icon::Question, Answer::No, Answer::No);
  QTest::keyClick(list->Table(), Qt::Key_Delete);
  EXPECT_EQ(list->Table()->model()->rowCount(), 12);
  const std::int32_t doomed = Model().List().Rows()[2].id;
  ui.ExpectMessage(question, ui::Buttons::YesNo, ui::Icon::Question, Answer::No, Answer::Yes);
  QTest::keyClick(list->Table(), Qt::Key_Delete);
  EXPECT_EQ(list->Table()->model()->rowCount(), 11);
  EXPECT_EQ(Model().List().RowOf(doomed), -1);
  EXPECT_EQ(doc.Customers().size(), 11u);
  window.close();
}

TEST_F(CustomerListKeys, TabAndShiftTabLeaveTheList) {
  CustomerListWidget* list = Show(shell::CScreen::kCustomerCard, 0);
  QTableView* table = list->Table();
  ASSERT_TRUE(table->hasFocus());
  QTest::keyClick(table, Qt::Key_Tab);
  EXPECT_FALSE(table->hasFocus());
  EXPECT_TRUE(list->Pane()->isAncestorOf(QApplication::focusWidget())) << "Tab goes on to the card";
  table->setFocus();
  QTest::keyClick(table, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_FALSE(table->hasFocus());
  EXPECT_EQ(Model().List().Selection(), std::vector<int>{0}) << "leaving the list keeps its selection";
  window.close();
}

TEST_F(CustomerListKeys, TheHeaderShowsTheColumnAndDirectionOfTheSort) {
  CustomerListWidget* list = Show(shell::CScreen::kCustomerList, 0);
  QHeaderView* header = list->Table()->horizontalHeader();
  EXPECT_TRUE(header->isSortIndicatorShown());
  EXPECT_EQ(header->sortIndicatorSection(), -1);
  const auto click = [&](int section) {
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(section) + 5, 5));
  };
  click(1);
  EXPECT_EQ(header->sortIndicatorSection(), 1);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
  // 氏名 sorts by reading: the sample customers' readings are in order now.
  for (int r = 0; r + 1 < Model().List().RowCount(); ++r) {
    EXPECT_LE(text::JapaneseSortKey(Model().List().Rows()[r].customer->Yomi),
              text::JapaneseSortKey(Model().List().Rows()[r + 1].customer->Yomi))
        << r;
  }
  click(0);
  EXPECT_EQ(header->sortIndicatorSection(), 0);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
  gui_test::SaveScreenshot(window, "customer-list-sorted-indicator.png");
  window.close();
}

TEST_F(CustomerListKeys, AnEntryAddedWhileTheHistoryDialogStaysOpenShowsInTheCardAtOnce) {
  CustomerListWidget* list = Show(shell::CScreen::kCustomerCard, 1);
  auto* history = gui_test::Find<QTreeWidget>(*list->Pane(), QString::fromUtf8("履歴"));
  ASSERT_NE(history, nullptr);
  ASSERT_EQ(history->topLevelItemCount(), 0);
  ui.ExpectDialog<history::CRirekiDlg>([&](history::CRirekiDlg& d) {
    d.SetSummary("問い合わせ");
    ui.ExpectMessage(history::CRirekiDlg::kAddQuestion, Answer::Yes);
    d.OnOK();
    ASSERT_FALSE(d.IsClosing()) << "the dialog stays open for the next entry";
    ASSERT_EQ(history->topLevelItemCount(), 1);
    EXPECT_EQ(history->topLevelItem(0)->text(1), QString::fromUtf8("問い合わせ"));
    d.OnCancel();
  });
  frame.OnCommand(shell::cmd::kAddHistory);
  EXPECT_TRUE(ui.Done());
  window.close();
}

}  // namespace
}  // namespace customers
