#pragma once
// Fitting text into a field's box, without a toolkit: where a line may break, how small the type
// may go, and how vertical (縦書き) text is set cell by cell. Sizes are the em in mm; widths come
// from a measure supplied by the caller (a font in the renderer, a fixed advance in tests).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace printing {

inline constexpr double kMmPerPoint = 25.4 / 72.0;
// Lines stand this many ems apart, horizontal and vertical alike.
inline constexpr double kLinePitch = 1.25;

// The width of a text set at an em of 1 mm.
using Measure = std::function<double(std::string_view)>;

enum class Breaking {
  Address,    // shrink to the smallest size first, then break between the town and the block,
              // after a space or between words; never inside a number
  Paragraph,  // break wherever Japanese text may, keeping the kinsoku rules; shrink when too tall
};

struct FittedText {
  double em = 0;                   // the size chosen, mm
  std::vector<std::string> lines;  // the lines to draw (columns, for vertical text)
  bool clipped = false;            // even the smallest size did not fit: the box clips the rest
};

// Fits text ("\n" breaks a line) into a box of width across and height down (for vertical
// text: the column length and the width the columns share), measured in ems by measure.
// maxEm is the largest size; minEm the smallest a line is shrunk to before it is broken.
FittedText FitText(std::string_view text, double across, double down, double maxEm, double minEm,
                   const Measure& measure, Breaking breaking);

// The smallest size a field of the largest size maxEm shrinks to before its lines break.
double MinimumEm(double maxEm);

// Where a line may break: before character index i (0 < i < count) with a quality; 3 = after a
// space, 2 = between a town name and its block number, 1 = allowed.
struct BreakPoint {
  std::size_t index;
  int quality;
};
std::vector<BreakPoint> BreakPoints(const std::u32string& text, Breaking breaking);

// --- Vertical text ---

// How a character stands in vertical type.
enum class VerticalKind {
  Upright,  // as it is
  Turned,   // turned 90 degrees clockwise: the long-vowel mark, brackets, dashes, ellipses
  Small,    // small kana: upright, moved to the upper right of its cell
  Comma,    // 、 and 。: to the upper right of the cell
};

struct VerticalCell {
  std::string text;  // one character
  VerticalKind kind = VerticalKind::Upright;
};

// Text made ready for vertical writing: digits become kanji numerals, Latin letters full width,
// half-width kana full width, a hyphen between numbers the vertical bar "｜".
std::string ToVerticalText(std::string_view utf8);

// The cells of one column of text already made vertical.
std::vector<VerticalCell> VerticalCells(std::string_view utf8);
VerticalKind VerticalKindOf(char32_t c);

// One character placed: its cell's centre in mm, the em, and the turn.
struct PlacedGlyph {
  std::string text;
  double cx = 0, cy = 0;
  double em = 0;
  VerticalKind kind = VerticalKind::Upright;
};

// Sets columns right to left from the box's right edge, each from the top, one em a cell; align
// Centre centres the block of columns across the box and each column down it.
std::vector<PlacedGlyph> SetVertical(const std::vector<std::string>& columns, double x, double y, double w, double h,
                                     double em, bool centre);

// The addressee in vertical writing: the name from the top of its column, spread at most two ems
// a character, with the honorific closing it an em below (at the column's foot at the latest); a
// joint name (連名) in the next column to the left, its given name level with the
// first name's given name and its own honorific at the same foot; company lines to the right.
struct VerticalAddressee {
  std::vector<std::string> companyLines;
  std::string name;
  std::string joint;  // the second person's given name, or empty
  std::string honorific;
};
std::vector<PlacedGlyph> SetVerticalAddressee(const VerticalAddressee& a, double x, double y, double w, double h,
                                              double maxEm);

}  // namespace printing
