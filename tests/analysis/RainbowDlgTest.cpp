#include "analysis/CRainbowDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/DocumentTestSupport.h"

namespace analysis {
namespace {

using records::COleDate;
using ui::Answer;

class RainbowDlgTest : public shell::test::DocumentFolderTest {
 protected:
  std::int32_t Customer(const std::string& name, std::int32_t entryType = 1, const std::string& zipHome = "",
                        const std::string& zipOffice = "") {
    records::CKokyaku k;
    k.Name = name;
    k.EntryType = entryType;
    k.Zip_Home = zipHome;
    k.Zip_Office = zipOffice;
    const int id = doc.Store().AddNewKokyaku(k);
    EXPECT_GT(id, 0);
    return id;
  }
  void Entry(std::int32_t customer, const std::string& title, COleDate date, double money = 0) {
    records::CRirekiData r;
    r.ActionTitle = title;
    r.Date = date;
    r.Money = money;
    EXPECT_GT(doc.Store().AddNewRireki(customer, r, date), 0);
  }
  static COleDate DaysAgo(int days) { return COleDate(COleDate::Now().DateOnly().Value() - days + 0.5); }
  static std::vector<std::int32_t> Ids(const records::RainbowHits& hits) {
    std::vector<std::int32_t> ids;
    for (const auto& h : hits) ids.push_back(h->ID);
    return ids;
  }
  CRainbowDlg Dialog(int kind = kRegulars, bool dmOnly = false) {
    CRainbowDlg d(ui, &doc, Install(), nullptr, kind, dmOnly);
    d.Open();
    return d;
  }
};

TEST_F(RainbowDlgTest, TheTopTenCustomersByCountInDescendingOrder) {
  std::vector<std::int32_t> ids;
  for (int i = 1; i <= 12; ++i) {
    ids.push_back(Customer("客" + std::to_string(i)));
    for (int n = 0; n < i; ++n) Entry(ids.back(), "来店", COleDate::FromCivil(2025, 1, 1 + n));
    Entry(ids.back(), "電話", COleDate::FromCivil(2025, 2, 1));
  }
  CRainbowDlg d = Dialog();
  d.regulars.summary = "来店";
  d.regulars.mode = RegularsInput::kTop;
  d.OnRun();
  ASSERT_TRUE(d.ClosedWithOk());
  const auto& result = doc.Analysis();
  EXPECT_EQ(result.kind, kRegulars);
  EXPECT_EQ(Ids(result.hits), std::vector<std::int32_t>(ids.rbegin(), ids.rbegin() + 10));
  EXPECT_EQ(result.hits.front()->Count(), 12);
  EXPECT_EQ(result.hits.back()->Count(), 3);
}

TEST_F(RainbowDlgTest, TheMostRecentComeFirstWithTheirLatestDate) {
  const auto a = Customer("A"), b = Customer("B"), c = Customer("C");
  Entry(a, "来店", COleDate::FromCivil(2025, 3, 1));
  Entry(b, "来店", COleDate::FromCivil(2025, 5, 1));
  Entry(b, "来店", COleDate::FromCivil(2024, 5, 1));
  Entry(c, "来店", COleDate::FromCivil(2025, 1, 1));
  Entry(c, "電話", COleDate::FromCivil(2025, 9, 1));
  CRainbowDlg d = Dialog(kRecent);
  d.recent.summary = "来店";
  d.recent.mode = RecentInput::kSince;
  d.recent.date = "2025/2/1";
  d.OnRun();
  ASSERT_TRUE(d.ClosedWithOk());
  EXPECT_EQ(Ids(doc.Analysis().hits), (std::vector<std::int32_t>{b, a}));
  EXPECT_EQ(doc.Analysis().hits.front()->Date().Format(), "2025/05/01");
}

TEST_F(RainbowDlgTest, TwoMonthsSinceTheLastContactMeansSixtyDays) {
  const auto recent = Customer("59日"), exact = Customer("60日"), old = Customer("200日");
  Entry(recent, "来店", DaysAgo(59));
  Entry(exact, "来店", DaysAgo(60));
  Entry(exact, "来店", DaysAgo(300));
  Entry(old, "来店", DaysAgo(200));
  CRainbowDlg d = Dialog(kApproach);
  d.approach.summary = "来店";
  d.approach.mode = ApproachInput::kMonths;
  d.approach.months = "2";
  d.OnRun();
  ASSERT_TRUE(d.ClosedWithOk());
  const auto& hits = doc.Analysis().hits;
  EXPECT_EQ(Ids(hits), (std::vector<std::int32_t>{old, exact}));
  EXPECT_EQ(hits.back()->Days(), 60);
}

TEST_F(RainbowDlgTest, DMRespondersCountFromTheDayAfterSendingForThreeWeeks) {
  const auto sameDay = Customer("当日"), dayAfter = Customer("翌日"), day21 = Customer("21日後"), day22 = Customer("22日後"),
             notSent = Customer("対象外");
  const COleDate sent = COleDate::FromCivil(2025, 4, 1);
  const records::IdArray recipients = {sameDay, dayAfter, day21, day22};
  auto dm = doc.Store().AddNewDMTitle(sent, "春の案内", "", "山田", 0, &recipients, nullptr);
  ASSERT_TRUE(dm);
  ASSERT_EQ(doc.Store().SetStatusDMTitle(dm->ID, 1, 0, 0, sent), 1);
  auto unsent = doc.Store().AddNewDMTitle(sent, "未送付", "", "山田", 0, &recipients, nullptr);
  Entry(sameDay, "受注", COleDate(sent.Value() + 0.9));
  Entry(dayAfter, "受注", COleDate(sent.Value() + 1.1));
  Entry(day21, "受注", COleDate(sent.Value() + 21.99));
  Entry(day22, "受注", COleDate(sent.Value() + 22.0));
  Entry(notSent, "受注", COleDate(sent.Value() + 2));

  doc.Analysis().dmId = dm->ID;
  CRainbowDlg d = Dialog(kDMHit, true);
  EXPECT_EQ(d.DMTitleTexts(), std::vector<std::string>{"2025/04/01 春の案内"}) << "only sent titles are offered";
  EXPECT_EQ(d.DMTitleRow(), 0);
  for (int kind = 1; kind <= kKindCount; ++kind) EXPECT_EQ(d.KindEnabled(kind), kind == kDMHit);
  d.dmHit.period = DMHitInput::kWeeks;
  d.dmHit.weeks = "3";
  d.dmHit.summary = "受注";
  d.OnRun();
  ASSERT_TRUE(d.ClosedWithOk());
  EXPECT_EQ(doc.Analysis().kind, kDMHit);
  EXPECT_EQ(doc.Analysis().dmId, dm->ID);
  EXPECT_EQ(doc.Analysis().ids, (records::IdArray{dayAfter, day21}));
  (void)unsent;
}

TEST_F(RainbowDlgTest, WithoutSentTitlesTheListSaysSoAndIsDisabled) {
  CRainbowDlg d = Dialog(kDMHit);
  EXPECT_EQ(d.DMTitleTexts(), std::vector<std::string>{CRainbowDlg::kNoSentDM});
  EXPECT_FALSE(d.DMTitlesEnabled());
  ui.ExpectMessage("DMヒット率を調査するDMタイトルを選択してください");
  d.OnRun();
  EXPECT_FALSE(d.IsClosing());
  EXPECT_EQ(d.FocusRequest(), Focus::DMTitle);
}

TEST_F(RainbowDlgTest, TheAddressSweepMatchesPostalCodesWithAndWithoutHyphen) {
  const auto plain = Customer("自宅1", 1, "1234567"), hyphen = Customer("自宅2", 1, "123-4567"), other = Customer("他", 1, "1234568"),
             company = Customer("会社", 0, "", "123-4567"), companyByHome = Customer("会社自宅", 0, "1234567", "");
  (void)other, (void)companyByHome;
  Refusal refusal;
  const auto statement = BuildRoller({{"123-4567", "", "", "", ""}}, ui, refusal);
  ASSERT_TRUE(statement);
  records::IdArray ids;
  ASSERT_EQ(doc.Store().ExtractKokyaku(statement->sql, ids), 1) << doc.Store().DispOleDBErrDlg();
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (records::IdArray{plain, hyphen, company}));
}

TEST_F(RainbowDlgTest, AmountThresholdsIncludingANegativeOne) {
  const auto minus1000 = Customer("-1000"), minus500 = Customer("-500"), plus200 = Customer("200"), none = Customer("0");
  Entry(minus1000, "返品", COleDate::FromCivil(2025, 1, 1), -1000);
  Entry(minus500, "返品", COleDate::FromCivil(2025, 1, 1), -700);
  Entry(minus500, "受注", COleDate::FromCivil(2025, 1, 2), 250);
  Entry(plus200, "受注", COleDate::FromCivil(2025, 1, 1), 200);
  Entry(none, "来店", COleDate::FromCivil(2025, 1, 1), 0);
  struct Case {
    AmountInput::Mode mode;
    const char* amount;
    std::vector<std::int32_t> expected;
  };
  for (const Case& c : {Case{AmountInput::kTotal, "-500", {plus200, none, minus500}},
                        Case{AmountInput::kTotal, "200", {plus200}},
                        Case{AmountInput::kMaximum, "200", {minus500, plus200}},
                        Case{AmountInput::kAverage, "-500", {plus200, minus500}}}) {
    CRainbowDlg d = Dialog(kAmount);
    d.amount.mode = c.mode;
    d.amount.amount = c.amount;
    ui.ExpectMessage("履歴概要が指定されていません。\nすべての履歴を対象にして調査しますか？", Answer::Yes);
    d.OnRun();
    ASSERT_TRUE(d.ClosedWithOk());
    EXPECT_EQ(Ids(doc.Analysis().hits), c.expected) << c.amount;
  }
  EXPECT_DOUBLE_EQ(doc.Analysis().hits.back()->Amount(), -225);
}

TEST_F(RainbowDlgTest, ASummaryWithAQuoteFindsItsEntries) {
  const auto k = Customer("引用");
  Entry(k, "O'Neil様来店", COleDate::FromCivil(2025, 1, 1));
  CRainbowDlg d = Dialog();
  d.regulars.summary = "O'Neil様来店";
  d.OnRun();
  ASSERT_TRUE(d.ClosedWithOk());
  EXPECT_EQ(Ids(doc.Analysis().hits), std::vector<std::int32_t>{k});
}

TEST_F(RainbowDlgTest, MerchantsAreFoundByPrefixInEveryMerchantAndBankColumn) {
  records::CKokyaku a, b, c;
  a.Name = "A", a.MainMerchant3 = "山田商事株式会社";
  b.Name = "B", b.Bank2 = "山田銀行";
  c.Name = "C", c.MainMerchant1 = "株式会社山田商事";
  const int ia = doc.Store().AddNewKokyaku(a), ib = doc.Store().AddNewKokyaku(b);
  doc.Store().AddNewKokyaku(c);
  CRainbowDlg d = Dialog(kMerchants);
  d.nameEntry = "山田";
  d.OnAddName();
  d.OnRun();
  ASSERT_TRUE(d.ClosedWithOk());
  auto ids = doc.Analysis().ids;
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (records::IdArray{ia, ib}));
}

