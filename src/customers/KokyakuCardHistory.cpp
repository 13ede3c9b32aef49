#include "customers/KokyakuCardHistory.h"

#include <algorithm>

#include "history/CRirekiRefDlg.h"
#include "text/Collation.h"

namespace customers {

using history::CRirekiDlg;
using history::RirekiMode;
using records::CRirekiData;

namespace {

// Null and invalid dates sort before every real one.
double DateKey(const records::COleDate& d) { return d.IsValid() ? d.Value() : -1e300; }

}  // namespace

KokyakuCardHistory::KokyakuCardHistory(ui::Ui& ui, records::CKokyakuVMData& store, records::KokyakuList& customers,
                                       std::filesystem::path pictureFolder, bool readOnly,
                                       std::filesystem::path install, CRirekiDlg::Clock clock)
    : CRirekiListOwner(ui, store, customers, pictureFolder, readOnly, install, clock),
      ui_(ui),
      pictureFolder_(std::move(pictureFolder)),
      install_(std::move(install)),
      clock_(std::move(clock)) {}

int KokyakuCardHistory::Load(std::int32_t customerId) {
  order_.clear();
  const int result = ShowCustomer(customerId);  // HistoryReplaced puts the entries in order_
  return customerId < 0 ? 1 : result;
}

int KokyakuCardHistory::OwnerIndex(std::int32_t historyId) const {
  const auto& entries = History();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i]->ID == historyId) return static_cast<int>(i);
  }
  return -1;
}

const CRirekiData* KokyakuCardHistory::Entry(std::int32_t historyId) const {
  const int index = OwnerIndex(historyId);
  return index < 0 ? nullptr : History()[static_cast<std::size_t>(index)].get();
}

const CRirekiData& KokyakuCardHistory::Row(int row) const {
  static const CRirekiData kGone;
  const CRirekiData* entry = row >= 0 && row < RowCount() ? Entry(order_[static_cast<std::size_t>(row)]) : nullptr;
  return entry ? *entry : kGone;
}

KokyakuCardHistory::Cells KokyakuCardHistory::RowCells(int row) const {
  const CRirekiData& e = Row(row);
  return {e.Date.Format(), e.ActionTitle, e.Action, e.Keyword};
}

int KokyakuCardHistory::SelectedRow() const {
  const int selected = Selection();
  if (selected < 0) return -1;
  const auto it = std::find(order_.begin(), order_.end(), History().at(static_cast<std::size_t>(selected))->ID);
  return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

void KokyakuCardHistory::SelectRow(int row) {
  if (row < 0 || row >= RowCount()) return Select(-1);
  Select(OwnerIndex(order_[static_cast<std::size_t>(row)]));
}

void KokyakuCardHistory::Sync() {
  std::vector<std::int32_t> fresh;
  for (const auto& entry : History()) {
    if (std::find(order_.begin(), order_.end(), entry->ID) == order_.end()) fresh.push_back(entry->ID);
  }
  std::erase_if(order_, [this](std::int32_t id) { return OwnerIndex(id) < 0; });
  order_.insert(order_.begin(), fresh.begin(), fresh.end());
}

void KokyakuCardHistory::SortBy(int column) {
  if (column < 0 || column >= kColumnCount) return;
  Sync();
  const bool descending = nextDescending_;
  nextDescending_ = !nextDescending_;
  // One key per row, made once: the date's value, or the text's Japanese collation key, the same
  // order the customer list sorts in whatever the user's locale.
  struct Keyed {
    std::int32_t id;
    double date;
    std::string text;
  };
  std::vector<Keyed> rows;
  rows.reserve(order_.size());
  for (std::int32_t id : order_) {
    const CRirekiData* e = Entry(id);
    if (!e) continue;
    const std::string& text = column == 1 ? e->ActionTitle : column == 2 ? e->Action : e->Keyword;
    rows.push_back({id, DateKey(e->Date), column == 0 ? std::string() : text::JapaneseSortKey(text)});
  }
  const auto before = [column](const Keyed& a, const Keyed& b) { return column == 0 ? a.date < b.date : a.text < b.text; };
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const Keyed& a, const Keyed& b) { return descending ? before(b, a) : before(a, b); });
  order_.clear();
  for (const Keyed& row : rows) order_.push_back(row.id);
}

void KokyakuCardHistory::OpenSelected() {
  Sync();
  const int row = SelectedRow();
  if (row < 0) return;
  const CRirekiData entry = Row(row);
  const bool hasPrevious = row > 0, hasNext = row < RowCount() - 1;
  if (IsReadOnly()) {
    ui_.Tell(kLookOnly, ui::Icon::Information);
    history::CRirekiRefDlg look(this, pictureFolder_);
    look.LoadEntry(entry);
    look.SetStepEnabled(hasPrevious, hasNext);
    ui_.Run(look);
    return;
  }
  CRirekiDlg dialog(ui_, RirekiMode::Modify, this, install_, clock_);
  dialog.LoadEntry(entry);
  dialog.SetStepEnabled(hasPrevious, hasNext);
  ui_.Run(dialog);
}

int KokyakuCardHistory::AddRireki(std::int32_t customerId, std::unique_ptr<CRirekiData> entry) {
  const int id = CRirekiListOwner::AddRireki(customerId, std::move(entry));
  Sync();
  return id;
}

std::optional<history::RirekiStep> KokyakuCardHistory::StepRireki(int step) {
  Sync();
  const int row = SelectedRow();
  if (row < 0 || step == 0) return std::nullopt;
  const int target = row + (step < 0 ? -1 : 1);
  if (target < 0 || target >= RowCount()) return std::nullopt;
  SelectRow(target);
  return history::RirekiStep{Row(target), step < 0 ? target > 0 : target < RowCount() - 1};
}

std::optional<history::RirekiPlace> KokyakuCardHistory::SelectRireki(std::int32_t historyId) {
  Sync();
  const auto it = std::find(order_.begin(), order_.end(), historyId);
  if (it == order_.end()) return std::nullopt;
  const int row = static_cast<int>(it - order_.begin());
  SelectRow(row);
  return history::RirekiPlace{Row(row), row > 0, row < RowCount() - 1};
}

}  // namespace customers
