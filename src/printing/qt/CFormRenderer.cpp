#include "printing/qt/CFormRenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <unordered_map>
#include <algorithm>
#include <cmath>

#include "lumaro/CLayoutInfo.h"
#include "printing/TextFit.h"

namespace printing {

namespace {

// Glyphs are laid out at this pixel size and scaled to the size wanted, so small type keeps exact
// advances on every device.
constexpr double kReference = 100.0;
// Where a CJK font's em box lies around the baseline.
constexpr double kAscent = 0.88;
constexpr double kCentreToBaseline = 0.38;
constexpr double kHairline = 0.15;

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// One face at the reference size, with its measure.
class Face {
 public:
  explicit Face(const char* family, bool bold = false) : font_(family) {
    font_.setPixelSize(static_cast<int>(kReference));
    font_.setHintingPreference(QFont::PreferNoHinting);
    font_.setBold(bold);
    font_.setStyleStrategy(QFont::PreferOutline);
    metrics_ = std::make_unique<QFontMetricsF>(font_);
  }
  const QFont& Font() const { return font_; }
  double Width(std::string_view text) const {
    return metrics_->horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) / kReference;
  }
  Measure Measurer() const {
    return [this](std::string_view t) { return Width(t); };
  }

 private:
  QFont font_;
  std::unique_ptr<QFontMetricsF> metrics_;
};

const Face& Mincho() {
  static const Face face("Noto Serif CJK JP");
  return face;
}
const Face& Gothic() {
  static const Face face("Noto Sans CJK JP");
  return face;
}
const Face& GothicBold() {
  static const Face face("Noto Sans CJK JP", true);
  return face;
}

// A line of text with its em box's top-left at (x, top).
void DrawLine(QPainter& p, const Face& face, const std::string& text, double x, double top, double em) {
  if (text.empty() || em <= 0) return;
  p.save();
  p.translate(x, top + kAscent * em);
  p.scale(em / kReference, em / kReference);
  p.setFont(face.Font());
  p.drawText(QPointF(0, 0), Q(text));
  p.restore();
}

void DrawGlyph(QPainter& p, const Face& face, const PlacedGlyph& g) {
  const QString s = Q(g.text);
  const double advance = face.Width(g.text);
  double cx = g.cx, cy = g.cy;
  if (g.kind == VerticalKind::Small) {
    cx += 0.1 * g.em;
    cy -= 0.12 * g.em;
  } else if (g.kind == VerticalKind::Comma) {
    cx += 0.55 * g.em;
    cy -= 0.55 * g.em;
  }
  p.save();
  p.translate(cx, cy);
  if (g.kind == VerticalKind::Turned) p.rotate(90);
  p.scale(g.em / kReference, g.em / kReference);
  p.setFont(face.Font());
  p.drawText(QPointF(-advance * kReference / 2, kCentreToBaseline * kReference), s);
  p.restore();
}

// Lines fitted into a box, aligned, from the top (or centred down a box that holds one line).
void DrawFitted(QPainter& p, const Face& face, const FittedText& fit, const RectMm& box, Align align) {
  if (fit.clipped) {
    p.save();
    p.setClipRect(QRectF(box.x, box.y, box.w, box.h));
  }
  const double block = fit.lines.empty() ? 0 : fit.em * (1 + (fit.lines.size() - 1) * kLinePitch);
  double top = box.y;
  if (fit.lines.size() == 1) top = box.y + (box.h - block) / 2;
  for (const std::string& line : fit.lines) {
    const double width = face.Width(line) * fit.em;
    double x = box.x;
    if (align == Align::Centre) x = box.x + (box.w - width) / 2;
    if (align == Align::Right) x = box.Right() - width;
    DrawLine(p, face, line, x, top, fit.em);
    top += fit.em * kLinePitch;
  }
  if (fit.clipped) p.restore();
}

RectMm Offset(const RectMm& box, const RectMm& piece) { return {piece.x + box.x, piece.y + box.y, box.w, box.h}; }

// The Japan Post postal-code boxes: left edges from the first box, 47.7 mm in all.
constexpr double kZipBoxLeft[7] = {0, 7.0, 14.0, 21.6, 28.4, 35.2, 42.0};
constexpr double kZipBoxW = 5.7, kZipBoxH = 8.0, kZipBoxesW = 47.7;
const QColor kVermilion(0xE6, 0x3B, 0x2E);

void DrawZipBoxes(QPainter& p, const RectMm& box, const std::string& digits, double maxEm, bool drawBoxes) {
  const double scale = box.w / kZipBoxesW;
  const double bw = kZipBoxW * scale, bh = std::min(box.h, kZipBoxH * scale);
  if (drawBoxes) {
    p.save();
    p.setPen(QPen(kVermilion, 0.3));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
      const double bx = box.x + kZipBoxLeft[i] * scale;
      p.drawRect(QRectF(bx, box.y, bw, bh));
    }
    const double hx = box.x + (kZipBoxLeft[2] * scale + bw + kZipBoxLeft[3] * scale) / 2;
    p.drawLine(QPointF(hx - 0.5 * scale, box.y + bh / 2), QPointF(hx + 0.5 * scale, box.y + bh / 2));
    p.restore();
  }
  const double em = std::min({maxEm, bh * 0.8, bw * 1.4});
  const Face& face = Gothic();
  for (std::size_t i = 0; i < digits.size() && i < 7; ++i) {
    const std::string d(1, digits[i]);
    const double cx = box.x + kZipBoxLeft[i] * scale + bw / 2;
    const double cy = box.y + bh / 2;
    DrawLine(p, face, d, cx - face.Width(d) * em / 2, cy - (kAscent - kCentreToBaseline) * em - 0.0 * em, em);
  }
}

