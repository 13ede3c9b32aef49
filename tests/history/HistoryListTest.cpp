// The history list screen through its model, on a real store, document and profile, with the
// dialogs of other subsystems played by the tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CTovanaView.h"
#include "app/Screens.h"
#include "customers/CKokyakuView.h"
#include "extract/CExtractDlg.h"
#include "extract/ExtractDialogs.h"
#include "history/CRirekiRefDlg.h"
#include "history/CRirekiShowDlg.h"
#include "analysis/CRainbowDlg.h"
#include "history/CRirekiView.h"
#include "history/RirekiPrint.h"
#include "printing/CDispPrevDlg.h"
#include "settings/CExCondition.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"

namespace history {
namespace {

namespace cmd = shell::cmd;
using records::COleDate;
using shell::CScreen;
using ui::Answer;
using Strings = std::vector<std::string>;

const COleDate kNow = COleDate::FromCivil({2026, 12, 8, 10, 30, 0});
constexpr const char* kMoneyOnly = "SELECT [Rireki].* FROM [Rireki] WHERE [Rireki].[Money] > 0";

class HistoryListTest : public shell::test::DocumentFolderTest {
 protected:
  ~HistoryListTest() override { doc.Store().SaveQMV(true); }

  std::int32_t AddCustomer(const char* code, const char* name, const char* yomi = "", const char* company = "") {
    auto k = std::make_unique<records::CKokyaku>();
    k->CustomerID = code;
    k->Name = name;
    k->Yomi = yomi;
    k->CompName = company;
    const int id = doc.AddCustomer(k);
    EXPECT_GT(id, 0);
    return id;
  }
  std::int32_t AddEntry(std::int32_t customer, records::CivilTime when, const char* summary, double money = 0,
                        const char* details = "", const char* keyword = "", const char* staff = "山田") {
    records::CRirekiData e;
    e.Date = COleDate::FromCivil(when);
    e.ActionTitle = summary;
    e.Action = details;
    e.Keyword = keyword;
    e.TantouName = staff;
    e.Money = money;
    const int id = doc.Store().AddNewRireki(customer, e, kNow);
    EXPECT_GT(id, 0);
    return id;
  }
  // Every entry read into the document, newest first, as the menu screen's すべて表示する does.
  void LoadHistory() {
    doc.History().clear();
    ASSERT_EQ(doc.Store().GetAllRireki(doc.History()), 1);
  }
  // A frame on the menu screen, its screens on this document.
  void MakeFrame() {
    frame = std::make_unique<shell::CMainFrame>(ui, shell::CMainFrame::ScreenFactory{});
    app::MenuScreenContext context;
    context.ui = &ui;
    context.frame = frame.get();
    context.doc = &doc;
    context.install = Install();
    frame->SetDocument(&doc);
    frame->SetScreenFactory(app::MakeScreenFactory(context));
    ASSERT_TRUE(frame->Create());
  }
  // The history list shown as screen 4, the dialogs of other subsystems played by dialogs.
  CRirekiView& Open() {
    MakeFrame();
    EXPECT_TRUE(frame->SwitchScreen(CScreen::kHistory));
    auto& view = dynamic_cast<CRirekiView&>(*frame->ActiveScreen());
    RirekiDialogs played;
    played.extract = [this](ExtractionRequest r) {
      requests.push_back(r);
      return extract ? extract(r) : ExtractionOutcome::Cancelled;
    };
    played.analyse = [this] { return analysis; };
    played.print = [this](const RirekiPrintSelection& s) { printed.push_back(s); };
    view.SetDialogs(played);
    return view;
  }
  Strings Column(const CRirekiView& view, int column) {
    Strings cells;
    for (int r = 0; r < view.List().RowCount(); ++r) cells.push_back(view.List().CellText(r, column));
    return cells;
  }
  // An unsaved history extraction of the entries with an amount, as the extraction dialog leaves it.
  void ExtractMoney() {
    auto condition = std::make_unique<settings::CExCondition>();
    condition->resultType = settings::CExCondition::kHistory;
    condition->sql = kMoneyOnly;
    doc.SetExtraction(std::move(condition), false);
    doc.History().clear();
    ASSERT_EQ(doc.Store().ExtractRireki(kMoneyOnly, doc.History()), 1);
  }

