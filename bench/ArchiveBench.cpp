// Store and load of a 10,000-entry choice list through the settings archive, in memory and
// through a settings file (atomic write: temporary file, fsync, rename).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "settings/CArchive.h"
#include "settings/CClassRegistry.h"
#include "settings/CMemoryStream.h"
#include "settings/CSerializable.h"
#include "settings/CSettingsFile.h"

namespace {

namespace fs = std::filesystem;
using settings::CArchive;

constexpr int kEntries = 10000;

class BenchChoice : public settings::CSerializable {
 public:
  void Serialize(CArchive& ar) override {
    ar.Exchange(text);
    ar.Exchange(number);
  }
  std::string_view GetClassName() const override { return "CQMVComboElem"; }

  std::string text;
  std::int32_t number = 0;
};

using Choices = std::vector<std::shared_ptr<BenchChoice>>;

const settings::CClassRegistry& BenchClasses() {
  static const settings::CClassRegistry registry = [] {
    settings::CClassRegistry r;
    r.Register<BenchChoice>();
    return r;
  }();
  return registry;
}

// 10 to 20 characters of everyday Japanese, different for each entry.
std::string ChoiceText(int i) {
  static const char* const kWords[] = {
      "電話問合せ", "来店", "資料請求", "見積", "ご購入", "苦情対応",
      "ＤＭ発送", "訪問", "株式会社", "営業部", "ｶﾅ", "担当",
  };
  std::string text;
  const int characters = 10 + i % 11;
  for (int n = 0, k = i; n < characters; ++k) {
    const std::string word = kWords[k % std::size(kWords)];
    text += word;
    n += static_cast<int>(word.size() / 3);
  }
  return text;
}

const Choices& MakeChoices() {
  static const Choices choices = [] {
    Choices c;
    for (int i = 0; i < kEntries; ++i) {
      auto choice = std::make_shared<BenchChoice>();
      choice->text = ChoiceText(i);
      choice->number = i;
      c.push_back(choice);
    }
    return c;
  }();
  return choices;
}

const std::string& StoredChoices() {
  static const std::string bytes = [] {
    settings::CMemoryStream stream;
    CArchive ar(stream, CArchive::Mode::Store);
    ar.StoreObjects(MakeChoices());
    ar.Close();
    return stream.Bytes();
  }();
  return bytes;
}

void Report(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * StoredChoices().size()));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kEntries));
  state.counters["file_bytes"] = static_cast<double>(StoredChoices().size());
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "archive-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = pattern;
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void BM_ArchiveStoreChoicesToMemory(benchmark::State& state) {
  const Choices& choices = MakeChoices();
  for (auto _ : state) {
    settings::CMemoryStream stream;
    CArchive ar(stream, CArchive::Mode::Store);
    ar.StoreObjects(choices);
    ar.Close();
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
  Report(state);
}
BENCHMARK(BM_ArchiveStoreChoicesToMemory)->Unit(benchmark::kMillisecond);

void BM_ArchiveLoadChoicesFromMemory(benchmark::State& state) {
  const std::string& bytes = StoredChoices();
  for (auto _ : state) {
    settings::CMemoryStream stream(bytes);
    CArchive ar(stream, CArchive::Mode::Load, BenchClasses());
    benchmark::DoNotOptimize(ar.LoadObjects<BenchChoice>());
  }
  Report(state);
}
BENCHMARK(BM_ArchiveLoadChoicesFromMemory)->Unit(benchmark::kMillisecond);

void BM_ArchiveStoreChoicesToFile(benchmark::State& state) {
  const TempFolder folder;
  const fs::path file = folder.Path() / "RirekiType.dat";
  const Choices& choices = MakeChoices();
  for (auto _ : state) {
    settings::CSettingsFile::Store(file, [&](CArchive& ar) { ar.StoreObjects(choices); });
  }
  Report(state);
}
BENCHMARK(BM_ArchiveStoreChoicesToFile)->Unit(benchmark::kMillisecond);

void BM_ArchiveLoadChoicesFromFile(benchmark::State& state) {
  const TempFolder folder;
  const fs::path file = folder.Path() / "RirekiType.dat";
  settings::CSettingsFile::Store(file, [](CArchive& ar) { ar.StoreObjects(MakeChoices()); });
  for (auto _ : state) {
    settings::CSettingsFile::Load(file, [](CArchive& ar) { benchmark::DoNotOptimize(ar.LoadObjects<BenchChoice>()); },
                                  BenchClasses());
  }
  Report(state);
}
BENCHMARK(BM_ArchiveLoadChoicesFromFile)->Unit(benchmark::kMillisecond);

}  // namespace
