// Writes the factory form catalogue Data/MyData/Lumaro.dat from the readable tables of
// factory/catalogue: label-sheets.tsv (sheets of the label makers), forms.tsv (postcards,
// envelopes, DM, customer and business forms) and fields.tsv (what each form prints where).
// Every layout is checked before anything is written: a unique ID below the original-form range,
// a title, a known form genre, a sheet whose pieces lie on the paper and fields inside a piece.
// Usage: tovana_make_catalogue <folder of the tables> <factory folder>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "lumaro/CLumaro.h"

namespace {

namespace fs = std::filesystem;
using lumaro::CChuBunrui;
using lumaro::CDaiBunrui;
using lumaro::CLayoutInfo;
using lumaro::CLumaro;
using lumaro::CShoBunrui;

// The top categories, in the order the menu screen's tabs 0 to 3 show them.
const std::vector<std::string> kTops = {"宛名印刷", "DM・案内状", "顧客管理帳票", "ビジネス文書"};
const std::string kLabelMiddle = "シール";
const std::string kLabelFields = "label";
constexpr double kEdgeTolerance = 0.5;  // mm a piece may reach past the paper through rounding
constexpr double kMmPerPoint = 25.4 / 72.0;

struct Row {
  std::string where;  // file:line, for messages
  std::map<std::string, std::string> cells;

  const std::string& operator[](const std::string& column) const {
    const auto it = cells.find(column);
    if (it == cells.end()) throw std::runtime_error(where + ": no column " + column);
    return it->second;
  }
  double Number(const std::string& column) const {
    const std::string& text = (*this)[column];
    std::size_t used = 0;
    double value = 0;
    try {
      value = std::stod(text, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used == 0 || used != text.size() || !std::isfinite(value)) {
      throw std::runtime_error(where + ": " + column + " is not a number: " + text);
    }
    return value;
  }
  int Int(const std::string& column) const {
    const double value = Number(column);
    if (value != std::floor(value)) throw std::runtime_error(where + ": " + column + " is not whole");
    return static_cast<int>(value);
  }
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> cells;
  std::string cell;
  std::istringstream in(line);
  while (std::getline(in, cell, '\t')) cells.push_back(cell);
  if (!line.empty() && line.back() == '\t') cells.emplace_back();
  return cells;
}

// A table: comment lines start with "#", the first other line names the columns.
std::vector<Row> ReadTable(const fs::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot open " + file.string());
  std::vector<Row> rows;
  std::vector<std::string> header;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> cells = SplitTabs(line);
    if (header.empty()) {
      header = cells;
      continue;
    }
    const std::string where = file.filename().string() + ":" + std::to_string(number);
    if (cells.size() != header.size()) throw std::runtime_error(where + ": expected " + std::to_string(header.size()) + " cells");
    Row row{where, {}};
    for (std::size_t i = 0; i < cells.size(); ++i) row.cells[header[i]] = cells[i];
    rows.push_back(std::move(row));
  }
  return rows;
}

// Lengths as the layout encoding writes them: at most two decimals, no trailing zeros.
std::string Length(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", mm);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

struct Page {
  double w, h;
};

// The page as printed: a named paper in portrait, or WxH; orient L turns it.
Page PageOf(const Row& row) {
  static const std::map<std::string, Page> kPapers = {
      {"A4", {210, 297}},    {"B5", {182, 257}},   {"HAGAKI", {100, 148}}, {"NAGA3", {120, 235}},
      {"NAGA4", {90, 205}},  {"KAKU2", {240, 332}}, {"YOU4", {105, 235}},
  };
  const std::string& paper = row["paper"];
  Page page{};
  if (const auto it = kPapers.find(paper); it != kPapers.end()) {
    page = it->second;
  } else if (std::sscanf(paper.c_str(), "%lfx%lf", &page.w, &page.h) != 2 || page.w <= 0 || page.h <= 0 ||
             page.w > page.h) {
    throw std::runtime_error(row.where + ": unknown paper " + paper);
  }
  const std::string& orient = row["orient"];
  if (orient != "P" && orient != "L") throw std::runtime_error(row.where + ": orient must be P or L");
  if (orient == "L") std::swap(page.w, page.h);
  return page;
}

struct Piece {
  double w, h;
};

// The sheet text: paper, orientation and the grid of pieces, each checked against the page.
std::string SheetOf(const Row& row, Piece& piece) {
  const Page page = PageOf(row);
  const int nx = row.Int("nx"), ny = row.Int("ny");
  const double x0 = row.Number("x0"), y0 = row.Number("y0"), dx = row.Number("dx"), dy = row.Number("dy");
  piece = {row.Number("w"), row.Number("h")};
  const double r = row.Number("r");
  const bool fits = nx >= 1 && ny >= 1 && piece.w > 0 && piece.h > 0 && x0 >= 0 && y0 >= 0 && r >= 0 &&
                    2 * r <= std::min(piece.w, piece.h) && (nx == 1 || dx >= piece.w - kEdgeTolerance) &&
                    (ny == 1 || dy >= piece.h - kEdgeTolerance) &&
                    x0 + (nx - 1) * dx + piece.w <= page.w + kEdgeTolerance &&
                    y0 + (ny - 1) * dy + piece.h <= page.h + kEdgeTolerance;
  if (!fits) throw std::runtime_error(row.where + ": the pieces do not lie on the paper");
  return "paper=" + row["paper"] + ";orient=" + row["orient"] + ";nx=" + std::to_string(nx) +
         ";ny=" + std::to_string(ny) + ";x0=" + Length(x0) + ";y0=" + Length(y0) + ";dx=" + Length(dx) +
         ";dy=" + Length(dy) + ";w=" + Length(piece.w) + ";h=" + Length(piece.h) + ";r=" + Length(r);
}

bool IsFieldName(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '.';
  });
}