  std::unique_ptr<shell::CMainFrame> frame;
  std::function<ExtractionOutcome(ExtractionRequest)> extract;
  std::vector<ExtractionRequest> requests;
  int analysis = -1;
  std::vector<RirekiPrintSelection> printed;
};

TEST_F(HistoryListTest, OpensWithEveryEntryItsCustomerAndTheColumnDefinitionsTitles) {
  const auto yamada = AddCustomer("K001", "山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", "株式会社あおば");
  const auto gone = AddCustomer("K002", "鈴木　一郎");
  AddEntry(yamada, {2026, 11, 20, 9, 0}, "来店", 1500, "見積を依頼された。\n来週連絡する。", "新製品", "小川");
  AddEntry(yamada, {2026, 11, 21, 9, 0}, "電話", 12.5);
  AddEntry(gone, {2026, 11, 22, 9, 0}, "見積", 0);
  // A customer the document's list does not hold: its entry shows no customer.
  std::erase_if(doc.Customers(), [gone](const auto& k) { return k->ID == gone; });
  LoadHistory();
  CRirekiView& view = Open();

  EXPECT_EQ(frame->Title(), "顧客 ソレル－履歴一覧");
  EXPECT_TRUE(frame->ToolbarVisible(shell::CMainFrame::kToolbar145));
  EXPECT_TRUE(view.OpensMaximised());
  EXPECT_EQ(view.CountText(), "3件");
  Strings titles;
  for (const RirekiColumn& c : view.List().Columns()) titles.push_back(c.title);
  EXPECT_EQ(titles, (Strings{"日付", "お客様コード", "氏名", "会社名", "概要", "詳細", "キーワード", "自社担当者", "金額"}));
  EXPECT_TRUE(view.List().Columns()[CRirekiList::kAmount].rightAligned);
  ASSERT_EQ(view.List().RowCount(), 3);
  // Newest first, as the document holds them.
  EXPECT_EQ(Column(view, CRirekiList::kCustomerId), (Strings{"", "K001", "K001"}));
  EXPECT_EQ(Column(view, CRirekiList::kCustomerName), (Strings{"", "山田　太郎", "山田　太郎"}));
  EXPECT_EQ(Column(view, CRirekiList::kCustomerCompany), (Strings{"", "株式会社あおば", "株式会社あおば"}));
  EXPECT_EQ(Column(view, CRirekiList::kAmount), (Strings{"0", "12.5", "1500"}));
  EXPECT_EQ(Column(view, CRirekiList::kDate), (Strings{"2026/11/22", "2026/11/21", "2026/11/20"}));
  Strings oldest;
  for (int c = CRirekiList::kSummary; c < CRirekiList::kAmount; ++c) oldest.push_back(view.List().CellText(2, c));
  EXPECT_EQ(oldest, (Strings{"来店", "見積を依頼された。\n来週連絡する。", "新製品", "小川"}));

  EXPECT_FALSE(view.IsExtracted());
  EXPECT_TRUE(view.List().Selection().empty());
  for (int id : {cmd::kReferHistory, cmd::kDeleteHistory, cmd::kReleaseExtraction, cmd::kRedoExtraction,
                 cmd::kSaveExtraction}) {
    EXPECT_FALSE(frame->IsCommandEnabled(id)) << id;
  }
  for (int id : {cmd::kPrint, cmd::kExtract, cmd::kRainbow, cmd::kFindHistory, cmd::kMenuScreen, cmd::kExit}) {
    EXPECT_TRUE(frame->IsCommandEnabled(id)) << id;
  }
  view.SetSelection({1});
  EXPECT_TRUE(frame->IsCommandEnabled(cmd::kReferHistory));
  EXPECT_TRUE(frame->IsCommandEnabled(cmd::kDeleteHistory));
  EXPECT_EQ(view.CommandForKey(CRirekiView::ListKey::Enter), cmd::kReferHistory);
  EXPECT_EQ(view.CommandForKey(CRirekiView::ListKey::Delete), cmd::kDeleteHistory);

  Strings menus, extraction;
  const auto bar = view.MenuBar();
  for (const shell::MenuItem& m : bar) menus.push_back(m.text);
  EXPECT_EQ(menus, (Strings{"ﾌｧｲﾙ(&F)", "表示(&V)", "履歴(&R)", "抽出(&E)", "ﾍﾙﾌﾟ(&H)"}));
  for (const shell::MenuItem& m : bar[3].children) extraction.push_back(m.text);
  EXPECT_EQ(extraction, (Strings{"抽出...", "抽出のやり直し...", "抽出条件の保存...", "抽出を解除(すべて表示)", "", "七色分析..."}));
  EXPECT_EQ(bar[0].children.back().text, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
  EXPECT_EQ(bar[2].children.front().text, "履歴を参照...");
}

TEST_F(HistoryListTest, SortingSharesOneDirectionAndOrdersEachColumnByItsKind) {
  const auto nine = AddCustomer("9", "佐藤　花子", "ｻﾄｳ ﾊﾅｺ");
  const auto ten = AddCustomer("10", "阿部　進", "");  // no reading: by the name itself
  const auto hundred = AddCustomer("100", "鈴木　一郎", "スズキ イチロウ");
  AddEntry(nine, {2026, 3, 1, 14, 5}, "電話", 200);
  AddEntry(ten, {2026, 3, 1, 9, 30}, "ＤＭ", 1500);  // the same day, earlier
  AddEntry(hundred, {2025, 12, 31, 23, 59}, "dm", 12.5);
  LoadHistory();
  CRirekiView& view = Open();

  struct Click {
    int column;
    Strings expected;  // that column's cells after the click
    int expectedColumn;
  };
  const Click clicks[] = {
      // Customer numbers are text: 10, 100, 9 ascending.
      {CRirekiList::kCustomerId, {"10", "100", "9"}, CRirekiList::kCustomerId},
      // The next click, on any column, sorts descending: amounts by value, not as text.
      {CRirekiList::kAmount, {"1500", "200", "12.5"}, CRirekiList::kAmount},
      // Ascending again: by date and time, the same day's morning before its afternoon.
      {CRirekiList::kDate, {"100", "10", "9"}, CRirekiList::kCustomerId},
      // Descending: names by reading, 阿部 (no reading: its kanji) after the kana of ｽｽﾞｷ and ｻﾄｳ.
      {CRirekiList::kCustomerName, {"阿部　進", "鈴木　一郎", "佐藤　花子"}, CRirekiList::kCustomerName},
  };
  for (const Click& c : clicks) {
    view.OnHeaderClick(c.column);
    EXPECT_EQ(view.List().SortColumn(), c.column);
    EXPECT_EQ(Column(view, c.expectedColumn), c.expected) << "column " << c.column;
  }
  EXPECT_TRUE(view.List().SortedDescending());
  // Ascending: ＤＭ and dm are one text whatever their width and case, so they keep their order.
  view.OnHeaderClick(CRirekiList::kSummary);
  EXPECT_EQ(Column(view, CRirekiList::kSummary), (Strings{"ＤＭ", "dm", "電話"}));
}

TEST_F(HistoryListTest, TheSelectionFollowsItsRowsThroughASort) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 5; ++day) AddEntry(k, {2026, 1, day, 10, 0}, "来店", day * 100.0);
  LoadHistory();
  CRirekiView& view = Open();
  view.SetSelection({0, 3});  // 500 and 200
  view.OnHeaderClick(CRirekiList::kAmount);
  EXPECT_EQ(view.List().Selection(), (std::vector<int>{1, 4}));
}

TEST_F(HistoryListTest, ColumnWidthsComeFromTheProfileAndDetailsTakeTheRoomLeft) {
  profile.WriteInt("Settings-RList", "colwidth0", 0);
  profile.WriteInt("Settings-RList", "colwidth2", -5);
  profile.WriteInt("Settings-RList", "colwidth3", 140);
  CRirekiView& view = Open();
  const auto width = [&view](int c) { return view.List().Columns()[static_cast<std::size_t>(c)].width; };
  EXPECT_EQ(width(0), 20);  // stored 0 or less shows 20 wide
  EXPECT_EQ(width(2), 20);
  EXPECT_EQ(width(3), 140);
  EXPECT_EQ(width(1), 50);
  EXPECT_EQ(width(8), 50);
  // 詳細 has no stored width: the list's width less the other defaults (650), at least 200.
  EXPECT_TRUE(view.FitDetailsWidth(1000));
  EXPECT_EQ(width(5), 350);
  EXPECT_TRUE(view.FitDetailsWidth(700));
  EXPECT_EQ(width(5), 200);
  // A larger font: the default widths grow with it, the stored ones stay.
  view.ScaleDefaultWidths(1.5);
  EXPECT_EQ(width(1), 75);
  EXPECT_EQ(width(8), 75);
  EXPECT_EQ(width(3), 140);
  EXPECT_EQ(width(0), 20);
  EXPECT_TRUE(view.FitDetailsWidth(1500));
  EXPECT_EQ(width(5), 1500 - 975);  // the other defaults (650) scaled
  EXPECT_TRUE(view.FitDetailsWidth(900));
  EXPECT_EQ(width(5), 300);  // at least 200, scaled
  view.SetColumnWidth(5, 310);  // sized by the user: kept
  EXPECT_FALSE(view.FitDetailsWidth(1200));
  EXPECT_EQ(width(5), 310);
  view.SetColumnWidth(1, 75);
  view.ScaleDefaultWidths(1.0);  // the widths the user set stay as they are
  EXPECT_EQ(width(1), 75);
  EXPECT_EQ(width(5), 310);
  frame->OnCommand(cmd::kMenuScreen);
  EXPECT_EQ(profile.GetInt("Settings-RList", "colwidth0", -1), 20);
  EXPECT_EQ(profile.GetInt("Settings-RList", "colwidth1", -1), 75);
  EXPECT_EQ(profile.GetInt("Settings-RList", "colwidth5", -1), 310);
  EXPECT_EQ(profile.GetInt("Settings-RList", "colwidth8", -1), 50);
  CRirekiView& again = Open();
  EXPECT_FALSE(again.FitDetailsWidth(1200));
  EXPECT_EQ(again.List().Columns()[5].width, 310);
}

TEST_F(HistoryListTest, APartialDeleteRemovesExactlyTheRowsTheStoreReportsDeleted) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 4; ++day) AddEntry(k, {2026, 1, day, 10, 0}, "来店");
  LoadHistory();
  CRirekiView& view = Open();
  const std::string question = std::string(
      "選択されている3件の履歴を削除します。\n履歴を削除すると、二度と元に戻すことはできません。\n\n本当に削除してよろしいですか？");
  view.SetSelection({0, 1, 2});
  const records::IdArray ids = view.List().SelectedIds();
  ui.ExpectMessage(question, ui::Buttons::YesNo, ui::Icon::Warning, Answer::No, Answer::No);
  frame->OnCommand(cmd::kDeleteHistory);
  EXPECT_EQ(view.List().RowCount(), 4);

  ASSERT_EQ(doc.Store().DeleteRireki(ids[1], kNow), 1);  // behind the list's back
  ui.ExpectMessage(question, Answer::Yes).ExpectMessage("一部の履歴が削除できませんでした");
  frame->OnCommand(cmd::kDeleteHistory);
  ASSERT_EQ(view.List().RowCount(), 2);
  EXPECT_EQ(view.List().RowOf(ids[0]), -1);
  EXPECT_EQ(view.List().RowOf(ids[2]), -1);
  EXPECT_EQ(view.List().RowOf(ids[1]), 0) << "not reported deleted: its row stays";
  EXPECT_EQ(view.CountText(), "2件");
  EXPECT_EQ(doc.History().size(), 2u);
  EXPECT_EQ(view.List().Selection(), std::vector<int>{0});
  records::RirekiList stored;
  ASSERT_EQ(doc.Store().GetAllRireki(stored), 1);
  EXPECT_EQ(stored.size(), 1u);

  // Nothing the store can delete: the failure, and every row stays.
  ui.ExpectMessage("選択されている1件の履歴を削除します。\n履歴を削除すると、二度と元に戻すことはできません。\n\n"
                   "本当に削除してよろしいですか？",
                   Answer::Yes)
      .ExpectMessage("履歴が削除できませんでした");
  frame->OnCommand(cmd::kDeleteHistory);
  EXPECT_EQ(view.List().RowCount(), 2);
  view.SetSelection({});
  ui.ExpectMessage("削除する履歴を選択してください");
  frame->OnCommand(cmd::kDeleteHistory);
}

