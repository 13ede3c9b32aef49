#include "customers/qt/KokyakuCardSheet.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <string>

#include "customers/qt/KokyakuCardPainter.h"
#include "ui/qt/QtUi.h"

namespace customers {

// The page itself, at its fixed size inside the scroll area.
class KokyakuCardSheet::Canvas : public QWidget {
 public:
  Canvas(KokyakuCardSheet& sheet, QWidget* parent) : QWidget(parent), sheet_(sheet) {
    setMouseTracking(true);
    setAccessibleName(QString::fromUtf8("詳細カード"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintKokyakuCardPage(painter, sheet_.pane_, sheet_.page_,
                         [this](const std::filesystem::path& file) { return sheet_.Picture(file); });
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const KokyakuCardField* field = FieldAt(event->position().toPoint());
    const bool link = field && sheet_.pane_.IsLink(field->column);
    setCursor(link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setToolTip(field ? ui::ToQString(sheet_.pane_.FieldText(field->column)) : QString());
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    if (const KokyakuCardField* field = FieldAt(event->position().toPoint())) {
      sheet_.pane_.OnLinkClicked(field->column);
    }
  }

 private:
  const KokyakuCardField* FieldAt(QPoint p) const { return KokyakuCardFieldAt(sheet_.page_, p.x(), p.y()); }
  KokyakuCardSheet& sheet_;
};

KokyakuCardSheet::KokyakuCardSheet(KokyakuCardPane& pane, QWidget* parent)
    : QScrollArea(parent), pane_(pane), canvas_(new Canvas(*this, this)) {
  setAccessibleName(QString::fromUtf8("詳細"));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFrameShape(QFrame::StyledPanel);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kCardBackground);
  setPalette(palette);
  setBackgroundRole(QPalette::Window);
  setWidget(canvas_);
  ShowPage(1);
}

void KokyakuCardSheet::ShowPage(int page) {
  page_ = page;
  pictures_.clear();
  canvas_->setFixedSize(kCardWidth, KokyakuCardPageHeight(page));
  canvas_->update();
}

QImage KokyakuCardSheet::Picture(const std::filesystem::path& file) {
  const auto found = pictures_.find(file);
  if (found != pictures_.end()) return found->second;
  QImageReader reader(QString::fromStdString(file.string()));
  reader.setAutoTransform(true);
  return pictures_[file] = reader.read();
}

}  // namespace customers
