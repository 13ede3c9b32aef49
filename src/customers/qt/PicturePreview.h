#pragma once
// A customer picture scaled into a fixed frame, read by Qt's image readers (JPEG and BMP). Empty
// when there is none or the file does not read as an image.

#include <QLabel>

#include <filesystem>

namespace customers {

class PicturePreview : public QLabel {
 public:
  explicit PicturePreview(QWidget* parent);
  enum class Result { Shown, Empty, TooLarge };
  // TooLarge: the picture would need more memory than a picture may take.
  Result Show(const std::filesystem::path& file);

 private:
  std::filesystem::path shown_;
};

}  // namespace customers
