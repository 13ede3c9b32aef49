// The factory catalogue the build generates: its four top categories in menu-tab order, and for
// every layout a title, an ID of the catalogue range and a sheet and fields that lie on the paper.

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "lumaro/LumaroTestSupport.h"
#include "platform/CNeritEnv.h"

namespace lumaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Box {
  double x, y, w, h;
};

// The sheet text "paper=...;orient=...;nx=...": the page as printed, and the pieces on it.
struct Sheet {
  double pageW = 0, pageH = 0;
  int nx = 0, ny = 0;
  double x0 = 0, y0 = 0, dx = 0, dy = 0, w = 0, h = 0, r = 0;
};

bool ParseSheet(const std::string& text, Sheet& sheet) {
  std::map<std::string, std::string> values;
  std::istringstream in(text);
  for (std::string pair; std::getline(in, pair, ';');) {
    const auto eq = pair.find('=');
    if (eq == std::string::npos) return false;
    values[pair.substr(0, eq)] = pair.substr(eq + 1);
  }
  const std::set<std::string> keys = {"paper", "orient", "nx", "ny", "x0", "y0", "dx", "dy", "w", "h", "r"};
  if (values.size() != keys.size()) return false;
  for (const auto& key : keys) {
    if (!values.count(key)) return false;
  }
  static const std::map<std::string, std::pair<double, double>> papers = {
      {"A4", {210, 297}}, {"B5", {182, 257}}, {"HAGAKI", {100, 148}}, {"NAGA3", {120, 235}},
      {"NAGA4", {90, 205}}, {"KAKU2", {240, 332}}, {"YOU4", {105, 235}}};
  if (const auto it = papers.find(values["paper"]); it != papers.end()) {
    std::tie(sheet.pageW, sheet.pageH) = it->second;
  } else if (std::sscanf(values["paper"].c_str(), "%lfx%lf", &sheet.pageW, &sheet.pageH) != 2) {
    return false;
  }
  if (values["orient"] == "L") std::swap(sheet.pageW, sheet.pageH);
  else if (values["orient"] != "P") return false;
  sheet.nx = std::stoi(values["nx"]);
  sheet.ny = std::stoi(values["ny"]);
  sheet.x0 = std::stod(values["x0"]);
  sheet.y0 = std::stod(values["y0"]);
  sheet.dx = std::stod(values["dx"]);
  sheet.dy = std::stod(values["dy"]);
  sheet.w = std::stod(values["w"]);
  sheet.h = std::stod(values["h"]);
  sheet.r = std::stod(values["r"]);
  return true;
}

bool PiecesLieOnThePage(const Sheet& s) {
  constexpr double kTolerance = 0.5;
  return s.nx >= 1 && s.ny >= 1 && s.w > 0 && s.h > 0 && s.x0 >= 0 && s.y0 >= 0 &&
         (s.nx == 1 || s.dx >= s.w - kTolerance) && (s.ny == 1 || s.dy >= s.h - kTolerance) &&
         s.x0 + (s.nx - 1) * s.dx + s.w <= s.pageW + kTolerance &&
         s.y0 + (s.ny - 1) * s.dy + s.h <= s.pageH + kTolerance;
}

// The boxes of the fields text, or false when it is not a list of well-formed fields.
bool ParseFields(const std::string& text, std::vector<Box>& boxes) {
  static const std::regex field(
      R"(\{"f":"[A-Za-z0-9_.]+","x":([0-9.]+),"y":([0-9.]+),"w":([0-9.]+),"h":([0-9.]+),"pt":[0-9.]+,)"
      R"("v":(true|false),"align":"[lcr]"\})");
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
  std::string rebuilt = "[";
  for (auto it = std::sregex_iterator(text.begin(), text.end(), field); it != std::sregex_iterator(); ++it) {
    if (rebuilt.size() > 1) rebuilt += ",";
    rebuilt += it->str();
    boxes.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4])});
  }
  return rebuilt + "]" == text && !boxes.empty();
}

