#include "history/CRirekiList.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "text/Collation.h"

namespace history {

namespace {

// The text a column shows, without a copy; empty for the date and amount columns.
std::string_view TextOf(const RirekiRow& r, int column) {
  const records::CKokyaku* k = r.customer;
  switch (column) {
    case CRirekiList::kCustomerId: return k ? std::string_view(k->CustomerID) : std::string_view();
    case CRirekiList::kCustomerName: return k ? std::string_view(k->Name) : std::string_view();
    case CRirekiList::kCustomerCompany: return k ? std::string_view(k->CompName) : std::string_view();
    case CRirekiList::kSummary: return r.entry->ActionTitle;
    case CRirekiList::kDetails: return r.entry->Action;
    case CRirekiList::kKeyword: return r.entry->Keyword;
    case CRirekiList::kStaff: return r.entry->TantouName;
    default: return {};
  }
}

// What a text column sorts by: names by their reading where the customer has one, as every list
// of people and companies in the program does; other texts by themselves.
std::string_view SortTextOf(const RirekiRow& r, int column) {
  if (r.customer && column == CRirekiList::kCustomerName && !r.customer->Yomi.empty()) return r.customer->Yomi;
  if (r.customer && column == CRirekiList::kCustomerCompany && !r.customer->CompYomi.empty()) return r.customer->CompYomi;
  return TextOf(r, column);
}

// A date's place in the order: no date before every date, an invalid one just after it.
double DateKey(const records::COleDate& d) {
  if (d.IsValid()) return d.Value();
  return d.IsNull() ? -2e300 : -1e300;
}

// Whether text could be found in a cell made only of these characters; a search for anything
// else needs no date or amount formatted.
bool OnlyOf(std::string_view text, std::string_view characters) {
  return text.find_first_not_of(characters) == std::string_view::npos;
}

}  // namespace

void CRirekiList::Fill(records::RirekiList& history, const records::KokyakuList& customers) {
  std::unordered_map<std::int32_t, const records::CKokyaku*> byId;
  byId.reserve(std::max<std::size_t>(17, customers.size()));
  for (const auto& k : customers) byId.emplace(k->ID, k.get());
  std::vector<RirekiRow> rows;
  rows.reserve(history.size());
  for (const auto& entry : history) {
    const auto it = byId.find(entry->CustomerID);
    rows.push_back({entry.get(), it == byId.end() ? nullptr : it->second});
  }
  rows_ = std::move(rows);
  selected_.clear();
  sortColumn_ = -1;
}

void CRirekiList::Clear() {
  rows_.clear();
  rows_.shrink_to_fit();
  selected_.clear();
  sortColumn_ = -1;
}

std::string CRirekiList::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount()) return {};
  const RirekiRow& r = rows_[static_cast<std::size_t>(row)];
  switch (column) {
    case kDate: return r.entry->Date.Format();
    case kAmount: return records::AmountText(r.entry->Money);
    default: return std::string(TextOf(r, column));
  }
}

