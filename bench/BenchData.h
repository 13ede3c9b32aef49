#pragma once
// Generated data for the benchmarks: a customer database of realistic size, built once per build
// folder under bench-data/ and reused (it is never committed).

#include <chrono>
#include <filesystem>
#include <functional>

namespace bench {

inline constexpr int kCustomers = 100000;
inline constexpr int kHistoryEntries = 1000000;
inline constexpr int kDMTitles = 200;

// A data folder holding ZQQMV.qmv with the customers, history and DM titles above.
std::filesystem::path BenchDataFolder();

// A fresh copy of the bench data folder that a benchmark may change.
std::filesystem::path ScratchCopyOfBenchData(const char* name);

// The wall-clock seconds work takes, for benchmarks that time ours and a baseline in turn.
inline double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
