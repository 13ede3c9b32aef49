#pragma once
// "ﾃｰﾌﾞﾙの選択" and "シートの選択", rendering io::CImportPickDlg.

#include "io/CImportPickDlg.h"
#include "ui/qt/ModelDialog.h"

class QListWidget;

namespace io {

class ImportPickDlgWidget : public ui::ModelDialog {
 public:
  ImportPickDlgWidget(CImportPickDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CImportPickDlg& model_;
  QListWidget* items_;
};

}  // namespace io
