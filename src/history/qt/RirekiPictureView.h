#pragma once
// The picture of a history entry, scaled into a fixed frame; empty when there is none or the file
// does not read as an image.

#include <QLabel>

#include <filesystem>

namespace history {

class RirekiPictureView : public QLabel {
 public:
  explicit RirekiPictureView(QWidget* parent);
  void Show(const std::filesystem::path& file);

 private:
  std::filesystem::path shown_;
};

}  // namespace history
