#include "printing/qt/FormPreviewWidget.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace printing {

namespace {
constexpr int kZooms[] = {50, 75, 100, 150, 200};
}

FormPreviewWidget::FormPreviewWidget(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QHBoxLayout;
  previous_ = new QPushButton(QStringLiteral("前のページ"), this);
  next_ = new QPushButton(QStringLiteral("次のページ"), this);
  previous_->setAccessibleName(previous_->text());
  next_->setAccessibleName(next_->text());
  pageText_ = new QLabel(this);
  zoomBox_ = new QComboBox(this);
  zoomBox_->setAccessibleName(QStringLiteral("表示倍率"));
  for (int z : kZooms) zoomBox_->addItem(QStringLiteral("%1%").arg(z), z);
  zoomBox_->setCurrentIndex(2);
  auto* zoomLabel = new QLabel(QStringLiteral("表示倍率(&Z):"), this);
  zoomLabel->setBuddy(zoomBox_);
  bar->addWidget(previous_);
  bar->addWidget(next_);
  bar->addWidget(pageText_);
  bar->addStretch();
  bar->addWidget(zoomLabel);
  bar->addWidget(zoomBox_);
  layout->addLayout(bar);
  scroll_ = new QScrollArea(this);
  scroll_->setAlignment(Qt::AlignCenter);
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->setAccessibleName(QStringLiteral("プレビュー"));
  picture_ = new QLabel;
  picture_->setAccessibleName(QStringLiteral("プレビュー"));
  scroll_->setWidget(picture_);
  layout->addWidget(scroll_, 1);
  connect(previous_, &QPushButton::clicked, this, [this] { SetPage(page_ - 1); });
  connect(next_, &QPushButton::clicked, this, [this] { SetPage(page_ + 1); });
  connect(zoomBox_, &QComboBox::currentIndexChanged, this, [this](int i) { SetZoom(zoomBox_->itemData(i).toInt()); });
  Redraw();
}

void FormPreviewWidget::SetRenderer(std::shared_ptr<const CFormRenderer> renderer) {
  renderer_ = std::move(renderer);
  page_ = 0;
  Redraw();
}

void FormPreviewWidget::SetPage(int page) {
  if (!renderer_) return;
  page_ = std::clamp(page, 0, std::max(0, renderer_->PageCount() - 1));
  Redraw();
}

void FormPreviewWidget::SetZoom(int percent) {
  zoom_ = std::clamp(percent, 25, 400);
  for (int i = 0; i < zoomBox_->count(); ++i) {
    if (zoomBox_->itemData(i).toInt() == zoom_ && zoomBox_->currentIndex() != i) zoomBox_->setCurrentIndex(i);
  }
  Redraw();
}

void FormPreviewWidget::Redraw() {
  const int pages = renderer_ ? renderer_->PageCount() : 0;
  previous_->setEnabled(page_ > 0);
  next_->setEnabled(page_ + 1 < pages);
  pageText_->setText(pages ? QStringLiteral("%1 / %2 ページ").arg(page_ + 1).arg(pages) : QString());
  if (!renderer_) {
    picture_->setPixmap(QPixmap());
    picture_->resize(1, 1);
    return;
  }
  const double ratio = devicePixelRatioF();
  const double dpi = 96.0 * zoom_ / 100.0 * ratio;
  QImage image = RenderPageImage(*renderer_, page_, dpi);
  {
    QPainter frame(&image);
    frame.setPen(QColor(0x80, 0x80, 0x80));
    frame.drawRect(image.rect().adjusted(0, 0, -1, -1));
  }
  image.setDevicePixelRatio(ratio);
  picture_->setPixmap(QPixmap::fromImage(image));
  picture_->resize(picture_->pixmap().deviceIndependentSize().toSize());
}

}  // namespace printing