TEST_F(HistoryListTest, ReadOnlyDataRefusesTheChangesAndNeverAsksToSave) {
  const auto k = AddCustomer("K1", "山田　太郎");
  AddEntry(k, {2026, 1, 1, 10, 0}, "来店", 100);
  ExtractMoney();
  CRirekiView& view = Open();
  doc.SetReadOnly(true);
  view.SetSelection({0});
  ui.ExpectMessage("データベースは読取専用です。\n履歴を削除できません。")
      .ExpectMessage("データベースは読取専用です。\n抽出条件の保存はできません。");
  frame->OnCommand(cmd::kDeleteHistory);
  frame->OnCommand(cmd::kSaveExtraction);
  EXPECT_EQ(view.List().RowCount(), 1);
  EXPECT_TRUE(requests.empty());
  frame->OnCommand(cmd::kMenuScreen);  // an unsaved extraction, but nothing can be saved: no question
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);

  ui.ExpectMessage("データベースは読取専用です。\n履歴を残すことはできません。印刷のみ行ないます。")
      .ExpectMessage("この印刷の履歴は、次回履歴一覧画面を表示したときから表示されます。", ui::Buttons::Ok,
                     ui::Icon::Information, Answer::Ok, Answer::Ok);
  EXPECT_FALSE(LeaveHistoryNotice(ui, true));
  EXPECT_TRUE(LeaveHistoryNotice(ui, false));
}

