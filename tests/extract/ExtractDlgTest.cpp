// The extraction dialog driven through its model: what it leaves in the document, the saved
// conditions and their file, reproducing, the unchanged flag, the forms, the save prompt and the
// pre-extraction.
#include <gtest/gtest.h>

#include <fstream>

#include "extract/CExtractDlg.h"
#include "extract/ExtractDialogs.h"
#include "extract/Extraction.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/CDefKokyaku.h"
#include "settings/CExtract.h"
#include "settings/SettingsTestSupport.h"
#include "shell/CTovanaDoc.h"

namespace extract {
namespace {

using settings::CExCondition;
using ui::Answer;

class ExtractDlgTest : public settings::test::SettingsFolderTest {
 protected:
  ExtractDlgTest() {
    PlaceColumnSet();
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(Data() / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
    doc.SetDataFolder(Data());
    EXPECT_EQ(doc.Store().InitDB(Data()), 1);
    for (const char* name : {"田中", "佐藤", "田村"}) {
      auto k = std::make_unique<records::CKokyaku>();
      k->Name = name;
      doc.AddCustomer(k);
    }
  }
  ~ExtractDlgTest() override { doc.Store().SaveQMV(true); }

  int ItemOf(CExtractDlg& d, std::string_view field) {
    for (std::size_t i = 0; i < d.Items().size(); ++i) {
      if (d.Items()[i].field == field) return static_cast<int>(i);
    }
    ADD_FAILURE() << field;
    return -1;
  }
  int OpOf(CExtractDlg& d, int k, std::string_view sql) {
    const auto& ops = d.Condition(k).ops;
    for (std::size_t i = 0; i < ops.size(); ++i) {
      if (ops[i].sql == sql) return static_cast<int>(i);
    }
    ADD_FAILURE() << sql;
    return -1;
  }
  // Name begins with value, as condition k.
  void NameBegins(CExtractDlg& d, int k, std::string value) {
    d.SelectItem(k, ItemOf(d, "[Customer].[Name]"));
    d.SelectOperator(k, OpOf(d, k, " Like '*%'"));
    d.SetValue(k, std::move(value));
  }
  void SaveAs(CExtractDlg& d, std::string name) {
    ui.ExpectDialog<CExtractSaveDlg>([name](CExtractSaveDlg& s) {
      s.SetName(name);
      s.OnOK();
    });
    ui.ExpectMessage("抽出条件を保存しました。");
    d.OnSave();
  }

  shell::CTovanaDoc doc{ui, Install(), nullptr};
};

TEST_F(ExtractDlgTest, OkLeavesTheExtractionInTheDocument) {
  CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
  d.Open();
  NameBegins(d, 0, "田");
  d.OnOK();
  ASSERT_TRUE(d.ClosedWithOk());
  ASSERT_NE(doc.CurrentExtraction(), nullptr);
  EXPECT_FALSE(doc.IsExtractionSaved());
  EXPECT_EQ(doc.ExtractedIds().size(), 2u);
  EXPECT_EQ(doc.CurrentExtraction()->resultType, CExCondition::kCustomers);
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, AFailedExtractionLeavesTheDocumentUnchanged) {
  CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
  d.Open();
  NameBegins(d, 0, std::string("a\0b", 3));
  ui.ExpectMessage("抽出に失敗しました");
  d.OnOK();
  EXPECT_FALSE(d.IsClosing());
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, HeadingsAreRefusedAndConnectorsEnableBAndC) {
  CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
  d.Open();
  NameBegins(d, 0, "田");
  ui.ExpectMessage("この項目は選択できません");
  d.SelectItem(0, 0);
  EXPECT_EQ(d.Items()[static_cast<std::size_t>(d.Condition(0).item)].field, "[Customer].[Name]");
  EXPECT_FALSE(d.ConditionEnabled(1));
  d.SetAB(Connector::Or);
  EXPECT_TRUE(d.ConditionEnabled(1));
  EXPECT_EQ(d.BC(), Connector::End);
  EXPECT_FALSE(d.ConditionEnabled(2));
  d.SetBC(Connector::And);
  EXPECT_TRUE(d.ConditionEnabled(2));
  d.SelectItem(1, ItemOf(d, "[Customer].[Sex]"));
  EXPECT_EQ(d.Condition(1).values, (std::vector<std::string>{"男", "女"}));
  EXPECT_EQ(d.Condition(1).value, "男");
  d.SelectItem(2, ItemOf(d, "[Customer].[ColorMark]"));
  EXPECT_TRUE(d.Condition(2).colour);
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, SavedConditionRunsUnrebuiltAndStaysSavedUntilEdited) {
  {
    CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
    d.Open();
    NameBegins(d, 0, "佐");
    SaveAs(d, "佐で始まる");
    EXPECT_TRUE(d.Unchanged());
    EXPECT_EQ(d.SavedNames(), std::vector<std::string>{"佐で始まる"});
  }
  // The file round trip: a fresh load holds the condition as it was saved.
  settings::CExtract file(ui, Data());
  ASSERT_EQ(file.Load(), 1);
  ASSERT_EQ(file.Count(), 1u);
  EXPECT_EQ(file.At(0).name, "佐で始まる");
  EXPECT_EQ(file.At(0).conditionA, (std::vector<std::string>{"[Customer].[Name]", "佐", " Like '*%'"}));
  // The stored SQL is run as it stands: a hand-changed statement shows it was not rebuilt.
  file.At(0).sql = "SELECT DISTINCTROW Customer.* FROM Customer WHERE [Customer].[Name] = '田村'";
  ASSERT_EQ(file.Save(), 1);

  CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
  d.Open();
  d.SelectSaved(0);
  EXPECT_TRUE(d.Unchanged());
  EXPECT_EQ(d.Condition(0).value, "佐");
  d.OnOK();
  ASSERT_TRUE(d.ClosedWithOk());
  EXPECT_TRUE(doc.IsExtractionSaved());
  EXPECT_EQ(doc.ExtractedIds().size(), 1u);
  EXPECT_TRUE(AskToSaveExtraction(ui, doc));  // nothing asked

  // Changing only the connector forces a rebuild and leaves the result unsaved.
  CExtractDlg again(ui, doc, Install(), CExtractDlg::kGeneral);
  again.Open();
  again.SelectSaved(0);
  again.SetAB(Connector::And);
  again.SelectItem(1, ItemOf(again, "[Customer].[Name]"));
  again.SelectOperator(1, OpOf(again, 1, " Like '%*'"));
  again.SetValue(1, "藤");
  again.OnOK();
  ASSERT_TRUE(again.ClosedWithOk());
  EXPECT_FALSE(doc.IsExtractionSaved());
  EXPECT_EQ(doc.ExtractedIds().size(), 1u);  // 佐藤
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, RenameAndDeleteWriteTheFile) {
  CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
  d.Open();
  ui.ExpectMessage("名前を変更する条件を選択してください");
  d.OnRename();
  ui.ExpectMessage("削除する条件を選択してください");
  d.OnDelete();
  NameBegins(d, 0, "田");
  SaveAs(d, "田");
  d.SelectSaved(0);
  ui.ExpectDialog<CExtractRenameDlg>([this](CExtractRenameDlg& r) {
    r.SetName("");
    ui.ExpectMessage("名前を入力してください");
    r.OnOK();
    EXPECT_FALSE(r.IsClosing());
    r.SetName("田で始まる");
    r.OnOK();
  });
  d.OnRename();
  EXPECT_EQ(d.SavedNames(), std::vector<std::string>{"田で始まる"});
  EXPECT_EQ(d.SavedSelection(), 0);
  ui.ExpectMessage("条件「田で始まる」を削除します。\nよろしいですか？", ui::Buttons::YesNo, ui::Icon::Question, Answer::No, Answer::Yes);
  d.OnDelete();
  EXPECT_TRUE(d.SavedNames().empty());
  settings::CExtract file(ui, Data());
  ASSERT_TRUE(std::filesystem::exists(file.FilePath()));
  ASSERT_EQ(file.Load(), 1);
  EXPECT_EQ(file.Count(), 0u);
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, HistoryOnlyFormHidesCustomerConditions) {
  {
    CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
    d.Open();
    NameBegins(d, 0, "田");
    SaveAs(d, "顧客の条件");
    d.OnOK();
  }
  ASSERT_NE(doc.CurrentExtraction(), nullptr);
  ui.ExpectMessage(CExtractDlg::kCannotReproduce);
  CExtractDlg d(ui, doc, Install(), CExtractDlg::kHistoryOnly);
  d.Open();
  EXPECT_TRUE(d.SavedNames().empty());
  EXPECT_EQ(d.ResultType(), CExCondition::kHistory);
  EXPECT_FALSE(d.ResultTypeEnabled(CExCondition::kCustomers));
  EXPECT_FALSE(d.ColumnsEnabled());
  EXPECT_EQ(d.Condition(0).item, -1);
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, AnUnreadableSavedFileIsNeverOverwritten) {
  { std::ofstream(Data() / settings::CExtract::kFileName, std::ios::binary) << "not an archive"; }
  ui.ExpectMessage(std::string(settings::kFileErrorMessage));
  CExtractDlg d(ui, doc, Install(), CExtractDlg::kGeneral);
  d.Open();
  NameBegins(d, 0, "田");
  ui.ExpectDialog<CExtractSaveDlg>([](CExtractSaveDlg& s) {
    s.SetName("x");
    s.OnOK();
  });
  ui.ExpectMessage(std::string(settings::kFileErrorMessage)).ExpectMessage(CExtractSaveDlg::kSaveFailed);
  d.OnSave();
  EXPECT_FALSE(d.Unchanged());
  std::ifstream in(Data() / settings::CExtract::kFileName, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not an archive");
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, SavePromptGoesOnOnlyWhenSavedOrDeclined) {
  doc.SetExtraction(std::make_unique<CExCondition>(), false);
  ui.ExpectMessage("抽出した条件は保存されていません。保存しますか？", Answer::No);
  EXPECT_TRUE(AskToSaveExtraction(ui, doc));
  ui.ExpectMessage("抽出した条件は保存されていません。保存しますか？", Answer::Yes);
  ui.ExpectDialog<CExtractSaveDlg>([](CExtractSaveDlg& s) { s.OnCancel(); });
  EXPECT_FALSE(AskToSaveExtraction(ui, doc));
  EXPECT_FALSE(doc.IsExtractionSaved());
  doc.SetReadOnly(true);
  ui.ExpectMessage("データベースは読取専用です。\n抽出条件の保存はできません。");
  EXPECT_FALSE(SaveCurrentExtraction(ui, doc));
  EXPECT_TRUE(AskToSaveExtraction(ui, doc));  // read-only: nothing asked
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, PreExtractionIsSetWithoutColumnsAndTheDocumentLeftEmpty) {
  ui.ExpectMessageBeginning("この機能は、顧客画面を表示する際");
  ui.ExpectDialog<CExtractDlg>([this](CExtractDlg& d) {
    EXPECT_FALSE(d.ExtractEnabled());
    EXPECT_FALSE(d.SaveShown());
    EXPECT_TRUE(d.PreExtractionShown());
    NameBegins(d, 0, "田");
    ui.ExpectMessage(CExtractDlg::kPreExtractionConfirm, Answer::Yes);
    ui.ExpectMessage("設定しました");
    d.OnSetPreExtraction();
    EXPECT_TRUE(d.ClosedWithOk());
  });
  SetPreExtraction(ui, &doc, Install());
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);
  const auto stored = settings::CDefKokyaku(ui, Data()).Load();
  ASSERT_NE(stored, nullptr);
  EXPECT_TRUE(stored->displayColumns.empty());
  EXPECT_EQ(stored->conditionA[1], "田");
  ui.ExpectMessage("この操作を行うことはできません");
  SetPreExtraction(ui, nullptr, Install());
  EXPECT_TRUE(ui.Done());
}

TEST_F(ExtractDlgTest, ColumnDialogStartsFromTheListColumnsAndMayBeEmptied) {
  CExtractColumnDlg d(ui, Install(), {});
  ASSERT_TRUE(d.Open());
  EXPECT_FALSE(d.Shown().empty());
  ui.ExpectMessage(CExtractColumnDlg::kNothingToShow);
  d.OnShow();
  while (!d.Shown().empty()) {
    d.SelectShown(0);
    d.OnHide();
  }
  ui.ExpectMessage(CExtractColumnDlg::kNoColumns);
  d.OnOK();
  EXPECT_TRUE(d.ClosedWithOk());
  EXPECT_TRUE(d.Columns().empty());
  EXPECT_TRUE(ui.Done());
}

}  // namespace
}  // namespace extract
