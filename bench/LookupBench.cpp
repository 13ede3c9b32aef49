// The postal dictionary the build makes from the published postal data, beside this program in
// its factory tree: opening it and the searches the entry dialogs and the address picker make.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>

#include "lookup/CMultiDB.h"

namespace {

namespace fs = std::filesystem;
using lookup::CMultiDB;

fs::path DictionaryFolder(const char* name) {
  return fs::read_symlink("/proc/self/exe").parent_path() / "factory" / "Data" / name;
}

void OpenOrFail(CMultiDB& db, benchmark::State& state) {
  if (db.MultiDB_Open(DictionaryFolder("Yubin"), DictionaryFolder("Hojin")) != CMultiDB::kOpen) {
    state.SkipWithError("the factory dictionaries are missing: build the factory_postal target");
  }
}

void BM_PostalOpen(benchmark::State& state) {
  for (auto _ : state) {
    CMultiDB db;
    OpenOrFail(db, state);
    benchmark::DoNotOptimize(db.IsOpen());
  }
}
BENCHMARK(BM_PostalOpen)->Unit(benchmark::kMillisecond);

void Search(benchmark::State& state, const char* key, CMultiDB::Dictionary which) {
  CMultiDB db;
  OpenOrFail(db, state);
  std::vector<lookup::CPostalCandidate> found;
  for (auto _ : state) {
    db.MultiDB_Search(key, which, found);
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["candidates"] = static_cast<double>(found.size());
}

// The dialog searches both dictionaries for a full code.
void BM_PostalSearch7(benchmark::State& state) {
  CMultiDB db;
  OpenOrFail(db, state);
  std::vector<lookup::CPostalCandidate> found, business;
  for (auto _ : state) {
    db.MultiDB_Search("1000001", CMultiDB::Dictionary::Postal, found);
    db.MultiDB_Search("1000001", CMultiDB::Dictionary::Business, business);
    benchmark::DoNotOptimize(found.data());
  }
}
BENCHMARK(BM_PostalSearch7)->Unit(benchmark::kMicrosecond);

// "100*": central Tokyo, with the floors of its office towers, is among the largest prefixes.
void BM_PostalSearchPrefix3(benchmark::State& state) { Search(state, "100*", CMultiDB::Dictionary::Postal); }
BENCHMARK(BM_PostalSearchPrefix3)->Unit(benchmark::kMillisecond);

void BM_PostalTowns(benchmark::State& state) {
  CMultiDB db;
  OpenOrFail(db, state);
  std::size_t towns = 0;
  for (auto _ : state) {
    towns = db.Towns("北海道", "札幌市中央区").size();
    benchmark::DoNotOptimize(towns);
  }
  state.counters["towns"] = static_cast<double>(towns);
}
BENCHMARK(BM_PostalTowns)->Unit(benchmark::kMillisecond);

}  // namespace
