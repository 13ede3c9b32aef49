#include "history/CRirekiListOwner.h"

#include <utility>

#include "history/CRirekiRefDlg.h"
#include "history/LastHistoryDate.h"
#include "history/PictureStore.h"
#include "text/Format.h"

namespace history {

using records::COleDate;
using records::CRirekiData;

CRirekiListOwner::CRirekiListOwner(ui::Ui& ui, records::CKokyakuVMData& store, records::KokyakuList& customers,
                                   std::filesystem::path pictureFolder, bool readOnly, std::filesystem::path install,
                                   CRirekiDlg::Clock clock)
    : ui_(ui),
      store_(store),
      customers_(customers),
      pictureFolder_(std::move(pictureFolder)),
      readOnly_(readOnly),
      install_(std::move(install)),
      clock_(std::move(clock)) {}

int CRirekiListOwner::ShowCustomer(std::int32_t customerId) {
  customerId_ = customerId;
  history_.clear();
  selection_ = -1;
  records::RirekiList read;
  const bool readAll = store_.GetRirekiForKokyaku(customerId, read) == 1;
  if (readAll) history_ = std::move(read);
  HistoryReplaced();
  return readAll ? 1 : -1;
}

void CRirekiListOwner::Select(int row) {
  selection_ = row >= 0 && row < static_cast<int>(history_.size()) ? row : -1;
}

void CRirekiListOwner::TouchCustomer(std::int32_t customerId, const COleDate& now) {
  for (auto& customer : customers_) {
    if (customer->ID != customerId) continue;
    customer->RirekiUpDate = now;
    if (rirekiUpDateChanged_) rirekiUpDateChanged_(customerId);
    return;
  }
}

// --- Saving ---

int CRirekiListOwner::AddRireki(std::int32_t customerId, std::unique_ptr<CRirekiData> entry) {
  if (IsReadOnly()) {
    ui_.Tell(kAddReadOnly);
    return 0;
  }
  const COleDate now = clock_();
  int id;
  {
    const ui::WaitScope wait = ui_.Wait();
    entry->Picture = StorePictureFile(pictureFolder_, entry->Picture);
    id = store_.AddNewRireki(customerId, *entry, now);
  }
  if (id < 1) return id;
  entry->ID = id;
  entry->CustomerID = customerId;
  if (customerId == customerId_) {
    history_.insert(history_.begin(), std::move(entry));
    if (selection_ >= 0) ++selection_;
  }
  TouchCustomer(customerId, now);
  return id;
}

int CRirekiListOwner::ModifyRireki(std::int32_t historyId, CRirekiData& entry) {
  if (IsReadOnly()) {
    ui_.Tell(kModifyReadOnly);
    return -1;
  }
  const COleDate now = clock_();
  int result;
  {
    const ui::WaitScope wait = ui_.Wait();
    entry.Picture = StorePictureFile(pictureFolder_, entry.Picture);
    result = store_.ModifyRireki(historyId, entry, now);
  }
  if (result != 1) return result;
  for (auto& cached : history_) {
    if (cached->ID != historyId) continue;
    *cached = entry;
    cached->ID = historyId;
  }
  TouchCustomer(entry.CustomerID, now);
  return 1;
}

// --- Stepping ---

std::optional<RirekiStep> CRirekiListOwner::StepRireki(int step) {
  if (selection_ < 0 || step == 0) return std::nullopt;
  const int target = selection_ + (step < 0 ? -1 : 1);
  const int count = static_cast<int>(history_.size());
  if (target < 0 || target >= count) return std::nullopt;
  selection_ = target;
  return RirekiStep{*history_[target], step < 0 ? target > 0 : target < count - 1};
}

std::optional<RirekiPlace> CRirekiListOwner::SelectRireki(std::int32_t historyId) {
  const int count = static_cast<int>(history_.size());
  for (int i = 0; i < count; ++i) {
    if (history_[i]->ID != historyId) continue;
    selection_ = i;
    return RirekiPlace{*history_[i], i > 0, i < count - 1};
  }
  return std::nullopt;
}

// --- Commands ---

std::unique_ptr<CRirekiDlg> CRirekiListOwner::MakeDialog(RirekiMode mode) {
  return std::make_unique<CRirekiDlg>(ui_, mode, this, install_, clock_);
}

void CRirekiListOwner::OnAddRireki(const records::IdArray& selectedCustomers) {
  if (IsReadOnly()) return ui_.Tell(kAddReadOnly);
  if (selectedCustomers.empty()) return ui_.Tell(kNoCustomerForAdd);
  auto dialog = MakeDialog(RirekiMode::Add);
  dialog->SetCustomer(selectedCustomers.front());
  ui_.Run(*dialog);
}

void CRirekiListOwner::OnModifyRireki() {
  if (selection_ < 0) return;
  const CRirekiData& entry = *history_[selection_];
  const bool hasPrevious = selection_ > 0, hasNext = selection_ < static_cast<int>(history_.size()) - 1;
  if (IsReadOnly()) {
    ui_.Tell(kLookOnly, ui::Icon::Information);
    CRirekiRefDlg look(this, pictureFolder_);
    look.LoadEntry(entry);
    look.SetStepEnabled(hasPrevious, hasNext);
    ui_.Run(look);
    return;
  }
  auto dialog = MakeDialog(RirekiMode::Modify);
  dialog->LoadEntry(entry);
  dialog->SetStepEnabled(hasPrevious, hasNext);
  ui_.Run(*dialog);
}

void CRirekiListOwner::OnCopyRireki() {
  if (IsReadOnly()) return ui_.Tell(kCopyReadOnly);
  if (selection_ < 0) return;
  auto dialog = MakeDialog(RirekiMode::Copy);
  dialog->SetCustomer(customerId_);
  dialog->LoadEntry(*history_[selection_]);
  ui_.Run(*dialog);
}

int CRirekiListOwner::OnBulkAddRireki(const records::IdArray& selectedCustomers) {
  if (IsReadOnly()) {
    ui_.Tell(kAddReadOnly);
    return 0;
  }
  if (selectedCustomers.empty()) {
    ui_.Tell(kNoCustomers);
    return 0;
  }
  if (!ui_.Ask(text::Format(kBulkQuestion, selectedCustomers.size()))) return 0;
  auto dialog = MakeDialog(RirekiMode::BulkAdd);
  if (!ui_.Run(*dialog)) return 0;
  CRirekiData entry = dialog->Entry();
  const COleDate now = clock_();
  int result;
  {
    const ui::WaitScope wait = ui_.Wait(selectedCustomers.size() >= kBulkWaitWindowFrom);
    entry.Picture = StorePictureFile(pictureFolder_, entry.Picture);
    result = store_.AddNewRireki(selectedCustomers, entry, now);
  }
  ReportBulk(result);
  if (customerId_ >= 0) ShowCustomer(customerId_);
  // After a partial add the store does not say which customers got the entry: their cached
  // dates stay as they were rather than claim an entry some of them did not get.
  if (result == 1) RefreshLastHistoryDate(customers_, selectedCustomers, now, rirekiUpDateChanged_);
  return result;
}

void CRirekiListOwner::ReportBulk(int result) {
  if (result == -1) return ui_.Tell(kBulkFailed);
  if (result == 10) return ui_.Tell(kBulkPartly);
  ui_.Tell(kBulkDone, ui::Icon::Information);
}

}  // namespace history
