// The card pane on screen over a real database with realistic customers: each tab rendered and
// photographed, tab clicks, header sorting, the VIP watermark drawn on 詳細 only, and a click on a
// web address reaching the browser.
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "customers/KokyakuCardPane.h"
#include "customers/qt/KokyakuCardPainter.h"
#include "customers/qt/KokyakuCardPaneWidget.h"
#include "customers/qt/KokyakuCardSheet.h"
#include "qt/GuiTestSupport.h"
#include "shell/CTovanaDoc.h"
#include "shell/DocumentTestSupport.h"

namespace customers {
namespace {

using gui_test::Button;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;
using records::COleDate;
using records::CRirekiData;

const COleDate kNow = COleDate::FromCivil({2026, 12, 8, 10, 30, 0});

class CardPaneTest : public shell::test::DocumentFolderTest {
 protected:
  CardPaneTest() {
    PaintPicture(Data() / "Picture" / "shop.jpg", QColor(120, 80, 50));
    PaintPicture(Data() / "Picture" / "card.jpg", QColor(40, 90, 160));
    yamada = doc.Store().AddNewKokyaku(Yamada());
    aoba = doc.Store().AddNewKokyaku(Aoba());
    History(yamada, {2026, 11, 20, 16, 45}, "購入", "ソファ（3人掛け）を購入。配送は12月5日午前を希望。", "家具");
    History(yamada, {2026, 10, 2, 14, 0}, "問い合わせ", "新作ソファの色違いについて電話で問い合わせ。", "カタログ");
    History(yamada, {2026, 9, 15, 7, 30}, "DM", "秋の新作案内を送付。", "秋の案内");
    History(yamada, {2026, 12, 1, 11, 0}, "来店", "ダイニングテーブルを見学。見積書を手渡し。", "見積");
    EXPECT_EQ(doc.Store().GetAllKokyaku(doc.Customers()), 1);
    pane = std::make_unique<KokyakuCardPane>(ui, doc, nullptr, [] { return kNow; });
  }

  static records::CKokyaku Yamada() {
    records::CKokyaku k;
    k.CustomerID = "K-000128";
    k.Name = "山田　太郎";
    k.Suffix = "様";
    k.Yomi = "ヤマダ　タロウ";
    k.Sex = 0;
    k.EntryType = 1;
    k.BirthDay = COleDate::FromCivil(1978, 4, 12);
    k.StartDate = COleDate::FromCivil(2019, 5, 20);
    k.TantouName = "鈴木　一郎";
    k.Zip_Home = "150-0001";
    k.Add1_Home = "東京都渋谷区";
    k.Add2_Home = "神宮前三丁目１４－５";
    k.Add3_Home = "青山ハイツ４０２号";
    k.TEL_Home = "03-3401-2288";
    k.CellPhone1 = "090-1234-5678";
    k.CompName = "株式会社　山田デザイン";
    k.CompYomi = "ヤマダデザイン";
    k.Section = "企画部";
    k.Post = "部長";
    k.Zip_Office = "105-0011";
    k.Add1_Office = "東京都港区芝公園";
    k.Add2_Office = "二丁目４－１";
    k.TEL_Office = "03-5470-1100";
    k.FAX_Office = "03-5470-1101";
    k.EMail1 = "taro@yamada-design.jp";
    k.URL1 = "www.yamada-design.jp";
    k.CommonMail = 1;
    k.ColorMark = 0x0099FF;
    k.ImportantRanking = "VIP";
    k.Ranking1 = "A";
    k.MainMerchant1 = "ソファ";
    k.MainMerchant2 = "ダイニングセット";
    k.Note1 = "毎年秋に家具を買い替える。";
    k.Note2 = "駐車場は建物裏（２台まで）。";
    k.Picture1 = "shop.jpg";
    k.Picture2 = "card.jpg";
    return k;
  }
  static records::CKokyaku Aoba() {
    records::CKokyaku k;
    k.CustomerID = "C-000032";
    k.Name = "青葉　健二";
    k.Suffix = "様";
    k.Yomi = "アオバ　ケンジ";
    k.EntryType = 0;
    k.CompName = "有限会社　青葉工務店";
    k.Section = "工務課";
    k.Represent = "青葉　誠";
    k.CompType = "建設業";
    k.Zip_Office = "980-0811";
    k.Add1_Office = "宮城県仙台市青葉区";
    k.Add2_Office = "一番町２－３－１０";
    k.TEL_Office = "022-261-3344";
    k.Bank1 = "七十七銀行　本店";
    k.ClosingDate = 3;
    k.ClosingDay = 99;
    k.TaxMethod = 0;
    k.PayMethod = "銀行振込";
    k.ImportantRanking = "ブラックリスト";
    k.Note1 = "支払い遅延が二度あり。前払いのみ。";
    return k;
  }
  static void PaintPicture(const std::filesystem::path& file, QColor colour) {
    std::filesystem::create_directories(file.parent_path());
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(235, 228, 210));
    QPainter p(&image);
    p.setBrush(colour);
    p.drawRect(40, 90, 240, 100);
    p.end();
    EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "JPG"));
  }
  void History(std::int32_t customer, records::CivilTime when, const char* summary, const char* details,
               const char* keyword) {
    CRirekiData e;
    e.Date = COleDate::FromCivil(when);
    e.ActionTitle = summary;
    e.Action = details;
    e.Keyword = keyword;
    e.TantouName = "鈴木　一郎";
    EXPECT_GT(doc.Store().AddNewRireki(customer, e, kNow), 0);
  }
  const records::CKokyaku* Cached(std::int32_t id) {
    for (const auto& k : doc.Customers()) {
      if (k->ID == id) return k.get();
    }
    return nullptr;
  }
  // Pure white pixels of page 1 or 2 drawn for the pane's customer inside a field-free strip.
  int WhiteIn(int page, QRect strip) {
    QImage image(kCardWidth, KokyakuCardPageHeight(page), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintKokyakuCardPage(painter, *pane, page, nullptr);
    painter.end();
    int white = 0;
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
      for (int x = strip.left(); x <= strip.right(); ++x) white += image.pixel(x, y) == qRgb(255, 255, 255);
    }
    return white;
  }

  std::int32_t yamada = 0, aoba = 0;
  std::unique_ptr<KokyakuCardPane> pane;
};

