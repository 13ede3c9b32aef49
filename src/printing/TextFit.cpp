#include "printing/TextFit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "company/AutoText.h"
#include "text/Utf8.h"
#include "text/Width.h"

namespace printing {

namespace {

std::u32string ToU32(std::string_view utf8) {
  std::u32string out;
  for (std::size_t pos = 0; pos < utf8.size();) out += text::NextCodePoint(utf8, pos);
  return out;
}

std::string ToUtf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) text::AppendUtf8(out, c);
  return out;
}

bool IsDigitLike(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９') || c == U'〇' || c == U'一' || c == U'二' ||
         c == U'三' || c == U'四' || c == U'五' || c == U'六' || c == U'七' || c == U'八' || c == U'九';
}

bool IsJoiner(char32_t c) {
  return c == U'-' || c == U'－' || c == U'‐' || c == U'ー' || c == U'｜' || c == U'−' || c == U'.' || c == U',';
}

bool IsLatin(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'ａ' && c <= U'ｚ') ||
         (c >= U'Ａ' && c <= U'Ｚ');
}

bool IsSpace(char32_t c) { return c == U' ' || c == U'　'; }

// Characters a line may not start with, and ones it may not end with (kinsoku).
bool NoLineStart(char32_t c) {
  static constexpr std::u32string_view kSet = U"、。，．・：；？！）」』】〕〉》］｝ーぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々ゝゞヽヾ,.:;?!)]}";
  return kSet.find(c) != std::u32string_view::npos;
}
bool NoLineEnd(char32_t c) {
  static constexpr std::u32string_view kSet = U"（「『【〔〈《［｛([{";
  return kSet.find(c) != std::u32string_view::npos;
}

// Whether the characters at i-1 and i belong to one number (digits and the hyphens between them).
bool InsideNumber(const std::u32string& t, std::size_t i) {
  const char32_t a = t[i - 1], b = t[i];
  if (IsDigitLike(a) && IsDigitLike(b)) return true;
  if (IsDigitLike(a) && IsJoiner(b)) return i + 1 < t.size() && IsDigitLike(t[i + 1]);
  if (IsJoiner(a) && IsDigitLike(b)) return i >= 2 && IsDigitLike(t[i - 2]);
  return false;
}

double Height(std::size_t lines, double em) { return lines == 0 ? 0 : em * (1 + (lines - 1) * kLinePitch); }

std::vector<std::u32string> HardLines(std::string_view text) {
  std::vector<std::u32string> lines;
  std::u32string all = ToU32(text);
  std::size_t start = 0;
  for (;;) {
    const std::size_t nl = all.find(U'\n', start);
    lines.push_back(all.substr(start, nl == std::u32string::npos ? std::u32string::npos : nl - start));
    if (nl == std::u32string::npos) break;
    start = nl + 1;
  }
  for (auto& l : lines) {
    if (!l.empty() && l.back() == U'\r') l.pop_back();
  }
  return lines;
}

double WidthOf(const std::u32string& t, std::size_t from, std::size_t to, const Measure& measure) {
  return measure(ToUtf8(std::u32string_view(t).substr(from, to - from)));
}

// Breaks one line to width (in ems); nullopt when a piece that may not break is wider. With
// anywhere, any character boundary is allowed (the last resort).
std::optional<std::vector<std::u32string>> Wrap(const std::u32string& line, double width, const Measure& measure,
                                                Breaking breaking, bool anywhere) {
  std::vector<std::u32string> out;
  std::vector<BreakPoint> points = BreakPoints(line, breaking);
  if (anywhere) {
    points.clear();
    for (std::size_t i = 1; i < line.size(); ++i) points.push_back({i, 1});
  }
  std::size_t start = 0;
  while (start < line.size()) {
    while (start < line.size() && IsSpace(line[start]) && start > 0) ++start;
    if (start >= line.size()) break;
    if (WidthOf(line, start, line.size(), measure) <= width) {
      out.push_back(line.substr(start));
      break;
    }
    // The latest place of each quality that fits; the best quality wins if it fills the line enough.
    std::size_t latest[4] = {0, 0, 0, 0};
    for (const BreakPoint& p : points) {
      if (p.index <= start) continue;
      if (WidthOf(line, start, p.index, measure) > width) break;
      latest[std::clamp(p.quality, 0, 3)] = p.index;
    }
    std::size_t best = std::max({latest[0], latest[1], latest[2], latest[3]});
    for (int q = 3; q >= 2; --q) {
      if (latest[q] > start && WidthOf(line, start, latest[q], measure) >= 0.4 * width) {
        best = latest[q];
        break;
      }
    }
    if (best <= start) return std::nullopt;
    std::u32string piece = line.substr(start, best - start);
    while (!piece.empty() && IsSpace(piece.back())) piece.pop_back();
    out.push_back(std::move(piece));
    start = best;
  }
  if (out.empty()) out.emplace_back();
  return out;
}

