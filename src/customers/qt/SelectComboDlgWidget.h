#pragma once
// "入力用選択肢の編集", rendering customers::CSelectComboDlg.

#include "customers/CSelectComboDlg.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;

namespace customers {

class SelectComboDlgWidget : public ui::ModelDialog {
 public:
  SelectComboDlgWidget(CSelectComboDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CSelectComboDlg& model_;
  QButtonGroup* choices_;
};

}  // namespace customers
