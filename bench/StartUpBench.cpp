// Opening a data folder of 100,000 customers and 1,000,000 history entries as start-up does (the
// checked work copy, then every customer in the default order), against its floor: copying the
// database file and reading the customers in that order straight from SQLite.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "BenchData.h"
#include "records/CKokyakuVMData.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void ReadAllRows(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
  while (sqlite3_step(s) == SQLITE_ROW) {
    for (int i = 0, n = sqlite3_column_count(s); i < n; ++i) {
      if (sqlite3_column_type(s, i) == SQLITE_TEXT) benchmark::DoNotOptimize(sqlite3_column_text(s, i));
      else benchmark::DoNotOptimize(sqlite3_column_double(s, i));
    }
  }
  sqlite3_finalize(s);
}

double Floor(const fs::path& folder) {
  const fs::path copy = folder / "floor.copy";
  const auto start = Clock::now();
  fs::copy_file(folder / "ZQQMV.qmv", copy, fs::copy_options::overwrite_existing);
  sqlite3* db = nullptr;
  sqlite3_open_v2(copy.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  ReadAllRows(db, "SELECT * FROM Customer ORDER BY RirekiUpDate DESC");
  sqlite3_close(db);
  const double seconds = Since(start);
  fs::remove(copy);
  return seconds;
}

void BM_OpenDataFolder(benchmark::State& state) {
  const fs::path folder = bench::ScratchCopyOfBenchData("startup");
  std::vector<double> floors;
  for (int i = 0; i < 5; ++i) floors.push_back(Floor(folder));
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = Clock::now();
    records::CKokyakuVMData store;
    records::KokyakuList customers;
    if (store.InitDB(folder) != 1 ||
        store.GetAllKokyaku(customers, "ORDER BY [Customer].[RirekiUpDate] DESC") != 1) {
      state.SkipWithError(store.DispOleDBErrDlg().c_str());
      break;
    }
    const double t = Since(start);
    times.push_back(t);
    state.SetIterationTime(t);
    state.counters["customers"] = static_cast<double>(customers.size());
    // Nothing changed: closing without a save and dropping the work copy is the same as saving.
    store.CloseKeepingWorkCopy();
    fs::remove(folder / "ZQQMV2.qmv2");
    fs::remove(folder / "ZQQMV2.qmv2-journal");
  }
  if (times.empty()) return;
  state.counters["floor_ms"] = Median(floors) * 1000;
  state.counters["ratio"] = Median(times) / Median(floors);
}
BENCHMARK(BM_OpenDataFolder)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
