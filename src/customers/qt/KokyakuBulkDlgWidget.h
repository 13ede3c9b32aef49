#pragma once
// "顧客の一括修正", rendering customers::CKokyakuBulkDlg: a radio per field, each beside its
// input (the colour drop-down or a choice-list box), only the chosen one's input enabled.

#include <array>

#include "customers/CKokyakuBulkDlg.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;
class QComboBox;
class QRadioButton;

namespace ui {
class ChoiceListComboBox;
}

namespace customers {

class KokyakuBulkDlgWidget : public ui::ModelDialog {
 public:
  KokyakuBulkDlgWidget(CKokyakuBulkDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  QWidget* Input(int field) const;

  CKokyakuBulkDlg& model_;
  QButtonGroup* fields_;
  std::array<QRadioButton*, CKokyakuBulkDlg::kFieldCount> radios_{};
  QComboBox* colour_ = nullptr;
  std::array<ui::ChoiceListComboBox*, CKokyakuBulkDlg::kFieldCount> texts_{};  // [0] unused
};

}  // namespace customers
