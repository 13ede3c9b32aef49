#include "analysis/RainbowQuery.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <tuple>

#include "text/DateInput.h"
#include "text/Format.h"
#include "text/NumberInput.h"

namespace analysis {

namespace {

constexpr const char* kJoin = "FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID ";
constexpr const char* kAskAllHistory = "履歴概要が指定されていません。\nすべての履歴を対象にして調査しますか？";
constexpr const char* kTopBelowOne = "TOP件数は 1 人以上を指定してください";

std::nullopt_t Refuse(ui::Ui& ui, Refusal& refusal, std::string_view message, Focus focus) {
  ui.Tell(message);
  refusal.focus = focus;
  return std::nullopt;
}

// A typed whole number; what is no number reads as 0, so it fails the "at least 1" checks.
long long Number(std::string_view typed) {
  const auto n = text::ReadWholeNumber(typed);
  if (!n) return 0;
  return std::clamp<long long>(*n, INT_MIN, INT_MAX);
}

struct Day {
  int year, month, day;
};

// A typed date as the extraction reads it: a calendar date of years 100 to 9999.
std::optional<Day> ReadDay(std::string_view typed) {
  const auto date = text::ReadDate(typed);
  if (!date || date->year < 100 || date->year > 9999) return std::nullopt;
  return Day{date->year, date->month, date->day};
}

bool Later(const Day& a, const Day& b) {
  return std::tie(a.year, a.month, a.day) > std::tie(b.year, b.month, b.day);
}

// The period clause ("" when not specified), or nullopt after a refusal.
std::optional<std::string> PeriodClause(const Period& p, ui::Ui& ui, Refusal& refusal) {
  if (!p.specified) return std::string();
  const bool hasStart = !p.start.empty(), hasEnd = !p.end.empty();
  if (!hasStart && !hasEnd) return Refuse(ui, refusal, "期間の開始日または終了日のどちらかは設定してください", Focus::Start);
  std::optional<Day> start, end;
  if (hasStart && !(start = ReadDay(p.start))) {
    return Refuse(ui, refusal, "期間設定の開始日が正しく入力されていません。\nyyyy/mm/dd 形式で入力してください。", Focus::Start);
  }
  if (hasEnd && !(end = ReadDay(p.end))) {
    return Refuse(ui, refusal, "期間設定の終了日が正しく入力されていません。\nyyyy/mm/dd 形式で入力してください。", Focus::End);
  }
  if (start && end && Later(*start, *end)) {
    return Refuse(ui, refusal,
                  "期間設定の開始日と終了日の関係が正しくありません。\n開始日は終了日より前の日付を設定してください。",
                  Focus::Start);
  }
  const auto clause = [](const char* op, const Day& d) {
    return "(Int(Rireki.Date)" + std::string(op) + DateLiteral(d.year, d.month, d.day) + ")";
  };
  if (start && end) return "(" + clause(">=", *start) + " AND " + clause("<=", *end) + ")";
  return start ? clause(">=", *start) : clause("<=", *end);
}

// The optional summary of kinds 1, 3 and 6: its clause, "" when the user agreed to take every
// entry, nullopt when they did not.
std::optional<std::string> OptionalSummary(std::string_view summary, ui::Ui& ui, Refusal& refusal,
                                           const char* question = kAskAllHistory) {
  if (!summary.empty()) return SummaryClause(summary);
  if (ui.Ask(question, ui::Answer::No)) return std::string();
  refusal.focus = Focus::Summary;
  return std::nullopt;
}

std::string JoinAnd(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) {
    if (p.empty()) continue;
    if (!out.empty()) out += " AND ";
    out += p;
  }
  return out;
}

std::string Digits(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c >= '0' && c <= '9') out += c;
  }
  return out;
}

// One address's part of kind 5: companies by their office address, individuals by their home.
std::string AddressPart(const AddressRow& row, bool office) {
  const std::string zip = Digits(row.zip);
  const std::string full = row.prefecture + row.city + row.town + row.block;
  const std::string local = row.city + row.town + row.block;
  const std::string suffix = office ? "Office" : "Home";
  const std::string address = "(([Add1_" + suffix + "] & [Add2_" + suffix + "] & [Add3_" + suffix + "])";
  std::string part = std::string("(((Customer.EntryType)=") + (office ? "0" : "1") + ") AND (";
  if (!zip.empty()) {
    part += "((Customer.Zip_" + suffix + ") Like '" + zip.substr(0, 3) + "%" + zip.substr(std::min<std::size_t>(3, zip.size())) +
            "') OR ";
  }
  if (!full.empty()) part += address + " Like '" + LikeText(full) + "%') OR ";
  if (!local.empty()) part += address + " Like '" + LikeText(local) + "%')))";
  if (part.ends_with(" OR ")) part.replace(part.size() - 4, 4, "))");
  return part;
}

