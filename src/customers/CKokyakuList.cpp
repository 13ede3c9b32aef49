#include "customers/CKokyakuList.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <type_traits>
#include <unordered_set>
#include <variant>

#include "records/KokyakuColumns.h"
#include "text/Collation.h"

namespace customers {

namespace {

// How a column sorts: by collation key, or by a number.
struct SortValue {
  std::string key;
  double number = 0;
};

// The reading a name column sorts by, where the customer has one.
const std::string* Reading(const records::CKokyaku& k, std::string_view column) {
  if (column == "Name") return &k.Yomi;
  if (column == "CompName") return &k.CompYomi;
  return nullptr;
}

}  // namespace

std::optional<ListColumn> CKokyakuList::ValueColumn(int mode) {
  const auto column = [](const char* label, int width, bool right) {
    return ListColumn{label, label, width, right, true};
  };
  switch (mode) {
    case 1: return column(kCount, 100, true);
    case 2: return column(kDateTime, 120, false);
    case 3: return column(kDays, 100, true);
    case 6: return column(kAmount, 100, true);
    default: return std::nullopt;
  }
}

void CKokyakuList::SetRows(std::vector<ListRow> rows) {
  rows_ = std::move(rows);
  selected_.clear();
  sortColumn_ = -1;
}

std::string CKokyakuList::ValueText(const ListRow& row, const ListColumn& column) const {
  if (!row.hit) return {};
  if (column.key == kDateTime) return row.hit->Date().Format();
  if (column.key == kAmount) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", row.hit->Amount());
    return text;
  }
  return std::to_string(row.hit->Count());
}

std::string CKokyakuList::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= static_cast<int>(columns_.size())) return {};
  const ListRow& r = rows_[row];
  const ListColumn& c = columns_[column];
  if (c.value) return ValueText(r, c);
  return r.customer ? records::ColumnText(*r.customer, c.key) : std::string();
}

void CKokyakuList::SortBy(int column) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  const bool descending = nextDescending_;
  nextDescending_ = !nextDescending_;
  sortColumn_ = column;
  sortedDescending_ = descending;
  const ListColumn& c = columns_[column];
  const records::KokyakuColumn* field = c.value ? nullptr : records::FindKokyakuColumn(c.key);
  const bool byText = !c.value && (!field || field->kind == records::ColumnKind::Text);

  // One key per row, made once: sorting then compares only keys.
  std::vector<SortValue> values(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const ListRow& r = rows_[i];
    if (byText) {
      const std::string* reading = r.customer && !c.value ? Reading(*r.customer, c.key) : nullptr;
      values[i].key = text::JapaneseSortKey(reading && !reading->empty() ? *reading
                                                                         : CellText(static_cast<int>(i), column));
    } else if (c.value && r.hit) {
      values[i].number = c.key == kDateTime ? r.hit->Date().Value() : c.key == kAmount ? r.hit->Amount() : r.hit->Count();
    } else if (field && r.customer) {
      std::visit(
          [&](auto member) {
            const auto& v = r.customer->*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, records::COleDate>) {
              values[i].number = v.IsValid() ? v.Value() : -1e300;  // no date before every date
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
              values[i].number = v;
            }
          },
          field->field);
    }
  }
  std::vector<std::size_t> order(rows_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const SortValue& x = values[descending ? b : a];
    const SortValue& y = values[descending ? a : b];
    return byText ? x.key < y.key : x.number < y.number;
  });

  std::vector<char> wasSelected(rows_.size(), 0);
  for (int s : selected_) wasSelected[static_cast<std::size_t>(s)] = 1;
  std::vector<ListRow> sorted;
  sorted.reserve(rows_.size());
  selected_.clear();
  for (std::size_t i = 0; i < order.size(); ++i) {
    sorted.push_back(std::move(rows_[order[i]]));
    if (wasSelected[order[i]]) selected_.push_back(static_cast<int>(i));
  }
  rows_ = std::move(sorted);
}

void CKokyakuList::SetSelection(std::vector<int> rows) {
  std::erase_if(rows, [this](int r) { return r < 0 || r >= RowCount(); });
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  selected_ = std::move(rows);
}

void CKokyakuList::SelectAll() {
  selected_.resize(rows_.size());
  std::iota(selected_.begin(), selected_.end(), 0);
}

std::vector<std::int32_t> CKokyakuList::SelectedIds() const {
  std::vector<std::int32_t> ids;
  for (int r : selected_) ids.push_back(rows_[r].id);
  return ids;
}

int CKokyakuList::Find(std::string_view text, int from, bool down) const {
  const int step = down ? 1 : -1;
  for (int r = from + step; r >= 0 && r < RowCount(); r += step) {
    for (int c = 0; c < static_cast<int>(columns_.size()); ++c) {
      if (CellText(r, c).find(text) != std::string::npos) return r;
    }
  }
  return -1;
}

void CKokyakuList::InsertFirst(ListRow row) {
  rows_.insert(rows_.begin(), std::move(row));
  for (int& s : selected_) ++s;
}

void CKokyakuList::ReplaceCustomer(std::int32_t id, records::CKokyaku* customer) {
  for (ListRow& row : rows_) {
    if (row.id == id) row.customer = customer;
  }
}

void CKokyakuList::RemoveCustomers(const records::IdArray& ids) {
  const std::unordered_set<std::int32_t> gone(ids.begin(), ids.end());
  std::vector<ListRow> kept;
  std::vector<int> selected;
  std::size_t next = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const bool isSelected = next < selected_.size() && selected_[next] == static_cast<int>(i);
    if (isSelected) ++next;
    if (gone.contains(rows_[i].id)) continue;
    if (isSelected) selected.push_back(static_cast<int>(kept.size()));
    kept.push_back(std::move(rows_[i]));
  }
  rows_ = std::move(kept);
  selected_ = std::move(selected);
}

int CKokyakuList::RowOf(std::int32_t id) const {
  for (int r = 0; r < RowCount(); ++r) {
    if (rows_[r].id == id) return r;
  }
  return -1;
}

}  // namespace customers
