// The history list on screen with a shop's worth of entries: rows, count, header sorting, the
// selection handed to the model, the keys, the extraction buttons; screenshots.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "app/qt/MainFrameWindow.h"
#include "customers/SampleCustomers.h"
#include "history/CRirekiRefDlg.h"
#include "history/CRirekiShowDlg.h"
#include "history/CRirekiView.h"
#include "history/qt/HistoryListWidget.h"
#include "history/qt/RirekiShowDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "settings/CExCondition.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"
#include "text/Collation.h"

namespace history {
namespace {

class HistoryListScreen : public shell::test::DocumentFolderTest {
 protected:
  HistoryListScreen() {
    static const char* const kSummaries[] = {"来店", "電話", "見積", "受注", "クレーム", "DM送付", "メール"};
    static const char* const kDetails[] = {
        "新商品のカタログを見に来店。\n次回の来店時に見積を渡す。", "納期の問い合わせ。折り返し連絡済み。",
        "事務用品一式の見積を作成した。", "コピー用紙 20箱 ご注文", "配送の遅れについてのご指摘。お詫びの電話をした。",
        "春の新製品案内を送付", "請求書の送り先変更の連絡"};
    static const char* const kStaff[] = {"山田", "小川", "森", "石井"};
    std::vector<std::int32_t> ids;
    for (int i = 0; i < 120; ++i) {
      auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(i));
      ids.push_back(doc.AddCustomer(k));
    }
    const records::COleDate now = records::COleDate::FromCivil({2026, 12, 8, 10, 30, 0});
    const records::COleDate first = records::COleDate::FromCivil(2024, 12, 1);
    // 150 contacts of four customers each, stored one contact at a time (one transaction each).
    for (int b = 0; b < 150; ++b) {
      records::CRirekiData e;
      // Every five days or so over two years, during office hours.
      e.Date = records::COleDate(first.Value() + b * 4.9 + (9 + b % 9) / 24.0 + (b * 13 % 60) / 1440.0);
      e.ActionTitle = kSummaries[b % 7];
      e.Action = kDetails[b % 7];
      e.Keyword = b % 5 == 0 ? "新製品" : "";
      e.TantouName = kStaff[b % 4];
      e.Money = b % 7 == 3 ? 12000.0 + b * 150 : b % 11 == 0 ? 980.5 : 0;
      records::IdArray four;
      for (int j = 0; j < 4; ++j) four.push_back(ids[static_cast<std::size_t>((b * 7 + j * 29) % 120)]);
      EXPECT_EQ(doc.Store().AddNewRireki(four, e, now), 1);
    }
    EXPECT_EQ(doc.Store().GetAllRireki(doc.History()), 1);
    gui_test::WireScreens(frame, doc, ui, Install());
  }
  ~HistoryListScreen() override { doc.Store().SaveQMV(true); }

  HistoryListWidget* Show(app::MainFrameWindow& window) {
    EXPECT_TRUE(frame.Create());
    EXPECT_TRUE(frame.SwitchScreen(shell::CScreen::kHistory));
    window.resize(1280, 720);
    gui_test::ShowAndWait(window);
    QApplication::processEvents();
    return dynamic_cast<HistoryListWidget*>(window.centralWidget());
  }
  // A click on the row, as the user selects it.
  static void ClickRow(QTableView* table, int row) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 0)).center());
  }
  CRirekiView& Model() { return dynamic_cast<CRirekiView&>(*frame.ActiveScreen()); }

  shell::CMainFrame frame{ui, {}};
};

