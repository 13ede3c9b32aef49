// The data store on 100,000 customers and 1,000,000 history entries. Every benchmark also times
// its baseline (the same work done directly through SQLite) and reports ours / baseline as "ratio".
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <vector>

#include "BenchData.h"
#include "records/CKokyakuVMData.h"
#include "records/JetSql.h"
#include "records/QmvSchema.h"

namespace {

namespace fs = std::filesystem;
using records::CKokyakuVMData;

// The median wall time of a few runs of work, in seconds.
double MedianSeconds(const std::function<void()>& work, int runs = 5) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Runs ours in the benchmark loop and reports its median against the baseline's.
void RunAgainstBaseline(benchmark::State& state, const std::function<void()>& ours,
                        const std::function<void()>& baseline) {
  const double base = MedianSeconds(baseline);
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ours();
    const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    times.push_back(t);
    state.SetIterationTime(t);
  }
  std::sort(times.begin(), times.end());
  state.counters["baseline_ms"] = base * 1000;
  state.counters["ratio"] = times[times.size() / 2] / base;
}

// The store opened once on a private copy of the bench data.
CKokyakuVMData& Store() { return bench::ScratchStore("store"); }

// Steps a statement through the C API, reading every column, building nothing.
void StepRaw(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
  while (sqlite3_step(s) == SQLITE_ROW) {
    const int n = sqlite3_column_count(s);
    for (int i = 0; i < n; ++i) {
      switch (sqlite3_column_type(s, i)) {
        case SQLITE_TEXT: benchmark::DoNotOptimize(sqlite3_column_text(s, i)); break;
        case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(s, i)); break;
        default: benchmark::DoNotOptimize(sqlite3_column_int(s, i));
      }
    }
  }
  sqlite3_finalize(s);
}

sqlite3* RawConnection() {
  static sqlite3* db = [] {
    sqlite3* d = nullptr;
    sqlite3_open_v2((bench::BenchDataFolder() / "ZQQMV.qmv").c_str(), &d, SQLITE_OPEN_READONLY, nullptr);
    return d;
  }();
  return db;
}

