#pragma once
// The rows and columns of the customer list: each row points at a customer of the document's list
// (and, for an analysis result, carries its hit); nothing is copied. Cell text, sorting by a
// column and the find-next search work on these rows; the Qt table model only reads them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/CKokyaku.h"
#include "records/CKokyakuVMData.h"
#include "records/CQMVRainbowHit.h"

namespace customers {

struct ListColumn {
  std::string key;
  std::string label;
  int width = 100;
  bool rightAligned = false;
  bool value = false;  // an analysis value column ("回数", "日時", "日数", "金額")
};

struct ListRow {
  records::CKokyaku* customer = nullptr;
  std::int32_t id = 0;  // the customer's ID, kept so rows can be dropped after the record is freed
  std::optional<records::CQMVRainbowHit> hit;
};

class CKokyakuList {
 public:
  static constexpr const char* kCount = "回数";
  static constexpr const char* kDateTime = "日時";
  static constexpr const char* kDays = "日数";
  static constexpr const char* kAmount = "金額";

  // The value column of an analysis mode ("回数" 1, "日時" 2, "日数" 3, "金額" 6); none for others.
  static std::optional<ListColumn> ValueColumn(int mode);

  void SetRows(std::vector<ListRow> rows);
  void SetColumns(std::vector<ListColumn> columns) {
    columns_ = std::move(columns);
    sortColumn_ = -1;
  }
  const std::vector<ListRow>& Rows() const { return rows_; }
  const std::vector<ListColumn>& Columns() const { return columns_; }
  std::vector<ListColumn>& Columns() { return columns_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }

  std::string CellText(int row, int column) const;

  // Sorts by a column: ascending on the first call of the list's life, then alternating on every
  // call whichever the column. Text by Japanese collation ignoring case and width, codes and
  // numbers by value, dates by date, value columns by their figure. Stable; selection follows.
  // Names sort by their reading, as Japanese lists do: 氏名 by フリガナ (Yomi) and 会社名 by its
  // フリガナ (CompYomi) where one is stored, else by the name itself.
  void SortBy(int column);
  // The column the rows were last sorted by (-1 while they are in the order they came in) and
  // the direction of that sort.
  int SortColumn() const { return sortColumn_; }
  bool SortedDescending() const { return sortedDescending_; }

  // The selected rows, ascending.
  const std::vector<int>& Selection() const { return selected_; }
  void SetSelection(std::vector<int> rows);
  void SelectOnly(int row) { SetSelection({row}); }
  void SelectAll();
  int FirstSelected() const { return selected_.empty() ? -1 : selected_.front(); }
  std::vector<std::int32_t> SelectedIds() const;

  // The next row after (down) or before (up) from whose cells contain text (case-sensitive);
  // -1 when the list ends first. from may be -1 (searching down from the top).
  int Find(std::string_view text, int from, bool down) const;

  // Puts a row first; the selection moves with the rows it had.
  void InsertFirst(ListRow row);
  // Points the row of customer id at its new record (after the document replaced it).
  void ReplaceCustomer(std::int32_t id, records::CKokyaku* customer);
  // Removes the rows of these customers; the selection drops them.
  void RemoveCustomers(const records::IdArray& ids);
  // The row showing the customer with this ID, or -1.
  int RowOf(std::int32_t id) const;

 private:
  std::string ValueText(const ListRow& row, const ListColumn& column) const;

  std::vector<ListRow> rows_;
  std::vector<ListColumn> columns_;
  std::vector<int> selected_;
  bool nextDescending_ = false;
  int sortColumn_ = -1;
  bool sortedDescending_ = false;
};

}  // namespace customers