// One field as placed on a piece: "%" lengths are shares of the piece; the size is kept small
// enough for one line to fit across the box (its height, or its width when vertical).
std::string FieldJson(const Row& f, const Piece& piece) {
  const std::string& unit = f["unit"];
  if (unit != "mm" && unit != "%") throw std::runtime_error(f.where + ": unit must be mm or %");
  const double sx = unit == "%" ? piece.w / 100 : 1, sy = unit == "%" ? piece.h / 100 : 1;
  const double x = f.Number("x") * sx, y = f.Number("y") * sy, w = f.Number("w") * sx, h = f.Number("h") * sy;
  const bool vertical = f["v"] == "1";
  const std::string& align = f["align"];
  if (!IsFieldName(f["field"])) throw std::runtime_error(f.where + ": bad field name");
  if (align != "l" && align != "c" && align != "r") throw std::runtime_error(f.where + ": align must be l, c or r");
  if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > piece.w + 0.01 || y + h > piece.h + 0.01) {
    throw std::runtime_error(f.where + ": the field does not lie inside the piece");
  }
  const double across = vertical ? w : h;
  const double pt = std::min(f.Number("pt"), std::floor(across / kMmPerPoint * 10) / 10);
  return "{\"f\":\"" + f["field"] + "\",\"x\":" + Length(x) + ",\"y\":" + Length(y) + ",\"w\":" + Length(w) +
         ",\"h\":" + Length(h) + ",\"pt\":" + Length(pt) + ",\"v\":" + (vertical ? "true" : "false") +
         ",\"align\":\"" + align + "\"}";
}

using FieldSets = std::map<std::string, std::vector<Row>>;

std::string FieldsOf(const FieldSets& sets, const std::string& name, const Piece& piece, const std::string& where) {
  if (name.empty()) return {};
  const auto it = sets.find(name);
  if (it == sets.end()) throw std::runtime_error(where + ": no field set " + name);
  std::string json = "[";
  for (const Row& f : it->second) {
    if (json.size() > 1) json += ",";
    json += FieldJson(f, piece);
  }
  return json + "]";
}

// "\n" in a table cell is a line break of the text.
std::string Unescape(const std::string& cell) {
  std::string text;
  for (std::size_t i = 0; i < cell.size(); ++i) {
    if (cell[i] == '\\' && i + 1 < cell.size() && cell[i + 1] == 'n') {
      text += '\n';
      ++i;
    } else {
      text += cell[i];
    }
  }
  return text;
}

class CatalogueBuilder {
 public:
  explicit CatalogueBuilder(FieldSets sets) : sets_(std::move(sets)) {
    for (const std::string& name : kTops) tops_.push_back(std::make_shared<CDaiBunrui>(name));
  }

  void AddLabelSheet(const Row& row) {
    Piece piece{};
    auto layout = std::make_shared<CLayoutInfo>();
    layout->LayoutID = row.Int("id");
    layout->Sheet = SheetOf(row, piece);
    layout->Title = "宛名ラベル " + std::to_string(row.Int("nx") * row.Int("ny")) + "面（" + Length(piece.w) +
                    "×" + Length(piece.h) + "mm）";
    layout->PaperCodes = row["parts"];
    layout->Fields = FieldsOf(sets_, kLabelFields, piece, row.where);
    layout->FormGenre = CLayoutInfo::kGenreAddressLabel;
    Place(row, kTops[0], kLabelMiddle, row["maker"], std::move(layout));
  }

