#pragma once
// The rows and columns of the history list: each row points at an entry of the document's history
// list and at its customer in the document's customer list (null when the customer is not there);
// nothing is copied. Cell text, sorting by a column and the find-next search work on these rows;
// the Qt table model only reads them. The rows stay valid while those two lists keep their
// records: the screen drops the rows of entries before they are freed and builds them anew after
// either list was replaced.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/CKokyaku.h"
#include "records/CKokyakuVMData.h"
#include "records/CRirekiData.h"

namespace history {

struct RirekiColumn {
  std::string title;
  int width = 100;
  bool rightAligned = false;
};

struct RirekiRow {
  records::CRirekiData* entry = nullptr;
  const records::CKokyaku* customer = nullptr;
};

class CRirekiList {
 public:
  // The nine columns: 日付, 顧客ID, 顧客氏名, 顧客会社, 概要, 詳細, キーワード, 自社担当者, 金額.
  enum Column : int {
    kDate, kCustomerId, kCustomerName, kCustomerCompany, kSummary, kDetails, kKeyword, kStaff, kAmount, kColumnCount
  };

  // Rows for every entry of history, in its order, each with its customer found by ID through one
  // hash map over customers (an entry whose customer is missing gets none). Unsorted, nothing
  // selected.
  void Fill(records::RirekiList& history, const records::KokyakuList& customers);
  void Clear();

  void SetColumns(std::vector<RirekiColumn> columns) { columns_ = std::move(columns); }
  const std::vector<RirekiColumn>& Columns() const { return columns_; }
  std::vector<RirekiColumn>& Columns() { return columns_; }
  const std::vector<RirekiRow>& Rows() const { return rows_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }

  // The cell as shown: the date "%Y/%m/%d", the customer's CustomerID, Name and CompName (empty
  // without a customer), the entry's texts, the amount without trailing zeros ("0" for 0).
  std::string CellText(int row, int column) const;

  // Sorts by a column: ascending on the first call of the list's life, then alternating on every
  // call whichever the column. 日付 by date and time, 金額 by value, the texts by their Japanese
  // collation keys ignoring case and width (so customer numbers sort as text: 10, 100, 9).
  // Stable; the selection follows its rows.
  void SortBy(int column);
  // The column last sorted by (-1 while the rows are in the order they came in) and its direction.
  int SortColumn() const { return sortColumn_; }
  bool SortedDescending() const { return sortedDescending_; }

  // The selected rows, ascending.
  const std::vector<int>& Selection() const { return selected_; }
  void SetSelection(std::vector<int> rows);
  void SelectOnly(int row) { SetSelection({row}); }
  int FirstSelected() const { return selected_.empty() ? -1 : selected_.front(); }
  // The history identifiers of the selected rows, in row order.
  records::IdArray SelectedIds() const;

  // The next row after (down) or before (up) from one of whose nine cells contains text as it is
  // written (case-sensitive); -1 when the list ends first. from may be -1: down from the top,
  // and up from there finds nothing.
  int Find(std::string_view text, int from, bool down) const;

  // Removes the rows of these history entries; the selection drops them.
  void RemoveEntries(const records::IdArray& ids);
  // The row showing the entry with this history identifier, or -1.
  int RowOf(std::int32_t historyId) const;

 private:
  std::vector<RirekiRow> rows_;
  std::vector<RirekiColumn> columns_;
  std::vector<int> selected_;
  bool nextDescending_ = false;
  int sortColumn_ = -1;
  bool sortedDescending_ = false;
};

}  // namespace history
