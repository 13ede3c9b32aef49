#pragma once
// "自社情報設定", rendering company::CJishaInfoDlg.

#include <array>

#include "company/CJishaInfoDlg.h"
#include "ui/qt/ModelDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace company {

class JishaInfoDlgWidget : public ui::ModelDialog {
 public:
  JishaInfoDlgWidget(CJishaInfoDlg& model, QWidget* parent);

 protected:
  void Refresh() override;
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* MakeBox(JishaBox box, const char* accessibleName);

  CJishaInfoDlg& model_;
  QComboBox* sets_;
  QPushButton* makeFirst_;
  std::array<QLineEdit*, kJishaBoxCount> boxes_{};
};

}  // namespace company