TEST_F(HistoryListTest, TheReferenceDialogStepsThroughTheRowsAsShownAndStopsAtBothEnds) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 3; ++day) AddEntry(k, {2026, 1, day, 10, 0}, day == 2 ? "電話" : "来店");
  LoadHistory();
  CRirekiView& view = Open();
  ui.ExpectMessage("履歴が選択されていません。\n");
  frame->OnCommand(cmd::kReferHistory);

  view.SetSelection({1, 2});
  const std::int32_t second = view.List().Rows()[1].entry->ID;
  ui.ExpectDialog<CRirekiRefDlg>([&](CRirekiRefDlg& d) {
    EXPECT_EQ(view.List().Selection(), std::vector<int>{1}) << "only the first selected row stays selected";
    EXPECT_EQ(d.Entry().ID, second);
    EXPECT_EQ(d.Entry().ActionTitle, "電話");
    EXPECT_TRUE(d.PreviousEnabled());
    EXPECT_TRUE(d.NextEnabled());
    d.OnNext();
    EXPECT_EQ(view.List().Selection(), std::vector<int>{2});
    EXPECT_EQ(d.Day(), 1);
    EXPECT_TRUE(d.PreviousEnabled());
    EXPECT_FALSE(d.NextEnabled());
    d.OnNext();  // at the end: nothing changes
    EXPECT_EQ(view.List().Selection(), std::vector<int>{2});
    d.OnPrevious();
    d.OnPrevious();
    EXPECT_EQ(view.List().Selection(), std::vector<int>{0});
    EXPECT_EQ(d.Day(), 3);
    EXPECT_FALSE(d.PreviousEnabled());
    EXPECT_TRUE(d.NextEnabled());
    d.OnPrevious();
    EXPECT_EQ(d.Day(), 3);
    d.OnClose();
  });
  frame->OnCommand(cmd::kReferHistory);

  // A double click shows the entry of the selected row, the first row's step back off.
  ui.ExpectDialog<CRirekiRefDlg>([](CRirekiRefDlg& d) {
    EXPECT_FALSE(d.PreviousEnabled());
    d.OnClose();
  });
  view.OnDoubleClick();
  EXPECT_FALSE(view.StepRireki(-1).has_value());
  view.SetSelection({0, 1});
  EXPECT_FALSE(view.StepRireki(1).has_value()) << "steps need exactly one selected row";
  const auto place = view.SelectRireki(second);
  ASSERT_TRUE(place.has_value());
  EXPECT_TRUE(place->hasPrevious && place->hasNext);
  EXPECT_FALSE(view.SelectRireki(-7).has_value());
}

