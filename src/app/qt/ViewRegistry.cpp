#include "app/qt/ViewRegistry.h"

#include "app/qt/AboutDlgWidget.h"
#include "app/qt/PassCheckDlgWidget.h"
#include "app/qt/PassSetDlgWidget.h"
#include "customers/qt/ComboEditDlgWidget.h"
#include "customers/qt/ComboItemDlgWidget.h"
#include "customers/qt/DispColumnDlgWidget.h"
#include "customers/qt/FreeItemDlgWidget.h"
#include "customers/qt/SelectComboDlgWidget.h"
#include "history/qt/RirekiDlgWidget.h"
#include "history/qt/RirekiRefDlgWidget.h"
#include "ui/qt/QtUi.h"

namespace app {

void RegisterViews(ui::QtUi& ui) {
  ui.RegisterView<CAboutDlg, AboutDlgWidget>();
  ui.RegisterView<platform::CPassCheckDlg, PassCheckDlgWidget>();
  ui.RegisterView<platform::CPassSetDlg, PassSetDlgWidget>();
  ui.RegisterView<customers::CComboEditDlg, customers::ComboEditDlgWidget>();
  ui.RegisterView<customers::CComboItemDlg, customers::ComboItemDlgWidget>();
  ui.RegisterView<customers::CDispColumnDlg, customers::DispColumnDlgWidget>();
  ui.RegisterView<customers::CFreeItemDlg, customers::FreeItemDlgWidget>();
  ui.RegisterView<customers::CSelectComboDlg, customers::SelectComboDlgWidget>();
  ui.RegisterView<history::CRirekiDlg, history::RirekiDlgWidget>();
  ui.RegisterView<history::CRirekiRefDlg, history::RirekiRefDlgWidget>();
}

}  // namespace app
