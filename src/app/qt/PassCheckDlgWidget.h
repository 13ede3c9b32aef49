#pragma once
// The start-up password dialog, rendering platform::CPassCheckDlg.

#include "platform/CPassCheckDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;

namespace app {

class PassCheckDlgWidget : public ui::ModelDialog {
 public:
  PassCheckDlgWidget(platform::CPassCheckDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  platform::CPassCheckDlg& model_;
  QLineEdit* password_;
};

}  // namespace app
