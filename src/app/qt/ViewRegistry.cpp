#include "app/qt/ViewRegistry.h"

#include "app/qt/AboutDlgWidget.h"
#include "app/qt/PassCheckDlgWidget.h"
#include "app/qt/PassSetDlgWidget.h"
#include "company/qt/JishaInfoDlgWidget.h"
#include "company/qt/KingakuDlgWidget.h"
#include "dm/qt/MailerDlgWidget.h"
#include "customers/CKokyakuCompanyDlg.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuPersonDlg.h"
#include "customers/qt/AddressSelectDlgWidget.h"
#include "customers/qt/ComboEditDlgWidget.h"
#include "customers/qt/ComboItemDlgWidget.h"
#include "customers/qt/DispColumnDlgWidget.h"
#include "customers/qt/FreeItemDlgWidget.h"
#include "customers/qt/KokyakuDlgWidget.h"
#include "customers/qt/KokyakuPictureDlgWidget.h"
#include "customers/qt/KokyakuSubDlgWidget.h"
#include "customers/qt/SelectComboDlgWidget.h"
#include "extract/qt/ExtractDialogWidgets.h"
#include "extract/qt/ExtractDlgWidget.h"
#include "history/qt/RirekiDlgWidget.h"
#include "history/qt/RirekiRefDlgWidget.h"
#include "history/qt/RirekiShowDlgWidget.h"
#include "ui/qt/QtUi.h"

namespace app {

void RegisterViews(ui::QtUi& ui) {
  ui.RegisterView<shell::CAboutDlg, AboutDlgWidget>();
  ui.RegisterView<dm::CMailerDlg, dm::MailerDlgWidget>();
  ui.RegisterView<platform::CPassCheckDlg, PassCheckDlgWidget>();
  ui.RegisterView<platform::CPassSetDlg, PassSetDlgWidget>();
  ui.RegisterView<customers::CComboEditDlg, customers::ComboEditDlgWidget>();
  ui.RegisterView<customers::CComboItemDlg, customers::ComboItemDlgWidget>();
  ui.RegisterView<customers::CDispColumnDlg, customers::DispColumnDlgWidget>();
  ui.RegisterView<customers::CFreeItemDlg, customers::FreeItemDlgWidget>();
  ui.RegisterView<customers::CSelectComboDlg, customers::SelectComboDlgWidget>();
  ui.RegisterView<customers::CKokyakuNormalDlg, customers::KokyakuDlgWidget>();
  ui.RegisterView<customers::CKokyakuPersonDlg, customers::KokyakuDlgWidget>();
  ui.RegisterView<customers::CKokyakuCompanyDlg, customers::KokyakuDlgWidget>();
  ui.RegisterView<customers::CKokyakuSubDlg, customers::KokyakuSubDlgWidget>();
  ui.RegisterView<customers::CKokyakuPictureDlg, customers::KokyakuPictureDlgWidget>();
  ui.RegisterView<customers::CAddressSelectDlg, customers::AddressSelectDlgWidget>();
  ui.RegisterView<extract::CExtractDlg, extract::ExtractDlgWidget>();
  ui.RegisterView<extract::CExtractSaveDlg, extract::ExtractSaveDlgWidget>();
  ui.RegisterView<extract::CExtractRenameDlg, extract::ExtractRenameDlgWidget>();
  ui.RegisterView<extract::CExtractColumnDlg, extract::ExtractColumnDlgWidget>();
  ui.RegisterView<history::CRirekiDlg, history::RirekiDlgWidget>();
  ui.RegisterView<history::CRirekiRefDlg, history::RirekiRefDlgWidget>();
  ui.RegisterView<history::CRirekiShowDlg, history::RirekiShowDlgWidget>();
  ui.RegisterView<company::CJishaInfoDlg, company::JishaInfoDlgWidget>();
  ui.RegisterView<company::CKingakuDlg, company::KingakuDlgWidget>();
}

}  // namespace app
