// "七色分析" on screen: every page fits its Japanese captions, the buttons carry their captions for
// screen readers, and clicks and typing reach the model.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "analysis/CRainbowDlg.h"
#include "app/qt/ViewRegistry.h"
#include "GuiTestSupport.h"
#include "shell/DocumentTestSupport.h"
#include "ui/qt/QtUi.h"

namespace analysis {
namespace {

using gui_test::Button;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;

class RainbowDialogTest : public shell::test::DocumentFolderTest {
 protected:
  RainbowDialogTest() {
    app::RegisterViews(views);
    records::CKokyaku k;
    k.Name = "山田　太郎";
    k.MainMerchant1 = "山田商事株式会社";
    customer = doc.Store().AddNewKokyaku(k);
    const records::IdArray recipients = {customer};
    const auto sent = records::COleDate::FromCivil(2026, 10, 1);
    auto dm = doc.Store().AddNewDMTitle(sent, "秋の新作案内", "", "山田", 0, &recipients, nullptr);
    EXPECT_EQ(doc.Store().SetStatusDMTitle(dm->ID, 1, 0, 0, sent), 1);
  }
  ~RainbowDialogTest() override { doc.Store().SaveQMV(true); }

  ui::QtUi views;
  std::int32_t customer = 0;
};

TEST_F(RainbowDialogTest, EveryPageShowsItsControlsReadably) {
  CRainbowDlg model(ui, &doc, Install(), nullptr);
  model.Open();
  const auto view = views.MakeView(model, nullptr);
  ShowAndWait(*view);
  const char* shots[] = {"rainbow-1-regulars.png", "rainbow-2-recent.png", "rainbow-3-approach.png", "rainbow-4-dm-hit.png",
                         "rainbow-5-roller.png",   "rainbow-6-amount.png", "rainbow-7-merchants.png"};
  for (int kind = kRegulars; kind <= kKindCount; ++kind) {
    if (kind == kRoller) ui.ExpectMessage(CRainbowDlg::kNoDictionary);
    QAbstractButton* button = Button(*view, CRainbowDlg::ButtonCaption(kind));
    ASSERT_NE(button, nullptr);
    button->click();
    QApplication::processEvents();
    EXPECT_EQ(model.Kind(), kind);
    EXPECT_TRUE(button->isChecked());
    ExpectReadable(*view);
    SaveScreenshot(*view, shots[kind - 1]);
  }
  EXPECT_NE(Button(*view, "実行"), nullptr);
  EXPECT_NE(Button(*view, "ｷｬﾝｾﾙ"), nullptr);
}

TEST_F(RainbowDialogTest, ARefusedRunFocusesTheFieldAndATypedNameRuns) {
  CRainbowDlg model(ui, &doc, Install(), nullptr, kRecent);
  model.Open();
  const auto view = views.MakeView(model, nullptr);
  ShowAndWait(*view);
  ui.ExpectMessage("履歴概要を指定してください");
  Button(*view, "実行")->click();
  EXPECT_FALSE(model.IsClosing());

  Button(*view, CRainbowDlg::ButtonCaption(kMerchants))->click();
  auto* entry = Find<QLineEdit>(*view, "名前");
  ASSERT_NE(entry, nullptr);
  entry->setFocus();
  gui_test::TypeText(entry, "山田");
  Button(*view, "リストに追加 ↓")->click();
  EXPECT_EQ(model.Names(), std::vector<std::string>{"山田"});
  EXPECT_TRUE(entry->text().isEmpty());
  EXPECT_EQ(Find<QListWidget>(*view, "検索する名前")->count(), 1);
  SaveScreenshot(*view, "rainbow-7-merchants-filled.png");
  Button(*view, "実行")->click();
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(doc.Analysis().kind, kMerchants);
  EXPECT_EQ(doc.Analysis().ids, records::IdArray{customer});
}

TEST_F(RainbowDialogTest, TheDMOnlyFormOffersTheHitRateAlone) {
  CRainbowDlg model(ui, &doc, Install(), nullptr, kRegulars, true);
  model.Open();
  const auto view = views.MakeView(model, nullptr);
  ShowAndWait(*view);
  for (int kind = kRegulars; kind <= kKindCount; ++kind) {
    EXPECT_EQ(Button(*view, CRainbowDlg::ButtonCaption(kind))->isEnabled(), kind == kDMHit);
  }
  auto* titles = Find<QListWidget>(*view, "発送済みDMタイトル");
  ASSERT_NE(titles, nullptr);
  ASSERT_EQ(titles->count(), 1);
  EXPECT_EQ(titles->item(0)->text().toStdString(), "2026/10/01 秋の新作案内");
  titles->setCurrentRow(0);
  EXPECT_GT(model.dmHit.dmId, 0);
  SaveScreenshot(*view, "rainbow-4-dm-only.png");
}

}  // namespace
}  // namespace analysis
