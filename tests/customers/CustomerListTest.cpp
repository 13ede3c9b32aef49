// The customer list screen through its model, on a real store, document and profile.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Screens.h"
#include "customers/CKokyakuDlg.h"
#include "customers/CKokyakuList.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuView.h"
#include "customers/SampleCustomers.h"
#include "history/CRirekiDlg.h"
#include "io/CImportMappingDlg.h"
#include "io/CImportOptionDlg.h"
#include "io/CImportTextDlg.h"
#include "settings/CDefKokyaku.h"
#include "settings/CExCondition.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "settings/SettingsTestSupport.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"
#include "text/Collation.h"

namespace customers {
namespace {

namespace fs = std::filesystem;
namespace cmd = shell::cmd;
using ui::Answer;
using Strings = std::vector<std::string>;

class CustomerListTest : public shell::test::DocumentFolderTest {
 protected:
  ~CustomerListTest() override { doc.Store().SaveQMV(true); }

  void AddCustomers(int n) {
    for (int i = 0; i < n; ++i) {
      auto k = std::make_unique<records::CKokyaku>(test::SampleCustomer(i));
      ASSERT_GT(doc.AddCustomer(k), 0);
    }
  }
  // The customer list shown as screen n of a fresh frame.
  CKokyakuView& Open(int n = shell::CScreen::kCustomerList) {
    frame = std::make_unique<shell::CMainFrame>(ui, shell::CMainFrame::ScreenFactory{});
    app::MenuScreenContext context;
    context.ui = &ui;
    context.frame = frame.get();
    context.doc = &doc;
    context.install = Install();
    frame->SetDocument(&doc);
    frame->SetScreenFactory(app::MakeScreenFactory(context));
    EXPECT_TRUE(frame->Create());
    EXPECT_TRUE(frame->SwitchScreen(n));
    return dynamic_cast<CKokyakuView&>(*frame->ActiveScreen());
  }
  Strings Column(const CKokyakuView& view, int column) {
    Strings cells;
    for (int r = 0; r < view.List().RowCount(); ++r) cells.push_back(view.List().CellText(r, column));
    return cells;
  }
  std::size_t InStore() {
    records::KokyakuList all;
    EXPECT_EQ(doc.Store().GetAllKokyaku(all), 1);
    return all.size();
  }