TEST_F(HistoryListTest, FindSearchesTheNineCellsDownAndUpAndSaysWhenTheListEnds) {
  const auto a = AddCustomer("K1", "山田　太郎", "", "株式会社あおば");
  const auto b = AddCustomer("K2", "鈴木　一郎");
  AddEntry(b, {2026, 1, 5, 10, 0}, "来店", 0, "", "", "小川");  // row 0
  AddEntry(a, {2026, 1, 4, 10, 0}, "電話", 1500);                // row 1
  AddEntry(b, {2025, 11, 3, 10, 0}, "見積", 0, "見積書を送付");  // row 3
  AddEntry(a, {2026, 1, 2, 10, 0}, "DM");                        // row 2
  LoadHistory();
  CRirekiView& view = Open();
  const std::string ended = "検索が終了しました。\n";
  ui.ExpectMessage(ended);
  view.OnFind({"来店", false});  // upwards from no selection: ends at once
  EXPECT_TRUE(view.List().Selection().empty());

  struct Step {
    std::string text;
    bool down;
    int expected;  // row, or -1 for the end of the list (the selection stays)
  };
  const Step steps[] = {
      {"あおば", true, 1},    // the customer's company, downwards from the top
      {"あおば", true, 2},    // the next row of that customer
      {"あおば", true, -1},
      {"1500", false, 1},     // the amount, upwards
      {"2025/11", true, 3},   // the date
      {"見積書", false, -1},  // upwards from row 3 the details are behind
      {"小川", false, 0},     // the staff
      {"ｵｶﾞﾜ", true, -1},     // the text as it is written: no width folding
  };
  for (const Step& s : steps) {
    const std::vector<int> before = view.List().Selection();
    if (s.expected < 0) ui.ExpectMessage(ended);
    view.OnFind({s.text, s.down});
    EXPECT_EQ(view.List().Selection(), s.expected < 0 ? before : std::vector<int>{s.expected}) << s.text;
  }
}

