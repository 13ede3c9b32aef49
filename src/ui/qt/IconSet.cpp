#include "ui/qt/IconSet.h"

#include <QIconEngine>
#include <QPainterPath>
#include <QPixmap>

namespace ui {

namespace {

// Lines and shapes in the 24-unit grid; the painter is already scaled to it.
void Stroke(QPainter& p, const QColor& colour, qreal width = 1.8) {
  QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
}

void Person(QPainter& p, QPointF head, qreal scale) {
  p.drawEllipse(head, 3.4 * scale, 3.4 * scale);
  QPainterPath body;
  body.moveTo(head.x() - 6.5 * scale, head.y() + 11 * scale);
  body.cubicTo(head.x() - 6.5 * scale, head.y() + 5 * scale, head.x() + 6.5 * scale, head.y() + 5 * scale,
               head.x() + 6.5 * scale, head.y() + 11 * scale);
  p.drawPath(body);
}

void Envelope(QPainter& p, QRectF r) {
  p.drawRoundedRect(r, 1.2, 1.2);
  QPainterPath flap;
  flap.moveTo(r.topLeft());
  flap.lineTo(r.center().x(), r.top() + r.height() * 0.55);
  flap.lineTo(r.topRight());
  p.drawPath(flap);
}

void DrawShapes(QPainter& p, Glyph glyph, const QColor& c) {
  Stroke(p, c);
  switch (glyph) {
    case Glyph::Home: {
      QPainterPath roof;
      roof.moveTo(3, 11.5);
      roof.lineTo(12, 3.5);
      roof.lineTo(21, 11.5);
      p.drawPath(roof);
      p.drawRect(QRectF(6, 11, 12, 9.5));
      p.drawRect(QRectF(10.5, 14.5, 3, 6));
      break;
    }
    case Glyph::AddPerson:
      Person(p, {9.5, 8}, 1.0);
      p.drawLine(QPointF(19, 7), QPointF(19, 15));
      p.drawLine(QPointF(15, 11), QPointF(23, 11));
      break;
    case Glyph::Card:
      p.drawRoundedRect(QRectF(2.5, 5, 19, 14), 2, 2);
      Person(p, {8, 10}, 0.6);
      p.drawLine(QPointF(13, 10), QPointF(19, 10));
      p.drawLine(QPointF(13, 14), QPointF(17.5, 14));
      break;
    case Glyph::Print:
      p.drawRect(QRectF(7, 3, 10, 5.5));
      p.drawRoundedRect(QRectF(3, 8.5, 18, 8.5), 1.5, 1.5);
      p.drawRect(QRectF(7, 14, 10, 7));
      p.drawLine(QPointF(9, 17), QPointF(15, 17));
      break;
    case Glyph::Mail:
      Envelope(p, QRectF(3, 6, 18, 12.5));
      break;
    case Glyph::Filter: {
      QPainterPath funnel;
      funnel.moveTo(3, 4.5);
      funnel.lineTo(21, 4.5);
      funnel.lineTo(14, 12.5);
      funnel.lineTo(14, 19.5);
      funnel.lineTo(10, 21);
      funnel.lineTo(10, 12.5);
      funnel.closeSubpath();
      p.drawPath(funnel);
      break;
    }
    case Glyph::Rainbow: {
      // Seven colours, whatever the pen: the analysis is named after them.
      const QColor colours[] = {QColor(0xd6, 0x45, 0x45), QColor(0xe8, 0x8a, 0x2e), QColor(0xe6, 0xc2, 0x2e),
                                QColor(0x4c, 0xa6, 0x4c), QColor(0x3d, 0x8f, 0xc4), QColor(0x3a, 0x55, 0xa8),
                                QColor(0x84, 0x4c, 0xa8)};
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 7; ++i) {
        const qreal h = 5 + (i % 4) * 3.5;
        p.setBrush(c.alpha() < 255 ? QColor(c) : colours[i]);
        p.drawRoundedRect(QRectF(2.5 + i * 2.8, 21 - h, 2.3, h), 0.6, 0.6);
      }
      break;
    }
    case Glyph::DM:
      Envelope(p, QRectF(2.5, 8, 14, 10));
      p.drawLine(QPointF(15, 5), QPointF(21.5, 5));
      p.drawLine(QPointF(18.5, 2), QPointF(21.5, 5));
      p.drawLine(QPointF(18.5, 8), QPointF(21.5, 5));
      break;
    case Glyph::Help: {
      p.drawEllipse(QPointF(12, 12), 9, 9);
      QPainterPath q;
      q.moveTo(9, 9.5);
      q.cubicTo(9, 6, 15, 6, 15, 9.5);
      q.cubicTo(15, 12, 12, 12, 12, 14.5);
      p.drawPath(q);
      p.drawPoint(QPointF(12, 17.5));
      break;
    }
    case Glyph::Exit:
      p.drawArc(QRectF(4, 4.5, 16, 16), 120 * 16, 300 * 16);
      p.drawLine(QPointF(12, 2.5), QPointF(12, 11));
      break;
    case Glyph::List:
      for (int i = 0; i < 4; ++i) {
        p.drawPoint(QPointF(4.5, 5.5 + i * 4.5));
        p.drawLine(QPointF(8, 5.5 + i * 4.5), QPointF(20.5, 5.5 + i * 4.5));
      }
      break;
    case Glyph::History:
      p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
      p.drawLine(QPointF(12, 12), QPointF(12, 6.5));
      p.drawLine(QPointF(12, 12), QPointF(16, 14.5));
      break;
    case Glyph::Settings: {
      p.drawEllipse(QPointF(12, 12), 3, 3);
      QPainterPath gear;
      for (int i = 0; i < 8; ++i) {
        QTransform t;
        t.translate(12, 12);
        t.rotate(i * 45);
        gear.addPolygon(t.map(QPolygonF({QPointF(-1.6, -9), QPointF(1.6, -9), QPointF(2, -6.5), QPointF(-2, -6.5)})));
      }
      p.drawPath(gear);
      p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
      break;
    }
    case Glyph::Tools: {
      QPainterPath wrench;
      wrench.moveTo(5, 19);
      wrench.lineTo(13, 11);
      p.drawPath(wrench);
      p.drawArc(QRectF(11.5, 3.5, 9, 9), -60 * 16, 270 * 16);
      break;
    }
  }
}

class GlyphEngine : public QIconEngine {
 public:
  explicit GlyphEngine(Glyph glyph) : glyph_(glyph) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const bool enabled = mode != QIcon::Disabled;
    DrawGlyph(*painter, glyph_, rect, enabled ? QColor(0x24, 0x4a, 0x73) : QColor(0x9a, 0xa4, 0xae), enabled);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter painter(&pm);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pm;
  }
  QIconEngine* clone() const override { return new GlyphEngine(glyph_); }

 private:
  Glyph glyph_;
};

}  // namespace

void DrawGlyph(QPainter& painter, Glyph glyph, const QRectF& rect, const QColor& colour, bool enabled) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal side = std::min(rect.width(), rect.height());
  painter.translate(rect.center().x() - side / 2, rect.center().y() - side / 2);
  painter.scale(side / 24.0, side / 24.0);
  QColor c = colour;
  if (!enabled) c.setAlpha(110);
  DrawShapes(painter, glyph, c);
  painter.restore();
}

QIcon GlyphIcon(Glyph glyph) { return QIcon(new GlyphEngine(glyph)); }

}  // namespace ui