  std::unique_ptr<shell::CMainFrame> frame;
};

TEST_F(CustomerListTest, OpensWithEveryCustomerTheDisplayColumnsAndTheFirstRowSelected) {
  AddCustomers(5);
  CKokyakuView& view = Open();
  EXPECT_EQ(view.Title(), "顧客 ソレル－顧客一覧");
  ASSERT_EQ(view.List().Columns().size(), 2u);
  EXPECT_EQ(view.List().Columns()[0].label, "お客様コード");
  EXPECT_EQ(view.List().Columns()[1].label, "氏名");
  EXPECT_EQ(view.CountText(), "5件");
  EXPECT_EQ(view.List().Selection(), std::vector<int>{0});
  EXPECT_FALSE(view.ShowsSubset());
  EXPECT_FALSE(view.IsCommandEnabled(cmd::kReleaseExtraction));
  EXPECT_TRUE(view.IsCommandEnabled(cmd::kDeleteCustomers));
  view.SetSelection({});
  EXPECT_FALSE(view.IsCommandEnabled(cmd::kDeleteCustomers));
  EXPECT_FALSE(view.IsCommandEnabled(cmd::kDeleteAllHistory));
  EXPECT_TRUE(view.IsCommandEnabled(cmd::kSelectAll));
}

TEST_F(CustomerListTest, SortingAlternatesAndOrdersJapaneseTextCaseAndWidthBlind) {
  const char* names[] = {"ｶﾀｶﾅ", "あいう", "ＡＢＣ", "abd", "漢字", "アイウエ", "Abc"};
  for (const char* name : names) {
    auto k = std::make_unique<records::CKokyaku>();
    k->Name = name;
    k->CustomerID = name;
    ASSERT_GT(doc.AddCustomer(k), 0);
  }
  CKokyakuView& view = Open();
  view.OnHeaderClick(1);
  const Strings ascending = Column(view, 1);
  // Latin before kana before kanji; ＡＢＣ and Abc side by side whatever their width or case.
  EXPECT_EQ(Strings(ascending.begin(), ascending.begin() + 3)[2], "abd");
  EXPECT_TRUE((ascending[0] == "ＡＢＣ" && ascending[1] == "Abc") || (ascending[0] == "Abc" && ascending[1] == "ＡＢＣ"));
  EXPECT_EQ(ascending.back(), "漢字");
  const auto kana = [&](const std::string& s) { return std::find(ascending.begin(), ascending.end(), s) - ascending.begin(); };
  EXPECT_LT(kana("あいう"), kana("アイウエ"));
  view.OnHeaderClick(0);  // another column: the one flag now says descending
  const Strings codes = Column(view, 0);
  EXPECT_TRUE(std::is_sorted(codes.rbegin(), codes.rend(), [](const std::string& a, const std::string& b) {
    return text::JapaneseSortKey(a) < text::JapaneseSortKey(b);
  }));
}

TEST_F(CustomerListTest, APartialDeleteRemovesOnlyTheReportedRowsAndTheListMatchesTheStore) {
  AddCustomers(4);
  CKokyakuView& view = Open();
  view.SetSelection({0, 1});
  const records::IdArray ids = view.List().SelectedIds();
  records::IdArray gone;
  ASSERT_EQ(doc.Store().DeleteKokyaku({ids[0]}, gone), 1);  // behind the list's back
  ui.ExpectMessage(
        "選択されている2件の顧客を削除します。\n顧客を削除すると、二度と元に戻すことはできません。\n"
        "また、削除する顧客の履歴・DM送付予定などもすべて削除されます。\n\n本当に削除してよろしいですか？",
        ui::Buttons::YesNo, ui::Icon::Question, Answer::No, Answer::Yes)
      .ExpectMessage("一部の顧客情報が削除できませんでした。\n");
  frame->OnCommand(cmd::kDeleteCustomers);
  EXPECT_EQ(view.List().RowCount(), 3);
  EXPECT_EQ(view.List().RowOf(ids[1]), -1);
  EXPECT_NE(view.List().RowOf(ids[0]), -1);  // not reported deleted: the row stays
  EXPECT_EQ(InStore(), 2u);
  EXPECT_EQ(doc.Customers().size(), 3u);
}

TEST_F(CustomerListTest, ReadOnlyDataRefusesDeletionsAndAnsweringNoKeepsEverything) {
  AddCustomers(2);
  CKokyakuView& view = Open();
  ui.ExpectMessage("選択されている1件の顧客を削除します。\n顧客を削除すると、二度と元に戻すことはできません。\n"
                   "また、削除する顧客の履歴・DM送付予定などもすべて削除されます。\n\n本当に削除してよろしいですか？",
                   Answer::No);
  frame->OnCommand(cmd::kDeleteCustomers);
  doc.SetReadOnly(true);
  ui.ExpectMessage("データベースは読取専用です。\n顧客を削除することはできません。\n")
      .ExpectMessage("データベースは読取専用です。\n履歴を修正することはできません。\n参照のみを行ないます。")
      .ExpectMessage("データベースは読取専用です。\n更新することはできません。\n");
  frame->OnCommand(cmd::kDeleteCustomers);
  frame->OnCommand(cmd::kDeleteAllHistory);
  frame->OnCommand(cmd::kListUpdate);
  EXPECT_EQ(view.List().RowCount(), 2);
  EXPECT_EQ(InStore(), 2u);
}

TEST_F(CustomerListTest, AFailedPreExtractionAnsweredNoKeepsTheConditionWithItsEmptyResult) {
  AddCustomers(3);
  settings::CExCondition condition;
  condition.sql = "SELECT [Customer].[ID] FROM [Nowhere]";
  ASSERT_EQ(settings::CDefKokyaku(ui, Data()).Save(condition), 1);
  ui.ExpectMessage("抽出に失敗しました。全顧客を表示してよろしいですか？", Answer::No);
  CKokyakuView& view = Open();
  EXPECT_TRUE(view.ShowsSubset());
  EXPECT_EQ(view.List().RowCount(), 0);
  ASSERT_NE(doc.CurrentExtraction(), nullptr);
  EXPECT_TRUE(doc.IsExtractionSaved());
  ui.ExpectMessage("現在データベースに登録されている顧客は3人です。\n\n現在顧客一覧に抽出されている顧客は0人です。\n");
  frame->OnCommand(cmd::kShowCount);
  frame->OnCommand(cmd::kReleaseExtraction);
  EXPECT_EQ(view.List().RowCount(), 3);
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);
}

TEST_F(CustomerListTest, APreExtractionShowsItsCustomersAndLeavingTheListForgetsIt) {
  AddCustomers(6);
  settings::CExCondition condition;
  condition.sql = "SELECT [Customer].[ID] FROM [Customer] WHERE [Customer].[Sex] = 1";
  ASSERT_EQ(settings::CDefKokyaku(ui, Data()).Save(condition), 1);
  CKokyakuView& view = Open();
  EXPECT_EQ(view.List().RowCount(), 3);
  EXPECT_TRUE(view.ExtractionButtonsShown());
  frame->OnCommand(cmd::kMenuScreen);
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);
}