TEST_F(HistoryListTest, ANewHistoryExtractionRefillsTheRowsAndTheShownEntriesOutliveTheDialog) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 4; ++day) AddEntry(k, {2026, 1, day, 10, 0}, "来店", day % 2 ? 0 : 100.0 * day);
  LoadHistory();
  CRirekiView& view = Open();
  extract = [&](ExtractionRequest r) {
    EXPECT_EQ(r, ExtractionRequest::NewForHistory);
    EXPECT_TRUE(doc.History().empty()) << "the dialog finds the document's history list empty";
    EXPECT_EQ(view.List().CellText(3, CRirekiList::kDate), "2026/01/01") << "the shown rows' entries are alive";
    ExtractMoney();
    return ExtractionOutcome::History;
  };
  frame->OnCommand(cmd::kExtract);
  EXPECT_EQ(view.List().RowCount(), 2);
  EXPECT_EQ(view.CountText(), "2件");
  EXPECT_TRUE(view.IsExtracted());
  EXPECT_FALSE(frame->IsCommandEnabled(cmd::kExtract));
  for (int id : {cmd::kReleaseExtraction, cmd::kRedoExtraction, cmd::kSaveExtraction}) EXPECT_TRUE(frame->IsCommandEnabled(id));

  // A redo the user cancels leaves the rows and the document's entries as they were.
  const records::CRirekiData* first = doc.History().front().get();
  extract = [&](ExtractionRequest r) {
    EXPECT_EQ(r, ExtractionRequest::HistoryOnly);
    return ExtractionOutcome::Cancelled;
  };
  frame->OnCommand(cmd::kRedoExtraction);
  ASSERT_EQ(doc.History().size(), 2u);
  EXPECT_EQ(doc.History().front().get(), first);
  EXPECT_EQ(view.List().Rows()[0].entry, first);
}

TEST_F(HistoryListTest, TheSavePromptGuardsAnUnsavedExtractionAndACancelledSaveKeepsTheUserHere) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 4; ++day) AddEntry(k, {2026, 1, day, 10, 0}, "来店", day % 2 ? 0 : 100.0 * day);
  ExtractMoney();
  CRirekiView& view = Open();
  EXPECT_TRUE(view.IsExtracted());
  const std::string question = "抽出した条件は保存されていません。保存しますか？";

  extract = [](ExtractionRequest) { return ExtractionOutcome::Cancelled; };
  ui.ExpectMessage(question, ui::Buttons::YesNo, ui::Icon::Question, Answer::Yes, Answer::Yes);
  frame->OnCommand(cmd::kMenuScreen);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kHistory) << "the save was cancelled: the user stays";
  ui.ExpectMessage(question, Answer::Yes);
  EXPECT_TRUE(frame->OnCommand(cmd::kExit)) << "the window stays open";
  EXPECT_EQ(requests, (std::vector<ExtractionRequest>{ExtractionRequest::SaveConditions, ExtractionRequest::SaveConditions}));

  extract = [](ExtractionRequest) { return ExtractionOutcome::Saved; };
  frame->OnCommand(cmd::kSaveExtraction);
  EXPECT_TRUE(doc.IsExtractionSaved());
  frame->OnCommand(cmd::kMenuScreen);  // saved: no question
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
  EXPECT_EQ(doc.CurrentExtraction(), nullptr) << "left without handing it over: the extraction goes";
}

TEST_F(HistoryListTest, ClearingTheExtractionShowsEveryEntryAndAFailedReadingChangesNothing) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 4; ++day) AddEntry(k, {2026, 1, day, 10, 0}, "来店", day % 2 ? 0 : 100.0 * day);
  ExtractMoney();
  CRirekiView& view = Open();
  ui.ExpectMessage("抽出した条件は保存されていません。保存しますか？", Answer::No);
  frame->OnCommand(cmd::kReleaseExtraction);
  EXPECT_EQ(view.List().RowCount(), 4);
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);
  EXPECT_FALSE(view.IsExtracted());
  EXPECT_TRUE(frame->IsCommandEnabled(cmd::kExtract));

  ExtractMoney();
  doc.SetExtraction(std::make_unique<settings::CExCondition>(*doc.CurrentExtraction()), true);
  view.Refill();
  ASSERT_EQ(doc.Store().SaveQMV(true), 1);  // the store is closed: nothing can be read
  ui.ExpectMessage("履歴情報を取得できませんでした");
  frame->OnCommand(cmd::kReleaseExtraction);
  EXPECT_EQ(view.List().RowCount(), 2);
  EXPECT_NE(doc.CurrentExtraction(), nullptr);
  EXPECT_TRUE(view.IsExtracted());
  ASSERT_EQ(doc.Store().InitDB(Data()), 1);
}

TEST_F(HistoryListTest, ResultsForOtherScreensAreHandedOverAndKeptThere) {
  const auto k = AddCustomer("K1", "山田　太郎");
  AddCustomer("K2", "鈴木　一郎");
  AddEntry(k, {2026, 1, 1, 10, 0}, "来店");
  LoadHistory();
  Open();
  extract = [&](ExtractionRequest) {
    auto condition = std::make_unique<settings::CExCondition>();
    condition->sql = "SELECT [Customer].[ID] FROM [Customer]";
    doc.SetExtraction(std::move(condition), true);
    doc.ExtractedIds() = {k};
    return ExtractionOutcome::Customers;
  };
  frame->OnCommand(cmd::kExtract);
  ASSERT_EQ(frame->CurrentScreen(), CScreen::kCustomerList);
  EXPECT_NE(doc.CurrentExtraction(), nullptr);
  EXPECT_EQ(dynamic_cast<customers::CKokyakuView&>(*frame->ActiveScreen()).List().RowCount(), 1);
  EXPECT_EQ(doc.History().size(), 1u) << "the entries shown are back in the document";
  doc.ClearExtraction();

  auto& again = Open();
  analysis = -1;
  frame->OnCommand(cmd::kRainbow);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kHistory);
  analysis = 4;
  doc.Analysis().kind = 4;
  frame->OnCommand(cmd::kRainbow);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kDM);
  EXPECT_EQ(doc.Analysis().kind, 4) << "the DM screen gets the analysis";
  EXPECT_TRUE(again.HandsOverToDM());
}

