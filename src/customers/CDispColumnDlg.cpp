#include "customers/CDispColumnDlg.h"

#include <algorithm>

#include "settings/ColumnRoutines.h"
#include "settings/SettingsFiles.h"

namespace customers {

CDispColumnDlg::CDispColumnDlg(ui::Ui& ui, std::filesystem::path install)
    : ui_(ui), install_(std::move(install)), columns_(ui, install_), display_(ui, install_) {}

bool CDispColumnDlg::Open() {
  if (columns_.Load() == 0) return false;
  display_.Load();  // a display file that does not read leaves no columns shown
  for (const std::string& key : display_.GetKeys()) shown_.push_back({columns_.GetLabel(key), key});
  FillAvailable();
  settings::CDefaultSort sort(ui_, settings::DataFolder(install_));
  sort.Load();
  FillSortColumns(sort.column);
  SetDirection(sort.direction);
  return true;
}

bool CDispColumnDlg::IsShown(const std::string& key) const {
  const auto& keys = display_.GetKeys();
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

void CDispColumnDlg::FillAvailable() {
  available_.clear();
  availableSelection_ = -1;
  for (const auto& column : columns_.GetColumns()) {
    if (settings::IsDispColumn(column->GetKey()) && !IsShown(column->GetKey())) {
      available_.push_back({column->GetLabel(), column->GetKey()});
    }
  }
}

void CDispColumnDlg::FillSortColumns(const std::string& sortKey) {
  for (const auto& column : columns_.GetColumns()) {
    if (!settings::IsDispColumn(column->GetKey())) continue;
    if (column->GetKey() == sortKey && sortSelection_ < 0) sortSelection_ = static_cast<int>(sortColumns_.size());
    sortColumns_.push_back({column->GetLabel(), column->GetKey()});
  }
}

void CDispColumnDlg::OnShow() {
  if (availableSelection_ < 0) return ui_.Tell(kNothingToShow);
  const Row row = available_[availableSelection_];
  if (IsShown(row.key)) return ui_.Tell(kAlreadyShown);
  display_.GetKeys().push_back(row.key);
  shown_.push_back(row);
  available_.erase(available_.begin() + availableSelection_);
  availableSelection_ = -1;
}

void CDispColumnDlg::OnHide() {
  if (shownSelection_ < 0) return ui_.Tell(kNothingToHide);
  // By position, so the rows and keys stay in step even when the file repeats a key.
  display_.GetKeys().erase(display_.GetKeys().begin() + shownSelection_);
  shown_.erase(shown_.begin() + shownSelection_);
  shownSelection_ = -1;
  FillAvailable();
}

void CDispColumnDlg::Move(int step) {
  if (shownSelection_ < 0) return ui_.Tell(kNothingToMove);
  const int target = shownSelection_ + step;
  if (target < 0 || target >= static_cast<int>(shown_.size())) return;
  std::swap(shown_[shownSelection_], shown_[target]);
  auto& keys = display_.GetKeys();
  // The rows and the keys stay in step: a key left over from an older set is a row as well.
  std::swap(keys[shownSelection_], keys[target]);
  shownSelection_ = target;
}

void CDispColumnDlg::OnOK() {
  if (display_.Save() == 0) ui_.Tell(kDisplaySaveFailed);
  if (sortSelection_ >= 0 && direction_ >= 0) {
    settings::CDefaultSort sort(ui_, settings::DataFolder(install_));
    sort.column = sortColumns_[sortSelection_].key;
    sort.direction = direction_;
    if (sort.Save() == 0) ui_.Tell(kSortSaveFailed);
  }
  EndDialog(true);
}

bool EditDisplayColumns(ui::Ui& ui, const std::filesystem::path& install) {
  CDispColumnDlg dialog(ui, install);
  return dialog.Open() && ui.Run(dialog);
}

}  // namespace customers