  void AddForm(const Row& row) {
    Piece piece{};
    auto layout = std::make_shared<CLayoutInfo>();
    layout->LayoutID = row.Int("id");
    layout->Title = row["title"];
    layout->PaperCodes = row["paper_codes"];
    layout->Sheet = SheetOf(row, piece);
    layout->Fields = FieldsOf(sets_, row["fields"], piece, row.where);
    layout->FreeText = Unescape(row["free_text"]);
    layout->Vertical = row.Int("vertical");
    layout->ExcelName = row["excel"];
    layout->Renzoku = row.Int("continuous");
    layout->FormGenre = row.Int("genre");
    layout->ZipBoxes = row.Int("zip_boxes");
    Place(row, row["top"], row["middle"], row["bottom"], std::move(layout));
  }

  const CLumaro::DaiList& Tops() const { return tops_; }
  std::size_t LayoutCount() const { return ids_.size(); }

 private:
  void Check(const Row& row, const CLayoutInfo& layout) {
    if (layout.LayoutID < 1 || layout.LayoutID >= CLayoutInfo::kFirstOriginalID) {
      throw std::runtime_error(row.where + ": layout ID out of range");
    }
    if (!ids_.insert(layout.LayoutID).second) throw std::runtime_error(row.where + ": layout ID used twice");
    if (layout.Title.empty()) throw std::runtime_error(row.where + ": no title");
    if (layout.FormGenre < 0 || layout.FormGenre > CLayoutInfo::kLastGenre) {
      throw std::runtime_error(row.where + ": unknown form genre");
    }
    if (layout.FormGenre != CLayoutInfo::kGenreNoCustomer && layout.Fields.empty()) {
      throw std::runtime_error(row.where + ": a form with customer data needs fields");
    }
    if (layout.Vertical < 0 || layout.Vertical > 1 || layout.ZipBoxes < 0 || layout.ZipBoxes > 2 ||
        layout.Renzoku < 0 || layout.Renzoku > 1) {
      throw std::runtime_error(row.where + ": vertical, zip_boxes or continuous out of range");
    }
  }

  void Place(const Row& row, const std::string& top, const std::string& middle, const std::string& bottom,
             std::shared_ptr<CLayoutInfo> layout) {
    Check(row, *layout);
    const auto dai = std::find_if(tops_.begin(), tops_.end(), [&top](const auto& d) { return d->Name == top; });
    if (dai == tops_.end()) throw std::runtime_error(row.where + ": unknown top category " + top);
    if (middle.empty() || bottom.empty()) throw std::runtime_error(row.where + ": empty category name");
    Child(*Child(**dai, middle), bottom)->Add(std::move(layout));
  }

  template <class Category>
  static typename Category::Child* Child(Category& parent, const std::string& name) {
    for (const auto& child : parent.Children) {
      if (child->Name == name) return child.get();
    }
    return &parent.Add(std::make_shared<typename Category::Child>(name));
  }

  FieldSets sets_;
  CLumaro::DaiList tops_;
  std::set<int> ids_;
};

FieldSets ReadFieldSets(const fs::path& file) {
  FieldSets sets;
  for (Row& row : ReadTable(file)) {
    const std::string set = row["set"];
    sets[set].push_back(std::move(row));
  }
  return sets;
}

CLumaro::DaiList BuildCatalogue(const fs::path& tables, std::size_t& layouts) {
  CatalogueBuilder builder(ReadFieldSets(tables / "fields.tsv"));
  for (const Row& row : ReadTable(tables / "label-sheets.tsv")) builder.AddLabelSheet(row);
  for (const Row& row : ReadTable(tables / "forms.tsv")) builder.AddForm(row);
  for (const auto& top : builder.Tops()) {
    if (top->Children.empty()) throw std::runtime_error("top category " + top->Name + " holds no form");
  }
  layouts = builder.LayoutCount();
  return builder.Tops();
}

std::size_t CountLayouts(const CLumaro::DaiList& tops) {
  std::size_t count = 0;
  for (const auto& dai : tops)
    for (const auto& chu : dai->Children)
      for (const auto& sho : chu->Children) count += sho->Children.size();
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <folder of the tables> <factory folder>\n", argv[0]);
    return 2;
  }
  bool told = false;
  const auto tell = [&told](std::string_view text) {
    std::cerr << "form catalogue: " << text << '\n';
    told = true;
  };
  try {
    std::size_t layouts = 0;
    CLumaro::DaiList tops = BuildCatalogue(argv[1], layouts);
    const fs::path factory = argv[2];
    fs::create_directories(factory / "Data" / "MyData");
    CLumaro writer(factory, tell);
    writer.GetMainData() = std::move(tops);
    if (!writer.WriteMotoData()) return 1;
    // What was written must read back whole, as the program will read it.
    CLumaro reader(factory, tell);
    if (!reader.ReadMain() || CountLayouts(reader.GetIndex()) != layouts || told) {
      std::cerr << "form catalogue: the written file does not read back\n";
      return 1;
    }
    std::printf("form catalogue: %zu layouts written to %s\n", layouts, reader.MainFile().c_str());
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "form catalogue: " << e.what() << '\n';
    return 1;
  }
}
