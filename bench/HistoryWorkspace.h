#pragma once
// What the history list benchmarks share: a Ui that answers every message silently, and an
// installation whose data folder is a copy of the bench data with every customer and every
// history entry loaded, as the menu screen's すべて表示する leaves the document.

#include <malloc.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "BenchData.h"
#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "settings/CClassRegistry.h"
#include "settings/FactoryColumns.h"
#include "settings/SettingsClasses.h"
#include "shell/CTovanaDoc.h"

namespace bench {

class SilentUi : public ui::Ui {
 public:
  ui::Answer Message(std::string_view, ui::Buttons, ui::Icon, ui::Answer d) override { return d; }
  std::optional<std::filesystem::path> ChooseFolder(std::string_view, const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> OpenFile(std::string_view, std::string_view, const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> SaveFile(std::string_view, std::string_view, const std::filesystem::path&) override {
    return std::nullopt;
  }
  bool Run(ui::CDialogModel&) override { return false; }
  ui::WaitScope Wait(bool) override { return {}; }
};

// The memory the program holds from the allocator, in MiB: what a structure costs, whether or not
// the allocator had it at hand.
inline double AllocatedMiB() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd) / (1024.0 * 1024.0);
}

struct HistoryWorkspace {
  SilentUi ui;
  std::filesystem::path install;
  std::unique_ptr<shell::CTovanaDoc> doc;
  double entriesMiB = 0;  // what the million entries take in the document

  explicit HistoryWorkspace(const char* name) {
    namespace fs = std::filesystem;
    settings::RegisterSettingsClasses(settings::CClassRegistry::Program());
    const fs::path data = ScratchCopyOfBenchData(name);
    install = data.parent_path() / (std::string(name) + "-install");
    fs::create_directories(platform::MyDataFolder(install));
    std::string error;
    if (!platform::WriteDataDirFile(platform::DataDirFile(install), data, error)) std::abort();
    settings::StoreFactoryColumnSet(data / "QMVColSet.sys");
    doc = std::make_unique<shell::CTovanaDoc>(ui, install, nullptr);
    doc->SetDataFolder(data);
    if (doc->Store().InitDB(data) != 1 || doc->Store().GetAllKokyaku(doc->Customers()) != 1) std::abort();
    const double before = AllocatedMiB();
    if (doc->Store().GetAllRireki(doc->History()) != 1) std::abort();
    entriesMiB = AllocatedMiB() - before;
  }
};

}  // namespace bench