TEST_F(CustomerListTest, TheDMQuestionComesOnlyWithASelection) {
  AddCustomers(2);
  Open();
  ui.ExpectMessage(
      "選択されている1件の顧客をDM送付管理に追加しますか？\n\n「はい」で追加します。\n「いいえ」で選択を解除してDM送付管理画面に移動します。",
      ui::Buttons::YesNoCancel, ui::Icon::Question, Answer::Yes, Answer::Cancel);
  frame->OnCommand(cmd::kDMScreen);
  EXPECT_EQ(frame->CurrentScreen(), shell::CScreen::kCustomerList);
  dynamic_cast<CKokyakuView&>(*frame->ActiveScreen()).SetSelection({});
  frame->OnCommand(cmd::kDMScreen);
  EXPECT_EQ(frame->CurrentScreen(), shell::CScreen::kDM);
}

TEST_F(CustomerListTest, FindNextSelectsTheNextHitAndSaysWhenTheListEnds) {
  AddCustomers(20);
  CKokyakuView& view = Open();
  const std::string target = view.List().CellText(7, 1);
  view.OnFind({target, true});
  EXPECT_EQ(view.List().FirstSelected(), 7);
  ui.ExpectMessage(CKokyakuView::kSearchEnded);
  view.OnFind({"存在しない名前", true});
  EXPECT_EQ(view.List().FirstSelected(), 7);  // kept
  ui.ExpectMessage(CKokyakuView::kSearchEnded);
  view.OnFind({target, true});  // nothing after row 7 holds that name
}

TEST_F(CustomerListTest, WithTheCardShownOneRowIsSelectedAndSelectAllHidesTheCard) {
  AddCustomers(4);
  CKokyakuView& view = Open(shell::CScreen::kCustomerCard);
  EXPECT_TRUE(view.CardShown());
  EXPECT_EQ(view.CardTab(), 0);
  view.SetSelection({1, 2, 3});
  EXPECT_EQ(view.List().Selection(), std::vector<int>{1});
  frame->OnCommand(cmd::kSelectAll);
  EXPECT_FALSE(view.CardShown());
  EXPECT_EQ(view.List().Selection().size(), 4u);
}

TEST_F(CustomerListTest, ReloadingReadsEveryCustomerAgainInTheDefaultOrderAndDropsTheExtraction) {
  AddCustomers(3);
  CKokyakuView& view = Open();
  auto k = std::make_unique<records::CKokyaku>(test::SampleCustomer(50));
  ASSERT_GT(doc.Store().AddNewKokyaku(*k), 0);  // as an import adds customers
  doc.SetExtraction(std::make_unique<settings::CExCondition>(), true);
  view.ReloadAllCustomers();
  EXPECT_EQ(view.List().RowCount(), 4);
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);
  EXPECT_FALSE(view.ShowsSubset());
}

TEST_F(CustomerListTest, EntryDialogsSaveThroughTheListSoItsRowsFollowTheDatabase) {
  AddCustomers(3);
  CKokyakuView& view = Open();
  ui.ExpectDialog<CKokyakuNormalDlg>([](CKokyakuNormalDlg& d) {
    d.Form().SetText("Name", "新規　顧客");
    d.OnCancel();
  });
  ui.ExpectMessage(CKokyakuDlg::kAddOnClose, Answer::Yes);
  frame->OnCommand(cmd::kAddCustomer);
  ASSERT_EQ(view.List().RowCount(), 4);
  EXPECT_EQ(view.List().CellText(0, 1), "新規　顧客");
  EXPECT_EQ(view.List().Selection(), std::vector<int>{0});

  view.SetSelection({2});
  const std::int32_t id = view.List().SelectedIds().front();
  ui.ExpectDialog<CKokyakuNormalDlg>([](CKokyakuNormalDlg& d) {
    d.Form().SetText("Name", "変更　後");
    d.OnCancel();
  });
  ui.ExpectMessage(CKokyakuDlg::kModifyOnClose, Answer::Yes);
  frame->OnCommand(cmd::kModifyCustomer);
  // The document replaced the record: the row shows the new one (a stale pointer would be caught here).
  EXPECT_EQ(view.List().CellText(view.List().RowOf(id), 1), "変更　後");
  EXPECT_EQ(InStore(), 4u);
}

