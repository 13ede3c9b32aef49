#include "ui/qt/ScreenFit.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace ui {

namespace {

// A field page never squeezes below a few rows of fields.
constexpr int kMinimumPageHeight = 160;

class FieldScrollArea : public QScrollArea {
 public:
  explicit FieldScrollArea(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
      if (now && widget() && widget()->isAncestorOf(now)) ensureWidgetVisible(now);
    });
  }

  QSize sizeHint() const override {
    if (!widget()) return QScrollArea::sizeHint();
    return widget()->sizeHint() + QSize(ScrollBarExtent(), 0);
  }
  QSize minimumSizeHint() const override {
    if (!widget()) return QScrollArea::minimumSizeHint();
    const QSize page = widget()->minimumSizeHint();
    return {page.width() + ScrollBarExtent(), std::min(page.height(), kMinimumPageHeight)};
  }

 private:
  // Room for the vertical scroll bar, so that it never covers the fields' right edge.
  int ScrollBarExtent() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this); }
};

}  // namespace

QScrollArea* ScrollPage(QWidget* page, QWidget* parent) {
  auto* area = new FieldScrollArea(parent);
  area->setWidget(page);
  return area;
}

void FitToScreen(QWidget* window) {
  QSize size = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
  size = size.expandedTo(window->minimumSizeHint());
  if (const QScreen* screen = window->screen()) size = size.boundedTo(screen->availableGeometry().size() - kWindowFrame);
  window->resize(size);
}

}  // namespace ui
