#include "customers/qt/PicturePreview.h"

#include <QImageReader>
#include <QPixmap>

namespace customers {

namespace {
constexpr int kWidth = 120, kHeight = 90;
// What one decoded picture may take, in bytes (Qt's reader refuses more than its own limit too).
constexpr qint64 kMaxPictureBytes = 256ll * 1024 * 1024;
}  // namespace

PicturePreview::PicturePreview(QWidget* parent) : QLabel(parent) {
  setFixedSize(kWidth, kHeight);
  setAlignment(Qt::AlignCenter);
  setFrameShape(QFrame::StyledPanel);
}

PicturePreview::Result PicturePreview::Show(const std::filesystem::path& file) {
  if (file == shown_ && !file.empty()) return pixmap().isNull() ? Result::Empty : Result::Shown;
  shown_ = file;
  clear();
  if (file.empty()) return Result::Empty;
  QImageReader reader(QString::fromStdString(file.string()));
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid() && qint64(size.width()) * size.height() * 4 > kMaxPictureBytes) return Result::TooLarge;
  const QImage image = reader.read();
  if (image.isNull()) return Result::Empty;
  setPixmap(QPixmap::fromImage(image.scaled(contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  return Result::Shown;
}

}  // namespace customers