// The amount of kind 6 as it goes into the statement, or the refusal's message.
struct AmountCheck {
  std::string plain, refusal;
};

AmountCheck CheckAmount(std::string_view typed) {
  // Full-width digits, group commas and "円" are read as every amount box reads them.
  const auto normal = text::PlainNumberText(typed);
  const std::string value = normal ? *normal : std::string(typed);
  if (value.find_first_not_of("0123456789.-") != std::string::npos) {
    return {{}, "数値は、半角数字、マイナス符号、小数点のみ入力できます"};
  }
  const std::size_t point = value.find('.');
  if (point != std::string::npos && value.find('.', point + 1) != std::string::npos) return {{}, "小数点が複数入力されています"};
  const std::string whole = value.substr(0, point);
  const std::string decimals = point == std::string::npos ? std::string() : value.substr(point + 1);
  if (decimals.size() > 2) return {{}, "入力できる数値は小数点以下２桁までです"};
  if (value.find('-', 1) != std::string::npos) return {{}, "入力された数字が不正です"};
  const bool negative = !whole.empty() && whole[0] == '-';
  const std::string digits = negative ? whole.substr(1) : whole;
  if (digits.size() >= 16) return {{}, negative ? "入力された数字が小さすぎます" : "入力された数字が大きすぎます"};
  // A lone sign or point would write no number into the statement.
  if (digits.empty() && decimals.empty()) return {{}, "入力された数字が不正です"};
  if (std::strtod(value.c_str(), nullptr) == 0) return {{}, "数値は 0 以外を指定してください"};
  std::string plain = negative ? "-" : "";
  plain += digits.empty() ? "0" : digits;
  if (!decimals.empty()) plain += "." + decimals;
  return {plain, {}};
}

}  // namespace

std::string SummaryClause(std::string_view summary) {
  std::string quoted;
  for (char c : summary) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return "((Rireki.ActionTitle)='" + quoted + "')";
}