void BM_GetAllKokyaku(benchmark::State& state) {
  const char* order = "ORDER BY [Customer].[RirekiUpDate] DESC";
  const std::string sql = records::TranslateJetSql(std::string("SELECT Customer.* FROM Customer ") + order).sql;
  RunAgainstBaseline(
      state,
      [&] {
        records::KokyakuList list;
        Store().GetAllKokyaku(list, order);
        benchmark::DoNotOptimize(list.data());
      },
      [&] { StepRaw(RawConnection(), sql); });
}
BENCHMARK(BM_GetAllKokyaku)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_KokyakuMemory(benchmark::State& state) {
  auto residentBytes = [] {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
  };
  for (auto _ : state) {
    Store();
    const double before = residentBytes();
    records::KokyakuList list;
    Store().GetAllKokyaku(list);
    state.counters["bytes_per_customer"] = (residentBytes() - before) / static_cast<double>(list.size());
  }
}
BENCHMARK(BM_KokyakuMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SaveQMV(benchmark::State& state) {
  const fs::path folder = bench::BenchDataFolder().parent_path() / "store";
  const fs::path file = folder / "ZQQMV2.qmv2";
  RunAgainstBaseline(
      state, [&] { Store().SaveQMV(false); },
      [&] {
        const fs::path copy = folder / "floor.copy";
        fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
        const int fd = open(copy.c_str(), O_RDONLY);
        fsync(fd);
        close(fd);
        fs::remove(copy);
      });
}
BENCHMARK(BM_SaveQMV)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void ExtractAgainst(benchmark::State& state, const char* jet, const char* handWritten) {
  RunAgainstBaseline(
      state,
      [&] {
        records::IdArray ids;
        if (Store().ExtractKokyaku(jet, ids) != 1) state.SkipWithError(Store().DispOleDBErrDlg().c_str());
        state.counters["rows"] = static_cast<double>(ids.size());
      },
      [&] { StepRaw(RawConnection(), handWritten); });
}

void BM_ExtractKokyaku_NameContains(benchmark::State& state) {
  ExtractAgainst(state,
                 "SELECT DISTINCTROW Customer.* FROM Customer WHERE ([Customer].[Name] Like '%太郎%' AND "
                 "[Customer].[Name] Not Like '')",
                 "SELECT ID FROM Customer WHERE Name LIKE '%太郎%'");
}
BENCHMARK(BM_ExtractKokyaku_NameContains)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ExtractKokyaku_JoinRireki(benchmark::State& state) {
  ExtractAgainst(state,
                 "SELECT DISTINCTROW Customer.* FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID "
                 "WHERE ([Rireki].[ActionTitle] = 'クレーム' AND [Rireki].[ActionTitle] Not Like '')",
                 "SELECT DISTINCT Customer.ID FROM Customer JOIN Rireki ON Customer.ID = Rireki.CustomerID "
                 "WHERE Rireki.ActionTitle = 'クレーム'");
}
BENCHMARK(BM_ExtractKokyaku_JoinRireki)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void RainbowAgainst(benchmark::State& state, int kind, const char* jet, const char* handWritten) {
  RunAgainstBaseline(
      state,
      [&] {
        records::RainbowHits hits;
        if (Store().QueryRainbow(kind, jet, hits, -1) != 1) state.SkipWithError(Store().DispOleDBErrDlg().c_str());
        state.counters["rows"] = static_cast<double>(hits.size());
      },
      [&] { StepRaw(RawConnection(), handWritten); });
}

void BM_QueryRainbow_Count(benchmark::State& state) {
  RainbowAgainst(state, records::kRainbowCount,
                 "SELECT DISTINCTROW Customer.ID, Count(*) AS Rirekiのカウント FROM Customer INNER JOIN Rireki ON "
                 "Customer.ID = Rireki.CustomerID WHERE ((Rireki.ActionTitle)='来店') GROUP BY Customer.ID "
                 "HAVING ((Count(*))>=2) ORDER BY Count(*) DESC",
                 "SELECT Customer.ID, count(*) FROM Customer JOIN Rireki ON Customer.ID = Rireki.CustomerID "
                 "WHERE Rireki.ActionTitle = '来店' GROUP BY Customer.ID HAVING count(*) >= 2 ORDER BY count(*) DESC");
}
BENCHMARK(BM_QueryRainbow_Count)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_QueryRainbow_Amount(benchmark::State& state) {
  RainbowAgainst(state, records::kRainbowAmount,
                 "SELECT DISTINCTROW Customer.ID, Sum(Rireki.Money) AS 合計 FROM Customer INNER JOIN Rireki ON "
                 "Customer.ID = Rireki.CustomerID GROUP BY Customer.ID HAVING ((Sum(Rireki.Money))>=100000) "
                 "ORDER BY Sum(Rireki.Money) DESC",
                 "SELECT Customer.ID, sum(Rireki.Money) FROM Customer JOIN Rireki ON Customer.ID = Rireki.CustomerID "
                 "GROUP BY Customer.ID HAVING sum(Rireki.Money) >= 100000 ORDER BY sum(Rireki.Money) DESC");
}
BENCHMARK(BM_QueryRainbow_Amount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_AddNewKokyaku(benchmark::State& state) {
  records::KokyakuList batch;
  for (int i = 0; i < bench::kCustomers; ++i) {
    auto k = std::make_unique<records::CKokyaku>();
    k->CustomerID = "N" + std::to_string(i);
    k->Name = "取込 太郎" + std::to_string(i);
    k->Yomi = "ﾄﾘｺﾐ ﾀﾛｳ";
    k->Add1_Home = "東京都";
    k->Add2_Home = "千代田区丸の内";
    k->TEL_Home = "03-1234-5678";
    k->EMail1 = "import" + std::to_string(i) + "@example.jp";
    batch.push_back(std::move(k));
  }
  for (auto _ : state) {
    state.PauseTiming();
    CKokyakuVMData store;
    const fs::path folder = bench::BenchDataFolder().parent_path() / "add";
    fs::remove_all(folder);
    fs::create_directories(folder);
    records::CQmvFile::CreateDatabaseFile(folder / "ZQQMV.qmv", records::QmvSchemaSql());
    store.InitDB(folder);
    state.ResumeTiming();
    records::IdArray ids;
    if (store.AddNewKokyaku(batch, ids) != 1) state.SkipWithError(store.DispOleDBErrDlg().c_str());
    state.PauseTiming();
    store.SaveQMV(true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddNewKokyaku)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
