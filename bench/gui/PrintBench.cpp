// Form printing as PDF: 1,000 customers onto a 12-piece A4 label sheet (ヒサゴ ELM007) and 1,000
// vertical postcards, and beside the labels, in the same run, glabels-3-batch (Debian's glabels)
// printing the same 1,000 rows from CSV onto the same product. The ratio is reported as the
// counter "vs_glabels" of BM_PrintLabelsPdf (our time / glabels' time). Without glabels-3-batch
// the comparison is skipped.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "lumaro/CLumaro.h"
#include "platform/CNeritEnv.h"
#include "printing/qt/CFormRenderer.h"
#include "text/Format.h"

namespace {

constexpr int kCustomers = 1000;

std::vector<records::CKokyaku> Customers() {
  static const char* const kFamily[] = {"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村"};
  static const char* const kGiven[] = {"太郎", "花子", "健一", "美咲", "翔太", "陽子"};
  static const char* const kTown[] = {"東京都千代田区千代田", "大阪府大阪市北区梅田", "愛知県名古屋市中区栄",
                                      "北海道札幌市中央区大通西", "福岡県福岡市博多区博多駅前"};
  std::vector<records::CKokyaku> out(kCustomers);
  for (int i = 0; i < kCustomers; ++i) {
    records::CKokyaku& k = out[static_cast<std::size_t>(i)];
    k.ID = i + 1;
    k.EntryType = 1;
    k.Name = std::string(kFamily[i % 8]) + "　" + kGiven[i % 6];
    k.Zip_Home = text::Format("%03d-%04d", 100 + i % 800, i);
    k.Add1_Home = kTown[i % 5];
    k.Add2_Home = text::Format("%d-%d-%d", 1 + i % 9, 1 + i % 20, 1 + i % 30);
    if (i % 4 == 0) k.Add3_Home = "サンプルマンション" + std::to_string(100 + i % 900) + "号室";
  }
  return out;
}

printing::FormLayout Layout(int id) {
  lumaro::CLumaro catalogue(platform::CNeritEnv().GetFactoryFolder());
  return *printing::ReadFormLayout(*catalogue.GetLayoutInfo(id));
}

double WritePdf(int layoutId, const std::filesystem::path& file) {
  static const std::vector<records::CKokyaku> people = Customers();
  std::vector<const records::CKokyaku*> pointers;
  for (const auto& k : people) pointers.push_back(&k);
  const printing::CFormRenderer renderer(Layout(layoutId), pointers, {}, printing::SenderTexts());
  const auto start = std::chrono::steady_clock::now();
  if (!printing::WritePdf(renderer, QString::fromStdString(file.string()), {}, nullptr)) return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// glabels-3-batch on the same rows and product; seconds, or a negative number when it cannot run.
double Glabels(const std::filesystem::path& folder) {
  if (std::system("command -v glabels-3-batch >/dev/null 2>&1") != 0) return -1;
  const std::filesystem::path csv = folder / "customers.csv", doc = folder / "labels.glabels", out = folder / "glabels.pdf";
  {
    std::ofstream rows(csv);
    rows << "Zip,Address,Name\n";
    for (const auto& k : Customers()) {
      rows << "〒" << k.Zip_Home << "," << k.Add1_Home << k.Add2_Home << " " << k.Add3_Home << "," << k.Name << " 様\n";
    }
    std::ofstream xml(doc);
    xml << R"(<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Hisago" part="ELM007" size="A4" description="Rectangular labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="83.8mm" height="42.3mm" round="1.5mm" x_waste="1mm" y_waste="0mm">
      <Layout nx="2" ny="6" x0="20.3mm" y0="20.3mm" dx="87.6mm" dy="42.3mm"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-text x="5mm" y="2.5mm" w="74mm" h="6mm" justify="Left" valign="Top" auto_shrink="True">
      <Span color="0x000000ff" font_family="Noto Serif CJK JP" font_size="10" font_weight="Regular" font_italic="False" line_spacing="1">${Zip}</Span>
    </Object-text>
    <Object-text x="5mm" y="10mm" w="74mm" h="15mm" justify="Left" valign="Top" auto_shrink="True">
      <Span color="0x000000ff" font_family="Noto Serif CJK JP" font_size="10" font_weight="Regular" font_italic="False" line_spacing="1">${Address}</Span>
    </Object-text>
    <Object-text x="5mm" y="26mm" w="74mm" h="13mm" justify="Left" valign="Top" auto_shrink="True">
      <Span color="0x000000ff" font_family="Noto Serif CJK JP" font_size="13" font_weight="Regular" font_italic="False" line_spacing="1">${Name}</Span>
    </Object-text>
  </Objects>
  <Merge type="Text/Comma/Line1Keys" src=")" << csv.string() << R"("/>
</Glabels-document>
)";
  }
  const auto start = std::chrono::steady_clock::now();
  const std::string command = "glabels-3-batch -o '" + out.string() + "' '" + doc.string() + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0 || !std::filesystem::exists(out)) return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::filesystem::path Folder() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tovana-print-bench";
  std::filesystem::create_directories(folder);
  return folder;
}

void BM_PrintLabelsPdf(benchmark::State& state) {
  const std::filesystem::path folder = Folder();
  double ours = 0;
  int runs = 0;
  for (auto _ : state) {
    const double seconds = WritePdf(1007, folder / "labels.pdf");
    if (seconds < 0) return state.SkipWithError("the PDF could not be written");
    ours += seconds;
    ++runs;
    state.SetIterationTime(seconds);
  }
  state.counters["pages"] = (kCustomers + 11) / 12;
  const double glabels = Glabels(folder);
  if (glabels > 0) {
    state.counters["glabels_s"] = glabels;
    state.counters["vs_glabels"] = ours / runs / glabels;
  } else {
    state.SetLabel("glabels-3-batch not available: comparison skipped");
  }
}
BENCHMARK(BM_PrintLabelsPdf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintPostcardsPdf(benchmark::State& state) {
  const std::filesystem::path folder = Folder();
  for (auto _ : state) {
    const double seconds = WritePdf(2001, folder / "postcards.pdf");
    if (seconds < 0) return state.SkipWithError("the PDF could not be written");
    state.SetIterationTime(seconds);
  }
  state.counters["pages"] = kCustomers;
}
BENCHMARK(BM_PrintPostcardsPdf)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
