// Extractions as the dialog runs them: the statement built from the user's conditions and run by
// the store, against the same question written by hand for SQLite on the same data; "ratio" is
// ours / hand-written. BM_Extract_OkToList also times the step from the store's answer to the
// rows a customer list shows, for an extraction that hits every customer.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <unordered_map>
#include <vector>

#include "BenchData.h"
#include "extract/ExtractQuery.h"
#include "records/CKokyakuVMData.h"
#include "ui/ScriptedUi.h"

namespace {

using extract::ConditionInput;
using extract::Connector;

using bench::Seconds;

records::CKokyakuVMData& Store() { return bench::ScratchStore("extract"); }
sqlite3* Raw() { return bench::BaselineConnection(); }

// The hand-written statement with its answer carried as far as the store carries it: customer IDs,
// or whole history entries read column by column into the same records.
std::size_t StepHandWritten(const char* sql, std::int32_t type) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(Raw(), sql, -1, &s, nullptr);
  records::RirekiList entries;
  std::size_t n = 0;
  const auto text = [s](int column) { return reinterpret_cast<const char*>(sqlite3_column_text(s, column)); };
  while (sqlite3_step(s) == SQLITE_ROW) {
    ++n;
    if (type != settings::CExCondition::kHistory) {
      benchmark::DoNotOptimize(sqlite3_column_int(s, 0));
      continue;
    }
    auto e = std::make_unique<records::CRirekiData>();
    e->ID = sqlite3_column_int(s, 0);
    e->CustomerID = sqlite3_column_int(s, 1);
    e->Date = sqlite3_column_type(s, 2) == SQLITE_NULL ? records::COleDate::Null()
                                                       : records::COleDate(sqlite3_column_double(s, 2));
    if (const char* t = text(3)) e->ActionTitle = t;
    if (const char* t = text(4)) e->Action = t;
    e->Money = sqlite3_column_double(s, 5);
    if (const char* t = text(6)) e->Keyword = t;
    if (const char* t = text(7)) e->TantouName = t;
    if (const char* t = text(8)) e->Picture = t;
    entries.push_back(std::move(e));
  }
  sqlite3_finalize(s);
  return n;
}

// Ours and the hand-written statement take turns, so that a change in the machine's load falls on
// both alike.
void Against(benchmark::State& state, std::int32_t type, std::vector<ConditionInput> conditions, Connector ab,
             Connector bc, const char* handWritten) {
  extract::StatementInput input;
  input.resultType = type;
  for (std::size_t i = 0; i < conditions.size(); ++i) input.conditions[i] = conditions[i];
  input.ab = ab;
  input.bc = bc;
  ui::ScriptedUi ui([&state](const std::string& why) { state.SkipWithError(why.c_str()); });
  std::vector<double> base, ours;
  Store();  // opened once, outside the timing
  for (auto _ : state) {
    base.push_back(Seconds([&] { benchmark::DoNotOptimize(StepHandWritten(handWritten, type)); }));
    std::size_t rows = 0;
    const double t = Seconds([&] {
      settings::CExCondition c;
      if (!extract::BuildStatement(input, ui, c)) return state.SkipWithError("not built");
      if (type == settings::CExCondition::kHistory) {
        records::RirekiList list;
        if (Store().ExtractRireki(c.sql, list) != 1) state.SkipWithError("failed");
        rows = list.size();
      } else {
        records::IdArray ids;
        if (Store().ExtractKokyaku(c.sql, ids) != 1) state.SkipWithError("failed");
        rows = ids.size();
      }
    });
    ours.push_back(t);
    state.SetIterationTime(t);
    state.counters["rows"] = static_cast<double>(rows);
  }
  std::sort(base.begin(), base.end());
  std::sort(ours.begin(), ours.end());
  state.counters["baseline_ms"] = base[base.size() / 2] * 1000;
  state.counters["ratio"] = ours[ours.size() / 2] / base[base.size() / 2];
}

void BM_Extract_NameContains(benchmark::State& state) {
  Against(state, 0, {{"[Customer].[Name]", "太郎", " Like '%*%'"}}, Connector::End, Connector::None,
          "SELECT ID FROM Customer WHERE Name LIKE '%太郎%' AND Name <> ''");
}
BENCHMARK(BM_Extract_NameContains)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Extract_BirthdayMonth(benchmark::State& state) {
  Against(state, 0, {{"[Customer].[BirthDay]", "5", "Month()= *"}}, Connector::End, Connector::None,
          "SELECT ID FROM Customer WHERE CAST(strftime('%m', BirthDay + 2415018.5) AS INTEGER) = 5");
}
BENCHMARK(BM_Extract_BirthdayMonth)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Extract_Telephone(benchmark::State& state) {
  Against(state, 0, {{"[Customer].[TEL_Home]", "03-1002-1014", " = '*'"}}, Connector::End, Connector::None,
          "SELECT ID FROM Customer WHERE (TEL_Home = '03-1002-1014' AND TEL_Home <> '') OR TEL_Home_X = 310021014");
}
BENCHMARK(BM_Extract_Telephone)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Extract_HistoryMoney(benchmark::State& state) {
  Against(state, 1, {{"[Rireki].[Money]", "50000", " >= *"}}, Connector::End, Connector::None,
          "SELECT * FROM Rireki WHERE Money >= 50000");
}
BENCHMARK(BM_Extract_HistoryMoney)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Extract_ThreeConditionsJoined(benchmark::State& state) {
  Against(state, 0,
          {{"[Customer].[Sex]", "女", " = *"}, {"[Rireki].[ActionTitle]", "クレーム", " = '*'"},
           {"[Customer].[Name]", "花子", " Like '%*'"}},
          Connector::And, Connector::Or,
          "SELECT DISTINCT Customer.ID FROM Customer JOIN Rireki ON Customer.ID = Rireki.CustomerID WHERE "
          "(Customer.Sex = 1 AND Rireki.ActionTitle = 'クレーム') OR (Customer.Name LIKE '%花子' AND Customer.Name <> '')");
}
BENCHMARK(BM_Extract_ThreeConditionsJoined)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// From "抽出実行" to the rows of the list for 100,000 hits: built, run, and every ID matched to
// its customer as the customer list does. The target is under one second ("seconds").
void BM_Extract_OkToList(benchmark::State& state) {
  records::KokyakuList all;
  Store().GetAllKokyaku(all, "");
  extract::StatementInput input;
  input.conditions[0] = {"[Customer].[ClosingDay]", "99", " <> *"};
  ui::ScriptedUi ui([&state](const std::string& why) { state.SkipWithError(why.c_str()); });
  for (auto _ : state) {
    std::size_t rows = 0;
    const double t = Seconds([&] {
      settings::CExCondition c;
      extract::BuildStatement(input, ui, c);
      records::IdArray ids;
      Store().ExtractKokyaku(c.sql, ids);
      std::unordered_map<std::int32_t, records::CKokyaku*> byId;
      for (const auto& k : all) byId.emplace(k->ID, k.get());
      std::vector<records::CKokyaku*> shown;
      for (std::int32_t id : ids) {
        if (auto it = byId.find(id); it != byId.end()) shown.push_back(it->second);
      }
      rows = shown.size();
    });
    state.SetIterationTime(t);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["seconds"] = t;
  }
}
BENCHMARK(BM_Extract_OkToList)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
