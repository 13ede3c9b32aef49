#include <benchmark/benchmark.h>

#include <string>

#include "text/Cp932.h"

namespace {

std::string JapaneseText(std::size_t bytes) {
  const std::string sample = "東京都千代田区丸の内１－２－３ ｶﾌﾞｼｷｶﾞｲｼｬ Sorelle 03-1234-5678 顧客ソレル";
  std::string s;
  while (s.size() < bytes) s += sample;
  return s;
}

void BM_Utf8ToCp932(benchmark::State& state) {
  const std::string text = JapaneseText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(text::ToCp932(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Utf8ToCp932)->Arg(64)->Arg(1 << 20);

void BM_Cp932ToUtf8(benchmark::State& state) {
  const std::string bytes = *text::ToCp932(JapaneseText(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(text::FromCp932(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_Cp932ToUtf8)->Arg(64)->Arg(1 << 20);

void BM_Cp932Length(benchmark::State& state) {
  const std::string text = JapaneseText(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(text::Cp932Length(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Cp932Length)->Arg(64)->Arg(1 << 20);

}  // namespace
