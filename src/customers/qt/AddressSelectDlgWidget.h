#pragma once
// "住所を選択", rendering customers::CAddressSelectDlg. A double click or Enter takes the row.

#include "customers/CAddressSelectDlg.h"
#include "ui/qt/ModelDialog.h"

class QListWidget;

namespace customers {

class AddressSelectDlgWidget : public ui::ModelDialog {
 public:
  AddressSelectDlgWidget(CAddressSelectDlg& model, QWidget* parent);

 private:
  CAddressSelectDlg& model_;
  QListWidget* list_;
};

}  // namespace customers