// Only the postal code's digits of a text ("123-4567" to "1234567").
std::string Digits(std::string_view s) {
  std::string d;
  for (char c : s) {
    if (c >= '0' && c <= '9' && d.size() < 7) d += c;
  }
  return d;
}

// The PDF writer names each glyph by the lowest code point the font maps to it; a CJK font maps
// the Kangxi and supplementary radicals to the glyphs of the ideographs, so "木" would read back
// as the radical "⽊" and searching the file would fail. The ideograph each radical's glyph
// stands for, found in the fonts' own character maps.
const std::unordered_map<char16_t, char16_t>& RadicalIdeographs() {
  static const std::unordered_map<char16_t, char16_t> map = [] {
    std::unordered_map<char16_t, char16_t> out;
    for (const Face* face : {&Gothic(), &Mincho()}) {
      const QRawFont raw = QRawFont::fromFont(face->Font());
      if (!raw.isValid()) continue;
      QString ideographs;
      for (char16_t u = 0x4E00; u <= 0x9FFF; ++u) ideographs += QChar(u);
      QString radicals;
      for (char16_t r = 0x2E80; r <= 0x2FDF; ++r) radicals += QChar(r);
      const QList<quint32> ig = raw.glyphIndexesForString(ideographs);
      const QList<quint32> rg = raw.glyphIndexesForString(radicals);
      std::unordered_map<quint32, char16_t> byGlyph;
      for (qsizetype i = 0; i < ig.size(); ++i) {
        if (ig[i] != 0) byGlyph.emplace(ig[i], static_cast<char16_t>(0x4E00 + i));
      }
      for (qsizetype i = 0; i < rg.size(); ++i) {
        const auto it = rg[i] != 0 ? byGlyph.find(rg[i]) : byGlyph.end();
        if (it != byGlyph.end()) out.emplace(static_cast<char16_t>(0x2E80 + i), it->second);
      }
    }
    return out;
  }();
  return map;
}

}  // namespace

void RepairPdfTextMapping(QByteArray& pdf) {
  const auto& map = RadicalIdeographs();
  if (map.empty()) return;
  for (const QByteArray& kind : {QByteArrayLiteral("bfrange"), QByteArrayLiteral("bfchar")}) {
    qsizetype at = 0;
    while ((at = pdf.indexOf("begin" + kind, at)) >= 0) {
      const qsizetype end = pdf.indexOf("end" + kind, at);
      if (end < 0) break;
      // Each <XXXX> code of the section; a replacement keeps the length, so the file's offsets hold.
      for (qsizetype i = at; i + 5 < end; ++i) {
        if (pdf[i] != '<' || pdf[i + 5] != '>') continue;
        bool ok = false;
        const uint code = QByteArray(pdf.constData() + i + 1, 4).toUInt(&ok, 16);
        if (!ok) continue;
        const auto it = map.find(static_cast<char16_t>(code));
        if (it == map.end()) continue;
        const QByteArray hex = QByteArray::number(static_cast<uint>(it->second), 16).toUpper().rightJustified(4, '0');
        pdf.replace(i + 1, 4, hex);
      }
      at = end;
    }
  }
}

