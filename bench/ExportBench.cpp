// Exporting 100,000 customers with 20 columns: the CSV against the sqlite3 shell writing the same
// columns with -csv, and the .xlsx against a bare libxlsxwriter loop writing the same cells with
// the same options. "ratio" is ours / baseline, medians of the same run.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchData.h"
#include "io/ExportCsv.h"
#include "io/ExportXlsx.h"
#include "records/CKokyakuVMData.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kColumns = {"CustomerID", "Name",     "Yomi",     "Suffix",    "Sex",
                                           "EntryType",  "CustomerType", "BirthDay", "Zip_Home", "Add1_Home",
                                           "Add2_Home",  "Add3_Home", "TEL_Home", "FAX_Home", "CellPhone1",
                                           "CompName",   "Section",  "EMail1",   "ImportantRanking", "TaxMethod"};

using bench::Seconds;

struct Customers {
  records::KokyakuList list;
  io::CustomerRefs refs;
  std::vector<io::ExportColumn> columns;
  fs::path out;
  Customers() {
    records::CKokyakuVMData store;
    const fs::path data = bench::ScratchCopyOfBenchData("export");
    if (store.InitDB(data) != 1 || store.GetAllKokyaku(list) != 1) std::abort();
    store.SaveQMV(true);
    for (const auto& k : list) refs.push_back(k.get());
    for (const auto& key : kColumns) columns.push_back({key, key});
    out = data.parent_path() / "export-out";
    fs::create_directories(out);
  }
};

Customers& Shared() {
  static Customers* c = new Customers;
  return *c;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Report(benchmark::State& state, const std::vector<double>& base, const std::vector<double>& ours) {
  state.counters["baseline_ms"] = Median(base) * 1000;
  state.counters["ratio"] = Median(ours) / Median(base);
  state.counters["rows"] = static_cast<double>(Shared().refs.size());
}

void BM_ExportCsv(benchmark::State& state) {
  Customers& c = Shared();
  std::string select = "SELECT ";
  for (std::size_t i = 0; i < kColumns.size(); ++i) select += (i ? "," : "") + kColumns[i];
  select += " FROM Customer";
  const std::string shell = "sqlite3 -csv '" + (bench::BenchDataFolder() / "ZQQMV.qmv").string() + "' '" + select +
                            "' > '" + (c.out / "sqlite.csv").string() + "'";
  std::vector<double> base, ours;
  for (int i = 0; i < 3; ++i) {
    base.push_back(Seconds([&] {
      if (std::system(shell.c_str()) != 0) state.SkipWithError("sqlite3 failed");
    }));
  }
  for (auto _ : state) {
    const double t = Seconds([&] {
      if (io::WriteCsv({c.out / "ours.csv", nullptr}, c.columns, c.refs) != io::WriteResult::Done) {
        state.SkipWithError("export failed");
      }
    });
    ours.push_back(t);
    state.SetIterationTime(t);
  }
  Report(state, base, ours);
}
BENCHMARK(BM_ExportCsv)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The cells written by libxlsxwriter alone, their texts made beforehand.
double BareXlsx(const std::vector<std::vector<std::string>>& cells, const fs::path& file) {
  return Seconds([&] {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    for (std::size_t r = 0; r < cells.size(); ++r) {
      for (std::size_t col = 0; col < cells[r].size(); ++col) {
        if (cells[r][col].empty()) continue;
        worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(col), cells[r][col].c_str(), nullptr);
      }
    }
    workbook_close(book);
  });
}

void BM_ExportXlsx(benchmark::State& state) {
  Customers& c = Shared();
  std::vector<std::vector<std::string>> cells;
  cells.push_back(kColumns);
  for (const auto* k : c.refs) {
    std::vector<std::string> row;
    for (const auto& key : kColumns) row.push_back(io::ExportCellText(*k, key));
    cells.push_back(std::move(row));
  }
  std::vector<double> base, ours;
  for (int i = 0; i < 3; ++i) base.push_back(BareXlsx(cells, c.out / "bare.xlsx"));
  for (auto _ : state) {
    const double t = Seconds([&] {
      if (io::WriteXlsx({c.out / "ours.xlsx", nullptr}, c.columns, c.refs) != io::WriteResult::Done) {
        state.SkipWithError("export failed");
      }
    });
    ours.push_back(t);
    state.SetIterationTime(t);
  }
  Report(state, base, ours);
}
BENCHMARK(BM_ExportXlsx)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
