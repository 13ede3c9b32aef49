#include "app/qt/MenuCursor.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {

QCursor MenuCursor() {
  static const QCursor cursor = [] {
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pm(QSize(24, 24) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.moveTo(8, 1.5);
    hand.cubicTo(9.8, 1.5, 9.8, 3, 9.8, 3);
    hand.lineTo(9.8, 10);
    hand.lineTo(17.5, 11.5);
    hand.cubicTo(19.5, 12, 19.5, 13.5, 19.3, 15);
    hand.lineTo(18, 21.5);
    hand.lineTo(9, 21.5);
    hand.lineTo(3.5, 15);
    hand.cubicTo(2.5, 13.5, 4, 12, 5.5, 13);
    hand.lineTo(6.2, 13.8);
    hand.lineTo(6.2, 3);
    hand.cubicTo(6.2, 3, 6.2, 1.5, 8, 1.5);
    p.setPen(QPen(QColor(0x1d, 0x38, 0x57), 1.4));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(QColor(0xd9, 0x82, 0x2b), 1.2));
    p.drawLine(QPointF(12, 12), QPointF(12, 17));
    p.drawLine(QPointF(15, 12.8), QPointF(15, 17));
    return QCursor(pm, 8, 2);
  }();
  return cursor;
}

}  // namespace app