std::string LikeText(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\'') {
      out += "''";
    } else if (c == '_' || c == '%' || c == '#' || c == '[' || c == '*' || c == '?') {
      out += '[';
      out += c;
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

std::string DateLiteral(int year, int month, int day) { return text::Format("#%d/%d/%d#", month, day, year); }

std::string WithoutNotes(std::string_view name) {
  std::string out(name);
  for (std::size_t open = out.find("（"); open != std::string::npos; open = out.find("（", open)) {
    const std::size_t close = out.find("）", open);
    if (close == std::string::npos) break;
    out.erase(open, close + std::string_view("）").size() - open);
  }
  return out;
}

std::optional<Statement> BuildRegulars(const RegularsInput& in, ui::Ui& ui, Refusal& refusal) {
  const auto summary = OptionalSummary(in.summary, ui, refusal);
  if (!summary) return std::nullopt;
  std::string having;
  int limit = -1;
  if (in.mode == RegularsInput::kAtLeast) {
    const long long count = Number(in.count);
    if (count < 1) return Refuse(ui, refusal, "回数は 1 回以上を指定してください", Focus::Count);
    having = text::Format("HAVING ((Count(*))>=%d)", static_cast<int>(count));
  } else if (in.mode == RegularsInput::kTop) {
    const long long top = Number(in.top);
    if (top < 1) return Refuse(ui, refusal, kTopBelowOne, Focus::Top);
    limit = static_cast<int>(top);
  }
  const auto period = PeriodClause(in.period, ui, refusal);
  if (!period) return std::nullopt;
  std::string sql = std::string("SELECT DISTINCTROW Customer.ID, Count(*) AS Rirekiのカウント ") + kJoin;
  if (!summary->empty() && !period->empty()) {
    sql += "WHERE (" + *summary + " AND " + *period + ") ";
  } else if (!summary->empty() || !period->empty()) {
    sql += "WHERE " + *summary + *period + " ";
  }
  sql += "GROUP BY Customer.ID ";
  if (!having.empty()) sql += having + " ";
  sql += "ORDER BY Count(*) DESC";
  return Statement{kRegulars, sql, limit};
}

std::optional<Statement> BuildRecent(const RecentInput& in, ui::Ui& ui, Refusal& refusal) {
  if (in.summary.empty()) return Refuse(ui, refusal, "履歴概要を指定してください", Focus::Summary);
  const std::string where = "WHERE " + SummaryClause(in.summary) + " ";
  std::string having;
  int limit = -1;
  if (in.mode == RecentInput::kSince) {
    if (in.date.empty()) return Refuse(ui, refusal, "日付を指定してください", Focus::Date);
    const auto day = ReadDay(in.date);
    if (!day) return Refuse(ui, refusal, "日付が正しく入力されていません。\nyyyy/mm/dd 形式で入力してください。", Focus::Date);
    having = "HAVING (((Max(Rireki.Date))>=" + DateLiteral(day->year, day->month, day->day) + ")) ";
  } else if (in.mode == RecentInput::kTop) {
    const long long top = Number(in.top);
    if (top < 1) return Refuse(ui, refusal, kTopBelowOne, Focus::Top);
    limit = static_cast<int>(top);
  }
  const std::string sql = std::string("SELECT DISTINCTROW Customer.ID, Max(Rireki.Date) AS [最新 の RirekiDate] ") + kJoin +
                          where + "GROUP BY Customer.ID " + having + "ORDER BY Max(Rireki.Date) DESC";
  return Statement{kRecent, sql, limit};
}

std::optional<Statement> BuildApproach(const ApproachInput& in, ui::Ui& ui, Refusal& refusal) {
  const records::CivilTime today = in.today.ToCivil();
  const std::string elapsed = "((" + DateLiteral(today.year, today.month, today.day) + ")-Int(Max([Rireki].[Date])))";
  const auto summary = OptionalSummary(in.summary, ui, refusal);
  if (!summary) return std::nullopt;
  const std::string where = summary->empty() ? std::string() : "WHERE " + *summary + " ";
  long long days = 0;
  int limit = -1;
  switch (in.mode) {
    case ApproachInput::kDays:
      days = Number(in.days);
      if (days < 1) return Refuse(ui, refusal, "経過日数は 1 日以上を指定してください", Focus::Days);
      if (days > 1825) return Refuse(ui, refusal, "経過日数は 1825 日までを指定してください", Focus::Days);
      break;
    case ApproachInput::kMonths:
      days = Number(in.months);
      if (days < 1) return Refuse(ui, refusal, "経過月数は 1 月以上を指定してください", Focus::Months);
      if (days > 60) return Refuse(ui, refusal, "経過月数は 60 ヶ月までを指定してください", Focus::Months);
      days *= 30;
      break;
    case ApproachInput::kYears:
      days = Number(in.years);
      if (days < 1) return Refuse(ui, refusal, "経過年数は 1 年以上を指定してください", Focus::Years);
      if (days > 5) return Refuse(ui, refusal, "経過年数は 5 年までを指定してください", Focus::Years);
      days *= 365;
      break;
    case ApproachInput::kTop: {
      const long long top = Number(in.top);
      if (top < 1) return Refuse(ui, refusal, kTopBelowOne, Focus::Top);
      limit = static_cast<int>(top);
      break;
    }
    case ApproachInput::kAll: break;
  }
  const std::string having = days > 0 ? text::Format("HAVING (%s>=%d) ", elapsed, static_cast<int>(days)) : std::string();
  const std::string sql = "SELECT DISTINCTROW Customer.ID, " + elapsed + " AS 式1 " + kJoin + where + "GROUP BY Customer.ID " +
                          having + "ORDER BY " + elapsed + " DESC";
  return Statement{kApproach, sql, limit};
}

std::optional<Statement> BuildDMHit(const DMHitInput& in, ui::Ui& ui, Refusal& refusal) {
  if (in.dmId <= 0) return Refuse(ui, refusal, "DMヒット率を調査するDMタイトルを選択してください", Focus::DMTitle);
  long long days = 0;
  switch (in.period) {
    case DMHitInput::kUnset: return Refuse(ui, refusal, "期間を設定してください", Focus::Days);
    case DMHitInput::kDays:
      days = Number(in.days);
      if (days < 1) return Refuse(ui, refusal, "日数を正しく入力してください", Focus::Days);
      if (days > 1825) return Refuse(ui, refusal, "日数は1825日以内を設定してください", Focus::Days);
      break;
    case DMHitInput::kWeeks:
      days = Number(in.weeks);
      if (days < 1) return Refuse(ui, refusal, "週数を正しく入力してください", Focus::Weeks);
      if (days > 260) return Refuse(ui, refusal, "週数は260週以内を設定してください", Focus::Weeks);
      days *= 7;
      break;
    case DMHitInput::kMonths:
      days = Number(in.months);
      if (days < 1) return Refuse(ui, refusal, "月数を正しく入力してください", Focus::Months);
      if (days > 60) return Refuse(ui, refusal, "月数は60ヶ月以内を設定してください", Focus::Months);
      days *= 30;
      break;
    case DMHitInput::kYears:
      days = Number(in.years);
      if (days < 1) return Refuse(ui, refusal, "年数を正しく入力してください", Focus::Years);
      if (days > 5) return Refuse(ui, refusal, "年数は5年以内を設定してください", Focus::Years);
      days *= 365;
      break;
    case DMHitInput::kNoLimit: break;
  }
  std::string summary;
  if (in.summarySpecified) {
    const auto clause = OptionalSummary(in.summary, ui, refusal, "履歴概要が指定されていません。\n指定せずにヒット率を調査しますか？");
    if (!clause) return std::nullopt;
    summary = *clause;
  }
  const std::string dm = text::Format("(DMList.ID = %d)", in.dmId);
  const std::string after = "(Int([Rireki].[Date])-Int([DMList].[Date]))";
  const std::string period = days > 0 ? text::Format("(%s>=1 And %s<=%d)", after, after, static_cast<int>(days))
                                      : "(" + after + ">=1)";
  std::string sql =
      "SELECT DISTINCTROW Customer.* FROM DMList INNER JOIN ((Customer INNER JOIN DMMng ON Customer.ID = DMMng.CustomerID) "
      "INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID) ON DMList.ID = DMMng.DMID WHERE ";
  sql += summary.empty() ? dm + " AND " + period : summary + " AND " + dm + " AND " + period;
  return Statement{kDMHit, sql, -1};
}

std::optional<Statement> BuildRoller(const std::vector<AddressRow>& rows, ui::Ui& ui, Refusal& refusal) {
  if (rows.empty()) {
    return Refuse(ui, refusal, "抽出する住所がリストに追加されていません。\n少なくとも一つはリストに追加してください。",
                  Focus::Addresses);
  }
  std::string sql = "SELECT Customer.* FROM Customer WHERE ";
  for (const AddressRow& row : rows) sql += AddressPart(row, true) + " OR " + AddressPart(row, false) + " OR ";
  sql.resize(sql.size() - 4);
  return Statement{kRoller, sql, -1};
}

std::optional<Statement> BuildAmount(const AmountInput& in, ui::Ui& ui, Refusal& refusal) {
  const AmountCheck amount = CheckAmount(in.amount);
  if (!amount.refusal.empty()) return Refuse(ui, refusal, amount.refusal, Focus::Amount);
  const auto summary = OptionalSummary(in.summary, ui, refusal);
  if (!summary) return std::nullopt;
  const auto period = PeriodClause(in.period, ui, refusal);
  if (!period) return std::nullopt;
  const char* function = in.mode == AmountInput::kTotal ? "Sum" : in.mode == AmountInput::kMaximum ? "Max" : "Avg";
  const char* label = in.mode == AmountInput::kTotal ? "合計" : in.mode == AmountInput::kMaximum ? "最高" : "平均";
  const std::string figure = std::string(function) + "(Rireki.Money)";
  const std::string where =
      JoinAnd({in.mode == AmountInput::kAverage ? "((Rireki.Money)<>0)" : "", *summary, *period});
  std::string sql = "SELECT DISTINCTROW Customer.ID, " + figure + " AS " + label + " " + kJoin;
  if (!where.empty()) sql += "WHERE " + where + " ";
  sql += "GROUP BY Customer.ID HAVING ((" + figure + ")>=" + amount.plain + ") ORDER BY " + figure + " DESC";
  return Statement{kAmount, sql, 0};
}

std::optional<Statement> BuildMerchants(const std::vector<std::string>& names, ui::Ui& ui, Refusal& refusal) {
  if (names.empty()) {
    return Refuse(ui, refusal, "検索する名前がリストに追加されていません。\n少なくとも1つはリストに追加してください。", Focus::Names);
  }
  if (names.size() > kMaxNames) {
    return Refuse(ui, refusal, "リストに登録されている数が多すぎます。\n5個以下にしてください。", Focus::Names);
  }
  std::string sql = "SELECT Customer.* FROM Customer WHERE ";
  for (const std::string& name : names) {
    const std::string like = " Like '" + LikeText(name) + "%')";
    sql += "(";
    for (const char* column : {"MainMerchant1", "MainMerchant2", "MainMerchant3", "MainMerchant4", "MainMerchant5", "Bank1", "Bank2"}) {
      if (sql.back() != '(') sql += " OR ";
      sql += "((Customer." + std::string(column) + ")" + like;
    }
    sql += ") OR ";
  }
  sql.resize(sql.size() - 4);
  return Statement{kMerchants, sql, -1};
}

}  // namespace analysis
