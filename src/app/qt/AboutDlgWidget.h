#pragma once
// The About box, rendering app::CAboutDlg.

#include "app/CAboutDlg.h"
#include "ui/qt/ModelDialog.h"

namespace app {

class AboutDlgWidget : public ui::ModelDialog {
 public:
  AboutDlgWidget(CAboutDlg& model, QWidget* parent);
};

}  // namespace app