class FactoryCatalogueTest : public ::testing::Test {
 protected:
  FactoryCatalogueTest()
      : lumaro(platform::CNeritEnv().GetFactoryFolder(), [this](std::string_view t) { messages.emplace_back(t); }) {}

  std::vector<std::string> messages;
  CLumaro lumaro;
};

TEST_F(FactoryCatalogueTest, HasTheFourTopCategoriesInMenuTabOrder) {
  ASSERT_EQ(lumaro.ReadDataFile(), 1) << lumaro.MainFile();
  EXPECT_THAT(messages, IsEmpty());
  std::vector<std::string> tops;
  for (const auto& dai : lumaro.GetIndex()) tops.push_back(dai->Name);
  EXPECT_THAT(tops, ElementsAre("宛名印刷", "DM・案内状", "顧客管理帳票", "ビジネス文書"));

  std::vector<std::string> media;
  for (const auto& chu : lumaro.GetIndex()[0]->Children) media.push_back(chu->Name);
  EXPECT_THAT(media, ElementsAre("シール", "はがき", "封筒"));
  std::set<std::string> makers;
  for (const auto& sho : lumaro.GetIndex()[0]->Children[0]->Children) makers.insert(sho->Name);
  EXPECT_THAT(makers, ::testing::IsSupersetOf({"ヒサゴ", "Avery", "Zweckform"}));
}

TEST_F(FactoryCatalogueTest, EveryLayoutHasATitleAnIDAndValidGeometry) {
  ASSERT_EQ(lumaro.ReadMain(), 1);
  std::set<std::int32_t> ids;
  std::set<std::int32_t> genres;
  std::size_t count = 0;
  for (const auto& dai : lumaro.GetIndex())
    for (const auto& chu : dai->Children)
      for (const auto& sho : chu->Children)
        for (const auto& layout : sho->Children) {
          ++count;
          SCOPED_TRACE(layout->LayoutID);
          EXPECT_FALSE(layout->Title.empty());
          EXPECT_GE(layout->LayoutID, 1);
          EXPECT_LT(layout->LayoutID, CLayoutInfo::kFirstOriginalID);
          EXPECT_TRUE(ids.insert(layout->LayoutID).second) << "used twice";
          EXPECT_GE(layout->FormGenre, 0);
          EXPECT_LE(layout->FormGenre, CLayoutInfo::kLastGenre);
          genres.insert(layout->FormGenre);
          Sheet sheet;
          ASSERT_TRUE(ParseSheet(layout->Sheet, sheet)) << layout->Sheet;
          EXPECT_TRUE(PiecesLieOnThePage(sheet)) << layout->Sheet;
          std::vector<Box> boxes;
          ASSERT_TRUE(ParseFields(layout->Fields, boxes)) << layout->Fields;
          for (const Box& b : boxes) {
            EXPECT_LE(b.x + b.w, sheet.w + 0.01) << layout->Fields;
            EXPECT_LE(b.y + b.h, sheet.h + 0.01) << layout->Fields;
          }
        }
  EXPECT_GT(count, 50u);
  EXPECT_THAT(genres, ::testing::IsSupersetOf({0, 1, 2, 3, 4, 5}));
}

TEST_F(FactoryCatalogueTest, AddressFormsAreAddressPrintingAndBusinessFormsTakeNoCustomer) {
  EXPECT_EQ(lumaro.IsAtenaTack(2001), 1);  // 通常はがき
  EXPECT_EQ(lumaro.IsAtenaTack(3001), 1);  // 長形3号
  EXPECT_EQ(lumaro.IsAtenaTack(6001), 0);  // 見積書
  EXPECT_EQ(lumaro.GetFormGenre(6001), CLayoutInfo::kGenreNoCustomer);
  EXPECT_EQ(lumaro.GetFormGenre(5001), CLayoutInfo::kGenreCardHistory);
  EXPECT_EQ(lumaro.GetDaiBunruiName(4001), "DM・案内状");
  EXPECT_EQ(lumaro.bExistTaiouPaper(1001), 1);
}

}  // namespace
}  // namespace lumaro::test