TEST_F(HistoryListTest, ACancelledAnalysisAndACancelledPrintChangeNothing) {
  const auto k = AddCustomer("K1", "山田　太郎");
  AddEntry(k, {2026, 1, 1, 10, 0}, "来店");
  LoadHistory();
  MakeFrame();
  ASSERT_TRUE(frame->SwitchScreen(CScreen::kHistory));
  auto& view = dynamic_cast<CRirekiView&>(*frame->ActiveScreen());
  ui.ExpectDialog<analysis::CRainbowDlg>([](analysis::CRainbowDlg& d) {
    EXPECT_EQ(d.Kind(), analysis::kRegulars);
    d.OnCancel();
  });
  frame->OnCommand(cmd::kRainbow);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kHistory);
  view.SetSelection({0});
  ui.ExpectMessage("選択されている1件の履歴を印刷します。よろしいですか？", ui::Buttons::YesNo, ui::Icon::Question,
                   Answer::Yes, Answer::Yes)
      .ExpectMessage("メインデータファイルがありません。")  // this installation has no form catalogue
      .ExpectDialog<printing::CDispPrevDlg>([](printing::CDispPrevDlg& d) {
        EXPECT_TRUE(d.Forms().empty());
        d.OnCancel();
      });
  frame->OnCommand(cmd::kPrint);
  EXPECT_EQ(view.List().RowCount(), 1);
  EXPECT_EQ(view.List().Rows().size(), 1u);
}

// Through the extraction dialog itself: the general form with 履歴一覧 preset, a condition on the
// summary, and the rows become the entries it extracted; a redo opens the history-only form on
// that extraction, and cancelling it changes nothing.
TEST_F(HistoryListTest, TheExtractionDialogFillsTheListWithTheEntriesItExtracts) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 6; ++day) AddEntry(k, {2026, 1, day, 10, 0}, day % 3 == 0 ? "電話" : "来店");
  LoadHistory();
  MakeFrame();
  ASSERT_TRUE(frame->SwitchScreen(CScreen::kHistory));
  auto& view = dynamic_cast<CRirekiView&>(*frame->ActiveScreen());
  ui.ExpectDialog<extract::CExtractDlg>([](extract::CExtractDlg& d) {
    EXPECT_EQ(d.FormKind(), extract::CExtractDlg::kGeneral);
    EXPECT_EQ(d.ResultType(), settings::CExCondition::kHistory);
    int item = -1, op = -1;
    for (std::size_t i = 0; i < d.Items().size(); ++i) {
      if (d.Items()[i].field == "[Rireki].[ActionTitle]") item = static_cast<int>(i);
    }
    ASSERT_GE(item, 0);
    d.SelectItem(0, item);
    for (std::size_t i = 0; i < d.Condition(0).ops.size(); ++i) {
      if (d.Condition(0).ops[i].sql == " = '*'") op = static_cast<int>(i);
    }
    d.SelectOperator(0, op);
    d.SetValue(0, "電話");
    d.OnOK();
  });
  frame->OnCommand(cmd::kExtract);
  ASSERT_TRUE(view.IsExtracted());
  EXPECT_EQ(Column(view, CRirekiList::kSummary), (Strings{"電話", "電話"}));
  EXPECT_EQ(view.CountText(), "2件");

  ui.ExpectDialog<extract::CExtractDlg>([](extract::CExtractDlg& d) {
    EXPECT_EQ(d.FormKind(), extract::CExtractDlg::kHistoryOnly);
    EXPECT_EQ(d.Condition(0).value, "電話") << "it starts from the current extraction";
    d.OnCancel();
  });
  frame->OnCommand(cmd::kRedoExtraction);
  EXPECT_EQ(view.List().RowCount(), 2);
  EXPECT_EQ(doc.History().size(), 2u);

  // Leaving: the unsaved extraction is offered for saving; the name dialog cancelled keeps the user here.
  ui.ExpectMessage("抽出した条件は保存されていません。保存しますか？", Answer::Yes)
      .ExpectDialog<extract::CExtractSaveDlg>([](extract::CExtractSaveDlg& d) { d.OnCancel(); });
  frame->OnCommand(cmd::kMenuScreen);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kHistory);
  ui.ExpectMessage("抽出した条件は保存されていません。保存しますか？", Answer::No);
  frame->OnCommand(cmd::kMenuScreen);
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
  EXPECT_EQ(doc.CurrentExtraction(), nullptr);
}

