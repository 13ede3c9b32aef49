// The DM management screen through its model, on a real store and document: the commands with
// their questions, and the three DM states with the recipients' sending history.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dm/CDMListView.h"
#include "dm/CDMSelectDlg.h"
#include "dm/CDMTitleDlg.h"
#include "dm/CKokyakuSelectDlg.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"

namespace dm {
namespace {

namespace cmd = shell::cmd;
using records::COleDate;
using ui::Answer;
using V = CDMListView;

const COleDate kNow = COleDate::FromCivil({2026, 12, 8, 10, 30, 0});
const COleDate kLater = COleDate::FromCivil({2026, 12, 9, 9, 0, 0});

class DMListViewTest : public shell::test::DocumentFolderTest {
 protected:
  ~DMListViewTest() override { doc.Store().SaveQMV(true); }

  std::int32_t AddCustomer(const char* code, const char* name) {
    auto k = std::make_unique<records::CKokyaku>();
    k->CustomerID = code;
    k->Name = name;
    const int id = doc.AddCustomer(k);
    EXPECT_GT(id, 0);
    return id;
  }
  std::int32_t AddDM(const char* title, records::IdArray recipients = {}, COleDate date = kNow) {
    auto dm = doc.Store().AddNewDMTitle(date, title, "案内", "山田", 0, recipients.empty() ? nullptr : &recipients,
                                        nullptr);
    EXPECT_TRUE(dm);
    return dm ? dm->ID : 0;
  }
  CDMListView& Open() {
    view = std::make_unique<CDMListView>(DMViewContext{&ui, nullptr, &doc, Install(), [this] { return clock; }});
    view->OnInitialUpdate();
    return *view;
  }
  // The sending entries of a DM in a customer's history (each test's customers have no other).
  int SendingEntries(std::int32_t customer, std::int32_t /*dmId*/) {
    records::RirekiList list;
    EXPECT_EQ(doc.Store().GetRirekiForKokyaku(customer, list), 1);
    int n = 0;
    for (const auto& e : list) n += e->ActionTitle == "DM" || e->ActionTitle == "DMメール送信" ? 1 : 0;
    return n;
  }
  records::CKokyaku& Customer(std::int32_t id) {
    for (const auto& k : doc.Customers()) {
      if (k->ID == id) return *k;
    }
    throw std::runtime_error("no customer");
  }
  // Runs the modify command with the dialog changed by fill.
  void Modify(std::function<void(CDMTitleDlg&)> fill) {
    ui.ExpectDialog<CDMTitleDlg>([fill](CDMTitleDlg& d) {
      fill(d);
      d.OnOK();
    });
    view->OnCommand(cmd::kModifyDMTitle);
  }

