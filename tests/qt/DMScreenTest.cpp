// The DM management screen and its dialogs on screen: the two lists, the check box, the buttons
// following the selection, the keys; screenshots.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include "app/qt/MainFrameWindow.h"
#include "customers/SampleCustomers.h"
#include "dm/CDMListView.h"
#include "dm/CDMSelectDlg.h"
#include "dm/CDMTitleDlg.h"
#include "dm/CKokyakuSelectDlg.h"
#include "dm/qt/DMListWidget.h"
#include "dm/qt/DMSelectDlgWidgets.h"
#include "dm/qt/DMTitleDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"

namespace dm {
namespace {

using records::COleDate;

class DMScreen : public shell::test::DocumentFolderTest {
 protected:
  DMScreen() {
    for (int i = 0; i < 40; ++i) {
      auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(i));
      ids.push_back(doc.AddCustomer(k));
    }
    const char* const titles[] = {"春の新製品のご案内", "夏季休業のお知らせ", "秋の感謝セール（ご来店の方に粗品を進呈いたします）",
                                  "年末年始の営業日のご案内", "新年のごあいさつ"};
    for (int t = 0; t < 5; ++t) {
      records::IdArray recipients(ids.begin() + t * 3, ids.begin() + t * 3 + 6 + t * 2);
      auto dm = doc.Store().AddNewDMTitle(COleDate::FromCivil({2026, 2 + t * 2, 10, 9, 0, 0}), titles[t],
                                          t % 2 ? "お知らせ" : "案内状", "山田", t == 3 ? 1 : 0, &recipients, nullptr);
      EXPECT_TRUE(dm);
      dmIds.push_back(dm ? dm->ID : 0);
      if (t < 2) {
        EXPECT_EQ(doc.Store().SetStatusDMTitle(dm->ID, 1, t, 0, COleDate::Now()), 1);
      }
    }
    gui_test::WireScreens(frame, doc, ui, Install());
  }
  ~DMScreen() override { doc.Store().SaveQMV(true); }

  DMListWidget* Show(app::MainFrameWindow& window) {
    EXPECT_TRUE(frame.Create());
    EXPECT_TRUE(frame.SwitchScreen(shell::CScreen::kDM));
    window.resize(1280, 720);
    gui_test::ShowAndWait(window);
    QApplication::processEvents();
    return dynamic_cast<DMListWidget*>(window.centralWidget());
  }
  CDMListView& Model() { return dynamic_cast<CDMListView&>(*frame.ActiveScreen()); }
  static void Click(QTableView* table, int row, int column) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(table->model()->index(row, column)).center());
  }

  std::vector<std::int32_t> ids, dmIds;
  shell::CMainFrame frame{ui, {}};
};

