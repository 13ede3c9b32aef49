// The import's dialogs on screen: Japanese captions readable, accessible names, and mouse and
// keyboard reaching the models.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "io/qt/ImportMappingDlgWidget.h"
#include "io/qt/ImportOptionDlgWidget.h"
#include "io/qt/ImportPickDlgWidget.h"
#include "io/qt/ImportTextDlgWidget.h"
#include "qt/GuiTestSupport.h"
#include "ui/ScriptedUi.h"

namespace io {
namespace {

using gui_test::Button;
using gui_test::ExpectReadable;
using gui_test::Find;
using gui_test::SaveScreenshot;
using gui_test::ShowAndWait;

class ImportDialogsTest : public ::testing::Test {
 protected:
  ImportDialogsTest() : ui([](const std::string& why) { ADD_FAILURE() << why; }) {}
  ui::ScriptedUi ui;
};

TEST_F(ImportDialogsTest, TheFormatChoiceGoesOnWithTheChosenFormat) {
  CImportOptionDlg model = CImportOptionDlg::Format();
  ImportOptionDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "import-format.png");
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("データの取り込み"));
  Find<QRadioButton>(dialog, QString::fromUtf8("テキスト（*.csv/*.txt）データ"))->click();
  Button(dialog, "次へ >")->click();
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.Selection(), 2);
}

TEST_F(ImportDialogsTest, TheTableChoiceTakesADoubleClick) {
  CImportPickDlg model = CImportPickDlg::Table(ui, {"顧客台帳", "Customers"});
  ImportPickDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "import-table.png");
  auto* list = Find<QListWidget>(dialog, QString::fromUtf8("テーブルを選択してください"));
  ASSERT_EQ(list->count(), 2);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.Selection(), 1);
}

TEST_F(ImportDialogsTest, TheDelimiterDialogEnablesTheEditOnlyForOther) {
  CImportTextDlg model(ui, "\"顧客コード\",\"氏名\"\r\n\"00001\",\"中村　結衣\"\r\n");
  ImportTextDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  SaveScreenshot(dialog, "import-text.png");
  auto* edit = Find<QLineEdit>(dialog, QString::fromUtf8("その他の区切り文字"));
  EXPECT_FALSE(edit->isEnabled());
  Find<QRadioButton>(dialog, QString::fromUtf8("その他・・・・・＞"))->click();
  EXPECT_TRUE(edit->isEnabled());
  QTest::keyClicks(edit, ";");
  EXPECT_EQ(model.Delimiter(), ';');
  Button(dialog, "戻る")->click();
  EXPECT_TRUE(model.WentBack());
}

TEST_F(ImportDialogsTest, TheMappingDialogMapsByButtonsAndShowsTheRule) {
  const ImportTable rows{{"", "F1", "F2", "F3"},
                         {"1", "お客様コード", "名前", "備考"},
                         {"2", "00001", "中村　結衣", "要確認\n（転居予定）"}};
  CImportMappingDlg model(ui, ImportFormat::Text, rows,
                          {{"CustomerID", "お客様コード"}, {"Name", "氏名"}, {"ClosingDay", "締め日"}, {"Note1", "備考１"}});
  model.MapByCaptions();
  ImportMappingDlgWidget dialog(model, nullptr);
  ShowAndWait(dialog);
  ExpectReadable(dialog);
  auto* left = Find<QListWidget>(dialog, QString::fromUtf8("顧客データベースの項目"));
  auto* right = Find<QTreeWidget>(dialog, QString::fromUtf8("読み込むデータ"));
  ASSERT_EQ(left->count(), 3);  // お客様コード starts mapped from the captions
  EXPECT_EQ(right->topLevelItem(0)->text(0), QString::fromUtf8("お客様コード"));
  EXPECT_FALSE(Find<QCheckBox>(dialog, QString::fromUtf8("１行目から読み込む"))->isChecked());
  left->setCurrentRow(0);  // 氏名
  right->setCurrentItem(right->topLevelItem(1));
  Button(dialog, "対応づける\n→")->click();
  EXPECT_EQ(right->topLevelItem(1)->text(0), QString::fromUtf8("氏名"));
  left->setCurrentRow(0);  // 締め日
  SaveScreenshot(dialog, "import-mapping.png");
  bool ruleShown = false;
  for (auto* label : dialog.findChildren<QLabel*>()) ruleShown |= label->text() == QString::fromUtf8(ImportRule("ClosingDay").data(), static_cast<qsizetype>(ImportRule("ClosingDay").size()));
  EXPECT_TRUE(ruleShown);
  Button(dialog, "完了")->click();
  EXPECT_TRUE(model.ClosedWithOk());
  EXPECT_EQ(model.Mapping(), (ImportMapping{"", "CustomerID", "Name", ""}));
}

}  // namespace
}  // namespace io
