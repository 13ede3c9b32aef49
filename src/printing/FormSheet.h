#pragma once
// A catalogue layout as the renderer reads it: the paper with its grid of pieces (the layout's
// Sheet text) and the fields placed on each piece (its Fields text). The encoding is described in
// docs/ARCHITECTURE.md ("Layout encoding"). Reading never throws: what cannot be read is left out
// and reported by ok() being false, so a damaged layout prints nothing rather than garbage.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {
class CLayoutInfo;
}

namespace printing {

struct RectMm {
  double x = 0, y = 0, w = 0, h = 0;
  double Right() const { return x + w; }
  double Bottom() const { return y + h; }
};

struct FormSheet {
  double paperW = 0, paperH = 0;  // the page as printed (orientation applied)
  int nx = 1, ny = 1;             // pieces across and down
  double x0 = 0, y0 = 0;          // first piece's top-left
  double dx = 0, dy = 0;          // pitch
  double w = 0, h = 0, r = 0;     // piece size and corner radius
  int Pieces() const { return nx * ny; }
  // Piece index (0 = top-left, across first) on the page.
  RectMm Piece(int index) const;
};

enum class Align { Left, Centre, Right };

struct FormField {
  std::string name;  // Name, Address, ZipBoxes, Sender.COM, Rireki.Date, Entry.Items, FreeText, ...
  RectMm box;        // from the piece's top-left
  double pt = 10;    // largest type size
  bool vertical = false;
  Align align = Align::Left;
};

// The paper of a name (A4, B5, HAGAKI, NAGA3, NAGA4, KAKU2, YOU4) or "WxH", portrait; nullopt
// when unknown or malformed.
std::optional<std::pair<double, double>> PaperSize(std::string_view paper);

// The Sheet text; nullopt when any key is missing or a value cannot be read or the pieces do not
// lie on the paper.
std::optional<FormSheet> ParseSheet(std::string_view sheet);

// The Fields text (a JSON array of flat objects); nullopt when it is not one. Unknown keys are
// ignored; a field without a name is left out.
std::optional<std::vector<FormField>> ParseFields(std::string_view json);

// Everything the renderer needs of a layout.
struct FormLayout {
  int layoutId = 0;
  int genre = 0;
  std::string title;
  FormSheet sheet;
  std::vector<FormField> fields;
  std::string freeText;
  bool vertical = false;  // the address block is written vertically
  int zipBoxes = 0;       // 0 none, 1 digits into pre-printed boxes, 2 boxes drawn too
};

// The layout read from a catalogue entry; nullopt when its sheet or fields cannot be read.
std::optional<FormLayout> ReadFormLayout(const lumaro::CLayoutInfo& layout);

}  // namespace printing