std::optional<std::vector<std::u32string>> WrapAll(const std::vector<std::u32string>& hard, double width,
                                                   const Measure& measure, Breaking breaking, bool anywhere) {
  std::vector<std::u32string> lines;
  for (const auto& h : hard) {
    auto wrapped = Wrap(h, width, measure, breaking, anywhere);
    if (!wrapped) return std::nullopt;
    lines.insert(lines.end(), wrapped->begin(), wrapped->end());
  }
  return lines;
}

FittedText Result(double em, const std::vector<std::u32string>& lines, bool clipped) {
  FittedText f;
  f.em = em;
  f.clipped = clipped;
  for (const auto& l : lines) f.lines.push_back(ToUtf8(l));
  return f;
}

}  // namespace

double MinimumEm(double maxEm) { return std::min(maxEm, std::max(maxEm * 0.6, 6.0 * kMmPerPoint)); }

std::vector<BreakPoint> BreakPoints(const std::u32string& t, Breaking breaking) {
  std::vector<BreakPoint> points;
  for (std::size_t i = 1; i < t.size(); ++i) {
    const char32_t a = t[i - 1], b = t[i];
    if (InsideNumber(t, i)) continue;
    if (IsLatin(a) && IsLatin(b)) continue;
    if (breaking == Breaking::Paragraph && ((a < 0x80 && b < 0x80 && !IsSpace(a) && !IsSpace(b)))) continue;
    if (NoLineStart(b) || NoLineEnd(a) || IsSpace(b)) continue;
    int quality = 1;
    if (IsSpace(a)) quality = 3;
    else if (IsDigitLike(b) && !IsDigitLike(a) && !IsJoiner(a)) quality = 2;
    points.push_back({i, quality});
  }
  return points;
}

FittedText FitText(std::string_view text, double across, double down, double maxEm, double minEm,
                   const Measure& measure, Breaking breaking) {
  const std::vector<std::u32string> hard = HardLines(text);
  if (maxEm <= 0 || across <= 0 || down <= 0) return Result(0, hard, true);
  minEm = std::clamp(minEm, 0.1, maxEm);
  const double step = std::max(maxEm * 0.03, 0.05);
  double widest = 0;
  for (const auto& l : hard) widest = std::max(widest, measure(ToUtf8(l)));
  if (breaking == Breaking::Address) {
    for (double em = maxEm; em >= minEm - 1e-9; em -= step) {
      if (widest * em <= across && Height(hard.size(), em) <= down) return Result(em, hard, false);
    }
  }
  const double floorEm = std::min(minEm, 3.0 * kMmPerPoint);
  for (double em = maxEm; em >= floorEm - 1e-9; em -= step) {
    if (Height(hard.size(), em) > down) continue;
    auto lines = WrapAll(hard, across / em, measure, breaking, false);
    if (lines && Height(lines->size(), em) <= down) return Result(em, *lines, false);
  }
  // Nothing fits with breaks in their proper places: the smallest size, broken anywhere, clipped.
  auto lines = WrapAll(hard, across / floorEm, measure, breaking, true);
  return Result(floorEm, lines ? *lines : hard, true);
}

std::string ToVerticalText(std::string_view utf8) {
  std::u32string t = ToU32(company::VerticalAddress(text::HalfKanaToFullWidth(utf8)));
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (!IsJoiner(t[i]) || t[i] == U'.' || t[i] == U',') continue;
    const bool between = i > 0 && i + 1 < t.size() && IsDigitLike(t[i - 1]) && IsDigitLike(t[i + 1]);
    if (between) t[i] = U'｜';
    else if (t[i] == U'-' || t[i] == U'−') t[i] = U'－';
  }
  // A space stays a space; other half-width ASCII left over becomes full width so it stands upright.
  for (auto& c : t) {
    if (c > 0x20 && c < 0x7f) c = c - 0x21 + 0xFF01;
  }
  return ToUtf8(t);
}

VerticalKind VerticalKindOf(char32_t c) {
  static constexpr std::u32string_view kTurned =
      U"ー－—―‐～〜…‥（）「」『』【】〔〕［］｛｝〈〉《》＝：；→←＜＞｟｠()[]{}<>=~:;";
  static constexpr std::u32string_view kSmall = U"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ";
  if (kTurned.find(c) != std::u32string_view::npos) return VerticalKind::Turned;
  if (kSmall.find(c) != std::u32string_view::npos) return VerticalKind::Small;
  if (c == U'、' || c == U'。' || c == U'，' || c == U'．') return VerticalKind::Comma;
  return VerticalKind::Upright;
}

std::vector<VerticalCell> VerticalCells(std::string_view utf8) {
  std::vector<VerticalCell> cells;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t c = text::NextCodePoint(utf8, pos);
    VerticalCell cell;
    text::AppendUtf8(cell.text, c);
    cell.kind = VerticalKindOf(c);
    cells.push_back(std::move(cell));
  }
  return cells;
}