TEST_F(DMScreen, ShowsTitlesAndTheRecipientsOfTheOneSelected) {
  app::MainFrameWindow window(frame, [this] { frame.Close(); });
  DMListWidget* view = Show(window);
  ASSERT_NE(view, nullptr);
  QTableView* titles = view->Titles();
  QAbstractItemModelTester tester(titles->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(titles->model()->rowCount(), 5);
  EXPECT_EQ(titles->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("済"));
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("顧客 ソレル－DM送付管理"));
  EXPECT_LE(titles->width(), 500);
  EXPECT_FALSE(gui_test::Button(*view, "DMを修正...")->isEnabled());
  gui_test::ExpectReadable(*view);
  gui_test::SaveScreenshot(window, "dm-screen.png");

  Click(titles, 1, CDMListView::kTitleColumn);
  ASSERT_EQ(Model().TitleSelection(), std::vector<int>{1});
  EXPECT_GT(view->Recipients()->model()->rowCount(), 0);
  EXPECT_TRUE(gui_test::Button(*view, "DMを修正...")->isEnabled());
  EXPECT_NE(gui_test::Find<QLabel>(*view, QString::fromUtf8("『2026/08/10 年末年始の営業日のご案内』　送付対象顧客　：　12人")),
            nullptr);
  EXPECT_EQ(titles->model()->index(1, CDMListView::kSentColumn).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  gui_test::SaveScreenshot(window, "dm-screen-selected.png");

  // The check box of an unsent title says how a title becomes sent; Space does the same.
  ui.ExpectMessage(CDMListView::kCheckNeedsSending);
  Click(titles, 1, CDMListView::kSentColumn);
  titles->setFocus();
  ui.ExpectMessage(CDMListView::kCheckNeedsSending);
  QTest::keyClick(titles, Qt::Key_Space);
  // Delete asks first.
  ui.ExpectMessage(CDMListView::kDeleteOne, ui::Answer::No);
  QTest::keyClick(titles, Qt::Key_Delete);
  EXPECT_EQ(titles->model()->rowCount(), 5);
  QTest::keyClick(titles, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(Model().TitleSelection(), (std::vector<int>{1, 2}));
  EXPECT_FALSE(gui_test::Button(*view, "DMを修正...")->isEnabled());
  EXPECT_TRUE(gui_test::Button(*view, "DMを削除")->isEnabled());
  window.close();
}

TEST_F(DMScreen, AHitRateLeftByTheAnalysisShowsItsChartAndPaintsTheResponders) {
  doc.Analysis().kind = 4;
  doc.Analysis().dmId = dmIds[0];
  doc.Analysis().ids = {ids[0], ids[2], ids[4]};
  app::MainFrameWindow window(frame, [this] { frame.Close(); });
  DMListWidget* view = Show(window);
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(Model().IsHitRateMode());
  EXPECT_EQ(view->Recipients()->model()->rowCount(), 6);
  int painted = 0;
  for (int r = 0; r < 6; ++r) {
    painted += view->Recipients()->model()->index(r, 0).data(Qt::BackgroundRole) == QColor(200, 255, 200) ? 1 : 0;
  }
  EXPECT_EQ(painted, 3);
  EXPECT_LT(view->Titles()->height(), view->Recipients()->height() / 2 + 10) << "the titles make room for the chart";
  // The chart under the titles: a light green disc with a white half at 50 %.
  const QImage image = view->grab().toImage();
  const QRect titles = view->Titles()->geometry();
  const int side = std::min(titles.width(), titles.height()) - 60;
  const QPoint centre(titles.left() + (titles.width() - std::min(titles.width(), titles.height())) / 2 + 30 + side / 2,
                      titles.bottom() + 31 + side / 2);
  EXPECT_EQ(image.pixelColor(centre + QPoint(side * 3 / 8, side / 8)), QColor(200, 255, 200)) << "the responders' half";
  EXPECT_EQ(image.pixelColor(centre - QPoint(side * 3 / 8, side / 8)), QColor(Qt::white)) << "the others' half";
  gui_test::SaveScreenshot(window, "dm-hit-rate.png");

  // Another title leaves the mode.
  Click(view->Titles(), 1, CDMListView::kTitleColumn);
  EXPECT_FALSE(Model().IsHitRateMode());
  EXPECT_EQ(doc.Analysis().kind, -1);
  window.close();
}

TEST_F(DMScreen, TheDialogsAreReadable) {
  CDMTitleDlg title(ui, DMTitleMode::Modify, Install());
  records::CDMListData t;
  t.Title = "年末年始の営業日のご案内";
  t.Content = "案内状";
  t.Manager = "山田";
  t.Sent = 1;
  t.SendDate = COleDate::FromCivil({2026, 12, 20, 6, 15, 0});
  title.Load(&t, COleDate::Now());
  {
    DMTitleDlgWidget view(title, nullptr);
    gui_test::ShowAndWait(view);
    gui_test::ExpectReadable(view);
    EXPECT_TRUE(gui_test::Button(view, "送付済み")->isEnabled());
    gui_test::SaveScreenshot(view, "dm-title.png");
  }
  CDMSelectDlg select(ui, doc, Install(), DMSelectMode::Add, {ids[0]});
  select.Open();
  {
    DMSelectDlgWidget view(select, nullptr);
    gui_test::ShowAndWait(view);
    gui_test::ExpectReadable(view);
    gui_test::SaveScreenshot(view, "dm-title-choice.png");
  }
  CKokyakuSelectDlg customers(ui, doc, Install(), CustomerSelectMode::Print);
  customers.Open();
  {
    KokyakuSelectDlgWidget view(customers, nullptr);
    gui_test::ShowAndWait(view);
    gui_test::ExpectReadable(view);
    gui_test::Button(view, "すべて選択")->click();
    EXPECT_EQ(customers.CheckedCount(), 40);
    gui_test::SaveScreenshot(view, "dm-customer-choice.png");
  }
}

}  // namespace
}  // namespace dm