TEST_F(RainbowDlgTest, TheNameListKeepsAtMostFiveDistinctNames) {
  CRainbowDlg d = Dialog(kMerchants);
  ui.ExpectMessage("リストに追加する名前を入力してください");
  d.OnAddName();
  for (const char* name : {"a", "b", "c", "d", "e"}) {
    d.nameEntry = name;
    d.OnAddName();
    EXPECT_TRUE(d.nameEntry.empty());
  }
  d.nameEntry = "c";
  ui.ExpectMessage("同じ名前がすでに登録されています");
  d.OnAddName();
  d.nameEntry = "f";
  ui.ExpectMessage("すでに5個の名前が登録されています。\nこれ以上登録できません。");
  d.OnAddName();
  EXPECT_EQ(d.Names().size(), 5u);
  ui.ExpectMessage("リストから削除する名前を選択してください");
  d.OnRemoveName();
  d.SelectName(1);
  d.OnRemoveName();
  EXPECT_EQ(d.Names(), (std::vector<std::string>{"a", "c", "d", "e"}));
}

TEST_F(RainbowDlgTest, AFailedQueryLeavesNoResultAndTheDialogOpen) {
  doc.Analysis().kind = kRoller;
  doc.Analysis().ids = {1};
  ASSERT_EQ(doc.Store().SaveQMV(true), 1);  // the database is gone
  CRainbowDlg d = Dialog(kMerchants);
  d.nameEntry = "山田";
  d.OnAddName();
  ui.ExpectMessage("抽出に失敗しました");
  d.OnRun();
  EXPECT_FALSE(d.IsClosing());
  EXPECT_EQ(doc.Analysis().kind, -1);
  EXPECT_TRUE(doc.Analysis().ids.empty());
}

