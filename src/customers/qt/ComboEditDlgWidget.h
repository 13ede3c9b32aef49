#pragma once
// The choice-list editor, rendering customers::CComboEditDlg.

#include "customers/CComboEditDlg.h"
#include "ui/qt/ModelDialog.h"

class QListWidget;

namespace customers {

class ComboEditDlgWidget : public ui::ModelDialog {
 public:
  ComboEditDlgWidget(CComboEditDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CComboEditDlg& model_;
  QListWidget* list_;
};

}  // namespace customers