TEST_F(CustomerListTest, HistoryIsAddedFromTheListAndTheCardShowsTheSelectedCustomer) {
  AddCustomers(3);
  CKokyakuView& view = Open();
  view.SetSelection({1});
  const std::int32_t id = view.List().SelectedIds().front();
  ui.ExpectDialog<history::CRirekiDlg>([](history::CRirekiDlg& d) {
    d.SetSummary("購入");
    d.OnCancel();
  });
  ui.ExpectMessage(history::CRirekiDlg::kAddOnClose, Answer::Yes);
  frame->OnCommand(cmd::kAddHistory);
  records::RirekiList stored;
  ASSERT_EQ(doc.Store().GetRirekiForKokyaku(id, stored), 1);
  EXPECT_EQ(stored.size(), 1u);

  frame->OnCommand(cmd::kCard);
  ASSERT_NE(view.Card(), nullptr);
  // Screen 1 names no tab: the card opens where a new card pane starts, on 詳細.
  EXPECT_EQ(view.CardTab(), KokyakuCardPane::kDetailTab);
  EXPECT_EQ(view.Card()->Tab(), KokyakuCardPane::kDetailTab);
  EXPECT_TRUE(view.IsCommandChecked(cmd::kCardDetailTab));
  EXPECT_EQ(view.Card()->Customer().ID, id);
  EXPECT_EQ(view.Card()->HistoryRowCount(), 1);
  view.SetSelection({2});
  EXPECT_EQ(view.Card()->Customer().ID, view.List().SelectedIds().front());
  frame->OnCommand(cmd::kCardHistoryTab);
  EXPECT_TRUE(view.IsCommandChecked(cmd::kCardHistoryTab));
  EXPECT_TRUE(view.IsCommandEnabled(cmd::kFindHistory));
  EXPECT_FALSE(view.IsCommandEnabled(cmd::kModifyHistory));  // no history row selected
}

TEST_F(CustomerListTest, ColumnWidthsAndTheCardWidthAreKeptInTheProfile) {
  AddCustomers(2);
  settings::CExCondition condition;
  condition.sql = "SELECT [Customer].[ID] FROM [Customer]";
  condition.displayColumns = {"Name", "TEL_Home", "Add1_Home"};
  doc.SetExtraction(std::make_unique<settings::CExCondition>(condition), true);
  doc.ExtractedIds() = {doc.Customers()[0]->ID};
  CKokyakuView& view = Open(shell::CScreen::kCustomerCard);
  ASSERT_EQ(view.List().Columns().size(), 3u);
  EXPECT_EQ(view.List().Columns()[1].label, "自宅電話番号");
  EXPECT_EQ(view.List().Columns()[1].width, 150);
  view.SetColumnWidth(2, 240);
  view.SetCardWidth(310);
  frame->OnCommand(cmd::kMenuScreen);
  EXPECT_EQ(profile.GetInt("Settings-KList", "colwidth0", 0), 150);
  EXPECT_EQ(profile.GetInt("Settings-KList", "colwidth2", 0), 240);
  EXPECT_EQ(profile.GetInt("Settings", "cardwid", 0), 310);
  // Reopened on all customers: the normal columns read their widths from the profile.
  CKokyakuView& again = Open();
  EXPECT_EQ(again.List().Columns()[0].width, 150);
  EXPECT_EQ(again.CardWidth(), 310);
}

}  // namespace
}  // namespace customers

