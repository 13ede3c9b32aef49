// The Jet Like of the extraction SQL on long texts: a pattern of many "%" runs that cannot match
// must stay linear in the text's length, never backtrack exponentially (see the "BigO" line).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "records/JetFunctions.h"

namespace {

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

void BM_JetLikeManyRunsWithoutMatch(benchmark::State& state) {
  sqlite3* raw = nullptr;
  if (sqlite3_open(":memory:", &raw) != SQLITE_OK) std::abort();
  Database db(raw, sqlite3_close);
  if (records::RegisterJetFunctions(db.get()) != SQLITE_OK) std::abort();
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(db.get(), "SELECT jet_like(?1, ?2)", -1, &prepared, nullptr) != SQLITE_OK) std::abort();
  Statement like(prepared, sqlite3_finalize);
  const std::string pattern = "%a%a%a%a%a%a%a%a%b";
  const std::string value(static_cast<std::size_t>(state.range(0)), 'a');
  sqlite3_bind_text(like.get(), 1, pattern.data(), static_cast<int>(pattern.size()), SQLITE_STATIC);
  sqlite3_bind_text(like.get(), 2, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
  for (auto _ : state) {
    if (sqlite3_step(like.get()) != SQLITE_ROW || sqlite3_column_int(like.get(), 0) != 0) {
      state.SkipWithError("the pattern matched or failed");
      break;
    }
    sqlite3_reset(like.get());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_JetLikeManyRunsWithoutMatch)->RangeMultiplier(4)->Range(1 << 10, 1 << 16)->Complexity();

}  // namespace
