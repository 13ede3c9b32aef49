#pragma once
// A rendered form's pages shown one at a time, with page steps and zoom. The renderer it shows
// can be replaced (another form chosen); it never prints.

#include <QWidget>
#include <memory>

#include "printing/qt/CFormRenderer.h"

class QLabel;
class QPushButton;
class QComboBox;
class QScrollArea;

namespace printing {

class FormPreviewWidget : public QWidget {
  Q_OBJECT
 public:
  explicit FormPreviewWidget(QWidget* parent = nullptr);
  void SetRenderer(std::shared_ptr<const CFormRenderer> renderer);
  int Page() const { return page_; }
  void SetPage(int page);
  // Percent of the paper's real size on a 96 dpi screen.
  void SetZoom(int percent);
  int Zoom() const { return zoom_; }

 private:
  void Redraw();

  std::shared_ptr<const CFormRenderer> renderer_;
  int page_ = 0;
  int zoom_ = 100;
  QScrollArea* scroll_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* pageText_ = nullptr;
  QPushButton* previous_ = nullptr;
  QPushButton* next_ = nullptr;
  QComboBox* zoomBox_ = nullptr;
};

}  // namespace printing
