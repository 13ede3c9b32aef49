// The seven analyses as "七色分析" runs them on 100,000 customers and 1,000,000 history entries:
// the statement built from a page and run through the store, against the same question written
// by hand for SQLite on the same data; "ratio" is ours / hand-written. With RAINBOW_PLANS=1 each
// benchmark first prints both query plans to stderr.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchData.h"
#include "analysis/RainbowQuery.h"
#include "records/CKokyakuVMData.h"
#include "records/JetSql.h"
#include "ui/Ui.h"

namespace {

using namespace analysis;

using bench::Seconds;

records::CKokyakuVMData& Store() { return bench::ScratchStore("rainbow"); }
sqlite3* Raw() { return bench::BaselineConnection(); }

std::size_t StepRows(const std::string& sql) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(Raw(), sql.c_str(), -1, &s, nullptr);
  std::size_t n = 0;
  while (sqlite3_step(s) == SQLITE_ROW) {
    for (int i = 0; i < sqlite3_column_count(s); ++i) benchmark::DoNotOptimize(sqlite3_column_double(s, i));
    ++n;
  }
  sqlite3_finalize(s);
  return n;
}

void PrintPlan(const char* what, const std::string& sql) {
  std::fprintf(stderr, "  %s:\n", what);
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(Raw(), ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &s, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "    (%s)\n", sqlite3_errmsg(Raw()));
  }
  while (s && sqlite3_step(s) == SQLITE_ROW) {
    std::fprintf(stderr, "    %d/%d %s\n", sqlite3_column_int(s, 0), sqlite3_column_int(s, 1),
                 reinterpret_cast<const char*>(sqlite3_column_text(s, 3)));
  }
  sqlite3_finalize(s);
}

// Answers Yes to the question about taking every history entry; nothing else is asked.
class YesUi : public ui::Ui {
 public:
  ui::Answer Message(std::string_view, ui::Buttons, ui::Icon, ui::Answer) override { return ui::Answer::Yes; }
  std::optional<std::filesystem::path> ChooseFolder(std::string_view, const std::filesystem::path&) override { return {}; }
  std::optional<std::filesystem::path> OpenFile(std::string_view, std::string_view, const std::filesystem::path&) override {
    return {};
  }
  std::optional<std::filesystem::path> SaveFile(std::string_view, std::string_view, const std::filesystem::path&) override {
    return {};
  }
  bool Run(ui::CDialogModel&) override { return false; }
  ui::WaitScope Wait(bool) override { return {}; }
};

// build: the page's statement (answering Yes to the summary question); handWritten: the baseline.
void Against(benchmark::State& state, const char* name, const std::function<std::optional<Statement>(ui::Ui&, Refusal&)>& build,
             const std::string& handWritten) {
  YesUi ui;
  Refusal refusal;
  const std::optional<Statement> statement = build(ui, refusal);
  if (!statement) return state.SkipWithError("not built");
  const bool hits = statement->kind != kDMHit && statement->kind != kRoller && statement->kind != kMerchants;
  if (std::getenv("RAINBOW_PLANS")) {
    std::fprintf(stderr, "%s\n", name);
    std::string ours = records::TranslateJetSql(statement->sql).sql;
    if (!hits) ours = "SELECT DISTINCT Customer.ID FROM" + ours.substr(ours.find(" FROM") + 5);
    std::fprintf(stderr, "  %s\n", records::TranslateJetSql(statement->sql).sql.c_str());
    PrintPlan("through the store", ours);
    PrintPlan("by hand", handWritten);
  }
  std::vector<double> base;
  std::size_t baseRows = 0;
  for (int i = 0; i < 3; ++i) base.push_back(Seconds([&] { baseRows = StepRows(handWritten); }));
  std::vector<double> times;
  std::size_t rows = 0;
  for (auto _ : state) {
    const double t = Seconds([&] {
      int rc = 0;
      if (hits) {
        records::RainbowHits found;
        rc = Store().QueryRainbow(statement->kind, statement->sql, found, statement->limit);
        rows = found.size();
      } else {
        records::IdArray ids;
        rc = Store().ExtractKokyaku(statement->sql, ids);
        rows = ids.size();
      }
      if (rc != 1) state.SkipWithError(Store().DispOleDBErrDlg().c_str());
    });
    times.push_back(t);
    state.SetIterationTime(t);
  }
  std::sort(base.begin(), base.end());
  std::sort(times.begin(), times.end());
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["baseline_rows"] = static_cast<double>(baseRows);
  state.counters["baseline_ms"] = base[1] * 1000;
  state.counters["ratio"] = times[times.size() / 2] / base[1];
}

const std::string kHandJoin = " FROM Customer JOIN Rireki ON Customer.ID = Rireki.CustomerID ";

