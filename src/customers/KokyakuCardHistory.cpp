#include "customers/KokyakuCardHistory.h"

#include <algorithm>
#include <locale>
#include <stdexcept>

#include "history/CRirekiRefDlg.h"

namespace customers {

using history::CRirekiDlg;
using history::RirekiMode;
using records::CRirekiData;

namespace {

// The user's locale for comparing texts; the classic one when the environment names none that
// this system has.
const std::locale& UserLocale() {
  static const std::locale locale = [] {
    try {
      return std::locale("");
    } catch (const std::runtime_error&) {
      return std::locale::classic();
    }
  }();
  return locale;
}

// Latin letters folded to lower case, half- and full-width alike, so the comparison ignores case.
std::string Folded(const std::string& s) {
  std::string out = s;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    } else if (c == 0xEF && i + 2 < out.size() && static_cast<unsigned char>(out[i + 1]) == 0xBC) {
      const auto last = static_cast<unsigned char>(out[i + 2]);
      if (last >= 0xA1 && last <= 0xBA) {  // Ａ..Ｚ (U+FF21..U+FF3A) to ａ..ｚ (U+FF41..U+FF5A)
        out[i + 1] = static_cast<char>(0xBD);
        out[i + 2] = static_cast<char>(last - 0xA1 + 0x81);
      }
      i += 2;
    }
  }
  return out;
}

int CompareTexts(const std::string& a, const std::string& b) {
  const std::string fa = Folded(a), fb = Folded(b);
  const auto& collate = std::use_facet<std::collate<char>>(UserLocale());
  return collate.compare(fa.data(), fa.data() + fa.size(), fb.data(), fb.data() + fb.size());
}

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
  const int result = ShowCustomer(customerId);
  Sync();
  return customerId < 0 ? 1 : result;
}

int KokyakuCardHistory::OwnerIndex(std::int32_t historyId) const {
  const auto& entries = History();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i]->ID == historyId) return static_cast<int>(i);
  }
  return -1;
}

const CRirekiData& KokyakuCardHistory::Row(int row) const {
  return *History()[static_cast<std::size_t>(OwnerIndex(order_.at(static_cast<std::size_t>(row))))];
}

KokyakuCardHistory::Cells KokyakuCardHistory::RowCells(int row) const {
  const CRirekiData& e = Row(row);
  return {e.Date.Format(), e.ActionTitle, e.Action, e.Keyword};
}

int KokyakuCardHistory::SelectedRow() const {
  const int selected = Selection();
  if (selected < 0) return -1;
  const auto it = std::find(order_.begin(), order_.end(), History()[static_cast<std::size_t>(selected)]->ID);
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

bool KokyakuCardHistory::Before(const CRirekiData& a, const CRirekiData& b, int column) const {
  switch (column) {
    case 0: return DateKey(a.Date) < DateKey(b.Date);
    case 1: return CompareTexts(a.ActionTitle, b.ActionTitle) < 0;
    case 2: return CompareTexts(a.Action, b.Action) < 0;
    default: return CompareTexts(a.Keyword, b.Keyword) < 0;
  }
}

void KokyakuCardHistory::SortBy(int column) {
  if (column < 0 || column >= kColumnCount) return;
  Sync();
  const bool descending = nextDescending_;
  nextDescending_ = !nextDescending_;
  const auto& entries = History();
  std::stable_sort(order_.begin(), order_.end(), [&](std::int32_t x, std::int32_t y) {
    const CRirekiData& a = *entries[static_cast<std::size_t>(OwnerIndex(x))];
    const CRirekiData& b = *entries[static_cast<std::size_t>(OwnerIndex(y))];
    return descending ? Before(b, a, column) : Before(a, b, column);
  });
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
