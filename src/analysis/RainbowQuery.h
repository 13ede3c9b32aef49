#pragma once
// The seven-colour analysis's statements: from what a page holds to the extraction dialect's
// SELECT the data store runs, with every check and its message. Nothing here shows a dialog; the
// refusals and the one question (about an empty history summary) go through the Ui port, and a
// refusal names the control that gets the focus.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/COleDate.h"
#include "ui/Ui.h"

namespace analysis {

// The analyses, numbered as the result kinds the document keeps.
enum Kind { kRegulars = 1, kRecent = 2, kApproach = 3, kDMHit = 4, kRoller = 5, kAmount = 6, kMerchants = 7 };
inline constexpr int kKindCount = 7;

// The control a refusal puts the focus on.
enum class Focus { None, Summary, Count, Top, Date, Start, End, Days, Months, Years, Weeks, DMTitle, Amount, Names, Addresses };

// What a check that failed leaves: the focus (after its message was told).
struct Refusal {
  Focus focus = Focus::None;
};

// The statement to run: for kinds 1, 2, 3, 6 through QueryRainbow with limit, else ExtractKokyaku.
struct Statement {
  int kind = 0;
  std::string sql;
  int limit = -1;
};

// A period of history dates: "指定しない" / "指定する" with a start and an end date as typed.
struct Period {
  bool specified = false;
  std::string start, end;
};

// Kind 1, "お得意様は誰？".
struct RegularsInput {
  enum Mode { kAtLeast, kTop, kAll } mode = kAtLeast;
  std::string summary;
  std::string count = "1", top = "10";
  Period period;
};

// Kind 2, "”旬”な顧客は誰？".
struct RecentInput {
  enum Mode { kSince, kTop, kAll } mode = kSince;
  std::string summary;
  std::string date, top = "10";
};

// Kind 3, "アプローチ候補は誰？"; today gives the date the elapsed days count to.
struct ApproachInput {
  enum Mode { kDays, kMonths, kYears, kTop, kAll } mode = kDays;
  std::string summary;
  std::string days = "1", months = "1", years = "1", top = "10";
  records::COleDate today;
};

// Kind 4, "DMヒット率分析".
struct DMHitInput {
  enum PeriodMode { kUnset = -1, kDays, kWeeks, kMonths, kYears, kNoLimit } period = kUnset;
  std::int32_t dmId = 0;  // the chosen sent DM title; 0 none
  std::string days = "1", weeks = "1", months = "1", years = "1";
  bool summarySpecified = true;
  std::string summary;
};

// Kind 5, "ローラー作戦": one chosen address, each part as taken over from the dictionary.
struct AddressRow {
  std::string zip, prefecture, city, town, block;
  friend bool operator==(const AddressRow&, const AddressRow&) = default;
};

// Kind 6, "履歴金額について".
struct AmountInput {
  enum Mode { kTotal, kMaximum, kAverage } mode = kTotal;
  std::string amount = "0";  // the chosen mode's amount box
  std::string summary;
  Period period;
};

// Builders: the statement, or nullopt after the refusal's message (or a No to the question),
// with refusal naming the control to focus.
std::optional<Statement> BuildRegulars(const RegularsInput& in, ui::Ui& ui, Refusal& refusal);
std::optional<Statement> BuildRecent(const RecentInput& in, ui::Ui& ui, Refusal& refusal);
std::optional<Statement> BuildApproach(const ApproachInput& in, ui::Ui& ui, Refusal& refusal);
std::optional<Statement> BuildDMHit(const DMHitInput& in, ui::Ui& ui, Refusal& refusal);
std::optional<Statement> BuildRoller(const std::vector<AddressRow>& rows, ui::Ui& ui, Refusal& refusal);
std::optional<Statement> BuildAmount(const AmountInput& in, ui::Ui& ui, Refusal& refusal);
std::optional<Statement> BuildMerchants(const std::vector<std::string>& names, ui::Ui& ui, Refusal& refusal);

// The history summary condition. The summary's quotes are doubled, so a summary holding "'"
// still finds its entries.
std::string SummaryClause(std::string_view summary);
// A text inside a Like pattern between quotes: quotes doubled, the wildcards and "[" in brackets.
std::string LikeText(std::string_view text);
// "#m/d/yyyy#".
std::string DateLiteral(int year, int month, int day);

// A name from the postal dictionary without the parts in full-width parentheses ("（...）").
std::string WithoutNotes(std::string_view name);

// The limits and their messages, shared by the page and the builders.
inline constexpr int kMaxAddresses = 10;
inline constexpr int kMaxNames = 5;

}  // namespace analysis
