#pragma once
// The password setting dialog, rendering platform::CPassSetDlg.

#include "platform/CPassSetDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;

namespace app {

class PassSetDlgWidget : public ui::ModelDialog {
 public:
  PassSetDlgWidget(platform::CPassSetDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  platform::CPassSetDlg& model_;
  QLineEdit *old_, *new_, *confirm_;
};

}  // namespace app
