#pragma once
// "項目の対応付け", rendering io::CImportMappingDlg: customer columns on the left, the file's columns
// with their first values on the right, the rule of the chosen column below.

#include "io/CImportMappingDlg.h"
#include "ui/qt/ModelDialog.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QTreeWidget;

namespace io {

class ImportMappingDlgWidget : public ui::ModelDialog {
 public:
  ImportMappingDlgWidget(CImportMappingDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CImportMappingDlg& model_;
  QListWidget* available_;
  QTreeWidget* lines_;
  QLabel* note_;
  QCheckBox* fromFirstRow_;
};

}  // namespace io