void BM_Rainbow_1(benchmark::State& state) {
  const char* name = "BM_Rainbow_1";
  Against(
      state, name,
      [](ui::Ui& ui, Refusal& r) {
        RegularsInput in;
        in.summary = "来店";
        in.mode = RegularsInput::kTop;
        return BuildRegulars(in, ui, r);
      },
      "SELECT Customer.ID, count(*)" + kHandJoin +
          "WHERE Rireki.ActionTitle = '来店' GROUP BY Customer.ID ORDER BY count(*) DESC LIMIT 10");
}
BENCHMARK(BM_Rainbow_1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Rainbow_2(benchmark::State& state) {
  const char* name = "BM_Rainbow_2";
  const double since = records::COleDate::FromCivil(2026, 6, 1).Value();
  Against(
      state, name,
      [](ui::Ui& ui, Refusal& r) { return BuildRecent(RecentInput{RecentInput::kSince, "来店", "2026/6/1", "10"}, ui, r); },
      "SELECT Customer.ID, max(Rireki.Date)" + kHandJoin + "WHERE Rireki.ActionTitle = '来店' GROUP BY Customer.ID HAVING max(Rireki.Date) >= " +
          std::to_string(since) + " ORDER BY max(Rireki.Date) DESC");
}
BENCHMARK(BM_Rainbow_2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Rainbow_3(benchmark::State& state) {
  const char* name = "BM_Rainbow_3";
  const records::COleDate today = records::COleDate::FromCivil(2026, 12, 9);
  const std::string elapsed = "(" + std::to_string(static_cast<int>(today.Value())) + " - CAST(max(Rireki.Date) AS INTEGER))";
  Against(
      state, name,
      [today](ui::Ui& ui, Refusal& r) {
        ApproachInput in;
        in.summary = "来店";
        in.mode = ApproachInput::kMonths;
        in.months = "2";
        in.today = today;
        return BuildApproach(in, ui, r);
      },
      "SELECT Customer.ID, " + elapsed + kHandJoin + "WHERE Rireki.ActionTitle = '来店' GROUP BY Customer.ID HAVING " + elapsed +
          " >= 60 ORDER BY " + elapsed + " DESC");
}
BENCHMARK(BM_Rainbow_3)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Rainbow_4(benchmark::State& state) {
  const char* name = "BM_Rainbow_4";
  Against(
      state, name,
      [](ui::Ui& ui, Refusal& r) {
        DMHitInput in;
        in.dmId = 101;
        in.period = DMHitInput::kWeeks;
        in.weeks = "3";
        in.summarySpecified = false;
        return BuildDMHit(in, ui, r);
      },
      "SELECT DISTINCT Customer.ID FROM DMList JOIN DMMng ON DMList.ID = DMMng.DMID JOIN Customer ON Customer.ID = "
      "DMMng.CustomerID JOIN Rireki ON Rireki.CustomerID = Customer.ID WHERE DMList.ID = 101 AND "
      "CAST(Rireki.Date AS INTEGER) - CAST(DMList.SendDate AS INTEGER) BETWEEN 1 AND 21");
}
BENCHMARK(BM_Rainbow_4)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Rainbow_5(benchmark::State& state) {
  const char* name = "BM_Rainbow_5";
  std::string hand = "SELECT ID FROM Customer WHERE ";
  for (const char* where : {"Office", "Home"}) {
    const std::string w = where, address = "(Add1_" + w + " || Add2_" + w + " || Add3_" + w + ")";
    if (w == "Home") hand += " OR ";
    hand += "(EntryType = " + std::string(w == "Office" ? "0" : "1") + " AND (Zip_" + w + " LIKE '150%1050' OR " + address +
            " LIKE '東京都千代田区丸の内%' OR " + address + " LIKE '千代田区丸の内%'))";
  }
  Against(
      state, name, [](ui::Ui& ui, Refusal& r) { return BuildRoller({{"150-1050", "東京都", "千代田区", "丸の内", ""}}, ui, r); }, hand);
}
BENCHMARK(BM_Rainbow_5)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Rainbow_6(benchmark::State& state) {
  const char* name = "BM_Rainbow_6";
  Against(
      state, name,
      [](ui::Ui& ui, Refusal& r) {
        AmountInput in;
        in.amount = "100000";
        return BuildAmount(in, ui, r);
      },
      "SELECT Customer.ID, sum(Rireki.Money)" + kHandJoin +
          "GROUP BY Customer.ID HAVING sum(Rireki.Money) >= 100000 ORDER BY sum(Rireki.Money) DESC");
}
BENCHMARK(BM_Rainbow_6)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Rainbow_7(benchmark::State& state) {
  const char* name = "BM_Rainbow_7";
  std::string hand = "SELECT ID FROM Customer WHERE ";
  for (const char* name : {"事務", "山田"}) {
    for (const char* column : {"MainMerchant1", "MainMerchant2", "MainMerchant3", "MainMerchant4", "MainMerchant5", "Bank1", "Bank2"}) {
      if (hand.back() != ' ') hand += " OR ";
      hand += std::string(column) + " LIKE '" + name + "%'";
    }
  }
  Against(state, name, [](ui::Ui& ui, Refusal& r) { return BuildMerchants({"事務", "山田"}, ui, r); }, hand);
}
BENCHMARK(BM_Rainbow_7)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