TEST_F(HistoryListTest, PrintHandsOverTheDistinctCustomersAndTheirSelectedEntriesInListOrder) {
  const auto a = AddCustomer("K1", "山田　太郎");
  const auto b = AddCustomer("K2", "鈴木　一郎");
  const auto c = AddCustomer("K3", "佐藤　花子");
  AddEntry(a, {2026, 1, 5, 10, 0}, "a1");  // row 0
  AddEntry(b, {2026, 1, 4, 10, 0}, "b1");  // row 1
  AddEntry(c, {2026, 1, 3, 10, 0}, "c1");  // row 2: customer missing from the list
  AddEntry(a, {2026, 1, 2, 10, 0}, "a2");  // row 3
  AddEntry(b, {2026, 1, 1, 10, 0}, "b2");  // row 4: not selected
  std::erase_if(doc.Customers(), [c](const auto& k) { return k->ID == c; });
  LoadHistory();
  CRirekiView& view = Open();
  ui.ExpectMessage("印刷する履歴が選択されていません。");
  frame->OnCommand(cmd::kPrint);
  view.SetSelection({0, 1, 2, 3});
  ui.ExpectMessage("選択されている4件の履歴を印刷します。よろしいですか？", Answer::No);
  frame->OnCommand(cmd::kPrint);
  EXPECT_TRUE(printed.empty());
  ui.ExpectMessage("選択されている4件の履歴を印刷します。よろしいですか？", Answer::Yes);
  frame->OnCommand(cmd::kPrint);
  ASSERT_EQ(printed.size(), 1u);
  const RirekiPrintSelection& s = printed.front();
  ASSERT_EQ(s.customers.size(), 2u);
  EXPECT_EQ(s.customers[0]->ID, a);
  EXPECT_EQ(s.customers[1]->ID, b);
  ASSERT_EQ(s.entries.size(), 2u);
  Strings first, second;
  for (const auto* e : s.entries[0]) first.push_back(e->ActionTitle);
  for (const auto* e : s.entries[1]) second.push_back(e->ActionTitle);
  EXPECT_EQ(first, (Strings{"a1", "a2"}));
  EXPECT_EQ(second, (Strings{"b1"}));
}

TEST_F(HistoryListTest, TheMenuScreensHistoryButtonAsksHowAndReadsEveryEntry) {
  const auto k = AddCustomer("K1", "山田　太郎");
  for (int day = 1; day <= 3; ++day) AddEntry(k, {2026, 1, day, 10, 0}, "来店");
  MakeFrame();
  const auto press = [this] {
    dynamic_cast<app::CTovanaView&>(*frame->ActiveScreen()).PressButton(app::CTovanaView::kHistoryList);
  };
  ui.ExpectDialog<CRirekiShowDlg>([](CRirekiShowDlg& d) {
    EXPECT_EQ(d.Title(), "履歴一覧表示方法");
    d.OnCancel();
  });
  press();
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);

  // 抽出して表示する opens the extraction dialog's history-only form; cancelled, the menu stays.
  ui.ExpectDialog<CRirekiShowDlg>([](CRirekiShowDlg& d) { d.OnExtract(); })
      .ExpectDialog<extract::CExtractDlg>([](extract::CExtractDlg& d) {
        EXPECT_EQ(d.FormKind(), extract::CExtractDlg::kHistoryOnly);
        d.OnCancel();
      });
  press();
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);

  doc.History().push_back(std::make_unique<records::CRirekiData>());  // what an earlier screen left
  ASSERT_EQ(doc.Store().SaveQMV(true), 1);
  ui.ExpectDialog<CRirekiShowDlg>([](CRirekiShowDlg& d) { d.OnAll(); }).ExpectMessage("履歴情報を取得できませんでした");
  press();
  EXPECT_EQ(frame->CurrentScreen(), CScreen::kMenu);
  EXPECT_EQ(doc.History().size(), 1u) << "a failed reading leaves the document's list as it was";
  ASSERT_EQ(doc.Store().InitDB(Data()), 1);

  ui.ExpectDialog<CRirekiShowDlg>([](CRirekiShowDlg& d) { d.OnAll(); });
  press();
  ASSERT_EQ(frame->CurrentScreen(), CScreen::kHistory);
  EXPECT_EQ(dynamic_cast<CRirekiView&>(*frame->ActiveScreen()).CountText(), "3件");
}

}  // namespace
}  // namespace history
