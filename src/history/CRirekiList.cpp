#include "history/CRirekiList.h"

#include <algorithm>
#include <functional>
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

// The distinct texts of a column, in the order they first appear; ranks receives each row's
// text as an index into them. An open-addressing table of indexes: a million rows cost no node
// allocations.
std::vector<std::string_view> DistinctTexts(const std::vector<RirekiRow>& rows, int column,
                                            std::vector<std::uint32_t>& ranks) {
  std::vector<std::string_view> texts;
  std::size_t capacity = 16;
  while (capacity < rows.size() * 2) capacity *= 2;
  std::vector<std::uint32_t> slots(capacity, 0);  // a text's index + 1; 0 free
  const std::size_t mask = capacity - 1;
  const std::hash<std::string_view> hash;
  ranks.clear();
  ranks.reserve(rows.size());
  for (const RirekiRow& r : rows) {
    const std::string_view t = SortTextOf(r, column);
    std::size_t i = hash(t) & mask;
    while (slots[i] != 0 && texts[slots[i] - 1] != t) i = (i + 1) & mask;
    if (slots[i] == 0) {
      texts.push_back(t);
      slots[i] = static_cast<std::uint32_t>(texts.size());
    }
    ranks.push_back(slots[i] - 1);
  }
  return texts;
}

// The indexes of keys in ascending key order. Each carries eight bytes of its key from where the
// keys begin to differ (texts of a column often start alike), so most comparisons never reach
// the keys themselves.
std::vector<std::uint32_t> OrderOfKeys(const std::vector<std::string>& keys) {
  std::size_t common = keys.empty() ? 0 : keys.front().size();
  for (const std::string& k : keys) {
    common = std::min(common, k.size());
    while (common > 0 && k.compare(0, common, keys.front(), 0, common) != 0) --common;
    if (common == 0) break;
  }
  struct Keyed {
    std::uint64_t head;
    std::uint32_t index;
  };
  std::vector<Keyed> keyed(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::uint64_t head = 0;
    for (std::size_t b = common; b < common + 8; ++b) {
      head = head << 8 | (b < keys[i].size() ? static_cast<unsigned char>(keys[i][b]) : 0u);
    }
    keyed[i] = {head, static_cast<std::uint32_t>(i)};
  }
  std::sort(keyed.begin(), keyed.end(), [&keys, common](const Keyed& a, const Keyed& b) {
    if (a.head != b.head) return a.head < b.head;
    return keys[a.index].compare(common, std::string::npos, keys[b.index], common, std::string::npos) < 0;
  });
  std::vector<std::uint32_t> order;
  order.reserve(keys.size());
  for (const Keyed& k : keyed) order.push_back(k.index);
  return order;
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
    const std::vector<std::string_view> texts = DistinctTexts(rows_, column, ranks);
    const std::vector<std::string> keys = text::JapaneseSortKeys(texts);
    const std::vector<std::uint32_t> byKey = OrderOfKeys(keys);
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
  if (numbers.empty()) {
    // Ranks are dense: a counting sort orders the rows in one pass, equal ranks in the order
    // they had, whichever the direction.
    const std::uint32_t top = ranks.empty() ? 0 : *std::max_element(ranks.begin(), ranks.end());
    std::vector<std::size_t> start(static_cast<std::size_t>(top) + 2, 0);
    const auto slot = [&](std::uint32_t r) { return static_cast<std::size_t>(descending ? top - r : r); };
    for (std::uint32_t r : ranks) ++start[slot(r) + 1];
    for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    for (std::size_t i = 0; i < ranks.size(); ++i) order[start[slot(ranks[i])]++] = i;
  } else {
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      return descending ? numbers[b] < numbers[a] : numbers[a] < numbers[b];
    });
  }

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
  // Japanese text repeats its lead bytes, which a plain search stops at again and again; the
  // skip table passes over them.
  const std::boyer_moore_horspool_searcher searcher(text.begin(), text.end());
  const auto contains = [&searcher](std::string_view cell) {
    return std::search(cell.begin(), cell.end(), searcher) != cell.end();
  };
  const bool mayBeDate = OnlyOf(text, "0123456789/");
  const bool mayBeAmount = OnlyOf(text, "0123456789.-");
  const int step = down ? 1 : -1;
  for (int r = from + step; r >= 0 && r < RowCount(); r += step) {
    const RirekiRow& row = rows_[static_cast<std::size_t>(r)];
    for (int c = 0; c < kColumnCount; ++c) {
      if (c == kDate) {
        if (mayBeDate && contains(row.entry->Date.Format())) return r;
      } else if (c == kAmount) {
        if (mayBeAmount && contains(records::AmountText(row.entry->Money))) return r;
      } else if (contains(TextOf(row, c))) {
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
