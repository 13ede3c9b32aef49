#pragma once
// The history tab's list: the shown customer's entries over the data store (the history owner
// of the dialogs), in the order the user sorted them. The dialogs step through the entries in
// that shown order, and new entries appear at the top.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "history/CRirekiListOwner.h"

namespace customers {

class KokyakuCardHistory : public history::CRirekiListOwner {
 public:
  // The columns of the list: 日付, 概要, 詳細, 検索ｷｰﾜｰﾄﾞ.
  static constexpr int kColumnCount = 4;
  using Cells = std::array<std::string, kColumnCount>;

  // As CRirekiListOwner; store, customers and ui must outlive the list.
  KokyakuCardHistory(ui::Ui& ui, records::CKokyakuVMData& store, records::KokyakuList& customers,
                     std::filesystem::path pictureFolder, bool readOnly, std::filesystem::path install,
                     history::CRirekiDlg::Clock clock);

  // Reads a customer's history, newest first, nothing selected (customerId -1: none, empty).
  // 1, or -1 with the list empty.
  int Load(std::int32_t customerId);

  int RowCount() const { return static_cast<int>(order_.size()); }
  // The entry shown in row; an empty entry for a row out of range (never an index of -1).
  const records::CRirekiData& Row(int row) const;
  // The row's texts: the date as "%Y/%m/%d", the summary, the details, the keyword.
  Cells RowCells(int row) const;
  // The selected row, or -1.
  int SelectedRow() const;
  // -1 or a row out of range selects nothing.
  void SelectRow(int row);

  // Sorts by a column: ascending on the first call, then descending, alternating (one direction
  // for all columns). The date column sorts chronologically, the texts by their Japanese
  // collation keys (text::JapaneseSortKey), as the customer list does, whatever LANG says. Ties
  // keep their order.
  void SortBy(int column);

  // After the owner's entries changed: entries not shown yet go on top (newest first), entries
  // that are gone leave, the others keep their place.
  void Sync();

  // The selected entry in the Modify dialog, or after the look-only message in the reference
  // dialog when read-only; the step buttons follow the shown order. Nothing without a selection.
  void OpenSelected();

  // --- CRirekiDlgOwner, in the shown order ---
  int AddRireki(std::int32_t customerId, std::unique_ptr<records::CRirekiData> entry) override;
  std::optional<history::RirekiStep> StepRireki(int step) override;
  std::optional<history::RirekiPlace> SelectRireki(std::int32_t historyId) override;

 protected:
  void HistoryReplaced() override { Sync(); }

 private:
  int OwnerIndex(std::int32_t historyId) const;
  // The owner's entry with this ID; null when it is gone.
  const records::CRirekiData* Entry(std::int32_t historyId) const;

  ui::Ui& ui_;
  std::filesystem::path pictureFolder_;
  std::filesystem::path install_;
  history::CRirekiDlg::Clock clock_;
  std::vector<std::int32_t> order_;  // history IDs as shown
  bool nextDescending_ = false;
};

}  // namespace customers
