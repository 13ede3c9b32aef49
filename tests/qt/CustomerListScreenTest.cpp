// The customer list on screen with a few hundred customers: rows, count, header sorting, the
// selection handed to the model, the card slot; screenshots.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "app/Screens.h"
#include "app/qt/MainFrameWindow.h"
#include "customers/CKokyakuView.h"
#include "customers/SampleCustomers.h"
#include "customers/qt/CustomerListWidget.h"
#include "qt/GuiTestSupport.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"
#include "text/Collation.h"

namespace customers {
namespace {

class CustomerListScreen : public shell::test::DocumentFolderTest {
 protected:
  CustomerListScreen() {
    for (int i = 0; i < 300; ++i) {
      auto k = std::make_unique<records::CKokyaku>(test::SampleCustomer(i));
      EXPECT_GT(doc.AddCustomer(k), 0);
    }
    profile.WriteInt("Settings-KList", "colwidth1", 160);
  }
  ~CustomerListScreen() override { doc.Store().SaveQMV(true); }

  void Wire(shell::CMainFrame& frame) { gui_test::WireScreens(frame, doc, ui, Install()); }
};

TEST_F(CustomerListScreen, ShowsTheCustomersSortsByHeaderAndPassesTheSelection) {
  // More columns than the two defaults, as a shop would set them up.
  {
    settings::CQMVDispKokyakuCol display(ui, Install());
    display.GetKeys() = {"CustomerID", "Name", "Yomi", "Add1_Home", "Add2_Home", "TEL_Home", "ImportantRanking", "CompName"};
    ASSERT_EQ(display.Save(), 1);
  }
  shell::CMainFrame frame(ui, {});
  Wire(frame);
  app::MainFrameWindow window(frame, [&frame] { frame.Close(); });
  ASSERT_TRUE(frame.Create());
  ASSERT_TRUE(frame.SwitchScreen(shell::CScreen::kCustomerList));
  window.resize(1000, 640);
  gui_test::ShowAndWait(window);

  auto* list = dynamic_cast<CustomerListWidget*>(window.centralWidget());
  ASSERT_NE(list, nullptr);
  QTableView* table = list->Table();
  EXPECT_EQ(table->model()->rowCount(), 300);
  EXPECT_EQ(table->model()->columnCount(), 8);
  EXPECT_EQ(table->columnWidth(1), 160);
  EXPECT_EQ(table->model()->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("氏名"));
  auto* count = gui_test::Find<QLabel>(*list, QString::fromUtf8("300件"));
  ASSERT_NE(count, nullptr);
  gui_test::SaveScreenshot(window, "customer-list.png");

  QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(table->horizontalHeader()->sectionViewportPosition(2) + 5, 5));
  auto& model = dynamic_cast<CKokyakuView&>(*frame.ActiveScreen());
  const std::string first = model.List().CellText(0, 2);
  const std::string last = model.List().CellText(299, 2);
  EXPECT_LE(text::JapaneseSortKey(first), text::JapaneseSortKey(last));
  EXPECT_EQ(table->model()->index(0, 2).data().toString().toStdString(), first);

