// The bulk commands on 100,000 customers: one column set for all of them (the store's
// transaction and the cached records), against the same UPDATE written by hand against SQLite
// ("ratio", target 1.5 at most); and one history entry added to 10,000 of them through the
// history owner, cached last-history dates included (target under 1 s).
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
#include "history/CRirekiDlg.h"
#include "history/CRirekiListOwner.h"
#include "records/CKokyakuVMData.h"
#include "shell/CTovanaDoc.h"
#include "text/Format.h"
#include "ui/ScriptedUi.h"

namespace {

namespace fs = std::filesystem;

using bench::Seconds;

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

ui::ScriptedUi& BenchUi() {
  static ui::ScriptedUi ui([](const std::string& why) {
    std::fprintf(stderr, "unexpected: %s\n", why.c_str());
    std::abort();
  });
  return ui;
}

// The document on a private copy of the bench data, every customer cached.
shell::CTovanaDoc& Doc() {
  static shell::CTovanaDoc* doc = [] {
    auto* d = new shell::CTovanaDoc(BenchUi(), bench::BenchDataFolder().parent_path() / "bulk-install", nullptr);
    const fs::path folder = bench::ScratchCopyOfBenchData("bulk");
    d->SetDataFolder(folder);
    if (d->Store().InitDB(folder) != 1 || d->Store().GetAllKokyaku(d->Customers()) != 1) std::abort();
    return d;
  }();
  return *doc;
}

// The same change by hand: one prepared UPDATE per customer in one transaction, on a copy opened
// with the store's own journal and sync settings.
struct HandWritten {
  sqlite3* db = nullptr;
  HandWritten() {
    const fs::path folder = bench::ScratchCopyOfBenchData("bulk-by-hand");
    sqlite3_open((folder / "ZQQMV.qmv").c_str(), &db);
    sqlite3_exec(db,
                 "PRAGMA locking_mode=EXCLUSIVE; PRAGMA journal_mode=TRUNCATE; PRAGMA synchronous=FULL;"
                 " PRAGMA cache_size=-32768",
                 nullptr, nullptr, nullptr);
  }
  // One history entry per customer and its last history date, as the store's bulk add writes them.
  void AddHistory(const records::IdArray& ids, double now) {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_stmt* touch = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Rireki (CustomerID, Date, ActionTitle, Action, Money, Keyword, TantouName, Picture)"
                       " SELECT ID, ?2, '年賀状', '', 0, '', '', '' FROM Customer WHERE ID=?1",
                       -1, &insert, nullptr);
    sqlite3_prepare_v2(db, "UPDATE Customer SET RirekiUpDate=?2 WHERE ID=?1", -1, &touch, nullptr);
    sqlite3_bind_double(insert, 2, now);
    sqlite3_bind_double(touch, 2, now);
    for (std::int32_t id : ids) {
      sqlite3_bind_int(insert, 1, id);
      sqlite3_step(insert);
      sqlite3_reset(insert);
      sqlite3_bind_int(touch, 1, id);
      sqlite3_step(touch);
      sqlite3_reset(touch);
    }
    sqlite3_finalize(insert);
    sqlite3_finalize(touch);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
  void Run(const records::IdArray& ids, const std::string& text, double now) {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "UPDATE Customer SET Ranking1=?2, LastUpDate=?3 WHERE ID=?1", -1, &s, nullptr);
    sqlite3_bind_text(s, 2, text.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(s, 3, now);
    for (std::int32_t id : ids) {
      sqlite3_bind_int(s, 1, id);
      sqlite3_step(s);
      sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
};

HandWritten& ByHand() {
  static HandWritten byHand;
  return byHand;
}

void BM_BulkModify(benchmark::State& state) {
  shell::CTovanaDoc& doc = Doc();
  records::IdArray ids;
  for (const auto& k : doc.Customers()) ids.push_back(k->ID);
  HandWritten& byHand = ByHand();
  int round = 0;
  std::vector<double> base, ours;
  for (auto _ : state) {
    const std::string text = "一括" + std::to_string(++round);
    const records::COleDate now = records::COleDate::Now();
    base.push_back(Seconds([&] { byHand.Run(ids, text, now.Value()); }));
    records::IdArray changed;
    int result = 0;
    const double t = Seconds([&] { result = doc.ModifyCustomers(ids, changed, "Ranking1", now, text, nullptr); });
    if (result != 1) state.SkipWithError(doc.Store().DispOleDBErrDlg().c_str());
    ours.push_back(t);
    state.SetIterationTime(t);
  }
  state.counters["customers"] = static_cast<double>(ids.size());
  state.counters["baseline_ms"] = Median(base) * 1000;
  state.counters["ratio"] = Median(ours) / Median(base);
}
BENCHMARK(BM_BulkModify)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BulkAddRireki(benchmark::State& state) {
  constexpr int kSelected = 10000;
  shell::CTovanaDoc& doc = Doc();
  records::IdArray ids;
  for (int i = 0; i < kSelected; ++i) ids.push_back(doc.Customers()[static_cast<std::size_t>(i) * 10]->ID);
  ui::ScriptedUi& ui = BenchUi();
  history::CRirekiListOwner owner(ui, doc.Store(), doc.Customers(), doc.DataFolder() / "Picture", false,
                                  doc.InstallFolder());
  HandWritten& byHand = ByHand();
  std::vector<double> times, base;
  for (auto _ : state) {
    base.push_back(Seconds([&] { byHand.AddHistory(ids, records::COleDate::Now().Value()); }));
    ui.ExpectMessage(text::Format(history::CRirekiListOwner::kBulkQuestion, kSelected), ui::Answer::Yes);
    ui.ExpectDialog<history::CRirekiDlg>([](history::CRirekiDlg& d) {
      d.SetSummary("年賀状");
      d.OnOK();
    });
    ui.ExpectMessage(history::CRirekiDlg::kBulkQuestion, ui::Answer::Yes);
    ui.ExpectMessage(history::CRirekiListOwner::kBulkDone, ui::Answer::Ok);
    int result = 0;
    const double t = Seconds([&] { result = owner.OnBulkAddRireki(ids); });
    if (result != 1) state.SkipWithError(doc.Store().DispOleDBErrDlg().c_str());
    times.push_back(t);
    state.SetIterationTime(t);
  }
  state.counters["customers"] = kSelected;
  state.counters["seconds"] = Median(times);
  state.counters["baseline_ms"] = Median(base) * 1000;
  state.counters["ratio"] = Median(times) / Median(base);
}
BENCHMARK(BM_BulkAddRireki)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
