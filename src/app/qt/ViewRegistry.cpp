#include "app/qt/ViewRegistry.h"

#include "app/qt/AboutDlgWidget.h"
#include "app/qt/PassCheckDlgWidget.h"
#include "app/qt/PassSetDlgWidget.h"
#include "ui/qt/QtUi.h"

namespace app {

void RegisterViews(ui::QtUi& ui) {
  ui.RegisterView<CAboutDlg, AboutDlgWidget>();
  ui.RegisterView<platform::CPassCheckDlg, PassCheckDlgWidget>();
  ui.RegisterView<platform::CPassSetDlg, PassSetDlgWidget>();
}

}  // namespace app