CFormRenderer::CFormRenderer(FormLayout layout, std::vector<const records::CKokyaku*> customers, HistoryArrays histories,
                             SenderTexts sender, RenderOptions options)
    : layout_(std::move(layout)),
      customers_(std::move(customers)),
      histories_(std::move(histories)),
      sender_(std::move(sender)),
      options_(std::move(options)),
      plan_(layout_, static_cast<int>(customers_.size()), options_.firstPiece, [this] {
        std::vector<int> counts;
        for (const auto& h : histories_) counts.push_back(static_cast<int>(h.size()));
        return counts;
      }()) {}

void CFormRenderer::PaintPage(QPainter& p, int page) const {
  if (page < 0 || page >= PageCount()) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(QPen(Qt::black, kHairline));
  p.translate(options_.offsetX, options_.offsetY);
  const auto& placed = plan_.Page(page);
  // Pieces with no customer on a page that has customers stay blank (the rest of a label sheet).
  const bool anyCustomer = std::any_of(placed.begin(), placed.end(), [](const PlacedPiece& x) { return x.customer >= 0; });
  if (options_.preview && layout_.sheet.Pieces() > 1) {
    p.save();
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0.2));
    for (int i = 0; i < layout_.sheet.Pieces(); ++i) {
      const RectMm r = layout_.sheet.Piece(i);
      p.drawRoundedRect(QRectF(r.x, r.y, r.w, r.h), layout_.sheet.r, layout_.sheet.r);
    }
    p.restore();
  }
  if (layout_.genre == lumaro::CLayoutInfo::kGenreCustomerList && layout_.sheet.y0 >= 6) {
    // Column captions above the first row.
    const RectMm first = layout_.sheet.Piece(0);
    for (const FormField& f : layout_.fields) {
      const RectMm box{first.x + f.box.x, first.y - 5.5, f.box.w, 4.5};
      const std::string caption = ColumnCaption(f.name);
      const double em = std::min(f.pt * kMmPerPoint, 3.2);
      DrawFitted(p, GothicBold(), FitText(caption, box.w, box.h, em, em * 0.7, GothicBold().Measurer(), Breaking::Address),
                 box, Align::Left);
    }
    p.drawLine(QPointF(first.x, first.y - 0.6), QPointF(first.x + layout_.sheet.w, first.y - 0.6));
  }
  for (const PlacedPiece& piece : placed) {
    if (anyCustomer && piece.customer < 0) continue;
    PaintPiece(p, layout_.sheet.Piece(piece.piece), piece);
  }
  p.restore();
}

void CFormRenderer::PaintPiece(QPainter& p, const RectMm& piece, const PlacedPiece& placed) const {
  const records::CKokyaku* k = placed.customer >= 0 ? customers_[static_cast<std::size_t>(placed.customer)] : nullptr;
  for (const FormField& f : layout_.fields) PaintField(p, f, k, placed);
  if (layout_.genre == lumaro::CLayoutInfo::kGenreCustomerList) {
    p.save();
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 0.1));
    p.drawLine(QPointF(piece.x, piece.Bottom() - 0.05), QPointF(piece.Right(), piece.Bottom() - 0.05));
    p.restore();
  }
  (void)piece;
}

