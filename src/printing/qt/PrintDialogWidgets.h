#pragma once
// The views of the small printing dialogs: where a form's customers come from, the original
// forms with their rename and delete, and the new name of an original form.

#include "printing/COriginalFormDlg.h"
#include "printing/CPrintSourceDlg.h"
#include "ui/qt/ModelDialog.h"

class QListWidget;
class QPushButton;
class QLineEdit;
class QRadioButton;

namespace printing {

class PrintSourceDlgWidget : public ui::ModelDialog {
 public:
  PrintSourceDlgWidget(CPrintSourceDlg& model, QWidget* parent);

 private:
  CPrintSourceDlg& model_;
};

class OriginalFormDlgWidget : public ui::ModelDialog {
 public:
  OriginalFormDlgWidget(COriginalFormDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  COriginalFormDlg& model_;
  QListWidget* list_ = nullptr;
  QPushButton* rename_ = nullptr;
  QPushButton* delete_ = nullptr;
};

class OriginalNameDlgWidget : public ui::ModelDialog {
 public:
  OriginalNameDlgWidget(COriginalNameDlg& model, QWidget* parent);

 private:
  COriginalNameDlg& model_;
  QLineEdit* name_ = nullptr;
};

}  // namespace printing
