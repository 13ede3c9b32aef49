// The extraction dialog on screen in each of its forms, and its companions: Japanese captions,
// the controls each form shows or greys, and a screenshot of each.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include "app/qt/ViewRegistry.h"
#include "extract/CExtractDlg.h"
#include "extract/ExtractDialogs.h"
#include "qt/GuiTestSupport.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/SettingsTestSupport.h"
#include "shell/CTovanaDoc.h"
#include "ui/qt/QtUi.h"

namespace {

using extract::CExtractDlg;

class ExtractDialogs : public settings::test::SettingsFolderTest {
 protected:
  ExtractDialogs() {
    PlaceColumnSet();
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(Data() / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
    doc.SetDataFolder(Data());
    EXPECT_EQ(doc.Store().InitDB(Data()), 1);
    app::RegisterViews(views);
  }
  ~ExtractDialogs() override { doc.Store().SaveQMV(true); }

  ui::QtUi views;
  shell::CTovanaDoc doc{ui, Install(), nullptr};
};

TEST_F(ExtractDialogs, EachFormShowsItsControls) {
  const char* names[] = {"", "extract-general.png", "extract-customers.png", "extract-history.png", "extract-dm.png", "extract-preextraction.png"};
  for (int form = CExtractDlg::kGeneral; form <= CExtractDlg::kPreExtraction; ++form) {
    SCOPED_TRACE(form);
    CExtractDlg model(ui, doc, Install(), form, form == CExtractDlg::kGeneral ? 0 : 1);
    model.Open();
    if (form == CExtractDlg::kGeneral) {
      // A filled condition A joined to B, so the screenshot shows a working state.
      for (std::size_t i = 0; i < model.Items().size(); ++i) {
        if (model.Items()[i].field == "[Customer].[Name]") model.SelectItem(0, static_cast<int>(i));
        if (model.Items()[i].field == "[Customer].[ColorMark]") model.SelectItem(1, static_cast<int>(i));
      }
      model.SelectOperator(0, 6);
      model.SetValue(0, "田中");
      model.SetAB(extract::Connector::And);
    }
    const auto view = views.MakeView(model, nullptr);
    ASSERT_NE(view, nullptr);
    gui_test::ShowAndWait(*view);
    gui_test::ExpectReadable(*view);
    EXPECT_EQ(view->windowTitle().toStdString(), "抽出");
    QAbstractButton* run = gui_test::Button(*view, "抽出実行");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->isEnabled(), form != CExtractDlg::kPreExtraction);
    QAbstractButton* pre = gui_test::Button(*view, "通常、顧客一覧をこの条件で抽出して表示する");
    ASSERT_NE(pre, nullptr);
    EXPECT_EQ(pre->isVisible(), form == CExtractDlg::kPreExtraction);
    QAbstractButton* history = gui_test::Button(*view, "履歴一覧");
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->isEnabled(), form == CExtractDlg::kGeneral || form == CExtractDlg::kHistoryOnly);
    QAbstractButton* columns = gui_test::Button(*view, "顧客一覧の表示設定...");
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(columns->isEnabled(), form == CExtractDlg::kGeneral || form == CExtractDlg::kCustomersOnly);
    gui_test::SaveScreenshot(*view, names[form]);
  }
}

TEST_F(ExtractDialogs, CompanionsShowAndTakeAName) {
  settings::CExCondition condition;
  extract::CExtractSaveDlg save(ui, Data(), condition);
  auto view = views.MakeView(save, nullptr);
  gui_test::ShowAndWait(*view);
  gui_test::ExpectReadable(*view);
  EXPECT_EQ(view->windowTitle().toStdString(), "抽出条件の保存");
  gui_test::SaveScreenshot(*view, "extract-save.png");
  extract::CExtractRenameDlg rename(ui, "田で始まる顧客");
  view = views.MakeView(rename, nullptr);
  gui_test::ShowAndWait(*view);
  EXPECT_EQ(view->findChild<QLineEdit*>()->text().toStdString(), "田で始まる顧客");
  gui_test::SaveScreenshot(*view, "extract-rename.png");
  extract::CExtractColumnDlg columns(ui, Install(), {"Name", "Yomi"});
  ASSERT_TRUE(columns.Open());
  view = views.MakeView(columns, nullptr);
  gui_test::ShowAndWait(*view);
  gui_test::ExpectReadable(*view);
  gui_test::SaveScreenshot(*view, "extract-columns.png");
}

}  // namespace
