#pragma once
// "データベースの最適化", rendering maintenance::CCompactDlg.

#include "maintenance/CCompactDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;

namespace maintenance {

class CompactDlgWidget : public ui::ModelDialog {
 public:
  CompactDlgWidget(CCompactDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CCompactDlg& model_;
  QLineEdit* file_;
};

}  // namespace maintenance