void CRirekiList::SortBy(int column) {
  if (column < 0 || column >= kColumnCount) return;
  const bool descending = nextDescending_;
  nextDescending_ = !nextDescending_;
  sortColumn_ = column;
  sortedDescending_ = descending;

  // One key per row, made once; texts are keyed once per distinct text (a customer's name or a
  // summary from the choice list repeats on many rows) and the rows then sort on the key's rank.
  std::vector<double> numbers;
  std::vector<std::uint32_t> ranks;
  if (column == kDate || column == kAmount) {
    numbers.reserve(rows_.size());
    for (const RirekiRow& r : rows_) numbers.push_back(column == kDate ? DateKey(r.entry->Date) : r.entry->Money);
  } else {
    std::unordered_map<std::string_view, std::uint32_t> distinct;
    std::vector<std::string_view> texts;
    ranks.reserve(rows_.size());
    for (const RirekiRow& r : rows_) {
      const auto [it, added] = distinct.try_emplace(SortTextOf(r, column), static_cast<std::uint32_t>(texts.size()));
      if (added) texts.push_back(it->first);
      ranks.push_back(it->second);
    }
    std::vector<std::string> keys;
    keys.reserve(texts.size());
    for (std::string_view t : texts) keys.push_back(text::JapaneseSortKey(t));
    std::vector<std::uint32_t> byKey(texts.size());
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(), [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    // Texts with equal keys (differing only in case or width) share a rank, so they keep their order.
    std::vector<std::uint32_t> rankOf(texts.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < byKey.size(); ++i) {
      if (i > 0 && keys[byKey[i - 1]] != keys[byKey[i]]) ++rank;
      rankOf[byKey[i]] = rank;
    }
    for (std::uint32_t& r : ranks) r = rankOf[r];
  }

  std::vector<std::size_t> order(rows_.size());
  std::iota(order.begin(), order.end(), 0);
  const auto before = [&](std::size_t a, std::size_t b) {
    return numbers.empty() ? ranks[a] < ranks[b] : numbers[a] < numbers[b];
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return descending ? before(b, a) : before(a, b); });

  std::vector<char> wasSelected(rows_.size(), 0);
  for (int s : selected_) wasSelected[static_cast<std::size_t>(s)] = 1;
  std::vector<RirekiRow> sorted;
  sorted.reserve(rows_.size());
  selected_.clear();
  for (std::size_t i = 0; i < order.size(); ++i) {
    sorted.push_back(rows_[order[i]]);
    if (wasSelected[order[i]]) selected_.push_back(static_cast<int>(i));
  }
  rows_ = std::move(sorted);
}

void CRirekiList::SetSelection(std::vector<int> rows) {
  std::erase_if(rows, [this](int r) { return r < 0 || r >= RowCount(); });
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  selected_ = std::move(rows);
}

records::IdArray CRirekiList::SelectedIds() const {
  records::IdArray ids;
  ids.reserve(selected_.size());
  for (int r : selected_) ids.push_back(rows_[static_cast<std::size_t>(r)].entry->ID);
  return ids;
}

int CRirekiList::Find(std::string_view text, int from, bool down) const {
  const bool mayBeDate = OnlyOf(text, "0123456789/");
  const bool mayBeAmount = OnlyOf(text, "0123456789.-");
  const int step = down ? 1 : -1;
  for (int r = from + step; r >= 0 && r < RowCount(); r += step) {
    const RirekiRow& row = rows_[static_cast<std::size_t>(r)];
    for (int c = 0; c < kColumnCount; ++c) {
      if (c == kDate) {
        if (mayBeDate && row.entry->Date.Format().find(text) != std::string::npos) return r;
      } else if (c == kAmount) {
        if (mayBeAmount && records::AmountText(row.entry->Money).find(text) != std::string::npos) return r;
      } else if (TextOf(row, c).find(text) != std::string_view::npos) {
        return r;
      }
    }
  }
  return -1;
}

void CRirekiList::RemoveEntries(const records::IdArray& ids) {
  const std::unordered_set<std::int32_t> gone(ids.begin(), ids.end());
  std::vector<RirekiRow> kept;
  kept.reserve(rows_.size());
  std::vector<int> selected;
  std::size_t next = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const bool isSelected = next < selected_.size() && selected_[next] == static_cast<int>(i);
    if (isSelected) ++next;
    if (gone.contains(rows_[i].entry->ID)) continue;
    if (isSelected) selected.push_back(static_cast<int>(kept.size()));
    kept.push_back(rows_[i]);
  }
  rows_ = std::move(kept);
  selected_ = std::move(selected);
}

int CRirekiList::RowOf(std::int32_t historyId) const {
  for (int r = 0; r < RowCount(); ++r) {
    if (rows_[static_cast<std::size_t>(r)].entry->ID == historyId) return r;
  }
  return -1;
}

}  // namespace history
