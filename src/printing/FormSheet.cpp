#include "printing/FormSheet.h"

#include <charconv>
#include <cstdlib>
#include <map>

#include "lumaro/CLayoutInfo.h"

namespace printing {

namespace {

bool ReadNumber(std::string_view text, double& out) {
  if (text.empty()) return false;
  const std::string copy(text);
  char* end = nullptr;
  out = std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size();
}

// A small reader for the one JSON shape of the Fields text: an array of flat objects whose values
// are numbers, strings or booleans.
class FieldsReader {
 public:
  explicit FieldsReader(std::string_view s) : s_(s) {}

  std::optional<std::vector<FormField>> Read() {
    std::vector<FormField> fields;
    Skip();
    if (!Eat('[')) return std::nullopt;
    Skip();
    if (Eat(']')) return fields;
    for (;;) {
      FormField f;
      if (!Object(f)) return std::nullopt;
      if (!f.name.empty()) fields.push_back(std::move(f));
      Skip();
      if (Eat(']')) break;
      if (!Eat(',')) return std::nullopt;
    }
    Skip();
    return pos_ == s_.size() ? std::optional(std::move(fields)) : std::nullopt;
  }

 private:
  void Skip() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) ++pos_;
  }
  bool Eat(char c) {
    Skip();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool String(std::string& out) {
    if (!Eat('"')) return false;
    out.clear();
    while (pos_ < s_.size() && s_[pos_] != '"') {
      if (s_[pos_] == '\\' && pos_ + 1 < s_.size()) ++pos_;
      out += s_[pos_++];
    }
    return Eat('"');
  }
  bool Object(FormField& f) {
    if (!Eat('{')) return false;
    if (Eat('}')) return true;
    for (;;) {
      std::string key;
      if (!String(key) || !Eat(':')) return false;
      Skip();
      if (pos_ >= s_.size()) return false;
      if (s_[pos_] == '"') {
        std::string value;
        if (!String(value)) return false;
        if (key == "f") f.name = value;
        if (key == "align") f.align = value == "c" ? Align::Centre : value == "r" ? Align::Right : Align::Left;
      } else if (s_.substr(pos_, 4) == "true" || s_.substr(pos_, 5) == "false") {
        const bool value = s_[pos_] == 't';
        pos_ += value ? 4 : 5;
        if (key == "v") f.vertical = value;
      } else {
        const std::size_t start = pos_;
        while (pos_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.' ||
                                    s_[pos_] == '-' || s_[pos_] == '+' || s_[pos_] == 'e' || s_[pos_] == 'E')) {
          ++pos_;
        }
        double value = 0;
        if (!ReadNumber(s_.substr(start, pos_ - start), value)) return false;
        if (key == "x") f.box.x = value;
        if (key == "y") f.box.y = value;
        if (key == "w") f.box.w = value;
        if (key == "h") f.box.h = value;
        if (key == "pt") f.pt = value;
      }
      if (Eat('}')) return true;
      if (!Eat(',')) return false;
    }
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

RectMm FormSheet::Piece(int index) const {
  const int col = index % nx, row = index / nx;
  return {x0 + col * dx, y0 + row * dy, w, h};
}

std::optional<std::pair<double, double>> PaperSize(std::string_view paper) {
  static const std::map<std::string, std::pair<double, double>, std::less<>> kPapers = {
      {"A4", {210, 297}},   {"B5", {182, 257}},    {"HAGAKI", {100, 148}}, {"NAGA3", {120, 235}},
      {"NAGA4", {90, 205}}, {"KAKU2", {240, 332}}, {"YOU4", {105, 235}},
  };
  if (const auto it = kPapers.find(paper); it != kPapers.end()) return it->second;
  const std::size_t x = paper.find('x');
  double w = 0, h = 0;
  if (x == std::string_view::npos || !ReadNumber(paper.substr(0, x), w) || !ReadNumber(paper.substr(x + 1), h) ||
      w <= 0 || h <= 0) {
    return std::nullopt;
  }
  return std::pair{w, h};
}

std::optional<FormSheet> ParseSheet(std::string_view sheet) {
  std::map<std::string, std::string, std::less<>> values;
  while (!sheet.empty()) {
    const std::size_t end = sheet.find(';');
    const std::string_view pair = sheet.substr(0, end);
    const std::size_t eq = pair.find('=');
    if (eq != std::string_view::npos) values[std::string(pair.substr(0, eq))] = std::string(pair.substr(eq + 1));
    sheet = end == std::string_view::npos ? std::string_view() : sheet.substr(end + 1);
  }
  const auto paper = PaperSize(values["paper"]);
  if (!paper) return std::nullopt;
  FormSheet s;
  s.paperW = paper->first;
  s.paperH = paper->second;
  const std::string& orient = values["orient"];
  if (orient == "L") std::swap(s.paperW, s.paperH);
  else if (orient != "P") return std::nullopt;
  double nx = 0, ny = 0;
  for (auto [key, out] : std::initializer_list<std::pair<const char*, double*>>{
           {"nx", &nx}, {"ny", &ny}, {"x0", &s.x0}, {"y0", &s.y0}, {"dx", &s.dx}, {"dy", &s.dy},
           {"w", &s.w}, {"h", &s.h}, {"r", &s.r}}) {
    if (!ReadNumber(values[key], *out)) return std::nullopt;
  }
  s.nx = static_cast<int>(nx);
  s.ny = static_cast<int>(ny);
  constexpr double kTolerance = 0.5;
  if (s.nx < 1 || s.ny < 1 || s.nx > 100 || s.ny > 200 || s.w <= 0 || s.h <= 0 ||
      s.x0 + (s.nx - 1) * s.dx + s.w > s.paperW + kTolerance || s.y0 + (s.ny - 1) * s.dy + s.h > s.paperH + kTolerance) {
    return std::nullopt;
  }
  return s;
}

std::optional<std::vector<FormField>> ParseFields(std::string_view json) {
  if (json.empty()) return std::vector<FormField>{};
  return FieldsReader(json).Read();
}

std::optional<FormLayout> ReadFormLayout(const lumaro::CLayoutInfo& info) {
  auto sheet = ParseSheet(info.Sheet);
  auto fields = ParseFields(info.Fields);
  if (!sheet || !fields) return std::nullopt;
  FormLayout layout;
  layout.layoutId = info.LayoutID;
  layout.genre = info.FormGenre;
  layout.title = info.Title;
  layout.sheet = *sheet;
  layout.fields = std::move(*fields);
  layout.freeText = info.FreeText;
  layout.vertical = info.Vertical != 0;
  layout.zipBoxes = info.ZipBoxes;
  return layout;
}

}  // namespace printing