namespace customers {
namespace {

// Names sort by their reading, as Japanese lists do, falling back to the name itself.
TEST_F(CustomerListTest, NamesSortByTheirReadingAndTheHeaderKnowsTheOrder) {
  struct Row {
    const char* name;
    const char* yomi;
    const char* company;
    const char* companyYomi;
  };
  const Row rows[] = {
      {"山田　太郎", "ヤマダ タロウ", "株式会社あおば", "ｱｵﾊﾞ"},
      {"鈴木　一郎", "ｽｽﾞｷ ｲﾁﾛｳ", "田中工業", "タナカコウギョウ"},  // half-width readings sort alike
      {"田中　花子", "タナカ ハナコ", "山田商店", ""},              // no company reading: its name
      {"阿部　進", "", "", ""},                                    // no reading: the name itself
  };
  for (const Row& row : rows) {
    auto k = std::make_unique<records::CKokyaku>();
    k->Name = row.name;
    k->Yomi = row.yomi;
    k->CompName = row.company;
    k->CompYomi = row.companyYomi;
    ASSERT_GT(doc.AddCustomer(k), 0);
  }
  {
    settings::CQMVDispKokyakuCol display(ui, Install());
    display.GetKeys() = {"Name", "CompName"};
    ASSERT_EQ(display.Save(), 1);
  }
  CKokyakuView& view = Open();
  EXPECT_EQ(view.List().SortColumn(), -1);
  view.OnHeaderClick(0);
  EXPECT_EQ(Column(view, 0), (Strings{"鈴木　一郎", "田中　花子", "山田　太郎", "阿部　進"}));
  EXPECT_EQ(view.List().SortColumn(), 0);
  EXPECT_FALSE(view.List().SortedDescending());
  view.OnHeaderClick(1);
  EXPECT_EQ(Column(view, 1), (Strings{"山田商店", "田中工業", "株式会社あおば", ""}));
  EXPECT_EQ(view.List().SortColumn(), 1);
  EXPECT_TRUE(view.List().SortedDescending());
  view.ReloadAllCustomers();  // the rows come back in the store's order: no column sorts them
  EXPECT_EQ(view.List().SortColumn(), -1);
}

TEST_F(CustomerListTest, EnterOpensAndDeleteDeletesOnlyWithACustomerSelected) {
  AddCustomers(3);
  CKokyakuView& view = Open();
  EXPECT_EQ(view.CommandForKey(CKokyakuView::ListKey::Enter), cmd::kModifyCustomer);
  EXPECT_EQ(view.CommandForKey(CKokyakuView::ListKey::Delete), cmd::kDeleteCustomers);
  view.SetSelection({});
  EXPECT_EQ(view.CommandForKey(CKokyakuView::ListKey::Enter), 0);
  EXPECT_EQ(view.CommandForKey(CKokyakuView::ListKey::Delete), 0);
}

}  // namespace
}  // namespace customers

namespace customers {
namespace {

TEST_F(CustomerListTest, TheFileMenuImportsExternalDataAndTheListShowsTheNewCustomers) {
  AddCustomers(1);
  CKokyakuView& view = Open();
  const auto file = temp / "new.csv";
  std::ofstream(file, std::ios::binary) << "001,山田\r\n002,佐藤\r\n";
  const shell::MenuItem fileMenu = view.MenuBar().front();
  Strings texts;
  for (const auto& item : fileMenu.children) texts.push_back(item.text);
  EXPECT_EQ(texts, (Strings{"データベースを更新", "", "印刷...", "メール送信...", "", "外部ﾃﾞｰﾀの取り込み...",
                            "ミルテ4の顧客ﾃﾞｰﾀ取り込み...", "", "外部ﾃﾞｰﾀへ書き出し...", "HTMLに書き出し...", "",
                            "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
  EXPECT_TRUE(view.IsCommandEnabled(cmd::kImportExternal));
  EXPECT_TRUE(view.IsCommandEnabled(cmd::kImportMirte));
  ui.ExpectDialog<io::CImportOptionDlg>([](io::CImportOptionDlg& d) {
    d.Select(static_cast<int>(io::ImportFormat::Text));
    d.OnOK();
  });
  ui.ExpectOpenFile(file);
  ui.ExpectDialog<io::CImportTextDlg>([](io::CImportTextDlg& d) { d.OnOK(); });
  ui.ExpectDialog<io::CImportMappingDlg>([](io::CImportMappingDlg& d) {
    d.SetFromFirstRow(true);
    d.SelectLine(1);
    for (std::size_t i = 0; i < d.Available().size(); ++i) {
      if (d.Available()[i].key == "Name") d.SelectAvailable(static_cast<int>(i));
    }
    d.OnMap();
    d.OnFinish();
  });
  EXPECT_TRUE(frame->OnCommand(cmd::kImportExternal));
  EXPECT_EQ(view.List().RowCount(), 3);
  EXPECT_EQ(InStore(), 3u);

  doc.SetReadOnly(true);
  ui.ExpectMessage("データベースは読取専用です。\n外部データの読み込みをすることはできません。");
  frame->OnCommand(cmd::kImportMirte);
  EXPECT_EQ(InStore(), 3u);
}

}  // namespace
}  // namespace customers
