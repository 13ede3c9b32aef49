// The bulk commands of the customer list: the bulk-change dialog's checks and questions, the
// commands' messages, and the list, the cached records and the database kept equal, whole or not
// at all.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Screens.h"
#include "customers/CKokyakuBulkDlg.h"
#include "customers/CKokyakuView.h"
#include "customers/SampleCustomers.h"
#include "history/CRirekiDlg.h"
#include "records/KokyakuColumns.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVComboData.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"

namespace customers {
namespace {

namespace cmd = shell::cmd;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

std::vector<std::string> FirstEntries(ui::Ui& ui, const std::filesystem::path& install) {
  std::vector<std::string> first;
  for (int list : {settings::CQMVComboData::kImportant, settings::CQMVComboData::kRank1, settings::CQMVComboData::kRank2}) {
    settings::CQMVComboData data(ui, install);
    EXPECT_EQ(data.Load(list), 1);
    first.push_back(data.GetEntries().empty() ? std::string() : data.GetEntries().front()->GetText());
  }
  return first;
}

// --- The dialog ---

class BulkDlgTest : public shell::test::DocumentFolderTest {};

TEST_F(BulkDlgTest, OpensOnTheColourWithなしAndEachRankingOnItsListsFirstEntry) {
  CKokyakuBulkDlg dlg(ui, Install());
  EXPECT_EQ(dlg.Title(), "顧客の一括修正");
  // The captions are the column labels of the data folder.
  EXPECT_EQ(dlg.Captions()[0], "カラーマーク");
  EXPECT_EQ(dlg.Captions()[1], "重要度ランク");
  EXPECT_EQ(dlg.Captions()[2], "ランク１");
  EXPECT_EQ(dlg.Captions()[3], "ランク２");
  EXPECT_EQ(dlg.Field(), CKokyakuBulkDlg::kColour);
  ASSERT_EQ(dlg.Colours().size(), 7u);
  EXPECT_EQ(dlg.Colours()[dlg.ColourPosition()].text, "なし");
  const std::vector<std::string> first = FirstEntries(ui, Install());
  EXPECT_EQ(dlg.Text(CKokyakuBulkDlg::kImportant), first[0]);
  EXPECT_EQ(dlg.Text(CKokyakuBulkDlg::kRank1), first[1]);
  EXPECT_EQ(dlg.Text(CKokyakuBulkDlg::kRank2), first[2]);
  for (int chosen = 0; chosen < CKokyakuBulkDlg::kFieldCount; ++chosen) {
    dlg.ChooseField(chosen);
    for (int field = 0; field < CKokyakuBulkDlg::kFieldCount; ++field) {
      EXPECT_EQ(dlg.IsInputEnabled(field), field == chosen) << chosen << " " << field;
    }
  }
}

struct OkCase {
  const char* name;
  int field;
  int colour;        // position in the colour list (colour field)
  std::string text;  // the ranking's text
  std::vector<std::pair<std::string, Answer>> messages;
  bool closes;
  int focus;  // the input that takes the focus afterwards, -1 none
  const char* column;
  std::string newText;
  std::int32_t newColour;
};

TEST_F(BulkDlgTest, OkChecksTheInputAndAsksTheFieldsQuestion) {
  const std::string fifty(50, 'x'), fiftyOne = std::string(49, 'x') + "あ";  // 51 bytes in CP932
  const std::vector<OkCase> cases = {
      {"no colour", 0, -1, "", {{"カラーを選択してください。", Answer::Ok}}, false, 0, "", "", 0},
      {"gold, yes",
       0, 1, "",
       {{"選択されている顧客のカラーマークをｺﾞｰﾙﾄﾞに変更します。\nよろしいですか？", Answer::Yes}},
       true, -1, "ColorMark", "", 0x0099FF},
      {"no mark, no",
       0, 0, "",
       {{"選択されている顧客のカラーマークをなしに変更します。\nよろしいですか？", Answer::No}},
       false, -1, "", "", 0},
      {"51 bytes", 2, 0, fiftyOne, {{"半角50文字以内にしてください。", Answer::Ok}}, false, 2, "", "", 0},
      {"50 bytes",
       2, 0, fifty,
       {{"選択されている顧客のランク１を「" + fifty + "」に変更します。\nよろしいですか？", Answer::Yes}},
       true, -1, "Ranking1", fifty, 0},
      {"25 full-width",
       1, 0, std::string("ああああああああああああああああああああああああア"),
       {{"選択されている顧客の重要度ランクを「ああああああああああああああああああああああああア」に変更します。\nよろしいですか？",
         Answer::Yes}},
       true, -1, "ImportantRanking", "ああああああああああああああああああああああああア", 0},
      {"empty clears",
       3, 0, "",
       {{"選択されている顧客のランク２を「」に変更します。\nよろしいですか？", Answer::Yes}},
       true, -1, "Ranking2", "", 0},
  };
  for (const OkCase& c : cases) {
    SCOPED_TRACE(c.name);
    CKokyakuBulkDlg dlg(ui, Install());
    dlg.ChooseField(c.field);
    if (c.field == 0) dlg.ChooseColour(c.colour);
    if (c.field > 0) dlg.SetText(c.field, c.text);
    for (const auto& [text, answer] : c.messages) ui.ExpectMessage(text, answer);
    dlg.OnOK();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(dlg.IsClosing(), c.closes);
    EXPECT_EQ(dlg.ClosedWithOk(), c.closes);
    EXPECT_EQ(dlg.TakeFocus(), c.focus);
    EXPECT_EQ(dlg.TakeFocus(), -1) << "the focus is taken once";
    if (!c.closes) continue;
    EXPECT_EQ(dlg.ColumnKey(), c.column);
    EXPECT_EQ(dlg.NewText(), c.newText);
    EXPECT_EQ(dlg.NewColour(), c.newColour);
  }
}

TEST_F(BulkDlgTest, RenamedRankingsAreNamedByTheirLabelsInCaptionsAndQuestions) {
  {
    settings::CQMVColSet set(ui, Install());
    ASSERT_EQ(set.Load(), 1);
    ASSERT_EQ(set.SetLabel("Ranking1", "地域"), 1);
    ASSERT_EQ(set.Save(), 1);
  }
  CKokyakuBulkDlg dlg(ui, Install());
  EXPECT_EQ(dlg.Captions()[2], "地域");
  dlg.ChooseField(CKokyakuBulkDlg::kRank1);
  dlg.SetText(CKokyakuBulkDlg::kRank1, "関東");
  ui.ExpectMessage("選択されている顧客の地域を「関東」に変更します。\nよろしいですか？", Buttons::YesNo, Icon::Question,
                   Answer::Yes, Answer::Yes);
  dlg.OnOK();
  EXPECT_TRUE(dlg.ClosedWithOk());
}

// --- The commands on the customer list ---

class BulkCommandTest : public shell::test::DocumentFolderTest {
 protected:
  ~BulkCommandTest() override { doc.Store().SaveQMV(true); }

