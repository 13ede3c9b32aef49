#pragma once
// The import's radio-button choices ("データの取り込み", "XMLファイルの指定", "ミルテデータの取り込み"),
// rendering io::CImportOptionDlg.

#include "io/CImportOptionDlg.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;

namespace io {

class ImportOptionDlgWidget : public ui::ModelDialog {
 public:
  ImportOptionDlgWidget(CImportOptionDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CImportOptionDlg& model_;
  QButtonGroup* options_;
};

}  // namespace io
