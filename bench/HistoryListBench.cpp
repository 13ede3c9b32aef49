// The history list on 1,000,000 entries of 100,000 customers loaded in the document: building the
// rows, sorting by a text column, and a find-next that scans every row without a hit. The
// counters give the memory the rows take beside the entries themselves.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "HistoryWorkspace.h"
#include "history/CRirekiView.h"

namespace {

// The document with every customer and entry, and the list screen opened on it.
struct Workspace : bench::HistoryWorkspace {
  Workspace() : HistoryWorkspace("history-list") {}
  std::unique_ptr<history::CRirekiView> OpenList() {
    auto view = std::make_unique<history::CRirekiView>(history::RirekiViewContext{&ui, nullptr, doc.get(), install});
    view->OnInitialUpdate();
    return view;
  }
};

Workspace& Shared() {
  static Workspace* w = new Workspace;
  return *w;
}

void BM_HistoryListFill(benchmark::State& state) {
  Workspace& w = Shared();
  double rowsMiB = 0;
  for (auto _ : state) {
    const double before = bench::AllocatedMiB();
    auto view = w.OpenList();
    rowsMiB = bench::AllocatedMiB() - before;
    benchmark::DoNotOptimize(view->List().RowCount());
  }
  state.counters["rows"] = static_cast<double>(w.doc->History().size());
  state.counters["rows_MiB"] = rowsMiB;
  state.counters["entries_MiB"] = w.entriesMiB;
}
BENCHMARK(BM_HistoryListFill)->Unit(benchmark::kMillisecond)->Iterations(5);

// 顧客氏名: 100,000 customers' names over the million rows, ascending and descending in turn.
void BM_HistoryListSortText(benchmark::State& state) {
  auto view = Shared().OpenList();
  for (auto _ : state) view->OnHeaderClick(history::CRirekiList::kCustomerName);
}
BENCHMARK(BM_HistoryListSortText)->Unit(benchmark::kMillisecond)->Iterations(5);

// 概要: a handful of summaries from the choice list.
void BM_HistoryListSortSummary(benchmark::State& state) {
  auto view = Shared().OpenList();
  for (auto _ : state) view->OnHeaderClick(history::CRirekiList::kSummary);
}
BENCHMARK(BM_HistoryListSortSummary)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_HistoryListSortDate(benchmark::State& state) {
  auto view = Shared().OpenList();
  for (auto _ : state) view->OnHeaderClick(history::CRirekiList::kDate);
}
BENCHMARK(BM_HistoryListSortDate)->Unit(benchmark::kMillisecond)->Iterations(5);

// 詳細 written anew for every entry: a million distinct texts, the worst a text column can be.
void BM_HistoryListSortDistinctDetails(benchmark::State& state) {
  Workspace& w = Shared();
  std::vector<std::string> kept;
  kept.reserve(w.doc->History().size());
  int n = 0;
  for (auto& e : w.doc->History()) {
    kept.push_back(e->Action);
    e->Action = "お問い合わせ番号" + std::to_string(n++ * 7919 % 1000003) + " の件で折り返し連絡";
  }
  auto view = w.OpenList();
  for (auto _ : state) view->OnHeaderClick(history::CRirekiList::kDetails);
  view.reset();
  n = 0;
  for (auto& e : w.doc->History()) e->Action = std::move(kept[static_cast<std::size_t>(n++)]);
}
BENCHMARK(BM_HistoryListSortDistinctDetails)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_HistoryListFindNoHit(benchmark::State& state) {
  auto view = Shared().OpenList();
  for (auto _ : state) view->OnFind({"該当しない文字列", true});
  benchmark::DoNotOptimize(view->List().FirstSelected());
}
BENCHMARK(BM_HistoryListFindNoHit)->Unit(benchmark::kMillisecond)->Iterations(5);

// Digits could be in a date or an amount: every row's date and amount are formatted.
void BM_HistoryListFindNoHitDigits(benchmark::State& state) {
  auto view = Shared().OpenList();
  for (auto _ : state) view->OnFind({"31/99", true});
  benchmark::DoNotOptimize(view->List().FirstSelected());
}
BENCHMARK(BM_HistoryListFindNoHitDigits)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
