// The customer list on 100,000 customers loaded in the document: filling the view model, sorting
// by a text column, and a find-next that scans every row without a hit.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "BenchData.h"
#include "customers/CKokyakuView.h"
#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "settings/CClassRegistry.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "settings/FactoryColumns.h"
#include "settings/SettingsClasses.h"
#include "shell/CTovanaDoc.h"

namespace {

namespace fs = std::filesystem;

// Answers every message silently: a find that reaches the end tells the user so.
class SilentUi : public ui::Ui {
 public:
  ui::Answer Message(std::string_view, ui::Buttons, ui::Icon, ui::Answer d) override { return d; }
  std::optional<fs::path> ChooseFolder(std::string_view, const fs::path&) override { return std::nullopt; }
  std::optional<fs::path> OpenFile(std::string_view, std::string_view, const fs::path&) override { return std::nullopt; }
  std::optional<fs::path> SaveFile(std::string_view, std::string_view, const fs::path&) override { return std::nullopt; }
  bool Run(ui::CDialogModel&) override { return false; }
  ui::WaitScope Wait(bool) override { return {}; }
};

// An installation whose data folder is a copy of the bench data, its customers loaded, and the
// list showing five columns, as a shop would set it up.
struct Workspace {
  SilentUi ui;
  fs::path install;
  std::unique_ptr<shell::CTovanaDoc> doc;

  Workspace() {
    settings::RegisterSettingsClasses(settings::CClassRegistry::Program());
    const fs::path data = bench::ScratchCopyOfBenchData("list");
    install = data.parent_path() / "list-install";
    fs::create_directories(platform::MyDataFolder(install));
    std::string error;
    if (!platform::WriteDataDirFile(platform::DataDirFile(install), data, error)) std::abort();
    settings::StoreFactoryColumnSet(data / "QMVColSet.sys");
    settings::CQMVDispKokyakuCol display(ui, install);
    display.GetKeys() = {"CustomerID", "Name", "Yomi", "Add1_Home", "TEL_Home"};
    if (display.Save() != 1) std::abort();
    doc = std::make_unique<shell::CTovanaDoc>(ui, install, nullptr);
    doc->SetDataFolder(data);
    if (doc->Store().InitDB(data) != 1 || doc->Store().GetAllKokyaku(doc->Customers()) != 1) std::abort();
  }
  std::unique_ptr<customers::CKokyakuView> OpenList() {
    auto view = std::make_unique<customers::CKokyakuView>(customers::ListContext{&ui, nullptr, doc.get(), install}, 1);
    view->OnInitialUpdate();
    return view;
  }
};

Workspace& Shared() {
  static Workspace* w = new Workspace;
  return *w;
}

void BM_CustomerListFill(benchmark::State& state) {
  Workspace& w = Shared();
  for (auto _ : state) {
    auto view = w.OpenList();
    benchmark::DoNotOptimize(view->List().RowCount());
  }
  state.counters["rows"] = static_cast<double>(w.doc->Customers().size());
}
BENCHMARK(BM_CustomerListFill)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CustomerListSortText(benchmark::State& state) {
  auto view = Shared().OpenList();
  for (auto _ : state) view->OnHeaderClick(1);  // 氏名, ascending and descending in turn
}
BENCHMARK(BM_CustomerListSortText)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CustomerListFindNoHit(benchmark::State& state) {
  auto view = Shared().OpenList();
  for (auto _ : state) view->OnFind({"該当しない文字列", true});
  benchmark::DoNotOptimize(view->List().FirstSelected());
}
BENCHMARK(BM_CustomerListFindNoHit)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
