#pragma once
// Generated data for the benchmarks: a customer database of realistic size, built once per build
// folder under bench-data/ and reused (it is never committed).

#include <chrono>
#include <filesystem>
#include <functional>

#include "records/CKokyakuVMData.h"

struct sqlite3;

namespace bench {

inline constexpr int kCustomers = 100000;
inline constexpr int kHistoryEntries = 1000000;
inline constexpr int kDMTitles = 200;

// A data folder holding ZQQMV.qmv with the customers, history and DM titles above.
std::filesystem::path BenchDataFolder();

// A fresh copy of the bench data folder that a benchmark may change.
std::filesystem::path ScratchCopyOfBenchData(const char* name);

// The store opened once per name on its own scratch copy of the bench data; aborts when it cannot.
records::CKokyakuVMData& ScratchStore(const char* name);

// The bench data opened once, read-only, for hand-written baselines: with the store's page cache
// (so a ratio measures what the store adds, not a smaller cache) and the extraction dialect's
// functions.
sqlite3* BaselineConnection();

// The wall-clock seconds work takes, for benchmarks that time ours and a baseline in turn.
inline double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