TEST_F(CardPaneTest, EachTabIsDrawnWithItsControlsAndPhotographed) {
  ASSERT_EQ(pane->ShowCustomer(Cached(yamada)), 1);
  KokyakuCardPaneWidget widget(*pane, nullptr);
  widget.resize(560, 520);
  ShowAndWait(widget);
  SaveScreenshot(widget, "card-detail.png");
  EXPECT_TRUE(widget.Sheet()->isVisible());
  EXPECT_FALSE(widget.HistoryList()->isVisible());
  EXPECT_TRUE(Button(widget, "顧客を修正")->isVisible());
  EXPECT_FALSE(Button(widget, "履歴を修正")->isVisible());

  QTabBar* tabs = widget.Tabs();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(KokyakuCardPane::kDetail2Tab).center());
  EXPECT_EQ(pane->Tab(), KokyakuCardPane::kDetail2Tab);
  SaveScreenshot(widget, "card-detail2.png");

  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(KokyakuCardPane::kHistoryTab).center());
  ASSERT_EQ(pane->Tab(), KokyakuCardPane::kHistoryTab);
  QTreeWidget* list = widget.HistoryList();
  ASSERT_TRUE(list->isVisible());
  ASSERT_EQ(list->topLevelItemCount(), 4);
  EXPECT_EQ(list->topLevelItem(0)->text(0).toStdString(), "2026/12/01");
  EXPECT_FALSE(Button(widget, "履歴を削除")->isEnabled());
  list->setCurrentItem(list->topLevelItem(1));
  EXPECT_EQ(pane->HistorySelection(), 1);
  EXPECT_TRUE(Button(widget, "履歴を削除")->isEnabled());
  EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
  EXPECT_GE(list->columnWidth(2), 100);
  SaveScreenshot(widget, "card-history.png");
  for (auto* b : widget.findChildren<QPushButton*>()) {
    if (!b->isVisible()) continue;
    EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width()) << "cut: " << b->text().toStdString();
  }

  list->header()->sectionClicked(0);
  EXPECT_EQ(list->topLevelItem(0)->text(1).toStdString(), "DM");
  list->header()->sectionClicked(0);
  EXPECT_EQ(list->topLevelItem(0)->text(1).toStdString(), "来店");

  ASSERT_EQ(pane->ShowCustomer(Cached(aoba)), 1);
  pane->SelectTab(KokyakuCardPane::kDetailTab);
  widget.Refresh();
  SaveScreenshot(widget, "card-detail-blacklist.png");
  ASSERT_EQ(pane->ShowCustomer(nullptr), 1);
  widget.Refresh();
  SaveScreenshot(widget, "card-detail-blank.png");
}