void CFormRenderer::PaintField(QPainter& p, const FormField& f, const records::CKokyaku* k,
                               const PlacedPiece& placed) const {
  const RectMm piece = layout_.sheet.Piece(placed.piece);
  const RectMm box = Offset(f.box, piece);
  const double maxEm = f.pt * kMmPerPoint;
  const bool list = layout_.genre == lumaro::CLayoutInfo::kGenreCustomerList ||
                    layout_.genre == lumaro::CLayoutInfo::kGenreCardHistory ||
                    layout_.genre == lumaro::CLayoutInfo::kGenreNoCustomer;
  const Face& face = list ? Gothic() : Mincho();

  if (f.name == "Calibration") {
    // Crosses 20 mm in from the edges, and what to measure.
    p.save();
    p.setPen(QPen(Qt::black, 0.2));
    for (const QPointF c : {QPointF(20, 20), QPointF(box.Right() - 20, 20), QPointF(20, box.Bottom() - 20),
                            QPointF(box.Right() - 20, box.Bottom() - 20)}) {
      p.drawLine(c - QPointF(8, 0), c + QPointF(8, 0));
      p.drawLine(c - QPointF(0, 8), c + QPointF(0, 8));
      p.drawEllipse(c, 3, 3);
    }
    p.restore();
    const RectMm text{30, 120, box.w - 60, 40};
    DrawFitted(p, Gothic(),
               FitText("印刷位置の調整用紙\n十字の中心は、用紙の左端・上端（右の十字は右端、下の十字は下端）から20mmの位置です。"
                       "\nずれた距離を定規で測り、「印刷位置の調整」に入力してください。",
                       text.w, text.h, 4.0, 3.0, Gothic().Measurer(), Breaking::Paragraph),
               text, Align::Left);
    return;
  }
  if (f.name == "ZipBoxes" || f.name == "Sender.ZipBoxes") {
    const std::string digits = f.name == "ZipBoxes" ? (k ? ZipDigits(*k) : std::string())
                                                    : Digits(sender_.Get("ZIPHIFN"));
    DrawZipBoxes(p, box, digits, maxEm, layout_.zipBoxes == 2 || (options_.preview && layout_.zipBoxes == 1));
    return;
  }
  if (f.name.starts_with("Rireki.")) {
    // A history column: its caption, then one entry a row.
    const double em = maxEm;
    const double pitch = em * kLinePitch;
    const RectMm caption{box.x, box.y, box.w, em};
    DrawFitted(p, GothicBold(), FitText(ColumnCaption(f.name), box.w, em, em, em * 0.7, GothicBold().Measurer(), Breaking::Address),
               caption, f.align);
    p.drawLine(QPointF(box.x, box.y + em + 0.3 * em * (kLinePitch - 1) + 0.1), QPointF(box.Right(), box.y + em + 0.3 * em * (kLinePitch - 1) + 0.1));
    if (placed.customer < 0 || static_cast<std::size_t>(placed.customer) >= histories_.size()) return;
    const auto& entries = histories_[static_cast<std::size_t>(placed.customer)];
    const int rows = plan_.HistoryRows();
    for (int r = 0; r < rows; ++r) {
      const std::size_t index = static_cast<std::size_t>(placed.historyFirst + r);
      if (index >= entries.size() || !entries[index]) break;
      std::string text = HistoryText(f.name, *entries[index]);
      const RectMm cell{box.x, box.y + (r + 1) * pitch, box.w, em};
      double cem = em;
      while (cem > MinimumEm(em) && face.Width(text) * cem > box.w) cem -= 0.05;
      if (face.Width(text) * cem > box.w) {
        // Cut the detail short with an ellipsis rather than leave its column.
        QString s = Q(text);
        while (!s.isEmpty() && face.Width((s + "…").toStdString()) * cem > box.w) s.chop(1);
        text = (s + "…").toStdString();
      }
      FittedText fit;
      fit.em = cem;
      fit.lines = {text};
      DrawFitted(p, face, fit, cell, f.align);
    }
    return;
  }
  if (f.name.starts_with("Entry.")) {
    // Boxes the person fills in by hand (forms without customer data).
    p.save();
    p.setPen(QPen(Qt::black, 0.2));
    const double em = std::min(maxEm, box.h * 0.7);
    const std::string what = f.name.substr(6);
    if (what == "Items") {
      const double row = std::max(7.0, em * 2);
      const double cols[] = {0, 0.5, 0.62, 0.78, 1.0};
      const char* heads[] = {"品名", "数量", "単価", "金額"};
      const int rows = static_cast<int>(box.h / row);
      for (int r = 0; r <= rows; ++r) p.drawLine(QPointF(box.x, box.y + r * row), QPointF(box.Right(), box.y + r * row));
      for (double c : cols) p.drawLine(QPointF(box.x + c * box.w, box.y), QPointF(box.x + c * box.w, box.y + rows * row));
      for (int c = 0; c < 4; ++c) {
        const RectMm head{box.x + cols[c] * box.w, box.y, (cols[c + 1] - cols[c]) * box.w, row};
        FittedText fit;
        fit.em = em;
        fit.lines = {heads[c]};
        DrawFitted(p, GothicBold(), fit, head, Align::Centre);
      }
      const std::string tax = sender_.Get("TAX");
      const std::string foot[] = {"小計", tax.empty() ? "消費税" : "消費税（" + tax + "%）", "合計"};
      for (int i = 0; i < 3 && rows > 4; ++i) {
        const RectMm cell{box.x + cols[2] * box.w, box.y + (rows - 3 + i) * row, (cols[3] - cols[2]) * box.w, row};
        FittedText fit;
        fit.em = em;
        fit.lines = {foot[i]};
        DrawFitted(p, Gothic(), fit, cell, Align::Centre);
      }
    } else if (what == "Note" || what == "Body") {
      p.drawRect(QRectF(box.x, box.y, box.w, box.h));
      FittedText fit;
      fit.em = std::min(em, 3.5);
      fit.lines = {what == "Note" ? "備考" : "通信欄"};
      DrawFitted(p, Gothic(), fit, {box.x + 1.5, box.y + 1, box.w - 3, fit.em}, Align::Left);
    } else {
      static const std::pair<const char*, std::pair<const char*, const char*>> kEntries[] = {
          {"Recipient", {"", "御中"}},
          {"Date", {"", "年　　月　　日"}},
          {"Number", {"No.", ""}},
          {"Subject", {"件名：", ""}},
          {"Total", {"合計金額", "円"}},
          {"Pages", {"送信枚数：", "枚（本紙を含む）"}},
      };
      std::string before, after;
      for (const auto& [key, texts] : kEntries) {
        if (what == key) {
          before = texts.first;
          after = texts.second;
        }
      }
      FittedText fit;
      fit.em = em;
      fit.lines = {before};
      DrawFitted(p, face, fit, box, Align::Left);
      fit.lines = {after};
      DrawFitted(p, face, fit, box, Align::Right);
      if (what != "Date") p.drawLine(QPointF(box.x, box.Bottom()), QPointF(box.Right(), box.Bottom()));
    }
    p.restore();
    return;
  }
  if (f.name == "Addressee" && k) {
    const Addressee a = AddresseeOf(*k, options_.jointColumn);
    if (f.vertical) {
      for (const PlacedGlyph& g : SetVerticalAddressee({a.companyLines, a.name, a.joint, a.honorific}, box.x, box.y,
                                                       box.w, box.h, maxEm)) {
        DrawGlyph(p, face, g);
      }
      return;
    }
    // Horizontal: company lines smaller above the name; the joint name under the given name.
    const std::string nameLine = a.name + "　" + a.honorific;
    const std::string familyPart = a.name.find_first_of(" ") != std::string::npos
                                       ? a.name.substr(0, a.name.find(' ') + 1)
                                       : (a.name.find("　") != std::string::npos ? a.name.substr(0, a.name.find("　") + 3) : "");
    const std::string jointLine = a.joint.empty() ? std::string() : a.joint + "　" + a.honorific;
    const double small = 0.72;
    const std::size_t nameLines = jointLine.empty() ? 1 : 2;
    for (double em = maxEm; em >= MinimumEm(maxEm) * 0.6; em -= 0.05) {
      double height = 0, widest = 0;
      for (const auto& c : a.companyLines) {
        height += em * small * kLinePitch;
        widest = std::max(widest, face.Width(c) * em * small);
      }
      height += em * (1 + (nameLines - 1) * kLinePitch);
      widest = std::max({widest, face.Width(nameLine) * em, (face.Width(familyPart) + face.Width(jointLine)) * em});
      if (height > box.h || widest > box.w) continue;
      double top = box.y + (box.h - height) / 2;
      for (const auto& c : a.companyLines) {
        DrawLine(p, face, c, box.x, top, em * small);
        top += em * small * kLinePitch;
      }
      const double nameX = f.align == Align::Centre ? box.x + (box.w - face.Width(nameLine) * em) / 2 : box.x;
      DrawLine(p, face, nameLine, nameX, top, em);
      if (!jointLine.empty()) DrawLine(p, face, jointLine, nameX + face.Width(familyPart) * em, top + em * kLinePitch, em);
      return;
    }
    DrawFitted(p, face, FitText(AddresseeText(a), box.w, box.h, maxEm, MinimumEm(maxEm), face.Measurer(), Breaking::Address),
               box, f.align);
    return;
  }
  std::string text = FieldText(f.name, k, sender_, layout_.freeText);
  if (f.name == "Sender.ZIPHIFN" && !text.empty() && !f.vertical) text = "〒" + text;
  if (text.empty() && layout_.genre != lumaro::CLayoutInfo::kGenreCardHistory) return;
  const bool paragraph = f.name == "FreeText";
  if (f.vertical) {
    const std::string vertical = ToVerticalText(text);
    const Measure cells = [](std::string_view s) { return static_cast<double>(VerticalCells(s).size()); };
    const FittedText fit = FitText(vertical, box.h, box.w, maxEm, MinimumEm(maxEm), cells, Breaking::Address);
    for (const PlacedGlyph& g : SetVertical(fit.lines, box.x, box.y, box.w, box.h, fit.em, f.align == Align::Centre)) {
      DrawGlyph(p, face, g);
    }
    return;
  }
  RectMm area = box;
  if (layout_.genre == lumaro::CLayoutInfo::kGenreCardHistory && !paragraph && !f.name.starts_with("Sender.")) {
    // A card names each of its fields: a small caption, the value after it.
    const std::string caption = ColumnCaption(f.name);
    const double cem = std::min(maxEm * 0.75, 3.0);
    p.save();
    p.setPen(QColor(0x60, 0x60, 0x60));
    DrawLine(p, Gothic(), caption, box.x, box.y + std::max(0.0, (std::min(box.h, maxEm * kLinePitch) - cem) / 2), cem);
    p.restore();
    const double used = std::max(Gothic().Width(caption) * cem + 2.0, 16.0);
    area = {box.x + used, box.y, std::max(1.0, box.w - used), box.h};
    p.save();
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 0.1));
    p.drawLine(QPointF(box.x, box.Bottom()), QPointF(box.Right(), box.Bottom()));
    p.restore();
  }
  DrawFitted(p, face,
             FitText(text, area.w, area.h, maxEm, MinimumEm(maxEm), face.Measurer(),
                     paragraph ? Breaking::Paragraph : Breaking::Address),
             area, f.align);
}