  void AddCustomers(int n) {
    records::KokyakuList batch;
    for (int i = 0; i < n; ++i) batch.push_back(std::make_unique<records::CKokyaku>(test::SampleCustomer(i)));
    records::IdArray ids;
    ASSERT_EQ(doc.Store().AddNewKokyaku(batch, ids), 1);
    ASSERT_EQ(doc.Store().GetAllKokyaku(doc.Customers()), 1);
  }
  CKokyakuView& Open() {
    frame = std::make_unique<shell::CMainFrame>(ui, shell::CMainFrame::ScreenFactory{});
    app::MenuScreenContext context;
    context.ui = &ui;
    context.frame = frame.get();
    context.doc = &doc;
    context.install = Install();
    frame->SetDocument(&doc);
    frame->SetScreenFactory(app::MakeScreenFactory(context));
    EXPECT_TRUE(frame->Create());
    EXPECT_TRUE(frame->SwitchScreen(shell::CScreen::kCustomerList));
    auto& view = dynamic_cast<CKokyakuView&>(*frame->ActiveScreen());
    view.onChanged = [this] { ++changes; };
    return view;
  }
  // The dialog as the user fills it: a ranking's text, confirmed.
  void ExpectRanking(int field, std::string text, const std::string& question) {
    ui.ExpectDialog<CKokyakuBulkDlg>([field, text](CKokyakuBulkDlg& d) {
      d.ChooseField(field);
      d.SetText(field, text);
      d.OnOK();
    });
    ui.ExpectMessage(question, Answer::Yes);
  }
  records::KokyakuList Stored() {
    records::KokyakuList all;
    EXPECT_EQ(doc.Store().GetAllKokyaku(all), 1);
    return all;
  }
  const records::CKokyaku* Cached(std::int32_t id) {
    for (const auto& k : doc.Customers()) {
      if (k->ID == id) return k.get();
    }
    return nullptr;
  }

