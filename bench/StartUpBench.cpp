// Start-up on a data folder of 100,000 customers and 1,000,000 history entries, from launch to the
// menu window (everything the application object does before the window shows), against its
// floor: copying the database file and reading the customers in the default order straight from
// SQLite. "ready_ms" is when the customers are in the document too.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "BenchData.h"
#include "app/CTovanaApp.h"
#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "ui/ScriptedUi.h"

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

// A private installation whose data folder is a scratch copy of the bench data.
fs::path PrepareInstallation() {
  const fs::path folder = bench::ScratchCopyOfBenchData("startup");
  const fs::path root = folder.parent_path() / "startup-home";
  fs::remove_all(root);
  setenv("TOVANA_HOME", (root / "tovana").c_str(), 1);
  setenv("TOVANA_LOCK_DIR", (root / "locks").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
  ui::ScriptedUi ui([](const std::string&) {});
  {
    app::CTovanaApp first(ui);  // lays the installation out
    if (!first.InitInstance()) std::abort();
    first.OnCloseMainWindow();
    first.ExitInstance();
  }
  std::string why;
  if (!platform::WriteDataDirFile(platform::DataDirFile(root / "tovana"), folder, why)) std::abort();
  return folder;
}

void BM_StartUpToMenu(benchmark::State& state) {
  const fs::path folder = PrepareInstallation();
  std::vector<double> floors;
  for (int i = 0; i < 5; ++i) floors.push_back(Floor(folder));
  std::vector<double> times, ready;
  ui::ScriptedUi ui([&state](const std::string& why) { state.SkipWithError(why.c_str()); });
  for (auto _ : state) {
    const auto start = Clock::now();
    app::CTovanaApp tovana(ui);
    if (!tovana.InitInstance()) break;
    const double t = Since(start);
    times.push_back(t);
    state.SetIterationTime(t);
    state.counters["customers"] = static_cast<double>(tovana.Document()->Customers().size());
    ready.push_back(Since(start));
    // Nothing changed: closing without a save and dropping the work copy is the same as saving.
    tovana.Document()->Store().CloseKeepingWorkCopy();
    fs::remove(folder / "ZQQMV2.qmv2");
    fs::remove(folder / "ZQQMV2.qmv2-journal");
    tovana.ExitInstance();
  }
  if (times.empty()) return;
  state.counters["floor_ms"] = Median(floors) * 1000;
  state.counters["ready_ms"] = Median(ready) * 1000;
  state.counters["ratio"] = Median(times) / Median(floors);
}
BENCHMARK(BM_StartUpToMenu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
