#pragma once
// Generated data for the benchmarks: a customer database of realistic size, built once per build
// folder under bench-data/ and reused (it is never committed).

#include <filesystem>

namespace bench {

inline constexpr int kCustomers = 100000;
inline constexpr int kHistoryEntries = 1000000;
inline constexpr int kDMTitles = 200;

// A data folder holding ZQQMV.qmv with the customers, history and DM titles above.
std::filesystem::path BenchDataFolder();

// A fresh copy of the bench data folder that a benchmark may change.
std::filesystem::path ScratchCopyOfBenchData(const char* name);

}  // namespace bench
