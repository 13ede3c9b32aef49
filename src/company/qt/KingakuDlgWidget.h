#pragma once
// "金額計算設定", rendering company::CKingakuDlg.

#include "company/CKingakuDlg.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;
class QLineEdit;

namespace company {

class KingakuDlgWidget : public ui::ModelDialog {
 public:
  KingakuDlgWidget(CKingakuDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CKingakuDlg& model_;
  QButtonGroup* methods_;
  QLineEdit* rate_;
};

}  // namespace company
