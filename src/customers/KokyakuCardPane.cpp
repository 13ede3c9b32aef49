#include "customers/KokyakuCardPane.h"

#include "customers/KokyakuCardUrl.h"
#include "dm/MailSending.h"
#include "history/PictureStore.h"
#include "records/KokyakuColumns.h"
#include "settings/CQMVColSet.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"

namespace customers {

using records::CKokyaku;

namespace {

constexpr CardButton kHistoryButtons[] = {
    {CardCommand::AddHistory, "新規追加...", "履歴を追加", 7},
    {CardCommand::ModifyHistory, "修正...", "履歴を修正", 82},
    {CardCommand::FindHistory, "検索...", "履歴内を検索", 157},
    {CardCommand::CopyHistory, "ｺﾋﾟｰ", "履歴をコピー", 232},
    {CardCommand::DeleteHistory, "削除", "履歴を削除", 307},
};
constexpr CardButton kCustomerButtons[] = {
    {CardCommand::ModifyCustomer, "修正...", "顧客を修正", 7},
    {CardCommand::CopyCustomer, "ｺﾋﾟｰ", "顧客をコピー", 82},
};
constexpr CardHistoryColumn kHistoryColumns[] = {{"日付", 100}, {"概要", 100}, {"詳細", 100}, {"検索ｷｰﾜｰﾄﾞ", 100}};
constexpr std::string_view kTabNames[] = {"履歴", "詳細", "詳細２"};
constexpr std::uint32_t kTabColours[] = {0xAADFFF, 0xAAFFCA, 0xFFC8AA};

int ColumnIndex(std::string_view column) {
  const records::KokyakuColumn* c = records::FindKokyakuColumn(column);
  return c ? static_cast<int>(c - records::KokyakuColumns().data()) : -1;
}

std::string PictureName(const CKokyaku& k, int n) {
  switch (n) {
    case 1: return k.Picture1;
    case 2: return k.Picture2;
    case 3: return k.Picture3;
    case 4: return k.Picture4;
    case 5: return k.Picture5;
    default: return {};
  }
}

bool IsUrlColumn(std::string_view column) { return column == "URL1" || column == "URL2"; }

bool IsMailColumn(std::string_view column) {
  return column.size() == 6 && column.starts_with("EMail") && column[5] >= '1' && column[5] <= '5';
}

}  // namespace

KokyakuCardPane::KokyakuCardPane(ui::Ui& ui, shell::CTovanaDoc& doc, shell::CMainFrame* frame, Clock clock)
    : ui_(ui),
      doc_(doc),
      frame_(frame),
      clock_(clock),
      history_(ui, doc.Store(), doc.Customers(), doc.PictureFolder(), doc.IsReadOnly(), doc.InstallFolder(), clock),
      urlOpener_(FindUrlOpener()),
      mailCommand_(platform::MailCommand()) {
  history_.SetRirekiUpDateChanged([this](std::int32_t id) { CustomerTouched(id); });
  ReloadLabels();
}

void KokyakuCardPane::ReloadLabels() {
  labels_.assign(records::KokyakuColumns().size(), std::string());
  settings::CQMVColSet set(ui_, doc_.InstallFolder());
  if (set.Load() != 1) return;
  for (std::size_t i = 0; i < labels_.size(); ++i) labels_[i] = set.GetLabel(records::KokyakuColumns()[i].name);
}

// --- The shown customer ---

int KokyakuCardPane::ShowCustomer(const CKokyaku* customer) {
  hasCustomer_ = customer != nullptr;
  customer_ = customer ? *customer : CKokyaku();
  if (history_.Load(customer ? customer->ID : -1) == 1) return 1;
  ui_.Tell(kHistoryUnreadable);
  return -1;
}

void KokyakuCardPane::CustomerTouched(std::int32_t customerId) {
  if (bulkAdding_) {
    shownTouched_ = shownTouched_ || (hasCustomer_ && customer_.ID == customerId);
    return;
  }
  // An entry saved from a dialog that stays open is listed before anyone is told, so the
  // history list shows it at once.
  history_.Sync();
  for (const auto& cached : doc_.Customers()) {
    if (cached->ID != customerId) continue;
    if (hasCustomer_ && customer_.ID == customerId) customer_.RirekiUpDate = cached->RirekiUpDate;
    break;
  }
  if (onCustomerChanged) onCustomerChanged(customerId);
}

// --- Tabs ---

void KokyakuCardPane::SelectTab(int tab) {
  if (tab == tab_ || tab < 0 || tab >= kTabCount) return;
  tab_ = tab;
  if (tab_ == kHistoryTab || !historySearch_) return;
  historySearch_ = false;
  if (frame_ && frame_->FindDialogOpen()) frame_->OnFindDialogClosing();
}

void KokyakuCardPane::OnTabClicked(int tab) {
  if (tab < 0 || tab >= kTabCount) return;
  if (onTabRequested) return onTabRequested(tab);
  SelectTab(tab);
}

int KokyakuCardPane::OpeningTab(int screen) {
  if (screen == shell::CScreen::kCustomerCard) return kHistoryTab;
  if (screen == shell::CScreen::kCustomerCard2) return kDetailTab;
  return -1;
}

std::string_view KokyakuCardPane::TabName(int tab) { return tab >= 0 && tab < kTabCount ? kTabNames[tab] : ""; }

std::uint32_t KokyakuCardPane::TabColour(int tab) { return tab >= 0 && tab < kTabCount ? kTabColours[tab] : 0xFFFFFF; }


// --- Buttons ---

std::span<const CardButton> KokyakuCardPane::Buttons(int tab) {
  if (tab == kHistoryTab) return kHistoryButtons;
  return kCustomerButtons;
}

bool KokyakuCardPane::IsEnabled(CardCommand command) const {
  const bool onHistory = tab_ == kHistoryTab;
  switch (command) {
    case CardCommand::AddHistory: return hasCustomer_;
    case CardCommand::FindHistory: return onHistory;
    case CardCommand::ModifyHistory:
    case CardCommand::CopyHistory:
    case CardCommand::DeleteHistory: return onHistory && history_.SelectedRow() >= 0;
    case CardCommand::ModifyCustomer:
    case CardCommand::CopyCustomer: return hasCustomer_ && static_cast<bool>(onCommand);
  }
  return false;
}

void KokyakuCardPane::OnButton(CardCommand command) {
  if (onCommand) return onCommand(command);
  switch (command) {
    case CardCommand::AddHistory:
      if (hasCustomer_) OnAddHistory({customer_.ID});
      return;
    case CardCommand::ModifyHistory: return OnModifyHistory();
    case CardCommand::FindHistory: return OnFindInHistory();
    case CardCommand::CopyHistory: return OnCopyHistory();
    case CardCommand::DeleteHistory: return OnDeleteHistory();
    case CardCommand::ModifyCustomer:
    case CardCommand::CopyCustomer: return;  // only a list view can open the entry dialogs
  }
}

// --- History list and commands ---

std::span<const CardHistoryColumn> KokyakuCardPane::HistoryColumns() { return kHistoryColumns; }

void KokyakuCardPane::OnHistoryDoubleClicked(int row) {
  if (row < 0 || row >= history_.RowCount()) return;
  history_.SelectRow(row);
  OnButton(CardCommand::ModifyHistory);
}

void KokyakuCardPane::OnAddHistory(const records::IdArray& selectedCustomers) {
  const int before = history_.RowCount();
  history_.OnAddRireki(selectedCustomers);
  history_.Sync();
  if (history_.RowCount() > before) history_.SelectRow(0);
}

int KokyakuCardPane::OnBulkAddHistory(const records::IdArray& selectedCustomers) {
  bulkAdding_ = true;
  shownTouched_ = false;
  const int result = history_.OnBulkAddRireki(selectedCustomers);
  bulkAdding_ = false;
  history_.Sync();
  if (shownTouched_) {
    for (const auto& cached : doc_.Customers()) {
      if (cached->ID != customer_.ID) continue;
      customer_.RirekiUpDate = cached->RirekiUpDate;
      break;
    }
  }
  return result;
}

void KokyakuCardPane::OnModifyHistory() {
  if (history_.SelectedRow() < 0) return ui_.Tell(kSelectHistory);
  history_.OpenSelected();
  history_.Sync();
}

void KokyakuCardPane::OnCopyHistory() {
  if (history_.IsReadOnly()) return history_.OnCopyRireki();  // tells why nothing can be copied
  if (history_.SelectedRow() < 0) return ui_.Tell(kSelectHistory);
  const int before = history_.RowCount();
  history_.OnCopyRireki();
  history_.Sync();
  if (history_.RowCount() > before) history_.SelectRow(0);
}

void KokyakuCardPane::OnDeleteHistory() {
  if (history_.IsReadOnly()) return ui_.Tell(kDeleteReadOnly);
  if (history_.SelectedRow() < 0) return ui_.Tell(kSelectHistory);
  if (!ui_.Ask(kDeleteQuestion, ui::Answer::No)) return;
  if (!DeleteSelected()) ui_.Tell(kDeleteFailed);
}

bool KokyakuCardPane::DeleteSelected() {
  const std::int32_t id = history_.Row(history_.SelectedRow()).ID;
  const records::COleDate now = clock_();
  int result;
  {
    const ui::WaitScope wait = ui_.Wait();
    result = doc_.Store().DeleteRireki(id, now);
  }
  if (result == -1) return false;
  // 0: the entry was gone already; either way the list follows the store again.
  history_.ShowCustomer(history_.Customer());
  history_.Sync();
  if (result != 1) return true;
  for (const auto& cached : doc_.Customers()) {
    if (cached->ID == history_.Customer()) cached->RirekiUpDate = now;
  }
  CustomerTouched(history_.Customer());
  return true;
}

void KokyakuCardPane::OnFindInHistory() {
  historySearch_ = true;
  if (frame_) frame_->OpenFindDialog();
}

bool KokyakuCardPane::IsHistorySearch() const {
  return historySearch_ && tab_ == kHistoryTab && (!frame_ || frame_->FindDialogOpen());
}

void KokyakuCardPane::OnFind(const shell::FindRequest& request) {
  const int count = history_.RowCount();
  const int selected = history_.SelectedRow();
  const int step = request.down ? 1 : -1;
  int row = selected >= 0 ? selected + step : (request.down ? 0 : count - 1);
  for (; row >= 0 && row < count; row += step) {
    for (const std::string& cell : history_.RowCells(row)) {
      if (cell.find(request.text) == std::string::npos) continue;
      history_.SelectRow(row);
      return;
    }
  }
  ui_.Tell(kSearchEnded, ui::Icon::Information);
}

// --- Detail card ---

const std::string& KokyakuCardPane::Label(std::string_view column) const {
  static const std::string kNone;
  const int index = ColumnIndex(column);
  return index >= 0 ? labels_[static_cast<std::size_t>(index)] : kNone;
}

std::string KokyakuCardPane::FieldText(std::string_view column) const {
  if (!hasCustomer_) return {};
  return records::ColumnText(customer_, column, records::TextStyle::Card);
}

CardWatermark KokyakuCardPane::Watermark(int page) const {
  if (!hasCustomer_) return {};
  return KokyakuCardWatermark(customer_, page);
}

std::filesystem::path KokyakuCardPane::PicturePath(int n) const {
  if (!hasCustomer_) return {};
  return history::PictureFilePath(doc_.PictureFolder(), PictureName(customer_, n));
}

bool KokyakuCardPane::IsLink(std::string_view column) const {
  return (IsUrlColumn(column) || IsMailColumn(column)) && !FieldText(column).empty();
}

void KokyakuCardPane::OnLinkClicked(std::string_view column) {
  if (!IsLink(column)) return;
  if (IsUrlColumn(column)) {
    OpenURL(ui_, FieldText(column), urlOpener_);
    return;
  }
  const std::int32_t customer = history_.Customer();
  const auto subject = dm::MailToAddress(ui_, FieldText(column), history_.IsReadOnly(), mailCommand_);
  if (!subject) return;
  auto entry = std::make_unique<records::CRirekiData>(dm::MailHistoryEntry(*subject, clock_()));
  const int before = history_.RowCount();
  if (history_.AddRireki(customer, std::move(entry)) < 1) return ui_.Tell(kMailHistoryFailed);
  history_.Sync();
  if (history_.RowCount() > before) history_.SelectRow(0);
}

}  // namespace customers
