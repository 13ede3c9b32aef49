// The card pane's model over a real database: the blank card, the card's texts and labels, the
// watermarks, sorting and stepping through the history, the history commands with their
// messages and enabling, and the find dialog's history search.
#include "customers/KokyakuCardPane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "customers/KokyakuCardUrl.h"
#include "history/CRirekiRefDlg.h"
#include "records/KokyakuColumns.h"
#include "settings/CQMVColSet.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/DocumentTestSupport.h"
#include "text/Collation.h"
#include "text/Format.h"

namespace customers {
namespace {

using history::CRirekiDlg;
using records::COleDate;
using records::CRirekiData;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

const COleDate kNow = COleDate::FromCivil({2026, 12, 8, 10, 30, 0});

class CardPaneTest : public shell::test::DocumentFolderTest {
 protected:
  CardPaneTest() {
    records::CKokyaku k;
    k.CustomerID = "K-0001";
    k.Name = "山田　太郎";
    k.Sex = 1;
    k.ClosingDay = 99;
    k.TaxMethod = 2;
    k.ColorMark = 0x0099FF;
    k.EMail2 = "taro@example.jp";
    k.CommonMail = 2;
    k.ImportantRanking = "VIP";
    yamada = doc.Store().AddNewKokyaku(k);
    k.Clear();
    k.Name = "佐藤　花子";
    sato = doc.Store().AddNewKokyaku(k);
    EXPECT_EQ(doc.Store().GetAllKokyaku(doc.Customers()), 1);
  }
  void Store(std::int32_t customer, int day, const char* summary, const char* keyword = "") {
    CRirekiData e;
    e.Date = COleDate::FromCivil({2026, 6, day, 9, 0, 0});
    e.ActionTitle = summary;
    e.Keyword = keyword;
    EXPECT_GT(doc.Store().AddNewRireki(customer, e, kNow), 0);
  }
  const records::CKokyaku& Cached(std::int32_t id) {
    return **std::find_if(doc.Customers().begin(), doc.Customers().end(), [id](const auto& k) { return k->ID == id; });
  }
  KokyakuCardPane& Pane() {
    if (!pane) pane = std::make_unique<KokyakuCardPane>(ui, doc, &frame, [] { return kNow; });
    return *pane;
  }
  void ShowYamadaHistory() {
    Store(yamada, 3, "購入", "家具");
    Store(yamada, 1, "DM", "秋の案内");
    Store(yamada, 2, "問い合わせ", "カタログ");
    ASSERT_EQ(Pane().ShowCustomer(&Cached(yamada)), 1);
    Pane().SelectTab(KokyakuCardPane::kHistoryTab);
  }
  std::vector<std::string> Summaries() {
    std::vector<std::string> out;
    for (int row = 0; row < Pane().HistoryRowCount(); ++row) out.push_back(Pane().HistoryRow(row)[1]);
    return out;
  }

