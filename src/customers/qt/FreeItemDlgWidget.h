#pragma once
// "顧客情報のフリー項目設定", rendering customers::CFreeItemDlg.

#include "customers/CFreeItemDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;
class QListWidget;

namespace customers {

class FreeItemDlgWidget : public ui::ModelDialog {
 public:
  FreeItemDlgWidget(CFreeItemDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  void PassNewName();

  CFreeItemDlg& model_;
  QListWidget* list_;
  QLineEdit* newName_;
};

}  // namespace customers