  table->selectRow(5);
  EXPECT_EQ(model.List().Selection(), std::vector<int>{5});
  gui_test::SaveScreenshot(window, "customer-list-sorted.png");
  window.close();
}

// The table model is reset around every change of the rows: at the start of a reset the model
// still answers for the rows the view knows, at its end for the new ones.
TEST_F(CustomerListScreen, TheTableModelIsResetAroundEveryChangeOfTheRows) {
  shell::CMainFrame frame(ui, {});
  Wire(frame);
  app::MainFrameWindow window(frame, [&frame] { frame.Close(); });
  ASSERT_TRUE(frame.Create());
  ASSERT_TRUE(frame.SwitchScreen(shell::CScreen::kCustomerList));
  gui_test::ShowAndWait(window);
  auto* list = dynamic_cast<CustomerListWidget*>(window.centralWidget());
  ASSERT_NE(list, nullptr);
  QAbstractItemModel* rows = list->Table()->model();
  QAbstractItemModelTester tester(rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
  std::vector<int> countsAtStart, countsAtEnd;
  QObject::connect(rows, &QAbstractItemModel::modelAboutToBeReset, [&] { countsAtStart.push_back(rows->rowCount()); });
  QObject::connect(rows, &QAbstractItemModel::modelReset, [&] { countsAtEnd.push_back(rows->rowCount()); });
  auto& model = dynamic_cast<CKokyakuView&>(*frame.ActiveScreen());

  QTest::mouseClick(list->Table()->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
  model.SetSelection({3, 4});
  ui.ExpectMessage(
      "選択されている2件の顧客を削除します。\n顧客を削除すると、二度と元に戻すことはできません。\n"
      "また、削除する顧客の履歴・DM送付予定などもすべて削除されます。\n\n本当に削除してよろしいですか？",
      ui::Answer::Yes);
  frame.OnCommand(shell::cmd::kDeleteCustomers);
  records::CKokyaku added = test::SampleCustomer(400);
  ASSERT_GT(model.AddKokyaku(added), 0);
  model.SetSelection({7});
  records::CKokyaku changed = *model.List().Rows()[7].customer;
  changed.Name = "変更　後子";
  ASSERT_EQ(model.ModifyKokyaku(changed.ID, changed), 1);
  EXPECT_EQ(rows->index(7, 1).data().toString(), QString::fromUtf8("変更　後子"));

  EXPECT_EQ(countsAtStart, (std::vector<int>{300, 300, 298, 299}));
  EXPECT_EQ(countsAtEnd, (std::vector<int>{300, 298, 299, 299}));
  EXPECT_EQ(list->Table()->selectionModel()->selectedRows().size(), 1) << "the model's selection survives the reset";
  window.close();
}

TEST_F(CustomerListScreen, TheFindDialogOffersTextAndDirectionAndFindsWithCase) {
  shell::CMainFrame frame(ui, {});
  Wire(frame);
  app::MainFrameWindow window(frame, [&frame] { frame.Close(); });
  ASSERT_TRUE(frame.Create());
  ASSERT_TRUE(frame.SwitchScreen(shell::CScreen::kCustomerList));
  gui_test::ShowAndWait(window);
  auto& model = dynamic_cast<CKokyakuView&>(*frame.ActiveScreen());
  frame.OnCommand(shell::cmd::kFindCustomer);
  QDialog* find = nullptr;
  for (auto* dialog : window.findChildren<QDialog*>()) {
    if (dialog->accessibleName() == QString::fromUtf8("検索")) find = dialog;
  }
  ASSERT_NE(find, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(find));
  EXPECT_TRUE(find->findChildren<QCheckBox*>().isEmpty()) << "the search always matches case";
  gui_test::ExpectReadable(*find);
  gui_test::SaveScreenshot(*find, "find.png");

  const std::string name = model.List().CellText(9, 1);
  auto* text = gui_test::Find<QLineEdit>(*find, QString::fromUtf8("検索する文字列"));
  ASSERT_NE(text, nullptr);
  text->setText(QString::fromStdString(name));
  gui_test::Button(*find, "次を検索")->click();
  EXPECT_EQ(model.List().CellText(model.List().FirstSelected(), 1), name);
  gui_test::Button(*find, "キャンセル")->click();
  EXPECT_FALSE(frame.FindDialogOpen());
  window.close();
}

TEST_F(CustomerListScreen, TheCardScreensShowThePaneBesideTheListOnTheirTab) {
  shell::CMainFrame frame(ui, {});
  Wire(frame);
  app::MainFrameWindow window(frame, [&frame] { frame.Close(); });
  ASSERT_TRUE(frame.Create());
  ASSERT_TRUE(frame.SwitchScreen(shell::CScreen::kCustomerCard2));
  window.resize(1100, 700);
  gui_test::ShowAndWait(window);
  auto* list = dynamic_cast<CustomerListWidget*>(window.centralWidget());
  ASSERT_NE(list, nullptr);
  ASSERT_NE(list->Pane(), nullptr);
  EXPECT_TRUE(list->CardSlot()->isVisible());
  EXPECT_EQ(list->Table()->selectionMode(), QAbstractItemView::SingleSelection);
  auto& model = dynamic_cast<CKokyakuView&>(*frame.ActiveScreen());
  EXPECT_EQ(model.Card()->Tab(), KokyakuCardPane::kDetailTab);
  list->Table()->selectRow(4);
  EXPECT_EQ(model.Card()->Customer().ID, model.List().SelectedIds().front());
  gui_test::SaveScreenshot(window, "customer-list-card.png");
  frame.OnCommand(shell::cmd::kCardHistoryTab);
  QApplication::processEvents();
  gui_test::SaveScreenshot(window, "customer-list-card-history.png");
  window.close();
}

}  // namespace
}  // namespace customers
