#pragma once
// The form program's window: one form blank (the own-company fields filled) in a preview, with
// print, PDF and close.

#include <QWidget>
#include <memory>

#include "printing/qt/CFormRenderer.h"

namespace printing {

class FormPreviewWidget;

class FormPreviewWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FormPreviewWindow(std::shared_ptr<const CFormRenderer> renderer, QWidget* parent = nullptr);

 private:
  void Print();
  void SavePdf();

  std::shared_ptr<const CFormRenderer> renderer_;
  FormPreviewWidget* preview_ = nullptr;
};

// A failure before the window opens (no layout), told in a message box.
void ShowQuilletFailure(const QString& text);

}  // namespace printing
