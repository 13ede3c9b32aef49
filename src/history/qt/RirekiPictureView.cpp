#include "history/qt/RirekiPictureView.h"

#include <QImageReader>
#include <QPixmap>

namespace history {

namespace {
constexpr int kWidth = 180, kHeight = 135;
}

RirekiPictureView::RirekiPictureView(QWidget* parent) : QLabel(parent) {
  setFixedSize(kWidth, kHeight);
  setAlignment(Qt::AlignCenter);
  setFrameShape(QFrame::StyledPanel);
  setAccessibleName(QString::fromUtf8("画像"));
}

void RirekiPictureView::Show(const std::filesystem::path& file) {
  if (file == shown_ && !file.empty()) return;
  shown_ = file;
  clear();
  if (file.empty()) return;
  QImageReader reader(QString::fromStdString(file.string()));
  reader.setAutoTransform(true);
  const QImage image = reader.read();
  if (image.isNull()) return;
  setPixmap(QPixmap::fromImage(image.scaled(contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace history
