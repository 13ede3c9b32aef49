#include "analysis/RainbowQuery.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/ScriptedUi.h"

namespace analysis {
namespace {

constexpr const char* kJoin = "FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID ";
constexpr const char* kAskAll = "履歴概要が指定されていません。\nすべての履歴を対象にして調査しますか？";

struct Case {
  const char* name;
  std::function<std::optional<Statement>(ui::Ui&, Refusal&)> build;
  std::vector<std::pair<std::string, ui::Answer>> messages;  // told or asked, in order
  std::string sql;                                           // empty: refused
  int limit = -1;
  Focus focus = Focus::None;
};

Period Between(std::string start, std::string end) { return Period{true, std::move(start), std::move(end)}; }

RegularsInput Regulars(std::string summary, RegularsInput::Mode mode, Period period = {}) {
  RegularsInput in;
  in.summary = std::move(summary);
  in.mode = mode;
  in.count = "2";
  in.period = std::move(period);
  return in;
}

ApproachInput Approach(std::string summary, ApproachInput::Mode mode, std::string n = "2") {
  ApproachInput in;
  in.summary = std::move(summary);
  in.mode = mode;
  in.days = in.months = in.years = in.top = std::move(n);
  in.today = records::COleDate::FromCivil(2025, 6, 15);
  return in;
}

DMHitInput DMHit(DMHitInput::PeriodMode period, std::string n, bool specified, std::string summary) {
  DMHitInput in;
  in.dmId = 3;
  in.period = period;
  in.days = in.weeks = in.months = in.years = std::move(n);
  in.summarySpecified = specified;
  in.summary = std::move(summary);
  return in;
}

AmountInput Amount(AmountInput::Mode mode, std::string amount, std::string summary, Period period = {}) {
  return AmountInput{mode, std::move(amount), std::move(summary), std::move(period)};
}

const std::string kDMJoin =
    "SELECT DISTINCTROW Customer.* FROM DMList INNER JOIN ((Customer INNER JOIN DMMng ON Customer.ID = DMMng.CustomerID) "
    "INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID) ON DMList.ID = DMMng.DMID WHERE ";
const std::string kElapsed = "((#6/15/2025#)-Int(Max([Rireki].[Date])))";
const std::string kOffice = "(([Add1_Office] & [Add2_Office] & [Add3_Office])";
const std::string kHome = "(([Add1_Home] & [Add2_Home] & [Add3_Home])";

std::string MerchantGroup(const std::string& name) {
  std::string group = "(";
  const char* columns[] = {"MainMerchant1", "MainMerchant2", "MainMerchant3", "MainMerchant4", "MainMerchant5", "Bank1", "Bank2"};
  for (const char* c : columns) {
    if (group.size() > 1) group += " OR ";
    group += "((Customer." + std::string(c) + ") Like '" + name + "%')";
  }
  return group + ")";
}

std::vector<Case> Cases() {
  using A = ui::Answer;
  const std::string count = std::string("SELECT DISTINCTROW Customer.ID, Count(*) AS Rirekiのカウント ") + kJoin;
  const std::string latest = std::string("SELECT DISTINCTROW Customer.ID, Max(Rireki.Date) AS [最新 の RirekiDate] ") + kJoin;
  const std::string approach = "SELECT DISTINCTROW Customer.ID, " + kElapsed + " AS 式1 " + kJoin;
  return {
      // --- Kind 1 ---
      {"RegularsAtLeast", [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("来店", RegularsInput::kAtLeast), ui, r); },
       {},
       count + "WHERE ((Rireki.ActionTitle)='来店') GROUP BY Customer.ID HAVING ((Count(*))>=2) ORDER BY Count(*) DESC"},
      {"RegularsTopWithoutSummaryHasNoWhere",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("", RegularsInput::kTop), ui, r); },
       {{kAskAll, A::Yes}},
       count + "GROUP BY Customer.ID ORDER BY Count(*) DESC",
       10},
      {"RegularsSummaryAndPeriod",
       [](ui::Ui& ui, Refusal& r) {
         return BuildRegulars(Regulars("来店", RegularsInput::kAll, Between("2024/4/1", "2025/03/31")), ui, r);
       },
       {},
       count + "WHERE (((Rireki.ActionTitle)='来店') AND ((Int(Rireki.Date)>=#4/1/2024#) AND (Int(Rireki.Date)<=#3/31/2025#))) "
               "GROUP BY Customer.ID ORDER BY Count(*) DESC"},
      {"RegularsPeriodStartOnly",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("", RegularsInput::kAll, Between("令和6年4月1日", "")), ui, r); },
       {{kAskAll, A::Yes}},
       count + "WHERE (Int(Rireki.Date)>=#4/1/2024#) GROUP BY Customer.ID ORDER BY Count(*) DESC"},
      {"RegularsPeriodEndOnly",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("来店", RegularsInput::kAll, Between("", "2025/1/31")), ui, r); },
       {},
       count + "WHERE (((Rireki.ActionTitle)='来店') AND (Int(Rireki.Date)<=#1/31/2025#)) GROUP BY Customer.ID ORDER BY Count(*) DESC"},
      {"SummaryQuoteIsDoubled",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("O'Neil様", RegularsInput::kAll), ui, r); },
       {},
       count + "WHERE ((Rireki.ActionTitle)='O''Neil様') GROUP BY Customer.ID ORDER BY Count(*) DESC"},
      {"RegularsNoToAllHistoryStops",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("", RegularsInput::kAll), ui, r); },
       {{kAskAll, A::No}}, "", -1, Focus::Summary},
      {"RegularsCountBelowOne",
       [](ui::Ui& ui, Refusal& r) {
         auto in = Regulars("来店", RegularsInput::kAtLeast);
         in.count = "0";
         return BuildRegulars(in, ui, r);
       },
       {{"回数は 1 回以上を指定してください", A::Ok}}, "", -1, Focus::Count},
      {"RegularsTopNotANumber",
       [](ui::Ui& ui, Refusal& r) {
         auto in = Regulars("来店", RegularsInput::kTop);
         in.top = "abc";
         return BuildRegulars(in, ui, r);
       },
       {{"TOP件数は 1 人以上を指定してください", A::Ok}}, "", -1, Focus::Top},
      {"PeriodWithNeitherDate",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("来店", RegularsInput::kAll, Between("", "")), ui, r); },
       {{"期間の開始日または終了日のどちらかは設定してください", A::Ok}}, "", -1, Focus::Start},
      {"PeriodBadStart",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("来店", RegularsInput::kAll, Between("2024/2/30", "")), ui, r); },
       {{"期間設定の開始日が正しく入力されていません。\nyyyy/mm/dd 形式で入力してください。", A::Ok}}, "", -1, Focus::Start},
      {"PeriodBadEnd",
       [](ui::Ui& ui, Refusal& r) { return BuildRegulars(Regulars("来店", RegularsInput::kAll, Between("2024/2/1", "x")), ui, r); },
       {{"期間設定の終了日が正しく入力されていません。\nyyyy/mm/dd 形式で入力してください。", A::Ok}}, "", -1, Focus::End},
      {"PeriodStartAfterEnd",
       [](ui::Ui& ui, Refusal& r) {
         return BuildRegulars(Regulars("来店", RegularsInput::kAll, Between("2024/3/2", "2024/3/1")), ui, r);
       },
       {{"期間設定の開始日と終了日の関係が正しくありません。\n開始日は終了日より前の日付を設定してください。", A::Ok}}, "", -1,
       Focus::Start},
      // --- Kind 2 ---
      {"RecentSince",
       [](ui::Ui& ui, Refusal& r) { return BuildRecent(RecentInput{RecentInput::kSince, "来店", "2024/04/01", "10"}, ui, r); },
       {},
       latest + "WHERE ((Rireki.ActionTitle)='来店') GROUP BY Customer.ID HAVING (((Max(Rireki.Date))>=#4/1/2024#)) "
                "ORDER BY Max(Rireki.Date) DESC"},
      {"RecentTop",
       [](ui::Ui& ui, Refusal& r) { return BuildRecent(RecentInput{RecentInput::kTop, "来店", "", "5"}, ui, r); },
       {},
       latest + "WHERE ((Rireki.ActionTitle)='来店') GROUP BY Customer.ID ORDER BY Max(Rireki.Date) DESC",
       5},
      {"RecentNeedsSummary",
       [](ui::Ui& ui, Refusal& r) { return BuildRecent(RecentInput{RecentInput::kAll, "", "", "10"}, ui, r); },
       {{"履歴概要を指定してください", A::Ok}}, "", -1, Focus::Summary},
      {"RecentEmptyDate",
       [](ui::Ui& ui, Refusal& r) { return BuildRecent(RecentInput{RecentInput::kSince, "来店", "", "10"}, ui, r); },
       {{"日付を指定してください", A::Ok}}, "", -1, Focus::Date},
      {"RecentBadDate",
       [](ui::Ui& ui, Refusal& r) { return BuildRecent(RecentInput{RecentInput::kSince, "来店", "2024/13/1", "10"}, ui, r); },
       {{"日付が正しく入力されていません。\nyyyy/mm/dd 形式で入力してください。", A::Ok}}, "", -1, Focus::Date},
      // --- Kind 3 ---
      {"ApproachTwoMonthsIsSixtyDays",
       [](ui::Ui& ui, Refusal& r) { return BuildApproach(Approach("来店", ApproachInput::kMonths), ui, r); },
       {},
       approach + "WHERE ((Rireki.ActionTitle)='来店') GROUP BY Customer.ID HAVING (" + kElapsed + ">=60) ORDER BY " + kElapsed +
           " DESC"},
      {"ApproachYears",
       [](ui::Ui& ui, Refusal& r) { return BuildApproach(Approach("来店", ApproachInput::kYears), ui, r); },
       {},
       approach + "WHERE ((Rireki.ActionTitle)='来店') GROUP BY Customer.ID HAVING (" + kElapsed + ">=730) ORDER BY " + kElapsed +
           " DESC"},
      {"ApproachAllWithoutSummary",
       [](ui::Ui& ui, Refusal& r) { return BuildApproach(Approach("", ApproachInput::kAll), ui, r); },
       {{kAskAll, A::Yes}},
       approach + "GROUP BY Customer.ID ORDER BY " + kElapsed + " DESC"},
      {"ApproachTop",
       [](ui::Ui& ui, Refusal& r) { return BuildApproach(Approach("来店", ApproachInput::kTop, "3"), ui, r); },
       {},
       approach + "WHERE ((Rireki.ActionTitle)='来店') GROUP BY Customer.ID ORDER BY " + kElapsed + " DESC",
       3},
      {"Approach61MonthsRefused",
       [](ui::Ui& ui, Refusal& r) { return BuildApproach(Approach("来店", ApproachInput::kMonths, "61"), ui, r); },
       {{"経過月数は 60 ヶ月までを指定してください", A::Ok}}, "", -1, Focus::Months},
      {"Approach1826DaysRefused",
       [](ui::Ui& ui, Refusal& r) { return BuildApproach(Approach("来店", ApproachInput::kDays, "1826"), ui, r); },
       {{"経過日数は 1825 日までを指定してください", A::Ok}}, "", -1, Focus::Days},
      {"ApproachZeroYearsRefused",
       [](ui::Ui& ui, Refusal& r) { return BuildApproach(Approach("来店", ApproachInput::kYears, "0"), ui, r); },
       {{"経過年数は 1 年以上を指定してください", A::Ok}}, "", -1, Focus::Years},
      // --- Kind 4 ---
      {"DMHitThreeWeeksWithoutSummary",
       [](ui::Ui& ui, Refusal& r) { return BuildDMHit(DMHit(DMHitInput::kWeeks, "3", false, ""), ui, r); },
       {},
       kDMJoin + "(DMList.ID = 3) AND ((Int([Rireki].[Date])-Int([DMList].[Date]))>=1 And "
                 "(Int([Rireki].[Date])-Int([DMList].[Date]))<=21)"},
      {"DMHitNoLimitWithSummary",
       [](ui::Ui& ui, Refusal& r) { return BuildDMHit(DMHit(DMHitInput::kNoLimit, "1", true, "受注"), ui, r); },
       {},
       kDMJoin + "((Rireki.ActionTitle)='受注') AND (DMList.ID = 3) AND ((Int([Rireki].[Date])-Int([DMList].[Date]))>=1)"},
      {"DMHitEmptySummaryAsked",
       [](ui::Ui& ui, Refusal& r) { return BuildDMHit(DMHit(DMHitInput::kMonths, "2", true, ""), ui, r); },
       {{"履歴概要が指定されていません。\n指定せずにヒット率を調査しますか？", A::Yes}},
       kDMJoin + "(DMList.ID = 3) AND ((Int([Rireki].[Date])-Int([DMList].[Date]))>=1 And "
                 "(Int([Rireki].[Date])-Int([DMList].[Date]))<=60)"},
      {"DMHitNoTitle",
       [](ui::Ui& ui, Refusal& r) {
         auto in = DMHit(DMHitInput::kDays, "5", false, "");
         in.dmId = 0;
         return BuildDMHit(in, ui, r);
       },
       {{"DMヒット率を調査するDMタイトルを選択してください", A::Ok}}, "", -1, Focus::DMTitle},
      {"DMHitNoPeriod",
       [](ui::Ui& ui, Refusal& r) { return BuildDMHit(DMHit(DMHitInput::kUnset, "5", false, ""), ui, r); },
       {{"期間を設定してください", A::Ok}}, "", -1, Focus::Days},
      {"DMHit261Weeks",
       [](ui::Ui& ui, Refusal& r) { return BuildDMHit(DMHit(DMHitInput::kWeeks, "261", false, ""), ui, r); },
       {{"週数は260週以内を設定してください", A::Ok}}, "", -1, Focus::Weeks},
      {"DMHitSixYears",
       [](ui::Ui& ui, Refusal& r) { return BuildDMHit(DMHit(DMHitInput::kYears, "6", false, ""), ui, r); },
       {{"年数は5年以内を設定してください", A::Ok}}, "", -1, Focus::Years},
      {"DMHitZeroDays",
       [](ui::Ui& ui, Refusal& r) { return BuildDMHit(DMHit(DMHitInput::kDays, "0", false, ""), ui, r); },
       {{"日数を正しく入力してください", A::Ok}}, "", -1, Focus::Days},
      // --- Kind 5 ---
      {"RollerOneTown",
       [](ui::Ui& ui, Refusal& r) {
         return BuildRoller({{"123-4567", "東京都", "千代田区", "丸の内", ""}}, ui, r);
       },
       {},
       "SELECT Customer.* FROM Customer WHERE (((Customer.EntryType)=0) AND (((Customer.Zip_Office) Like '123%4567') OR " + kOffice +
           " Like '東京都千代田区丸の内%') OR " + kOffice + " Like '千代田区丸の内%'))) OR (((Customer.EntryType)=1) AND "
           "(((Customer.Zip_Home) Like '123%4567') OR " + kHome + " Like '東京都千代田区丸の内%') OR " + kHome +
           " Like '千代田区丸の内%')))"},
      {"RollerPrefectureOnlyAndTwoRows",
       [](ui::Ui& ui, Refusal& r) {
         return BuildRoller({{"", "北海道", "", "", ""}, {"100-0001", "東京都", "千代田区", "千代田", ""}}, ui, r);
       },
       {},
       "SELECT Customer.* FROM Customer WHERE (((Customer.EntryType)=0) AND (" + kOffice + " Like '北海道%'))) OR "
           "(((Customer.EntryType)=1) AND (" + kHome + " Like '北海道%'))) OR (((Customer.EntryType)=0) AND "
           "(((Customer.Zip_Office) Like '100%0001') OR " + kOffice + " Like '東京都千代田区千代田%') OR " + kOffice +
           " Like '千代田区千代田%'))) OR (((Customer.EntryType)=1) AND (((Customer.Zip_Home) Like '100%0001') OR " + kHome +
           " Like '東京都千代田区千代田%') OR " + kHome + " Like '千代田区千代田%')))"},
      {"RollerEmptyList",
       [](ui::Ui& ui, Refusal& r) { return BuildRoller({}, ui, r); },
       {{"抽出する住所がリストに追加されていません。\n少なくとも一つはリストに追加してください。", A::Ok}}, "", -1, Focus::Addresses},
      // --- Kind 6 ---
      {"AmountTotal",
       [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "100000", ""), ui, r); },
       {{kAskAll, A::Yes}},
       std::string("SELECT DISTINCTROW Customer.ID, Sum(Rireki.Money) AS 合計 ") + kJoin +
           "GROUP BY Customer.ID HAVING ((Sum(Rireki.Money))>=100000) ORDER BY Sum(Rireki.Money) DESC",
       0},
      {"AmountAverageWithSummaryAndNegative",
       [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kAverage, "-500", "受注"), ui, r); },
       {},
       std::string("SELECT DISTINCTROW Customer.ID, Avg(Rireki.Money) AS 平均 ") + kJoin +
           "WHERE ((Rireki.Money)<>0) AND ((Rireki.ActionTitle)='受注') GROUP BY Customer.ID "
           "HAVING ((Avg(Rireki.Money))>=-500) ORDER BY Avg(Rireki.Money) DESC",
       0},
      {"AmountMaximumWithPeriodAndFullWidth",
       [](ui::Ui& ui, Refusal& r) {
         return BuildAmount(Amount(AmountInput::kMaximum, "１，５００．５", "受注", Between("", "2025/1/1")), ui, r);
       },
       {},
       std::string("SELECT DISTINCTROW Customer.ID, Max(Rireki.Money) AS 最高 ") + kJoin +
           "WHERE ((Rireki.ActionTitle)='受注') AND (Int(Rireki.Date)<=#1/1/2025#) GROUP BY Customer.ID "
           "HAVING ((Max(Rireki.Money))>=1500.5) ORDER BY Max(Rireki.Money) DESC",
       0},
      {"AmountZeroRefused", [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "0.00", ""), ui, r); },
       {{"数値は 0 以外を指定してください", A::Ok}}, "", -1, Focus::Amount},
      {"AmountLetters", [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "12a", ""), ui, r); },
       {{"数値は、半角数字、マイナス符号、小数点のみ入力できます", A::Ok}}, "", -1, Focus::Amount},
      {"AmountThreeDecimals", [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "1.234", ""), ui, r); },
       {{"入力できる数値は小数点以下２桁までです", A::Ok}}, "", -1, Focus::Amount},
      {"AmountTwoPoints", [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "1.2.3", ""), ui, r); },
       {{"小数点が複数入力されています", A::Ok}}, "", -1, Focus::Amount},
      {"AmountInnerMinus", [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "12-3", ""), ui, r); },
       {{"入力された数字が不正です", A::Ok}}, "", -1, Focus::Amount},
      {"AmountLoneMinus", [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "-", ""), ui, r); },
       {{"入力された数字が不正です", A::Ok}}, "", -1, Focus::Amount},
      {"AmountSixteenDigits",
       [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "1234567890123456", ""), ui, r); },
       {{"入力された数字が大きすぎます", A::Ok}}, "", -1, Focus::Amount},
      {"AmountSixteenNegativeDigits",
       [](ui::Ui& ui, Refusal& r) { return BuildAmount(Amount(AmountInput::kTotal, "-1234567890123456", ""), ui, r); },
       {{"入力された数字が小さすぎます", A::Ok}}, "", -1, Focus::Amount},
      // --- Kind 7 ---
      {"MerchantsTwoNames",
       [](ui::Ui& ui, Refusal& r) { return BuildMerchants({"山田銀行", "50%_O'Neil"}, ui, r); },
       {},
       "SELECT Customer.* FROM Customer WHERE " + MerchantGroup("山田銀行") + " OR " + MerchantGroup("50[%][_]O''Neil")},
      {"MerchantsSixRefused",
       [](ui::Ui& ui, Refusal& r) { return BuildMerchants({"a", "b", "c", "d", "e", "f"}, ui, r); },
       {{"リストに登録されている数が多すぎます。\n5個以下にしてください。", A::Ok}}, "", -1, Focus::Names},
      {"MerchantsNone",
       [](ui::Ui& ui, Refusal& r) { return BuildMerchants({}, ui, r); },
       {{"検索する名前がリストに追加されていません。\n少なくとも1つはリストに追加してください。", A::Ok}}, "", -1, Focus::Names},
  };
}

class RainbowQueryTest : public ::testing::TestWithParam<Case> {};

TEST_P(RainbowQueryTest, BuildsTheExactStatementOrRefuses) {
  const Case& c = GetParam();
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  for (const auto& [text, answer] : c.messages) ui.ExpectMessage(text, answer);
  Refusal refusal;
  const std::optional<Statement> statement = c.build(ui, refusal);
  if (c.sql.empty()) {
    EXPECT_FALSE(statement);
    EXPECT_EQ(refusal.focus, c.focus);
    return;
  }
  ASSERT_TRUE(statement);
  EXPECT_EQ(statement->sql, c.sql);
  EXPECT_EQ(statement->limit, c.limit);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, RainbowQueryTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RainbowQuery, NotesInFullWidthParenthesesAreCutFromNames) {
  EXPECT_EQ(WithoutNotes("大通西（１～１９丁目）"), "大通西");
  EXPECT_EQ(WithoutNotes("丸の内（次のビルを除く）二丁目（地階）"), "丸の内二丁目");
  EXPECT_EQ(WithoutNotes("本町（未閉"), "本町（未閉");
}

}  // namespace
}  // namespace analysis