TEST_F(HistoryListScreen, ShowsTheEntriesWithTheirCustomersAndSortsByHeader) {
  app::MainFrameWindow window(frame, [this] { frame.Close(); });
  HistoryListWidget* list = Show(window);
  ASSERT_NE(list, nullptr);
  QTableView* table = list->Table();
  QAbstractItemModelTester tester(table->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(table->model()->rowCount(), 600);
  EXPECT_EQ(table->model()->columnCount(), 9);
  EXPECT_EQ(table->model()->headerData(2, Qt::Horizontal).toString(), QString::fromUtf8("氏名"));
  EXPECT_NE(gui_test::Find<QLabel>(*list, QString::fromUtf8("600件")), nullptr);
  EXPECT_TRUE(window.isMaximized());
  // 詳細 takes the room the other columns leave; the defaults grow with the font.
  int others = 0;
  for (int c = 0; c < CRirekiList::kColumnCount; ++c) others += c == CRirekiList::kDetails ? 0 : table->columnWidth(c);
  EXPECT_EQ(table->columnWidth(CRirekiList::kDetails), std::max(200, table->viewport()->width() - others));
  EXPECT_GE(table->columnWidth(CRirekiList::kCustomerId), table->fontMetrics().horizontalAdvance(QStringLiteral("K10001")))
      << "a customer number fits its column";
  // The details' line breaks show as a space in their one-line cell.
  const QString details = table->model()->index(0, CRirekiList::kDetails).data().toString();
  EXPECT_FALSE(details.contains(QLatin1Char('\n')));
  for (const char* caption : {"抽出やり直し", "抽出条件を保存", "抽出を解除(すべて表示)"}) {
    EXPECT_FALSE(gui_test::Button(*list, caption)->isVisible()) << caption;
  }
  gui_test::ExpectReadable(*list);
  gui_test::SaveScreenshot(window, "history-list.png");

  QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(table->horizontalHeader()->sectionViewportPosition(CRirekiList::kCustomerName) + 5, 5));
  const CRirekiList& rows = Model().List();
  EXPECT_EQ(rows.SortColumn(), CRirekiList::kCustomerName);
  EXPECT_EQ(table->horizontalHeader()->sortIndicatorSection(), CRirekiList::kCustomerName);
  const auto reading = [&rows](int r) {
    const records::CKokyaku* k = rows.Rows()[static_cast<std::size_t>(r)].customer;
    return text::JapaneseSortKey(k->Yomi.empty() ? k->Name : k->Yomi);
  };
  for (int r = 1; r < rows.RowCount(); ++r) ASSERT_LE(reading(r - 1), reading(r)) << r;

  ClickRow(table, 4);
  EXPECT_EQ(rows.Selection(), std::vector<int>{4});
  QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(rows.Selection(), (std::vector<int>{4, 5}));
  gui_test::SaveScreenshot(window, "history-list-sorted.png");
  window.close();
}

TEST_F(HistoryListScreen, EnterShowsTheEntryAndDeleteAsksFirst) {
  app::MainFrameWindow window(frame, [this] { frame.Close(); });
  HistoryListWidget* list = Show(window);
  ASSERT_NE(list, nullptr);
  QTableView* table = list->Table();
  table->setFocus();
  ClickRow(table, 2);
  const std::int32_t id = Model().List().Rows()[2].entry->ID;
  ui.ExpectDialog<CRirekiRefDlg>([id](CRirekiRefDlg& d) {
    EXPECT_EQ(d.Entry().ID, id);
    d.OnNext();
    d.OnClose();
  });
  QTest::keyClick(table, Qt::Key_Return);
  EXPECT_EQ(table->selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(table->selectionModel()->selectedRows().front().row(), 3) << "the table follows the dialog's step";
  ui.ExpectMessage("選択されている1件の履歴を削除します。\n履歴を削除すると、二度と元に戻すことはできません。\n\n"
                   "本当に削除してよろしいですか？",
                   ui::Answer::No);
  QTest::keyClick(table, Qt::Key_Delete);
  EXPECT_EQ(table->model()->rowCount(), 600);
  window.close();
}

TEST_F(HistoryListScreen, AnExtractionShowsItsButtons) {
  auto condition = std::make_unique<settings::CExCondition>();
  condition->resultType = settings::CExCondition::kHistory;
  condition->sql = "SELECT [Rireki].* FROM [Rireki] WHERE [Rireki].[ActionTitle] = 'クレーム'";
  doc.SetExtraction(std::move(condition), true);
  doc.History().clear();
  ASSERT_EQ(doc.Store().ExtractRireki(doc.CurrentExtraction()->sql, doc.History()), 1);
  app::MainFrameWindow window(frame, [this] { frame.Close(); });
  HistoryListWidget* list = Show(window);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Table()->model()->rowCount(), 84);
  for (const char* caption : {"抽出やり直し", "抽出条件を保存", "抽出を解除(すべて表示)"}) {
    QAbstractButton* button = gui_test::Button(*list, caption);
    EXPECT_TRUE(button->isVisible() && button->isEnabled()) << caption;
  }
  gui_test::ExpectReadable(*list);
  gui_test::SaveScreenshot(window, "history-list-extracted.png");
  // Released: every entry again, the buttons gone.
  gui_test::Button(*list, "抽出を解除(すべて表示)")->click();
  EXPECT_EQ(list->Table()->model()->rowCount(), 600);
  EXPECT_FALSE(gui_test::Button(*list, "抽出やり直し")->isVisible());
  window.close();
}

TEST(HistoryListChoice, TheChoiceOfHowToShowTheListIsReadable) {
  CRirekiShowDlg model;
  RirekiShowDlgWidget view(model, nullptr);
  gui_test::ShowAndWait(view);
  gui_test::ExpectReadable(view);
  gui_test::SaveScreenshot(view, "history-list-choice.png");
  gui_test::Button(view, "すべて表示する")->click();
  EXPECT_EQ(model.Chosen(), CRirekiShowDlg::Choice::All);
  EXPECT_TRUE(model.ClosedWithOk());
}

}  // namespace
}  // namespace history
