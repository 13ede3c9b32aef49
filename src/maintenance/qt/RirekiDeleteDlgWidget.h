#pragma once
// "履歴をまとめて削除", rendering maintenance::CRirekiDeleteDlg.

#include "maintenance/CRirekiDeleteDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;

namespace maintenance {

class RirekiDeleteDlgWidget : public ui::ModelDialog {
 public:
  RirekiDeleteDlgWidget(CRirekiDeleteDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  void Store();

  CRirekiDeleteDlg& model_;
  QLineEdit* folder_;
  QLineEdit* year_;
  QLineEdit* month_;
  QLineEdit* day_;
};

}  // namespace maintenance