  std::unique_ptr<shell::CMainFrame> frame;
  int changes = 0;
};

TEST_F(BulkCommandTest, BothCommandsStandInTheMenusAndNeedASelection) {
  AddCustomers(3);
  CKokyakuView& view = Open();
  std::vector<std::string> context;
  for (const shell::MenuItem& item : view.ContextMenu()) context.push_back(item.id ? item.text : "-");
  EXPECT_EQ(context, (std::vector<std::string>{"顧客を追加...", "顧客を修正...", "顧客を一括修正...", "顧客を削除",
                                               "顧客をコピー...", "-", "顧客に一括して履歴追加...", "-",
                                               "一覧の顧客をすべて選択"}));
  std::vector<int> customerMenu;
  for (const shell::MenuItem& top : view.MenuBar()) {
    if (top.text != "顧客(&C)") continue;
    for (const shell::MenuItem& item : top.children) customerMenu.push_back(item.id);
  }
  EXPECT_NE(std::find(customerMenu.begin(), customerMenu.end(), cmd::kBulkModifyCustomers), customerMenu.end());
  EXPECT_NE(std::find(customerMenu.begin(), customerMenu.end(), cmd::kBulkAddHistory), customerMenu.end());
  for (int id : {cmd::kBulkModifyCustomers, cmd::kBulkAddHistory}) {
    view.SetSelection({0, 2});
    EXPECT_TRUE(view.IsCommandEnabled(id));
    view.SetSelection({});
    EXPECT_FALSE(view.IsCommandEnabled(id));
  }
  // Run without a selection all the same (a key or a stale menu), each says so.
  ui.ExpectMessage("顧客を選択してください。").ExpectMessage("顧客を選択してください。");
  view.OnCommand(cmd::kBulkModifyCustomers);
  view.OnCommand(cmd::kBulkAddHistory);
}

TEST_F(BulkCommandTest, TheCountQuestionComesFirstAndNoToTheFieldQuestionKeepsTheDialogOpen) {
  AddCustomers(4);
  CKokyakuView& view = Open();
  view.SetSelection({1, 3});
  const records::IdArray ids = view.List().SelectedIds();
  ui.ExpectMessage("選択されている2件の顧客を一括修正します。よろしいですか？", Buttons::YesNo, Icon::Question,
                   Answer::Yes, Answer::Yes);
  ui.ExpectDialog<CKokyakuBulkDlg>([](CKokyakuBulkDlg& d) {
    d.ChooseColour(3);  // 青
    d.OnOK();
    EXPECT_FALSE(d.IsClosing());
    d.OnOK();
  });
  ui.ExpectMessage("選択されている顧客のカラーマークを青に変更します。\nよろしいですか？", Answer::No)
      .ExpectMessage("選択されている顧客のカラーマークを青に変更します。\nよろしいですか？", Answer::Yes)
      .ExpectMessage("顧客データを一括修正しました。", Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  const int before = changes;
  frame->OnCommand(cmd::kBulkModifyCustomers);
  EXPECT_GT(changes, before) << "the rows are redrawn";
  for (const auto& k : Stored()) {
    const bool chosen = k->ID == ids[0] || k->ID == ids[1];
    EXPECT_EQ(k->ColorMark == 0xFF0000, chosen) << k->ID;
    EXPECT_EQ(Cached(k->ID)->ColorMark, k->ColorMark);
    EXPECT_EQ(Cached(k->ID)->LastUpDate, k->LastUpDate);
  }
}

TEST_F(BulkCommandTest, NoToTheCountQuestionOrCancelInTheDialogChangesNothing) {
  AddCustomers(2);
  CKokyakuView& view = Open();
  view.SetSelection({0, 1});
  ui.ExpectMessage("選択されている2件の顧客を一括修正します。よろしいですか？", Answer::No);
  frame->OnCommand(cmd::kBulkModifyCustomers);
  ui.ExpectMessage("選択されている2件の顧客を一括修正します。よろしいですか？", Answer::Yes);
  ui.ExpectDialog<CKokyakuBulkDlg>([](CKokyakuBulkDlg& d) {
    d.ChooseField(CKokyakuBulkDlg::kRank2);
    d.SetText(CKokyakuBulkDlg::kRank2, "取消");
    d.OnCancel();
  });
  frame->OnCommand(cmd::kBulkModifyCustomers);
  for (const auto& k : Stored()) EXPECT_NE(k->Ranking2, "取消");
}

TEST_F(BulkCommandTest, AThousandCustomersChangedLeaveListMemoryAndDatabaseEqual) {
  AddCustomers(1000);
  CKokyakuView& view = Open();
  frame->OnCommand(cmd::kSelectAll);
  ASSERT_EQ(view.List().Selection().size(), 1000u);
  const records::CKokyaku* firstRow = view.List().Rows()[0].customer;
  ui.ExpectMessage("選択されている1000件の顧客を一括修正します。よろしいですか？", Answer::Yes);
  ExpectRanking(CKokyakuBulkDlg::kRank1, "優良", "選択されている顧客のランク１を「優良」に変更します。\nよろしいですか？");
  ui.ExpectMessage("顧客データを一括修正しました。", Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  const int waits = ui.WaitCount();
  frame->OnCommand(cmd::kBulkModifyCustomers);
  EXPECT_EQ(ui.WaitCount(), waits + 1);
  EXPECT_EQ(view.List().Rows()[0].customer, firstRow) << "the records are changed in place";
  const records::KokyakuList stored = Stored();
  ASSERT_EQ(stored.size(), 1000u);
  const records::COleDate changedAt = stored.front()->LastUpDate;
  for (const auto& k : stored) {
    const records::CKokyaku* cached = Cached(k->ID);
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(k->Ranking1, "優良");
    EXPECT_EQ(cached->Ranking1, "優良");
    EXPECT_EQ(k->LastUpDate, changedAt);
    EXPECT_EQ(cached->LastUpDate, changedAt);
  }
  for (const ListRow& row : view.List().Rows()) EXPECT_EQ(records::ColumnText(*row.customer, "Ranking1"), "優良");
}

TEST_F(BulkCommandTest, APartialChangeAppliesWhatTheStoreReportsAndSaysSo) {
  AddCustomers(3);
  CKokyakuView& view = Open();
  frame->OnCommand(cmd::kSelectAll);
  const records::IdArray ids = view.List().SelectedIds();
  records::IdArray gone;
  ASSERT_EQ(doc.Store().DeleteKokyaku({ids[1]}, gone), 1);  // behind the list's back
  ui.ExpectMessage("選択されている3件の顧客を一括修正します。よろしいですか？", Answer::Yes);
  ExpectRanking(CKokyakuBulkDlg::kImportant, "S", "選択されている顧客の重要度ランクを「S」に変更します。\nよろしいですか？");
  ui.ExpectMessage("一部の顧客データが修正できませんでした。", Buttons::Ok, Icon::Warning, Answer::Ok, Answer::Ok);
  frame->OnCommand(cmd::kBulkModifyCustomers);
  EXPECT_EQ(Cached(ids[0])->ImportantRanking, "S");
  EXPECT_EQ(Cached(ids[2])->ImportantRanking, "S");
  EXPECT_NE(Cached(ids[1])->ImportantRanking, "S") << "not reported changed";
}

TEST_F(BulkCommandTest, AFailureInTheMiddleLeavesTheDatabaseAndTheRecordsAsTheyWere) {
  AddCustomers(300);
  const std::int32_t failing = doc.Customers()[150]->ID;
  // A trigger that refuses one customer's change in the middle of the run.
  ASSERT_EQ(doc.Store().SaveQMV(true), 1);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((Data() / "ZQQMV.qmv").c_str(), &db), SQLITE_OK);
  const std::string trigger = "CREATE TRIGGER refuse BEFORE UPDATE ON Customer WHEN NEW.ID = " +
                              std::to_string(failing) + " BEGIN SELECT RAISE(ABORT, 'refused'); END";
  ASSERT_EQ(sqlite3_exec(db, trigger.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  ASSERT_EQ(doc.Store().InitDB(Data()), 1) << doc.Store().DispOleDBErrDlg();
  const records::KokyakuList before = Stored();

  CKokyakuView& view = Open();
  frame->OnCommand(cmd::kSelectAll);
  ui.ExpectMessage("選択されている300件の顧客を一括修正します。よろしいですか？", Answer::Yes);
  ExpectRanking(CKokyakuBulkDlg::kRank2, "途中", "選択されている顧客のランク２を「途中」に変更します。\nよろしいですか？");
  ui.ExpectMessage("顧客データが修正できませんでした。");
  frame->OnCommand(cmd::kBulkModifyCustomers);
  const records::KokyakuList after = Stored();
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i]->Ranking2, before[i]->Ranking2);
    EXPECT_EQ(after[i]->LastUpDate, before[i]->LastUpDate);
    EXPECT_EQ(Cached(after[i]->ID)->Ranking2, before[i]->Ranking2);
  }
  EXPECT_EQ(view.List().RowCount(), 300);
}

TEST_F(BulkCommandTest, ReadOnlyDataRefusesBothCommandsAndChangesNothing) {
  AddCustomers(2);
  CKokyakuView& view = Open();
  frame->OnCommand(cmd::kSelectAll);
  doc.SetReadOnly(true);
  ui.ExpectMessage("データベースは読取専用です。\n顧客を修正することはできません。\n")
      .ExpectMessage("データベースは読取専用です。\n履歴を追加することはできません。\n");
  frame->OnCommand(cmd::kBulkModifyCustomers);
  frame->OnCommand(cmd::kBulkAddHistory);
  for (std::int32_t id : view.List().SelectedIds()) {
    records::RirekiList history;
    ASSERT_EQ(doc.Store().GetRirekiForKokyaku(id, history), 1);
    EXPECT_TRUE(history.empty());
  }
}

TEST_F(BulkCommandTest, BulkHistoryAddsAnEntryForEachSelectedCustomerAndMovesTheirLastHistoryDate) {
  AddCustomers(5);
  CKokyakuView& view = Open();
  view.SetSelection({0, 2, 4});
  const records::IdArray ids = view.List().SelectedIds();
  const records::COleDate untouched = Cached(view.List().Rows()[1].id)->RirekiUpDate;
  ui.ExpectMessage("選択されている3件の顧客に履歴を一括追加します。よろしいですか？", Answer::Yes);
  ui.ExpectDialog<history::CRirekiDlg>([](history::CRirekiDlg& d) {
    d.SetSummary("年賀状");
    d.OnOK();
  });
  ui.ExpectMessage(history::CRirekiDlg::kBulkQuestion, Answer::Yes)
      .ExpectMessage("選択されている顧客に履歴を登録しました。\n", Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  const int before = changes;
  frame->OnCommand(cmd::kBulkAddHistory);
  EXPECT_GT(changes, before);
  for (std::int32_t id : ids) {
    records::RirekiList history;
    ASSERT_EQ(doc.Store().GetRirekiForKokyaku(id, history), 1);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0]->ActionTitle, "年賀状");
  }
  for (const auto& k : Stored()) EXPECT_EQ(Cached(k->ID)->RirekiUpDate, k->RirekiUpDate) << k->ID;
  EXPECT_EQ(Cached(view.List().Rows()[1].id)->RirekiUpDate, untouched);
}

TEST_F(BulkCommandTest, TheCardShowsTheChangedCustomer) {
  AddCustomers(2);
  CKokyakuView& view = Open();
  frame->OnCommand(cmd::kCard);
  view.SetSelection({1});
  ui.ExpectMessage("選択されている1件の顧客を一括修正します。よろしいですか？", Answer::Yes);
  ExpectRanking(CKokyakuBulkDlg::kRank1, "常連", "選択されている顧客のランク１を「常連」に変更します。\nよろしいですか？");
  ui.ExpectMessage("顧客データを一括修正しました。", Answer::Ok);
  frame->OnCommand(cmd::kBulkModifyCustomers);
  ASSERT_NE(view.Card(), nullptr);
  EXPECT_EQ(view.Card()->Customer().Ranking1, "常連");
}

}  // namespace
}  // namespace customers
