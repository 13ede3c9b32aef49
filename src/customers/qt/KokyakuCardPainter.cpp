#include "customers/qt/KokyakuCardPainter.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

#include "ui/qt/QtUi.h"

namespace customers {

namespace {

constexpr int kTextPixels = 12;
constexpr int kPadding = 3;
const QColor kLabelColour(0x40, 0x40, 0x40);
const QColor kValueColour(0x00, 0x00, 0x00);
const QColor kLinkColour(0x00, 0x33, 0xCC);
const QColor kBoxColour(0xFF, 0xFF, 0xFF);
const QColor kFrameColour(0xB0, 0xB0, 0xB0);

QRect ToQRect(const CardRect& r) { return {r.x, r.y, r.width, r.height}; }
QRect ValueRect(const KokyakuCardField& f) { return {f.x, f.y, f.width, f.height}; }

// Points as the card's fonts were designed, at 96 pixels to the inch, whatever the screen says.
int PointsToPixels(int points) { return points * 96 / 72; }

// The font made smaller, down to 8 pixels, until text fits width; the text elided after that.
QString Fitted(QPainter& painter, const QString& text, int width) {
  QFont font = painter.font();
  for (int pixels = font.pixelSize(); pixels > 8; --pixels) {
    if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
    font.setPixelSize(pixels - 1);
  }
  painter.setFont(font);
  return QFontMetrics(font).elidedText(text, Qt::ElideRight, width);
}

void PaintWatermark(QPainter& painter, const CardWatermark& mark) {
  if (mark.text.empty()) return;
  painter.setFont(KokyakuCardFont(PointsToPixels(mark.points), true));
  painter.setPen(kCardWatermarkColour);
  painter.drawText(ToQRect(mark.rect), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, ui::ToQString(mark.text));
}

void PaintLabel(QPainter& painter, const KokyakuCardPane& pane, const KokyakuCardField& field) {
  const QRect rect = ToQRect(KokyakuCardLabelRect(field));
  if (rect.width() <= 0) return;
  painter.setFont(KokyakuCardFont(kTextPixels));
  painter.setPen(kLabelColour);
  const Qt::Alignment align = field.label == CardLabel::Above ? Qt::AlignLeft | Qt::AlignBottom
                                                              : Qt::AlignRight | Qt::AlignVCenter;
  const QRect inner = field.label == CardLabel::Above ? rect : rect.adjusted(0, 0, -kPadding, 0);
  painter.drawText(inner, align, Fitted(painter, ui::ToQString(pane.Label(field.column)), inner.width()));
}

void PaintPicture(QPainter& painter, const KokyakuCardPane& pane, const KokyakuCardField& field,
                  const CardPictureSource& pictures) {
  const QRect frame = ValueRect(field);
  painter.setPen(kFrameColour);
  painter.setBrush(kBoxColour);
  painter.drawRect(frame.adjusted(0, 0, -1, -1));
  const int n = field.column.back() - '0';
  const std::filesystem::path file = pane.PicturePath(n);
  if (file.empty() || !pictures) return;
  const QImage image = pictures(file);
  if (image.isNull()) return;
  const QImage scaled =
      image.scaled(frame.size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  painter.drawImage(frame.x() + (frame.width() - scaled.width()) / 2, frame.y() + (frame.height() - scaled.height()) / 2,
                    scaled);
}

void PaintValue(QPainter& painter, const KokyakuCardPane& pane, const KokyakuCardField& field) {
  const QRect box = ValueRect(field).adjusted(0, 2, 0, -2);
  // A rule under the value, no filled box: the watermark stays visible behind the fields.
  painter.setPen(kFrameColour);
  painter.drawLine(box.bottomLeft(), box.bottomRight());
  const std::string text = pane.FieldText(field.column);
  if (text.empty()) return;
  QFont font = KokyakuCardFont(kTextPixels);
  const bool link = pane.IsLink(field.column);
  font.setUnderline(link);
  painter.setFont(font);
  painter.setPen(link ? kLinkColour : kValueColour);
  const QRect inner = box.adjusted(kPadding, 0, -kPadding, 0);
  // Line breaks of a multi-line note read as spaces on its one row.
  QString shown = ui::ToQString(text);
  shown.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
  painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetrics(font).elidedText(shown, Qt::ElideRight, inner.width()));
}

}  // namespace

QFont KokyakuCardFont(int pixels, bool bold) {
  QFont font = QGuiApplication::font();
  for (const char* family : {"Noto Sans Mono CJK JP", "IPAGothic"}) {
    if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
      font.setFamily(QString::fromUtf8(family));
      break;
    }
  }
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void PaintKokyakuCardPage(QPainter& painter, const KokyakuCardPane& pane, int page, const CardPictureSource& pictures) {
  painter.save();
  painter.fillRect(QRect(0, 0, kCardWidth, KokyakuCardPageHeight(page)), kCardBackground);
  PaintWatermark(painter, pane.Watermark(page));
  for (const KokyakuCardField& field : KokyakuCardFields()) {
    if (field.page != page) continue;
    PaintLabel(painter, pane, field);
    if (field.label == CardLabel::Above) {
      PaintPicture(painter, pane, field, pictures);
    } else {
      PaintValue(painter, pane, field);
    }
  }
  painter.restore();
}

const KokyakuCardField* KokyakuCardFieldAt(int page, int x, int y) {
  for (const KokyakuCardField& field : KokyakuCardFields()) {
    if (field.page == page && ValueRect(field).contains(x, y)) return &field;
  }
  return nullptr;
}

}  // namespace customers
