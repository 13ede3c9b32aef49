#pragma once
// "メーラーを起動", rendering dm::CMailerDlg.

#include "dm/CMailerDlg.h"
#include "ui/qt/ModelDialog.h"

class QCheckBox;
class QLineEdit;

namespace dm {

class MailerDlgWidget : public ui::ModelDialog {
 public:
  MailerDlgWidget(CMailerDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CMailerDlg& model_;
  QLineEdit* subject_;
  QCheckBox* history_;
};

}  // namespace dm
