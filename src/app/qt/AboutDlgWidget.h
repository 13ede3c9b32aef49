#pragma once
// The About box, rendering shell::CAboutDlg.

#include "shell/CAboutDlg.h"
#include "ui/qt/ModelDialog.h"

namespace app {

class AboutDlgWidget : public ui::ModelDialog {
 public:
  AboutDlgWidget(shell::CAboutDlg& model, QWidget* parent);
};

}  // namespace app