std::vector<PlacedGlyph> SetVertical(const std::vector<std::string>& columns, double x, double y, double w, double h,
                                     double em, bool centre) {
  std::vector<PlacedGlyph> glyphs;
  const double block = Height(columns.size(), em);
  const double right = centre ? x + (w + block) / 2 : x + w;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const double cx = right - em / 2 - c * kLinePitch * em;
    const std::vector<VerticalCell> cells = VerticalCells(columns[c]);
    double top = y;
    if (centre) top = y + (h - cells.size() * em) / 2;
    else if (c > 0 && (cells.size() + 2) * em <= h) top = y + 2 * em;  // a following line stands lower
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i].text == " " || cells[i].text == "　") continue;
      glyphs.push_back({cells[i].text, cx, top + (i + 0.5) * em, em, cells[i].kind});
    }
  }
  return glyphs;
}

std::vector<PlacedGlyph> SetVerticalAddressee(const VerticalAddressee& a, double x, double y, double w, double h,
                                              double maxEm) {
  std::vector<PlacedGlyph> glyphs;
  const std::string name = ToVerticalText(a.name);
  const std::string joint = ToVerticalText(a.joint);
  const std::vector<VerticalCell> nameCells = VerticalCells(name);
  const std::vector<VerticalCell> honCells = VerticalCells(a.honorific);
  const std::size_t companies = a.companyLines.size();
  constexpr double kCompanyShare = 0.62;
  // The name's size: its column, a half-em gap and the honorific down the box; its columns across.
  const double cellsDown = nameCells.size() + honCells.size() + (honCells.empty() ? 0 : 0.5);
  const double across = 1 + (joint.empty() ? 0 : kLinePitch) + companies * kCompanyShare * kLinePitch;
  double em = std::min({maxEm, cellsDown > 0 ? h / cellsDown : maxEm, w / across});
  const double companyEm = em * kCompanyShare;
  const double block = em * (1 + (joint.empty() ? 0 : kLinePitch)) + companies * companyEm * kLinePitch;
  const double right = x + (w + block) / 2;
  // Company and section lines, right to left, from the top; each shrinks on its own to fit.
  for (std::size_t c = 0; c < companies; ++c) {
    const std::string line = ToVerticalText(a.companyLines[c]);
    const std::vector<VerticalCell> cells = VerticalCells(line);
    const double cem = std::min(companyEm, cells.empty() ? companyEm : h / cells.size());
    const double cx = right - companyEm / 2 - c * companyEm * kLinePitch;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i].text == " " || cells[i].text == "　") continue;
      glyphs.push_back({cells[i].text, cx, y + (i + 0.5) * cem, cem, cells[i].kind});
    }
  }
  const double nameX = right - companies * companyEm * kLinePitch - em / 2;
  // The name from the top, its characters spread at most two ems apart; the honorific an em after
  // it, or at the column's foot when the name fills the column.
  const double gap = honCells.empty() ? 0 : em;
  const double room = h - honCells.size() * em - gap;
  // A space between family and given name takes half a character's place.
  const auto isSpace = [](const VerticalCell& c) { return c.text == " " || c.text == "　"; };
  double places = 0;
  for (const auto& c : nameCells) places += isSpace(c) ? 0.5 : 1.0;
  const double pitch = places <= 0 ? em : std::clamp(room / places, em, 2.0 * em);
  const double nameTop = y;
  const double honTop = std::min(y + h - honCells.size() * em, nameTop + pitch * places + gap);
  for (std::size_t i = 0; i < honCells.size(); ++i) {
    glyphs.push_back({honCells[i].text, nameX, honTop + (i + 0.5) * em, em, honCells[i].kind});
  }
  double given = 0;  // where the given name starts, in places
  double at = 0;
  for (const auto& cell : nameCells) {
    if (isSpace(cell)) {
      at += 0.5;
      if (given == 0) given = at;
      continue;
    }
    glyphs.push_back({cell.text, nameX, nameTop + (at + 0.5) * pitch, em, cell.kind});
    at += 1;
  }
  if (!joint.empty()) {
    const double jointX = nameX - em * kLinePitch;
    if (given == 0) given = std::floor(places / 2);
    const std::vector<VerticalCell> jointCells = VerticalCells(joint);
    const double jointRoom = honTop - gap - (nameTop + given * pitch);
    const double jointPitch = std::min(pitch, jointRoom / static_cast<double>(std::max<std::size_t>(1, jointCells.size())));
    for (std::size_t i = 0; i < jointCells.size(); ++i) {
      glyphs.push_back({jointCells[i].text, jointX, nameTop + given * pitch + (i + 0.5) * jointPitch, em,
                        jointCells[i].kind});
    }
    for (std::size_t i = 0; i < honCells.size(); ++i) {
      glyphs.push_back({honCells[i].text, jointX, honTop + (i + 0.5) * em, em, honCells[i].kind});
    }
  }
  return glyphs;
}

}  // namespace printing
