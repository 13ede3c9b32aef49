#pragma once
// "項目の追加・変更", rendering customers::CComboItemDlg.

#include "customers/CComboItemDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;

namespace customers {

class ComboItemDlgWidget : public ui::ModelDialog {
 public:
  ComboItemDlgWidget(CComboItemDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CComboItemDlg& model_;
  QLineEdit* text_;
};

}  // namespace customers
