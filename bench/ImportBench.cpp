// The import of a 100,000-row CP932 CSV with 12 mapped columns: read, parsed, converted under the
// field rules and added to an empty customer database in one transaction. The baseline is the
// sqlite3 shell's ".import" of the same file into a table of the same 12 columns; "ratio" is ours
// over it, measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BenchData.h"
#include "io/ImportConvert.h"
#include "io/ImportText.h"
#include "records/CKokyakuVMData.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "text/Cp932.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 100000;
const char* const kColumns[] = {"CustomerID", "Name",     "Yomi",    "Zip_Home", "Add1_Home", "Add2_Home",
                                "Add3_Home",  "TEL_Home", "CompName", "EMail1",   "BirthDay",  "Note1"};

fs::path Folder() {
  const fs::path folder = fs::current_path() / "bench-data" / "import";
  fs::create_directories(folder);
  return folder;
}

// The CSV as a spreadsheet exports it: CP932, CR LF, text quoted, a caption row.
fs::path Csv() {
  const fs::path file = Folder() / "customers-100k.csv";
  if (fs::exists(file)) return file;
  std::mt19937 random(25);
  const char* family[] = {"中村", "髙橋", "佐藤", "鈴木", "田中", "渡辺", "山﨑", "小林"};
  const char* given[] = {"結衣", "一郎", "花子", "太郎", "美咲", "健太"};
  const char* prefecture[] = {"東京都", "宮城県", "北海道", "大阪府", "神奈川県"};
  std::string text;
  for (std::size_t c = 0; c < std::size(kColumns); ++c) text += std::string(c ? "," : "") + "\"" + kColumns[c] + "\"";
  text += "\r\n";
  for (int i = 1; i <= kRows; ++i) {
    const std::string n = std::to_string(i);
    const std::string name = std::string(family[random() % 8]) + "　" + given[random() % 6];
    text += "\"" + std::string(6 - std::min<std::size_t>(6, n.size()), '0') + n + "\",\"" + name + "\",\"ﾅｶﾑﾗ ﾕｲ\",\"980-0021\",\"" +
            prefecture[random() % 5] + "\",\"仙台市青葉区中央" + std::to_string(random() % 9 + 1) + "-1-1\",\"ソレルビル" + n +
            "号\",\"022-111-" + n + "\",\"㈱ソレル商事\",\"user" + n + "@example.jp\"," + std::to_string(1940 + random() % 60) +
            "/03/26,\"支払いは月末締め、翌月払い\"\r\n";
  }
  std::ofstream(file, std::ios::binary) << *text::ToCp932(text);
  return file;
}

using bench::Seconds;

// sqlite3 .import of the file into an empty table of the same columns.
double Baseline(const fs::path& csv) {
  const fs::path db = Folder() / "baseline.sqlite";
  std::vector<double> times;
  for (int run = 0; run < 3; ++run) {
    fs::remove(db);
    std::string create = "CREATE TABLE t(";
    for (std::size_t c = 0; c < std::size(kColumns); ++c) create += std::string(c ? "," : "") + kColumns[c] + " TEXT";
    create += ");";
    const std::string command = "sqlite3 '" + db.string() + "' '" + create + "' '.mode csv' '.import --skip 1 " + csv.string() + " t'";
    times.push_back(Seconds([&] {
      if (std::system(command.c_str()) != 0) std::abort();
    }));
  }
  std::sort(times.begin(), times.end());
  return times[1];
}

void BM_ImportCsv(benchmark::State& state) {
  const fs::path csv = Csv();
  const double base = Baseline(csv);
  io::ImportMapping mapping{""};
  for (const char* c : kColumns) mapping.emplace_back(c);
  std::vector<double> times;
  double read = 0, convert = 0, add = 0;  // the parts of the last run
  for (auto _ : state) {
    const fs::path data = Folder() / "qmv";
    fs::remove_all(data);
    fs::create_directories(data);
    if (records::CQmvFile::CreateDatabaseFile(data / "ZQQMV.qmv", records::QmvSchemaSql()) != 1) std::abort();
    records::CKokyakuVMData store;
    if (store.InitDB(data) != 1) std::abort();
    const double t = Seconds([&] {
      io::TextParse parse;
      read = Seconds([&] { parse = io::ReadDelimitedFile(csv, ','); });
      records::KokyakuList customers;
      convert = Seconds([&] { customers = io::ConvertRows(parse.read.rows, mapping, false); });
      records::IdArray ids;
      add = Seconds([&] {
        if (customers.size() != kRows || store.AddNewKokyakuAllOrNone(customers, ids) != 1) std::abort();
      });
    });
    times.push_back(t);
    state.SetIterationTime(t);
    store.SaveQMV(true);
  }
  std::sort(times.begin(), times.end());
  state.counters["baseline_ms"] = base * 1000;
  state.counters["read_ms"] = read * 1000;
  state.counters["convert_ms"] = convert * 1000;
  state.counters["add_ms"] = add * 1000;
  state.counters["ratio"] = times[times.size() / 2] / base;
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