  COleDate clock = kNow;
  std::unique_ptr<CDMListView> view;
};

TEST_F(DMListViewTest, OpensOnEveryTitleWithItsTextsAndSelectsTheTitleItWasSentTo) {
  const std::int32_t a = AddCustomer("001", "青木");
  const std::int32_t first = AddDM("春の案内", {a}, COleDate::FromCivil(2026, 3, 1));
  AddDM("夏の案内", {}, COleDate::FromCivil(2026, 6, 1));
  doc.SetDMIdToShow(first);
  V& v = Open();
  ASSERT_EQ(v.TitleCount(), 2);
  EXPECT_EQ(v.TitleText(0, V::kTitleColumn), "夏の案内");  // newest first
  EXPECT_EQ(v.TitleText(1, V::kDateColumn), "2026/03/01");
  EXPECT_EQ(v.TitleText(1, V::kMethodColumn), "DM印刷");
  EXPECT_EQ(v.TitleSelection(), std::vector<int>{1});
  EXPECT_EQ(v.RecipientCount(), 1);
  EXPECT_EQ(v.RecipientText(0, 1), "青木");
  EXPECT_EQ(v.RecipientsCaption(), "『2026/03/01 春の案内』　送付対象顧客　：　1人");
  EXPECT_EQ(doc.DMIdToShow(), 0);
  v.SetTitleSelection({0, 1});
  EXPECT_EQ(v.RecipientsCaption(), V::kDefaultCaption);
  EXPECT_EQ(v.RecipientCount(), 0);
}

TEST_F(DMListViewTest, ButtonsAndMenuFollowTheSelectionAndTheReadOnlyFlag) {
  AddDM("一");
  AddDM("二");
  V& v = Open();
  using B = V::Button;
  const auto buttons = [&v] {
    std::string s;
    for (B b : {V::kAddButton, V::kModifyButton, V::kDeleteButton, V::kCopyButton, V::kAddRecipientsButton,
                V::kRemoveRecipientsButton, V::kHitRateButton}) {
      s += v.ButtonEnabled(b) ? '1' : '0';
    }
    return s;
  };
  struct Case {
    std::vector<int> selection;
    bool readOnly;
    const char* expected;
  } cases[] = {
      {{}, false, "1000001"}, {{0}, false, "1111111"}, {{0, 1}, false, "1010001"}, {{0}, true, "0000001"},
  };
  for (const Case& c : cases) {
    doc.SetReadOnly(c.readOnly);
    v.SetTitleSelection(c.selection);
    EXPECT_EQ(buttons(), c.expected) << c.selection.size() << c.readOnly;
  }
  doc.SetReadOnly(false);
  v.SetTitleSelection({0, 1});
  EXPECT_TRUE(v.IsCommandEnabled(cmd::kRemoveDMRecipients));  // the menu entry needs only a title
  EXPECT_FALSE(v.IsCommandEnabled(cmd::kCopyDMTitle));
}

TEST_F(DMListViewTest, HeaderClicksSortByTheShownTextWithOneDirectionFlagForAllColumns) {
  AddDM("b案内", {}, COleDate::FromCivil(2026, 1, 1));
  AddDM("A案内", {}, COleDate::FromCivil(2026, 2, 1));
  AddDM("c案内", {}, COleDate::FromCivil(2026, 3, 1));
  V& v = Open();
  v.SetTitleSelection({2});  // b案内
  v.OnTitleHeaderClick(V::kTitleColumn);
  EXPECT_EQ(v.TitleText(0, V::kTitleColumn), "A案内");  // ascending, ignoring case
  EXPECT_EQ(v.TitleText(2, V::kTitleColumn), "c案内");
  EXPECT_EQ(v.TitleText(v.TitleSelection().front(), V::kTitleColumn), "b案内");
  v.OnTitleHeaderClick(V::kDateColumn);  // the flag flipped: descending
  EXPECT_EQ(v.TitleText(0, V::kDateColumn), "2026/03/01");
}

TEST_F(DMListViewTest, AddPutsTheNewTitleFirstAndSelectsIt) {
  AddDM("既存");
  V& v = Open();
  ui.ExpectDialog<CDMTitleDlg>([](CDMTitleDlg& d) {
    EXPECT_EQ(d.Title(), "DMタイトルを追加");
    EXPECT_EQ(d.YearText(), "2026");
    d.SetTitleText("新しい案内");
    d.SetMethod(1);
    d.OnOK();
  });
  v.OnCommand(cmd::kAddDMTitle);
  ASSERT_EQ(v.TitleCount(), 2);
  EXPECT_EQ(v.TitleText(0, V::kTitleColumn), "新しい案内");
  EXPECT_EQ(v.TitleText(0, V::kMethodColumn), "メール送信");
  EXPECT_EQ(v.TitleSelection(), std::vector<int>{0});
  EXPECT_EQ(doc.DMTitles().front()->Title, "新しい案内");
  EXPECT_EQ(v.RecipientsCaption(), "『2026/12/08 新しい案内』　送付対象顧客　：　0人");
}

TEST_F(DMListViewTest, CopyTakesTheRecipientsAndATitleWithoutRecipientsCopiesWithoutComplaint) {
  const std::int32_t a = AddCustomer("001", "青木"), b = AddCustomer("002", "馬場");
  AddDM("空の案内");
  AddDM("二人の案内", {a, b}, COleDate::FromCivil(2026, 12, 1));
  V& v = Open();
  for (const char* name : {"空の案内", "二人の案内"}) {
    for (int r = 0; r < v.TitleCount(); ++r) {
      if (v.TitleText(r, V::kTitleColumn) == name) v.SetTitleSelection({r});
    }
    const int expected = v.RecipientCount();
    ui.ExpectDialog<CDMTitleDlg>([name](CDMTitleDlg& d) {
      EXPECT_EQ(d.TitleText(), name);
      d.SetTitleText(std::string(name) + "の写し");
      d.OnOK();
    });
    v.OnCommand(cmd::kCopyDMTitle);
    EXPECT_EQ(v.TitleText(0, V::kTitleColumn), std::string(name) + "の写し");
    EXPECT_EQ(v.TitleSelection(), std::vector<int>{0});
    EXPECT_EQ(v.RecipientCount(), expected);
  }
}

TEST_F(DMListViewTest, ModifyWithoutAChangeMakesNoStoreCall) {
  const std::int32_t id = AddDM("案内");
  V& v = Open();
  v.SetTitleSelection({0});
  // The title is gone from the store: any store call would now be answered "not found".
  records::IdArray deleted;
  ASSERT_EQ(doc.Store().DeleteDMTitle({id}, deleted), 1);
  Modify([](CDMTitleDlg&) {});
}

TEST_F(DMListViewTest, ModifyWritesTheFieldsIntoRowDocumentAndStore) {
  AddDM("案内");
  V& v = Open();
  v.SetTitleSelection({0});
  Modify([](CDMTitleDlg& d) {
    d.SetTitleText("冬の案内");
    d.SetMonthPosition(0);
  });
  EXPECT_EQ(v.TitleText(0, V::kTitleColumn), "冬の案内");
  EXPECT_EQ(v.TitleText(0, V::kDateColumn), "2026/01/08");
  records::DMTitleList stored;
  ASSERT_EQ(doc.Store().GetAllDMTitle(stored), 1);
  EXPECT_EQ(stored.front()->Title, "冬の案内");
  EXPECT_EQ(v.RecipientsCaption(), "『2026/01/08 冬の案内』　送付対象顧客　：　0人");
}

TEST_F(DMListViewTest, ReadOnlyModifyOnlyShowsTheTitle) {
  AddDM("案内");
  V& v = Open();
  v.SetTitleSelection({0});
  doc.SetReadOnly(true);
  ui.ExpectMessage(V::kModifyReadOnly);
  ui.ExpectDialog<CDMTitleDlg>([](CDMTitleDlg& d) {
    EXPECT_EQ(d.Mode(), DMTitleMode::View);
    d.SetTitleText("変えたつもり");
    d.OnOK();
  });
  v.OnTitleDoubleClick();
  EXPECT_EQ(v.TitleText(0, V::kTitleColumn), "案内");
}

// The three states driven through the screen against the store; the sending entries in the
// recipients' history and their last-history dates follow the flags.
TEST_F(DMListViewTest, TheThreeStatesMoveTheRecipientsSendingHistory) {
  const std::int32_t a = AddCustomer("001", "青木"), b = AddCustomer("002", "馬場");
  const std::int32_t id = AddDM("案内", {a, b});
  V& v = Open();
  v.SetTitleSelection({0});

  // An unsent title's box never becomes checked by a click.
  ui.ExpectMessage(V::kCheckNeedsSending);
  v.OnCheckClick(0);
  EXPECT_FALSE(v.ShowsSent(0));

  // Sent with history, as printing with history would leave it.
  EXPECT_EQ(v.ChangeStatus(0, DMStatus{1, 1, 0}), 1);
  EXPECT_TRUE(v.ShowsSent(0));
  EXPECT_EQ(SendingEntries(a, id) + SendingEntries(b, id), 2);
  EXPECT_EQ(Customer(a).RirekiUpDate, kNow);
  EXPECT_EQ(doc.DMTitles().front()->HistoryRegistered, 1);

  // Modify removing the history check: sent without history.
  ui.ExpectDialog<CDMTitleDlg>([](CDMTitleDlg& d) {
    d.SetHistoryRegistered(false);
    d.OnOK();
  });
  ui.ExpectMessage(V::kRemoveHistory, ui::Buttons::YesNo, ui::Icon::Question, Answer::No, Answer::Yes);
  v.OnCommand(cmd::kModifyDMTitle);
  EXPECT_EQ(SendingEntries(a, id), 0);
  EXPECT_EQ(v.TitleAt(0)->HistoryRegistered, 0);
  EXPECT_TRUE(v.ShowsSent(0));

  // Modify setting it again, later: entries back, dates moved.
  clock = kLater;
  ui.ExpectDialog<CDMTitleDlg>([](CDMTitleDlg& d) {
    d.SetHistoryRegistered(true);
    d.OnOK();
  });
  ui.ExpectMessage(V::kAddHistory, Answer::Yes);
  v.OnCommand(cmd::kModifyDMTitle);
  EXPECT_EQ(SendingEntries(b, id), 1);
  EXPECT_EQ(Customer(b).RirekiUpDate, kLater);

  // Back to unsent by the check box: entries gone.
  ui.ExpectMessage(V::kToUnsentWithHistory, ui::Buttons::YesNo, ui::Icon::Question, Answer::No, Answer::Yes);
  v.OnCheckClick(0);
  EXPECT_FALSE(v.ShowsSent(0));
  EXPECT_EQ(SendingEntries(a, id) + SendingEntries(b, id), 0);
  records::DMTitleList stored;
  ASSERT_EQ(doc.Store().GetAllDMTitle(stored), 1);
  EXPECT_EQ(stored.front()->Sent, 0);
  EXPECT_EQ(stored.front()->HistoryRegistered, 0);
}

TEST_F(DMListViewTest, AnsweringNoToASentTitlesQuestionChangesNothing) {
  const std::int32_t a = AddCustomer("001", "青木");
  const std::int32_t id = AddDM("案内", {a});
  V& v = Open();
  v.SetTitleSelection({0});
  ASSERT_EQ(v.ChangeStatus(0, DMStatus{1, 1, 0}), 1);
  ui.ExpectDialog<CDMTitleDlg>([](CDMTitleDlg& d) {
    d.SetSent(0);
    d.OnOK();
  });
  ui.ExpectMessage(V::kToUnsentWithHistory, Answer::No);
  v.OnCommand(cmd::kModifyDMTitle);
  EXPECT_TRUE(v.ShowsSent(0));
  EXPECT_EQ(SendingEntries(a, id), 1);
}

TEST_F(DMListViewTest, DeletingSeveralTitlesAsksOneCombinedQuestion) {
  const std::int32_t a = AddCustomer("001", "青木");
  AddDM("一", {a});
  AddDM("二");
  AddDM("三");
  V& v = Open();
  ASSERT_EQ(v.ChangeStatus(0, DMStatus{1, 1, 0}), 1);
  v.SetTitleSelection({0, 2});
  ui.ExpectMessage(V::kDeleteSeveral, Answer::Yes);
  v.OnCommand(cmd::kDeleteDMTitle);
  ASSERT_EQ(v.TitleCount(), 1);
  EXPECT_EQ(doc.DMTitles().size(), 1u);
  EXPECT_TRUE(v.TitleSelection().empty());
  records::DMTitleList stored;
  ASSERT_EQ(doc.Store().GetAllDMTitle(stored), 1);
  EXPECT_EQ(stored.size(), 1u);

  struct Case {
    DMStatus status;
    const char* question;
  } cases[] = {{{0, 0, 0}, V::kDeleteOne}, {{1, 0, 0}, V::kDeleteSent}, {{1, 1, 0}, V::kDeleteSentWithHistory}};
  for (const Case& c : cases) {
    v.SetTitleSelection({0});
    if (c.status.sent) {
      ASSERT_EQ(v.ChangeStatus(0, c.status), 1);
    }
    ui.ExpectMessage(c.question, Answer::No);
    v.OnCommand(cmd::kDeleteDMTitle);
    EXPECT_EQ(v.TitleCount(), 1);
  }
}

TEST_F(DMListViewTest, AddingRecipientsDropsThoseAlreadyThereAndTheCaptionCountsTheRows) {
  const std::int32_t a = AddCustomer("001", "青木"), b = AddCustomer("002", "馬場"), c = AddCustomer("003", "千葉");
  const std::int32_t id = AddDM("案内", {a});
  V& v = Open();
  v.SetTitleSelection({0});
  ui.ExpectDialog<CKokyakuSelectDlg>([&](CKokyakuSelectDlg& d) {
    EXPECT_FALSE(d.HistoryShown());
    d.OnSelectAll();
    d.OnOK();
  });
  v.OnCommand(cmd::kAddDMRecipients);
  EXPECT_EQ(v.RecipientCount(), 3);
  EXPECT_EQ(v.RecipientsCaption(), "『2026/12/08 案内』　送付対象顧客　：　3人");
  records::DMUserArray stored;
  ASSERT_EQ(doc.Store().GetDMUserInfo(id, stored), 1);
  EXPECT_EQ(stored.size(), 3u);

  // Only existing recipients: no store call (the DM is gone behind the screen's back, so a call
  // would be answered "not found") and no rows.
  records::IdArray deleted;
  ASSERT_EQ(doc.Store().DeleteDMTitle({id}, deleted), 1);
  ui.ExpectDialog<CKokyakuSelectDlg>([&](CKokyakuSelectDlg& d) {
    for (std::int32_t k : {a, b, c}) d.SetChecked(d.List().RowOf(k), true);
    d.OnOK();
  });
  v.OnCommand(cmd::kAddDMRecipients);
  EXPECT_EQ(v.RecipientCount(), 3);
}

TEST_F(DMListViewTest, AddingToATitleWithHistoryWritesTheNewRecipientsHistory) {
  const std::int32_t a = AddCustomer("001", "青木"), b = AddCustomer("002", "馬場");
  const std::int32_t id = AddDM("案内", {a});
  V& v = Open();
  v.SetTitleSelection({0});
  ASSERT_EQ(v.ChangeStatus(0, DMStatus{1, 1, 0}), 1);
  clock = kLater;
  ui.ExpectMessage(V::kAddToSentWithHistory, Answer::Yes);
  ui.ExpectDialog<CKokyakuSelectDlg>([&](CKokyakuSelectDlg& d) {
    d.SetChecked(d.List().RowOf(b), true);
    d.OnOK();
  });
  v.OnCommand(cmd::kAddDMRecipients);
  EXPECT_EQ(SendingEntries(b, id), 1);
  EXPECT_EQ(Customer(b).RirekiUpDate, kLater);
  EXPECT_EQ(Customer(a).RirekiUpDate, kNow);
}

TEST_F(DMListViewTest, RemovingRecipientsAsksByStateAndTakesTheirHistory) {
  const std::int32_t a = AddCustomer("001", "青木"), b = AddCustomer("002", "馬場");
  const std::int32_t id = AddDM("案内", {a, b});
  V& v = Open();
  v.SetTitleSelection({0});
  ui.ExpectMessage(V::kSelectCustomers);
  v.OnCommand(cmd::kRemoveDMRecipients);
  ASSERT_EQ(v.ChangeStatus(0, DMStatus{1, 1, 0}), 1);
  v.SetRecipientSelection({0});
  ui.ExpectMessage(V::kRemoveSentWithHistory, Answer::Yes);
  v.OnCommand(cmd::kRemoveDMRecipients);
  ASSERT_EQ(v.RecipientCount(), 1);
  EXPECT_EQ(v.RecipientAt(0)->ID, b);
  EXPECT_EQ(SendingEntries(a, id), 0);
  EXPECT_EQ(SendingEntries(b, id), 1);
  EXPECT_EQ(v.RecipientsCaption(), "『2026/12/08 案内』　送付対象顧客　：　1人");
}

TEST(DMLayout, HalfTheWidthAtMost500AndHalfTheHeightForTheChart) {
  struct Case {
    int w, h;
    bool hit;
    DMRect titles, recipients;
  } cases[] = {
      {830, 580, false, {10, 70, 400, 500}, {415, 68, 395, 500}},
      {1366, 700, false, {10, 70, 500, 620}, {515, 68, 831, 620}},
      {1366, 700, true, {10, 70, 500, 310}, {515, 68, 831, 620}},
      {300, 200, false, {10, 70, 285, 320}, {300, 68, 280, 320}},  // held to the 600 × 400 minimum
  };
  for (const Case& c : cases) {
    const DMLayout l = ComputeDMLayout(c.w, c.h, 600, 400, 10, 70, c.hit);
    EXPECT_EQ(l.titles, c.titles) << c.w;
    EXPECT_EQ(l.recipients, c.recipients) << c.w;
    EXPECT_EQ(l.chart.w > 0, c.hit);
  }
}

TEST(DMCellText, CutsAtACharacterBoundaryAndAddsThreeDots) {
  // Every byte one pixel: a two-byte or three-byte character is never split.
  const auto measure = [](std::string_view s) { return static_cast<int>(s.size()); };
  EXPECT_EQ(FitCellText("案内状", 9, measure), "案内状");
  EXPECT_EQ(FitCellText("案内状", 8, measure), "案...");
  EXPECT_EQ(FitCellText("案内状", 7, measure), "案...");
  EXPECT_EQ(FitCellText("案内状", 5, measure), "...");
  EXPECT_EQ(FitCellText("abcdef", 5, measure), "ab...");
}

}  // namespace
}  // namespace dm
