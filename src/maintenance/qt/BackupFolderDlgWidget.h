#pragma once
// "データのバックアップフォルダを指定", rendering maintenance::CBackupFolderDlg.

#include "maintenance/CBackupFolderDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;

namespace maintenance {

class BackupFolderDlgWidget : public ui::ModelDialog {
 public:
  BackupFolderDlgWidget(CBackupFolderDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CBackupFolderDlg& model_;
  QLineEdit* folder_;
};

}  // namespace maintenance