void BeginMillimetres(QPainter& painter, const QPaintDevice& device) {
  const double dpmmX = device.logicalDpiX() / 25.4, dpmmY = device.logicalDpiY() / 25.4;
  painter.scale(dpmmX, dpmmY);
}

QImage RenderPageImage(const CFormRenderer& renderer, int page, double dpi) {
  const QSizeF mm = renderer.PageSizeMm();
  const QSize px(static_cast<int>(std::lround(mm.width() * dpi / 25.4)), static_cast<int>(std::lround(mm.height() * dpi / 25.4)));
  QImage image(px, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(dpi / 25.4, dpi / 25.4);
  renderer.PaintPage(painter, page);
  return image;
}

bool PaintAllPages(const CFormRenderer& renderer, QPagedPaintDevice& device, const std::function<bool(int)>& progress) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // The painter starts at the printable area's corner; full-page devices put it at the paper's.
  BeginMillimetres(painter, device);
  for (int page = 0; page < renderer.PageCount(); ++page) {
    if (progress && !progress(page)) {
      painter.end();
      return false;
    }
    if (page > 0) device.newPage();
    renderer.PaintPage(painter, page);
  }
  return painter.end();
}

bool WritePdf(const CFormRenderer& renderer, const QString& file, const std::function<bool(int)>& progress,
              QString* error) {
  const QString partial = file + ".part";
  bool done = false, stopped = false;
  {
    QPdfWriter writer(partial);
    writer.setCreator(QStringLiteral("顧客ソレル"));
    writer.setTitle(Q(renderer.Layout().title));
    writer.setResolution(600);
    const QSizeF mm = renderer.PageSizeMm();
    writer.setPageLayout(QPageLayout(QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    stopped = false;
    done = PaintAllPages(renderer, writer, [&](int page) {
      if (!progress || progress(page)) return true;
      stopped = true;
      return false;
    });
  }
  QFile out(partial);
  if (done && out.open(QIODevice::ReadWrite)) {
    QByteArray bytes = out.readAll();
    RepairPdfTextMapping(bytes);
    out.seek(0);
    done = out.write(bytes) == bytes.size() && out.flush();
    out.close();
  }
  if (!done || out.size() == 0) {
    out.remove();
    if (error) *error = stopped ? QString() : QStringLiteral("PDFを書き込めません");
    return false;
  }
  QFile::remove(file);
  if (!out.rename(file)) {
    out.remove();
    if (error) *error = QStringLiteral("PDFを書き込めません");
    return false;
  }
  return true;
}

}  // namespace printing