TEST_F(RainbowDlgTest, CancelClearsTheResultExceptInTheDMOnlyForm) {
  doc.Analysis().kind = kDMHit;
  doc.Analysis().dmId = 7;
  CRainbowDlg dmOnly = Dialog(kRegulars, true);
  EXPECT_EQ(dmOnly.Kind(), kDMHit);
  dmOnly.OnCancel();
  EXPECT_EQ(doc.Analysis().dmId, 7);
  CRainbowDlg d = Dialog(kRegulars);
  d.OnCancel();
  EXPECT_FALSE(d.ClosedWithOk());
  EXPECT_EQ(doc.Analysis().kind, -1);
  EXPECT_EQ(doc.Analysis().dmId, 0);
}

TEST_F(RainbowDlgTest, WithoutTheDictionaryTheAddressPageSaysSo) {
  ui.ExpectMessage(CRainbowDlg::kNoDictionary);
  CRainbowDlg d = Dialog(kRoller);
  EXPECT_FALSE(d.DictionaryAvailable());
  ui.ExpectMessage("住所を選択してください");
  d.OnAddAddress();
  ui.ExpectMessage("抽出する住所がリストに追加されていません。\n少なくとも一つはリストに追加してください。");
  d.OnRun();
  EXPECT_FALSE(d.IsClosing());
}

TEST_F(RainbowDlgTest, WithoutADocumentNothingRuns) {
  CRainbowDlg d(ui, nullptr, Install(), nullptr);
  d.Open();
  ui.ExpectMessage(CRainbowDlg::kNoDatabase);
  d.OnRun();
  EXPECT_FALSE(d.IsClosing());
}

}  // namespace
}  // namespace analysis
