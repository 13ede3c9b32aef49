#pragma once
// "顧客一覧の表示設定", rendering customers::CDispColumnDlg.

#include "customers/CDispColumnDlg.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;
class QComboBox;
class QListWidget;

namespace customers {

class DispColumnDlgWidget : public ui::ModelDialog {
 public:
  DispColumnDlgWidget(CDispColumnDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  QWidget* SortGroup();

  CDispColumnDlg& model_;
  QListWidget *shown_, *available_;
  QComboBox* sortColumn_;
  QButtonGroup* direction_;
};

}  // namespace customers
