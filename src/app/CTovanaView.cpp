#include "app/CTovanaView.h"

#include <initializer_list>
#include <system_error>

#include "analysis/CRainbowDlg.h"
#include "company/CJishaInfoDlg.h"
#include "company/CKingakuDlg.h"
#include "customers/CDispColumnDlg.h"
#include "customers/CFreeItemDlg.h"
#include "customers/CKokyakuDocOwner.h"
#include "customers/CSelectComboDlg.h"
#include "customers/KokyakuEntry.h"
#include "dm/DMEntry.h"
#include "extract/CExtractDlg.h"
#include "extract/Extraction.h"
#include "history/CRirekiShowDlg.h"
#include "lookup/CLookupFacility.h"
#include "maintenance/CRirekiDeleteDlg.h"
#include "maintenance/DataMaintenance.h"
#include "maintenance/OriginalForms.h"
#include "maintenance/PastData.h"
#include "platform/InstallLayout.h"
#include "platform/RunProgram.h"
#include "printing/COriginalFormDlg.h"
#include "settings/CDefKokyaku.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "text/Format.h"

namespace app {

using shell::CScreen;
using shell::MenuItem;
using shell::kCardNormal;
namespace cmd = shell::cmd;

namespace {

constexpr const char* kButtonCaptions[CTovanaView::kButtonCount] = {
    "顧客を追加", "顧客カード", "DM送付管理", "顧客一覧", "履歴一覧", "七色分析",
    "抽出",       "設定",       "ツール",     "ヘルプ",   "終了",     "印刷",
};

// The left panel: buttons 0 to 7 as tiles in two columns, 8 to 10 in a row beneath; the right
// panel: the tabs, the form list, the preview and button 11 (印刷) beside it.
constexpr int kTileX[2] = {16, 160};
constexpr int kTileY = 72, kTileW = 136, kTileH = 82, kTileStep = 92;
constexpr int kSmallY = 444, kSmallW = 88, kSmallH = 40, kSmallStep = 96;
constexpr int kPanelX = 316, kPanelW = 468;
constexpr int kTabY = 72, kTabW = 92, kTabH = 30, kTabStep = 94;

}  // namespace

CTovanaView::CTovanaView(MenuScreenContext context) : c_(std::move(context)) {}

Rect CTovanaView::TabRect(int tab) { return {kPanelX + tab * kTabStep, kTabY, kTabW, kTabH}; }

Rect CTovanaView::ButtonRect(int button) {
  if (button < kTools) return {kTileX[button % 2], kTileY + (button / 2) * kTileStep, kTileW, kTileH};
  if (button < kPrint) return {16 + (button - kTools) * kSmallStep, kSmallY, kSmallW, kSmallH};
  return {628, 382, 156, 82};
}

Rect CTovanaView::FormListRect() { return {kPanelX, kTabY + kTabH, kPanelW, 268}; }
Rect CTovanaView::PreviewRect() { return {kPanelX, 382, 300, 190}; }

const char* CTovanaView::ButtonCaption(int button) {
  return button >= 0 && button < kButtonCount ? kButtonCaptions[button] : "";
}

std::string CTovanaView::TabCaption(int tab) const {
  if (tab == kOriginalTab) return "オリジナル";
  return tab >= 0 && tab < static_cast<int>(topCategories_.size()) ? topCategories_[tab] : std::string();
}

int CTovanaView::SelectedTab() const {
  const int tab = c_.doc ? c_.doc->MenuTab() : 0;
  return tab >= 0 && tab < kTabCount ? tab : 0;
}

void CTovanaView::OnInitialUpdate() {
  if (c_.frame) c_.frame->ShowScreenToolbar(false);
  company::AskJishaInfoOnFirstRun(*c_.ui, c_.install);
  if (c_.forms && !c_.forms->Read()) c_.ui->Tell(kNoCatalogue);
  if (c_.forms) topCategories_ = c_.forms->TopCategories();
  if (c_.doc && c_.doc->SelectedForm() == 0) c_.doc->ReadEndInfo();
  FillForms();
  Changed();
}

void CTovanaView::FillForms() {
  tabStates_.fill(kNormal);
  tabStates_[SelectedTab()] = kPressed;
  forms_ = c_.forms ? c_.forms->Forms(SelectedTab()) : std::vector<FormRow>{};
  formRow_ = -1;
  ++formsGeneration_;
  const int saved = c_.doc ? c_.doc->SelectedForm() : 0;
  for (std::size_t i = 0; i < forms_.size(); ++i) {
    if (forms_[i].id == saved) formRow_ = static_cast<int>(i);
  }
}

int CTovanaView::HitTab(int x, int y) const {
  for (int t = 0; t < kTabCount; ++t) {
    if (TabRect(t).Contains(x, y)) return t;
  }
  return -1;
}

int CTovanaView::HitButton(int x, int y) const {
  for (int b = 0; b < kButtonCount; ++b) {
    if (ButtonRect(b).Contains(x, y)) return b;
  }
  return -1;
}

bool CTovanaView::OnMouseMove(int x, int y) {
  const int tab = HitTab(x, y);
  const int button = HitButton(x, y);
  const auto before = std::make_pair(tabStates_, buttonStates_);
  for (int t = 0; t < kTabCount; ++t) {
    if (t != SelectedTab()) tabStates_[t] = t == tab ? kHot : kNormal;
  }
  for (int b = 0; b < kButtonCount; ++b) {
    // While the mouse is captured only the pressed button reacts: pressed over it, normal off it.
    if (pressed_ >= 0) {
      buttonStates_[b] = b == pressed_ && b == button ? kPressed : kNormal;
    } else {
      buttonStates_[b] = b == button ? kHot : kNormal;
    }
  }
  if (before != std::make_pair(tabStates_, buttonStates_)) Changed();
  return button >= 0 || (tab >= 0 && tab != SelectedTab());
}

void CTovanaView::OnMouseLeave() {
  if (pressed_ >= 0) return;  // the capture keeps the pressed button until release
  for (int t = 0; t < kTabCount; ++t) {
    if (t != SelectedTab()) tabStates_[t] = kNormal;
  }
  buttonStates_.fill(kNormal);
  Changed();
}

void CTovanaView::OnLButtonDown(int x, int y) {
  if (const int tab = HitTab(x, y); tab >= 0) return SelectTab(tab);
  const int button = HitButton(x, y);
  if (button < 0) return;
  pressed_ = button;
  buttonStates_.fill(kNormal);
  buttonStates_[button] = kPressed;
  Changed();
}

void CTovanaView::OnLButtonUp(int x, int y) {
  const int pressed = pressed_;
  pressed_ = -1;
  if (pressed < 0) return;
  const bool inside = HitButton(x, y) == pressed;
  buttonStates_.fill(kNormal);
  if (inside) buttonStates_[pressed] = kHot;
  Changed();
  if (inside) RunButton(pressed);  // may switch the screen: nothing may follow it here
}

void CTovanaView::PressButton(int button) {
  if (button >= 0 && button < kButtonCount) RunButton(button);
}

void CTovanaView::SelectTab(int tab) {
  if (tab < 0 || tab >= kTabCount || !c_.doc) return;
  c_.doc->SetMenuState(tab, c_.doc->SelectedForm());
  FillForms();
  Changed();
}

void CTovanaView::SelectFormRow(int row) {
  formRow_ = row >= 0 && row < static_cast<int>(forms_.size()) ? row : -1;
  if (formRow_ >= 0 && c_.doc) c_.doc->SetMenuState(SelectedTab(), forms_[formRow_].id);
  Changed();
}

std::filesystem::path CTovanaView::PreviewFile() const {
  if (formRow_ < 0) return {};
  const FormRow& form = forms_[formRow_];
  const int id = form.id >= 40000 && form.previewId > 0 ? form.previewId : form.id;
  std::filesystem::path file = c_.install / "Data" / "Preview" / text::Format("%d.jpg", id);
  std::error_code ec;
  return std::filesystem::is_regular_file(file, ec) ? file : std::filesystem::path();
}

void CTovanaView::OnOriginalsChanged() {
  if (!c_.forms) return;
  c_.forms->ReloadOriginals();
  if (SelectedTab() != kOriginalTab) return;
  FillForms();
  Changed();
}

std::optional<CTovanaView::Popup> CTovanaView::TakePendingPopup() {
  auto popup = pendingPopup_;
  pendingPopup_.reset();
  return popup;
}

void CTovanaView::RunButton(int button) {
  switch (button) {
    case kAddCustomer: return AddCustomer();
    case kCustomerCard: c_.frame->SwitchScreen(CScreen::kCustomerCard); return;
    case kDMManagement: c_.frame->SwitchScreen(CScreen::kDM); return;
    case kCustomerList: c_.frame->SwitchScreen(CScreen::kCustomerList); return;
    case kHistoryList: return OpenHistoryList();
    case kSettings: pendingPopup_ = Popup::Settings; return Changed();
    case kTools: pendingPopup_ = Popup::Tools; return Changed();
    case kHelp: pendingPopup_ = Popup::Help; return Changed();
    case kExit: c_.frame->OnCommand(cmd::kExit); return;
    case kExtract: return Extract();
    case kPrint: return PrintForm();
    case kRainbow: return Analyse();
    default: c_.ui->Tell(kNotAvailable, ui::Icon::Information); return;
  }
}

void CTovanaView::PrintForm() {
  if (formRow_ < 0) return c_.ui->Tell(kNoForm);
  if (!c_.doc) return c_.ui->Tell(kNoListInfo);
  const FormRow& row = forms_[static_cast<std::size_t>(formRow_)];
  printing::MenuForm form;
  form.layoutId = row.id;
  form.motoLayoutId = row.id >= 40000 ? row.previewId : 0;
  form.genre = row.genre;
  // DM recipients feed only the forms of the catalogue's second top category.
  form.dmAllowed = (SelectedTab() == kOriginalTab ? row.topCategory : SelectedTab()) == 1;
  printing::PrintFromFormList(*c_.ui, *c_.doc, form);
}

void CTovanaView::OpenHistoryList() {
  if (!c_.doc) return c_.ui->Tell(kNoDocument);
  history::OpenHistoryList(*c_.ui, *c_.frame, c_.doc, history::RirekiDialogs::Standard(*c_.ui, *c_.doc, c_.install, c_.lookups));
}

void CTovanaView::Extract() {
  if (!c_.frame || !c_.doc) return c_.ui->Tell(kNoDocument);
  if (!extract::RunExtractionDialog(*c_.ui, *c_.doc, c_.install, extract::CExtractDlg::kGeneral)) return;
  c_.doc->ClearAnalysis();
  const settings::CExCondition* extraction = c_.doc->CurrentExtraction();
  const bool history = extraction && extraction->resultType == settings::CExCondition::kHistory;
  c_.frame->SwitchScreen(history ? CScreen::kHistory : CScreen::kCustomerList);
}

void CTovanaView::Analyse() {
  if (!c_.frame || !c_.doc) return c_.ui->Tell(kNoDocument);
  const int kind = analysis::RunRainbowDialog(*c_.ui, *c_.doc, c_.install, c_.lookups);
  if (kind < 0) return;
  c_.doc->ClearExtraction();
  c_.frame->SwitchScreen(kind == analysis::kDMHit ? CScreen::kDM : CScreen::kCustomerList);
}

void CTovanaView::AddCustomer() {
  if (!c_.frame || !c_.doc) return c_.ui->Tell(kCannotAdd);
  if (c_.doc->IsReadOnly()) return c_.ui->Tell(kReadOnlyAdd);
  customers::CKokyakuDocOwner owner(*c_.doc, c_.lookups);
  customers::AddCustomerDialog(*c_.ui, owner, c_.doc->CardType(), c_.install);
}

bool CTovanaView::PastData() const { return c_.doc && c_.doc->IsReadOnly(); }

int CTovanaView::CardType() const { return c_.doc ? c_.doc->CardType() : kCardNormal; }

void CTovanaView::SetCardType(int type) {
  if (c_.doc) c_.doc->SetCardType(type);
}

bool CTovanaView::IsCommandEnabled(int id) const {
  const bool originals = c_.forms && c_.forms->HasOriginals();
  switch (id) {
    case cmd::kPreExtractRemove:
      return c_.doc && settings::CDefKokyaku(*c_.ui, c_.doc->DataFolder()).Exists();
    case cmd::kOriginalForms:
    case cmd::kOriginalBackup:
      return originals;
    case cmd::kCurrentData:
      return PastData();
    case cmd::kBackup:
    case cmd::kRestore:
    case cmd::kHistoryDelete:
    case cmd::kOptimise:
    case cmd::kSaveNow:
      return !PastData();
    default:
      return true;
  }
}

std::vector<MenuItem> CTovanaView::PopupMenu(Popup popup) const {
  const auto item = [this](int id) {
    MenuItem m;
    m.id = id;
    m.text = std::string(cmd::Find(id)->menuText);
    m.enabled = IsCommandEnabled(id);
    return m;
  };
  std::vector<MenuItem> items;
  if (popup == Popup::Settings) {
    MenuItem cardTypes;
    cardTypes.text = "顧客カードのタイプ";
    for (int id : {cmd::kCardNormal, cmd::kCardPersonal, cmd::kCardCompany}) {
      MenuItem m = item(id);
      m.radio = true;
      m.checked = id - cmd::kCardNormal == CardType();
      cardTypes.children.push_back(m);
    }
    items.push_back(cardTypes);
    for (int id : std::initializer_list<int>{0, cmd::kDisplayColumns, cmd::kFreeItems, 0, cmd::kPreExtract, cmd::kPreExtractRemove, 0,
                   cmd::kStaffList, cmd::kChoiceLists, 0, cmd::kCompanyInfo, cmd::kAmountSettings,
                   cmd::kOriginalForms, 0, cmd::kDataFolder, cmd::kPassword}) {
      items.push_back(id ? item(id) : MenuItem{});
    }
  } else if (popup == Popup::Tools) {
    for (int id : std::initializer_list<int>{cmd::kPhoneBook, cmd::kAreaMarketing, cmd::kPhoneBookBackup, cmd::kPhoneBookRestore, 0,
                   cmd::kBackup, cmd::kRestore, cmd::kOriginalBackup, cmd::kOriginalRestore, 0,
                   cmd::kHistoryDelete, cmd::kOptimise, 0, cmd::kPastData, cmd::kCurrentData, 0, cmd::kSaveNow}) {
      items.push_back(id ? item(id) : MenuItem{});
    }
  } else {
    items = {item(cmd::kHelp), MenuItem{}, item(cmd::kAbout)};
  }
  return items;
}

bool CTovanaView::OnCommand(int id) {
  if (!IsCommandEnabled(id)) return true;
  return RunSettingsCommand(id) || RunToolsCommand(id);
}

bool CTovanaView::RunSettingsCommand(int id) {
  switch (id) {
    case cmd::kCardNormal:
    case cmd::kCardPersonal:
    case cmd::kCardCompany:
      SetCardType(id - cmd::kCardNormal);
      return true;
    case cmd::kDisplayColumns: customers::EditDisplayColumns(*c_.ui, c_.install); return true;
    case cmd::kFreeItems: customers::EditFreeItems(*c_.ui, c_.install); return true;
    case cmd::kStaffList: customers::EditStaffList(*c_.ui, c_.install); return true;
    case cmd::kChoiceLists: customers::EditChoiceLists(*c_.ui, c_.install); return true;
    case cmd::kPreExtractRemove: RemovePreExtraction(); return true;
    case cmd::kCompanyInfo: company::EditJishaInfo(*c_.ui, c_.install); return true;
    case cmd::kAmountSettings: company::EditKingaku(*c_.ui, c_.install); return true;
    case cmd::kPreExtract:
      extract::SetPreExtraction(*c_.ui, c_.doc, c_.install);
      Changed();  // the removal command's greying follows the stored condition
      return true;
    case cmd::kPassword:
      if (c_.setPassword) c_.setPassword();
      Changed();
      return true;
    case cmd::kDataFolder: maintenance::ChangeDataFolder(*c_.ui, c_.doc); return true;
    case cmd::kOriginalForms:
      printing::EditOriginalForms(*c_.ui, c_.install, [this] { OnOriginalsChanged(); });
      Changed();
      return true;
    default:
      return false;
  }
}

bool CTovanaView::RunToolsCommand(int id) {
  switch (id) {
    case cmd::kPhoneBook: StartTool("ZQTel", "", "電話帳を起動できません"); return true;
    case cmd::kAreaMarketing: StartTool("Zonaly", "", "エリアマーケティングツールを起動できません"); return true;
    case cmd::kPhoneBookBackup: StartTool("ZQTel", "/B", "バックアップ処理ができません"); return true;
    case cmd::kPhoneBookRestore: StartTool("ZQTel", "/R", "復元処理ができません"); return true;
    case cmd::kSaveNow: SaveNow(); return true;
    case cmd::kBackup: maintenance::BackupData(*c_.ui, c_.doc); return true;
    case cmd::kRestore: maintenance::RestoreData(*c_.ui, c_.doc); return true;
    case cmd::kOriginalBackup:
      maintenance::BackupOriginalForms(*c_.ui, c_.doc != nullptr, c_.install, c_.doc ? c_.doc->Profile() : nullptr);
      return true;
    case cmd::kOriginalRestore:
      if (maintenance::RestoreOriginalForms(*c_.ui, c_.doc != nullptr, c_.install, c_.doc ? c_.doc->Profile() : nullptr)) {
        OnOriginalsChanged();
      }
      return true;
    case cmd::kHistoryDelete: maintenance::DeleteHistoryWithBackup(*c_.ui, c_.doc); return true;
    case cmd::kOptimise: maintenance::OptimiseDatabase(*c_.ui, c_.doc); return true;
    case cmd::kPastData: maintenance::OpenPastData(*c_.ui, c_.doc); return true;
    case cmd::kCurrentData: maintenance::ReturnToCurrentData(*c_.ui, c_.doc); return true;
    default:
      return false;
  }
}

void CTovanaView::StartTool(const char* program, const char* arguments, const char* failure) {
  const std::filesystem::path path = platform::ProgramFolder(c_.install) / program;
  if (platform::RunProgram(path, arguments) == 0) c_.ui->Tell(failure);
}

void CTovanaView::SaveNow() {
  if (!c_.doc) return c_.ui->Tell(kNoDocument);
  if (c_.doc->IsReadOnly()) return c_.ui->Tell("読取専用です。更新できません。");
  int saved = 0;
  {
    const ui::WaitScope wait = c_.ui->Wait();
    saved = c_.doc->Store().SaveQMV(false);
  }
  if (saved == 1) {
    c_.ui->Tell("更新しました", ui::Icon::Information);
  } else {
    c_.ui->Tell("更新できませんでした");
  }
}

void CTovanaView::RemovePreExtraction() {
  if (!c_.doc) return c_.ui->Tell(kNoDocument);
  settings::CDefKokyaku pre(*c_.ui, c_.doc->DataFolder());
  if (!pre.Exists()) return c_.ui->Tell("現在、表示データは設定されていません。", ui::Icon::Information);
  if (!c_.ui->Ask("現在設定されている、顧客一覧の表示データ設定を解除します。\n"
                  "解除すると、通常、顧客一覧画面ですべての顧客が表示されます。\n解除してよろしいですか？")) {
    return;
  }
  if (pre.Delete()) {
    c_.ui->Tell("解除しました", ui::Icon::Information);
  } else {
    c_.ui->Tell("解除できませんでした");
  }
}

}  // namespace app
