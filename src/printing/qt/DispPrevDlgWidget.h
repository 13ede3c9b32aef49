#pragma once
// The view of the printing component's dialog: form choice on the left with the catalogue's
// preview picture and the print options, the customers drawn on the chosen form on the right.

#include <filesystem>

#include "printing/CDispPrevDlg.h"
#include "printing/FormText.h"
#include "ui/qt/ModelDialog.h"

class QComboBox;
class QListWidget;
class QLabel;
class QSpinBox;
class QCheckBox;
class QRadioButton;
class QLineEdit;

namespace printing {

class FormPreviewWidget;

class DispPrevDlgWidget : public ui::ModelDialog {
 public:
  DispPrevDlgWidget(CDispPrevDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  void Rebuild();

  CDispPrevDlg& model_;
  SenderTexts sender_;
  QComboBox* category_ = nullptr;
  QListWidget* forms_ = nullptr;
  QLabel* picture_ = nullptr;
  QSpinBox* firstPiece_ = nullptr;
  QComboBox* joint_ = nullptr;
  QCheckBox* history_ = nullptr;
  QRadioButton* printer_ = nullptr;
  QRadioButton* pdf_ = nullptr;
  FormPreviewWidget* preview_ = nullptr;
  int shownLayout_ = -1;
  int shownFirst_ = -1;
  int shownJoint_ = -1;
};

class PrintOffsetDlgWidget : public ui::ModelDialog {
 public:
  PrintOffsetDlgWidget(CPrintOffsetDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CPrintOffsetDlg& model_;
  QComboBox* printers_ = nullptr;
  QLineEdit* x_ = nullptr;
  QLineEdit* y_ = nullptr;
};

}  // namespace printing
