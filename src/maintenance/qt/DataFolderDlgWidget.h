#pragma once
// "データベース保存先の設定", rendering maintenance::CDataFolderDlg.

#include "maintenance/CDataFolderDlg.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;
class QLineEdit;

namespace maintenance {

class DataFolderDlgWidget : public ui::ModelDialog {
 public:
  DataFolderDlgWidget(CDataFolderDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  void Store();

  CDataFolderDlg& model_;
  QLineEdit* folder_;
  QButtonGroup* choices_;
};

}  // namespace maintenance