  shell::CMainFrame frame{ui, [](int) { return std::unique_ptr<shell::CScreen>(); }};
  std::unique_ptr<KokyakuCardPane> pane;
  std::int32_t yamada = 0, sato = 0;
};

TEST(CardLayoutTest, EveryColumnStandsOnceOnTheCardInsideItsPageWithoutOverlap) {
  std::set<std::string_view> placed;
  for (const KokyakuCardField& f : KokyakuCardFields()) {
    EXPECT_TRUE(placed.insert(f.column).second) << f.column;
    EXPECT_NE(records::FindKokyakuColumn(f.column), nullptr) << f.column;
    const CardRect label = KokyakuCardLabelRect(f);
    EXPECT_GE(std::min(f.x, label.width ? label.x : f.x), 0) << f.column;
    EXPECT_LE(f.x + f.width, kCardWidth) << f.column;
    EXPECT_LE(f.y + f.height, KokyakuCardPageHeight(f.page)) << f.column;
  }
  EXPECT_EQ(placed.size(), records::KokyakuColumns().size());
  auto overlap = [](const CardRect& a, const CardRect& b) {
    return a.width > 0 && b.width > 0 && a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
  };
  const auto fields = KokyakuCardFields();
  for (const auto& a : fields) {
    for (const auto& b : fields) {
      if (&a == &b || a.page != b.page) continue;
      const CardRect av{a.x, a.y, a.width, a.height}, bv{b.x, b.y, b.width, b.height};
      EXPECT_FALSE(overlap(av, bv)) << a.column << " / " << b.column;
      EXPECT_FALSE(overlap(av, KokyakuCardLabelRect(b))) << a.column << " under the label of " << b.column;
    }
  }
  EXPECT_EQ(KokyakuCardPane::OpeningTab(shell::CScreen::kCustomerCard), KokyakuCardPane::kHistoryTab);
  EXPECT_EQ(KokyakuCardPane::OpeningTab(shell::CScreen::kCustomerCard2), KokyakuCardPane::kDetailTab);
  EXPECT_EQ(KokyakuCardPane::OpeningTab(shell::CScreen::kCustomerList), -1);
}

TEST_F(CardPaneTest, WithoutACustomerTheCardIsBlankTheHistoryEmptyAndItsCommandsOff) {
  Store(yamada, 1, "DM");
  ASSERT_EQ(Pane().ShowCustomer(&Cached(yamada)), 1);
  ASSERT_EQ(Pane().ShowCustomer(nullptr), 1);
  for (const auto& column : records::KokyakuColumns()) EXPECT_EQ(Pane().FieldText(column.name), "") << column.name;
  EXPECT_TRUE(Pane().Watermark(1).text.empty());
  EXPECT_TRUE(Pane().PicturePath(1).empty());
  EXPECT_EQ(Pane().HistoryRowCount(), 0);
  Pane().SelectTab(KokyakuCardPane::kHistoryTab);
  for (CardCommand c : {CardCommand::AddHistory, CardCommand::ModifyHistory, CardCommand::CopyHistory,
                        CardCommand::DeleteHistory, CardCommand::ModifyCustomer, CardCommand::CopyCustomer}) {
    EXPECT_FALSE(Pane().IsEnabled(c)) << static_cast<int>(c);
  }
  EXPECT_TRUE(Pane().IsEnabled(CardCommand::FindHistory));
  ui.ExpectMessage(KokyakuCardPane::kSelectHistory);
  Pane().OnModifyHistory();
  ui.ExpectMessage(KokyakuCardPane::kSelectHistory);
  Pane().OnDeleteHistory();
}

TEST_F(CardPaneTest, TheCardShowsTheColumnTextsUnderTheCurrentLabelsAndTheVipMarkOnPageOneOnly) {
  settings::CQMVColSet set(ui, Install());
  ASSERT_EQ(set.Load(), 1);
  ASSERT_EQ(set.SetLabel("Note1", "趣味"), 1);
  ASSERT_EQ(set.Save(), 1);
  Pane().ShowCustomer(&Cached(yamada));
  EXPECT_EQ(Pane().FieldText("Sex"), "女");
  EXPECT_EQ(Pane().FieldText("ClosingDay"), "月末");
  EXPECT_EQ(Pane().FieldText("TaxMethod"), "内税");
  EXPECT_EQ(Pane().FieldText("ColorMark"), "ｺﾞｰﾙﾄﾞ");
  EXPECT_EQ(Pane().FieldText("CommonMail"), "taro@example.jp");
  EXPECT_EQ(Pane().Label("Name"), "氏名");
  EXPECT_EQ(Pane().Label("Note1"), "趣味");

  const CardWatermark vip = Pane().Watermark(1);
  EXPECT_EQ(vip.text.size(), 401u * 3 + 400);
  EXPECT_EQ(vip.text.substr(0, 8), "VIP VIP ");
  EXPECT_EQ((vip.rect), (CardRect{10, 10, 490, 584}));
  EXPECT_TRUE(Pane().Watermark(2).text.empty());

  records::CKokyaku black = Cached(sato);
  black.ImportantRanking = "ブラックリスト";
  Pane().ShowCustomer(&black);
  EXPECT_EQ(Pane().Watermark(1).text, "要注意！ ブラックリスト");
  EXPECT_EQ(Pane().Watermark(1).points, 30);
  EXPECT_TRUE(Pane().Watermark(2).text.empty());
}

TEST_F(CardPaneTest, SortingByDateTwiceReversesTheOrderAndTextsSortWithoutCase) {
  ShowYamadaHistory();
  EXPECT_EQ(Summaries(), (std::vector<std::string>{"購入", "問い合わせ", "DM"}));  // as stored: newest first
  Pane().OnHistoryHeaderClicked(0);
  EXPECT_EQ(Summaries(), (std::vector<std::string>{"DM", "問い合わせ", "購入"}));
  Pane().OnHistoryHeaderClicked(0);
  EXPECT_EQ(Summaries(), (std::vector<std::string>{"購入", "問い合わせ", "DM"}));

  Store(yamada, 4, "dm");
  Store(yamada, 5, "Dl");
  Pane().ShowCustomer(&Cached(yamada));
  Pane().OnHistoryHeaderClicked(1);  // the direction carries on from the last sort: ascending
  const auto sorted = Summaries();
  EXPECT_EQ(std::vector<std::string>(sorted.begin(), sorted.begin() + 2), (std::vector<std::string>{"Dl", "dm"}));
}

TEST_F(CardPaneTest, TextsSortByTheJapaneseCollationWhateverTheLocale) {
  Store(yamada, 1, "ｱﾝｹｰﾄ");
  Store(yamada, 2, "いちご");
  Store(yamada, 3, "DM");
  Store(yamada, 4, "abc");
  Store(yamada, 5, "アンケート");
  // A C locale orders bytes: "DM" before "abc", hiragana before half-width katakana.
  const char* lcAll = std::getenv("LC_ALL");
  const std::string saved = lcAll ? lcAll : "";
  setenv("LC_ALL", "C", 1);
  ASSERT_EQ(Pane().ShowCustomer(&Cached(yamada)), 1);
  Pane().OnHistoryHeaderClicked(1);
  if (lcAll) {
    setenv("LC_ALL", saved.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  const auto sorted = Summaries();
  ASSERT_EQ(sorted.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(sorted.begin(), sorted.begin() + 2), (std::vector<std::string>{"abc", "DM"}));
  // Half- and full-width katakana stand together, ahead of い.
  EXPECT_EQ(std::set<std::string>(sorted.begin() + 2, sorted.begin() + 4), (std::set<std::string>{"アンケート", "ｱﾝｹｰﾄ"}));
  EXPECT_EQ(sorted[4], "いちご");
  std::vector<std::string> keys;
  for (const std::string& s : sorted) keys.push_back(text::JapaneseSortKey(s));
  EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << "the customer list's order";
}

TEST_F(CardPaneTest, RowsOutOfRangeReadAsEmptyAndEntriesReadAgainAreShownAtOnce) {
  Store(yamada, 3, "購入");
  Store(yamada, 1, "DM");
  KokyakuCardHistory history(ui, doc.Store(), doc.Customers(), Data() / "Picture", false, Install(),
                             [] { return kNow; });
  ASSERT_EQ(history.Load(yamada), 1);
  EXPECT_EQ(history.RowCells(-1), (KokyakuCardHistory::Cells{"", "", "", ""}));
  EXPECT_EQ(history.RowCells(2)[1], "");
  history.SortBy(0);  // DM, 購入

  // A bulk add reads the shown customer's history again: its entry is listed straight away.
  ui.ExpectMessage(text::Format(history::CRirekiListOwner::kBulkQuestion, 1), Answer::Yes);
  ui.ExpectDialog<CRirekiDlg>([](CRirekiDlg& d) {
    d.SetSummary("年賀状");
    d.OnOK();
  });
  ui.ExpectMessage(CRirekiDlg::kBulkQuestion, Answer::Yes);
  ui.ExpectMessage(history::CRirekiListOwner::kBulkDone);
  ASSERT_EQ(history.OnBulkAddRireki({yamada}), 1);
  ASSERT_EQ(history.RowCount(), 3);
  EXPECT_EQ(history.RowCells(0)[1], "年賀状");
  EXPECT_EQ(history.RowCells(1)[1], "DM");
  EXPECT_EQ(history.RowCells(2)[1], "購入");
}

TEST_F(CardPaneTest, TheModifyDialogStepsThroughTheRowsAsSorted) {
  ShowYamadaHistory();
  Pane().OnHistoryHeaderClicked(0);  // DM (1st), 問い合わせ (2nd), 購入 (3rd)
  Pane().SelectHistoryRow(0);
  ui.ExpectDialog<CRirekiDlg>([](CRirekiDlg& d) {
    EXPECT_EQ(d.Summary(), "DM");
    EXPECT_FALSE(d.PreviousEnabled());
    EXPECT_TRUE(d.NextEnabled());
    d.OnNext();
    EXPECT_EQ(d.Summary(), "問い合わせ");
    d.OnNext();
    EXPECT_EQ(d.Summary(), "購入");
    EXPECT_FALSE(d.NextEnabled());
    d.OnCancel();
  });
  Pane().OnHistoryDoubleClicked(0);
  EXPECT_EQ(Pane().HistorySelection(), 2);
}

TEST_F(CardPaneTest, AnAddedEntryLandsOnTopSelectedAndTheRowIsToldToFollow) {
  ShowYamadaHistory();
  Pane().OnHistoryHeaderClicked(0);
  std::vector<std::int32_t> touched;
  Pane().onCustomerChanged = [&](std::int32_t id) { touched.push_back(id); };
  ui.ExpectDialog<CRirekiDlg>([](CRirekiDlg& d) {
    EXPECT_EQ(d.Mode(), history::RirekiMode::Add);
    d.SetSummary("訪問");
    d.OnCancel();
  });
  ui.ExpectMessage(CRirekiDlg::kAddOnClose, Answer::Yes);
  Pane().OnButton(CardCommand::AddHistory);
  ASSERT_EQ(Pane().HistoryRowCount(), 4);
  EXPECT_EQ(Pane().HistoryRow(0)[1], "訪問");
  EXPECT_EQ(Pane().HistorySelection(), 0);
  EXPECT_EQ(touched, std::vector<std::int32_t>{yamada});
  EXPECT_EQ(Pane().Customer().RirekiUpDate, kNow);
  EXPECT_TRUE(Pane().IsEnabled(CardCommand::DeleteHistory));
}

TEST_F(CardPaneTest, DeletingAsksWithNoAsDefaultRemovesTheRowAndTouchesTheCustomer) {
  ShowYamadaHistory();
  Pane().SelectHistoryRow(1);  // 問い合わせ
  ui.ExpectMessage(KokyakuCardPane::kDeleteQuestion, Buttons::YesNo, Icon::Question, Answer::No, Answer::No);
  Pane().OnDeleteHistory();
  EXPECT_EQ(Pane().HistoryRowCount(), 3);

  std::vector<std::int32_t> touched;
  Pane().onCustomerChanged = [&](std::int32_t id) { touched.push_back(id); };
  ui.ExpectMessage(KokyakuCardPane::kDeleteQuestion, Answer::Yes);
  Pane().OnDeleteHistory();
  EXPECT_EQ(Summaries(), (std::vector<std::string>{"購入", "DM"}));
  EXPECT_EQ(Pane().HistorySelection(), -1);
  records::RirekiList stored;
  ASSERT_EQ(doc.Store().GetRirekiForKokyaku(yamada, stored), 1);
  EXPECT_EQ(stored.size(), 2u);
  EXPECT_EQ(Cached(yamada).RirekiUpDate, kNow);
  EXPECT_EQ(touched, std::vector<std::int32_t>{yamada});
}

TEST_F(CardPaneTest, AnEntryAlreadyGoneFromTheStoreLeavesTheListWithoutComplaint) {
  ShowYamadaHistory();
  Pane().SelectHistoryRow(0);
  ASSERT_EQ(doc.Store().DeleteRireki(Pane().History().Row(0).ID, kNow), 1);
  ui.ExpectMessage(KokyakuCardPane::kDeleteQuestion, Answer::Yes);
  Pane().OnDeleteHistory();
  EXPECT_EQ(Summaries(), (std::vector<std::string>{"問い合わせ", "DM"}));
}

TEST_F(CardPaneTest, WebAddressesOnlyEverReachTheBrowserAsWebAddresses) {
  EXPECT_EQ(BrowserAddress("https://example.jp/a b"), "https://example.jp/a b");
  EXPECT_EQ(BrowserAddress("HTTP://EXAMPLE.JP"), "HTTP://EXAMPLE.JP");
  EXPECT_EQ(BrowserAddress("www.example.jp"), "http://www.example.jp");
  EXPECT_EQ(BrowserAddress("/home/user/run.desktop"), "http:///home/user/run.desktop");
  EXPECT_EQ(BrowserAddress("file:///etc/passwd"), "http://file:///etc/passwd");
  EXPECT_EQ(BrowserAddress("--help"), "http://--help");
  ui.ExpectMessage(kUrlEmpty);
  EXPECT_EQ(OpenURL(ui, "  ", "/bin/true"), 0);
  ui.ExpectMessage(kUrlNoProgram);
  EXPECT_EQ(OpenURL(ui, "www.example.jp", ""), 0);
  ui.ExpectMessage(kUrlNoProgram);
  EXPECT_EQ(OpenURL(ui, "www.example.jp", temp / "no-such-opener"), 0);
  EXPECT_EQ(OpenURL(ui, "www.example.jp", "/bin/true"), 1);
}

TEST_F(CardPaneTest, ReadOnlyDataRefusesDeleteAndCopyAndOnlyShowsAnEntry) {
  Store(yamada, 1, "DM");
  doc.SetReadOnly(true);
  ASSERT_EQ(Pane().ShowCustomer(&Cached(yamada)), 1);
  Pane().SelectTab(KokyakuCardPane::kHistoryTab);
  Pane().SelectHistoryRow(0);
  ui.ExpectMessage(KokyakuCardPane::kDeleteReadOnly);
  Pane().OnDeleteHistory();
  ui.ExpectMessage(history::CRirekiListOwner::kCopyReadOnly);
  Pane().OnCopyHistory();
  ui.ExpectMessage(history::CRirekiListOwner::kLookOnly, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ui.ExpectDialog<history::CRirekiRefDlg>([](history::CRirekiRefDlg& d) {
    EXPECT_EQ(d.Entry().ActionTitle, "DM");
    d.OnClose();
  });
  Pane().OnModifyHistory();
  records::RirekiList stored;
  ASSERT_EQ(doc.Store().GetRirekiForKokyaku(yamada, stored), 1);
  EXPECT_EQ(stored.size(), 1u);
}

TEST_F(CardPaneTest, FindLooksCaseSensitivelyFromTheSelectionInBothDirectionsAndReportsTheEnd) {
  ShowYamadaHistory();  // 購入/家具, 問い合わせ/カタログ, DM/秋の案内
  Pane().OnFind({"案内", true});
  EXPECT_EQ(Pane().HistorySelection(), 2);
  Pane().OnFind({"カタログ", false});
  EXPECT_EQ(Pane().HistorySelection(), 1);
  ui.ExpectMessage(KokyakuCardPane::kSearchEnded, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  Pane().OnFind({"dm", true});
  EXPECT_EQ(Pane().HistorySelection(), 1);
  ui.ExpectMessage(KokyakuCardPane::kSearchEnded, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  Pane().OnFind({"家具", true});
  EXPECT_EQ(Pane().HistorySelection(), 1);
  Pane().OnFind({"家具", false});
  EXPECT_EQ(Pane().HistorySelection(), 0);
}

TEST_F(CardPaneTest, SwitchingToADetailTabEndsTheHistorySearchAndClosesTheFindDialog) {
  ShowYamadaHistory();
  int renders = 0;
  frame.onChanged = [&] { ++renders; };
  Pane().OnFindInHistory();
  EXPECT_TRUE(frame.FindDialogOpen());
  EXPECT_TRUE(Pane().IsHistorySearch());
  Pane().SelectTab(KokyakuCardPane::kDetailTab);
  EXPECT_FALSE(frame.FindDialogOpen());
  EXPECT_FALSE(Pane().IsHistorySearch());
  EXPECT_EQ(renders, 2);

  // The list's own search keeps its dialog when the card changes tab.
  frame.OpenFindDialog();
  Pane().SelectTab(KokyakuCardPane::kDetail2Tab);
  EXPECT_TRUE(frame.FindDialogOpen());
}

TEST_F(CardPaneTest, ATabClickGoesThroughTheListViewWhenThereIsOne) {
  EXPECT_EQ(Pane().Tab(), KokyakuCardPane::kDetailTab);
  Pane().OnTabClicked(KokyakuCardPane::kDetail2Tab);
  EXPECT_EQ(Pane().Tab(), KokyakuCardPane::kDetail2Tab);
  std::vector<int> asked;
  Pane().onTabRequested = [&](int tab) { asked.push_back(tab); };
  Pane().OnTabClicked(KokyakuCardPane::kHistoryTab);
  EXPECT_EQ(Pane().Tab(), KokyakuCardPane::kDetail2Tab);
  EXPECT_EQ(asked, std::vector<int>{KokyakuCardPane::kHistoryTab});
  std::vector<CardCommand> sent;
  Pane().onCommand = [&](CardCommand c) { sent.push_back(c); };
  Pane().ShowCustomer(&Cached(sato));
  EXPECT_TRUE(Pane().IsEnabled(CardCommand::ModifyCustomer));
  Pane().OnButton(CardCommand::CopyCustomer);
  EXPECT_EQ(sent, std::vector<CardCommand>{CardCommand::CopyCustomer});
}

}  // namespace
}  // namespace customers
