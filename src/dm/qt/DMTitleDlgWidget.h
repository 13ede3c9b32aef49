#pragma once
// "DMの詳細" on Qt, rendering dm::CDMTitleDlg.

#include "dm/CDMTitleDlg.h"
#include "ui/qt/ModelDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {
class ChoiceListComboBox;
}
namespace history {
class YearSpinBox;
}

namespace dm {

class DMTitleDlgWidget : public ui::ModelDialog {
 public:
  DMTitleDlgWidget(CDMTitleDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  void ShowFocus();

  CDMTitleDlg& model_;
  QRadioButton *unsent_, *sent_, *print_, *mail_;
  QCheckBox* history_;
  history::YearSpinBox* year_;
  QComboBox *month_, *day_, *hour_, *minute_;
  QLineEdit* title_;
  ui::ChoiceListComboBox *content_, *manager_;
  QPushButton* ok_;
};

}  // namespace dm