TEST_F(CardPaneTest, TheTabsArePageTabsNamedByCaptionAndTheKeyboardMovesBetweenThem) {
  ASSERT_EQ(pane->ShowCustomer(Cached(yamada)), 1);
  KokyakuCardPaneWidget widget(*pane, nullptr);
  widget.resize(560, 520);
  ShowAndWait(widget);
  QApplication::setActiveWindow(&widget);
  QTabBar* tabs = widget.Tabs();
  EXPECT_EQ(tabs->geometry().right(), widget.width() - 1) << "the tabs stand at the top right";

  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(tabs);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::PageTabList);
  std::vector<QAccessibleInterface*> pages;  // the bar's other children are its hidden scroll buttons
  for (int i = 0; i < bar->childCount(); ++i) {
    if (bar->child(i)->role() == QAccessible::PageTab) pages.push_back(bar->child(i));
  }
  ASSERT_EQ(pages.size(), 3u);
  const char* captions[] = {"履歴", "詳細", "詳細２"};
  for (int tab = 0; tab < 3; ++tab) {
    EXPECT_EQ(pages[tab]->text(QAccessible::Name), QString::fromUtf8(captions[tab]));
    // The tab shown is marked (as focused by Qt 6.4, as selected by later versions).
    const QAccessible::State state = pages[tab]->state();
    EXPECT_EQ(state.focused || state.selected, tab == KokyakuCardPane::kDetailTab) << captions[tab];
  }

  // Ctrl+Tab and Ctrl+Shift+Tab step round the tabs from anywhere in the window.
  widget.HistoryList()->setFocus();
  QTest::keyClick(&widget, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pane->Tab(), KokyakuCardPane::kDetail2Tab);
  QTest::keyClick(&widget, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pane->Tab(), KokyakuCardPane::kHistoryTab);
  EXPECT_TRUE(widget.HistoryList()->isVisible());
  QTest::keyClick(&widget, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(pane->Tab(), KokyakuCardPane::kDetail2Tab);
  EXPECT_EQ(tabs->currentIndex(), KokyakuCardPane::kDetail2Tab);

  // The tab bar takes the focus by keyboard and its arrows choose a tab.
  tabs->setFocus();
  QTest::keyClick(tabs, Qt::Key_Left);
  EXPECT_EQ(pane->Tab(), KokyakuCardPane::kDetailTab);
  EXPECT_TRUE(widget.Sheet()->isVisible());
  EXPECT_TRUE(Button(widget, "顧客を修正")->isVisible());
}

TEST_F(CardPaneTest, TheVipWatermarkIsDrawnOnTheFirstDetailPageOnly) {
  const QRect freeStrip(12, 168, 228, 14);  // left column, row 7: no field on either page
  records::CKokyaku ordinary = *Cached(yamada);
  ordinary.ImportantRanking = "A";
  ASSERT_EQ(pane->ShowCustomer(&ordinary), 1);
  const int plain = WhiteIn(1, freeStrip);
  ASSERT_EQ(pane->ShowCustomer(Cached(yamada)), 1);
  EXPECT_GT(WhiteIn(1, freeStrip), plain + 50);
  EXPECT_EQ(WhiteIn(2, QRect(12, 80, 228, 36)), 0);
}

TEST_F(CardPaneTest, AClickOnTheWebAddressHandsItToTheBrowserAsOneArgument) {
  const auto opener = temp / "opener.sh";
  const auto record = temp / "opened.txt";
  std::ofstream(opener) << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" << record.string() << "'\n";
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  pane->SetUrlOpener(opener);
  ASSERT_EQ(pane->ShowCustomer(Cached(yamada)), 1);
  KokyakuCardPaneWidget widget(*pane, nullptr);
  widget.resize(560, 520);
  ShowAndWait(widget);
  const KokyakuCardField* url = FindKokyakuCardField("URL1");
  ASSERT_NE(url, nullptr);
  QWidget* canvas = widget.Sheet()->widget();
  widget.Sheet()->ensureVisible(url->x + 5, url->y + 5);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(url->x + 5, url->y + 10));
  for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i) QTest::qWait(20);
  QTest::qWait(50);
  std::ifstream in(record);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "1|http://www.yamada-design.jp");
}

}  // namespace
}  // namespace customers
