#include "io/ExportDialogs.h"

#include <algorithm>

namespace io {

std::vector<ExportColumn> ExportColumns(ui::Ui& ui, const std::filesystem::path& install) {
  settings::CQMVColSet set(ui, install);
  std::vector<ExportColumn> columns;
  if (set.Load() == 0) return columns;
  for (const auto& c : set.GetColumns()) {
    if (IsExportColumn(c->GetKey())) columns.push_back({c->GetKey(), c->GetLabel()});
  }
  return columns;
}

CExportColumnDlg::CExportColumnDlg(ui::Ui& ui, std::filesystem::path install) : ui_(ui), set_(ui, std::move(install)) {}

bool CExportColumnDlg::Open() {
  if (set_.Load() == 0) return false;
  FillAvailable();
  return true;
}

bool CExportColumnDlg::IsChosen(const std::string& key) const {
  return std::any_of(chosen_.begin(), chosen_.end(), [&key](const ExportColumn& c) { return c.key == key; });
}

void CExportColumnDlg::FillAvailable() {
  available_.clear();
  for (const auto& c : set_.GetColumns()) {
    if (IsExportColumn(c->GetKey()) && !IsChosen(c->GetKey())) available_.push_back({c->GetKey(), c->GetLabel()});
  }
  availableSelection_ = Clamp(availableSelection_, available_);
}

void CExportColumnDlg::OnAdd() {
  if (availableSelection_ < 0) return ui_.Tell(kNothingToAdd);
  const ExportColumn column = available_[availableSelection_];
  if (IsChosen(column.key)) return ui_.Tell(kAlreadyChosen);
  chosen_.push_back(column);
  available_.erase(available_.begin() + availableSelection_);
  // The next column stays selected, so a run of columns is chosen by pressing the button again.
  availableSelection_ = Clamp(std::min(availableSelection_, static_cast<int>(available_.size()) - 1), available_);
  chosenSelection_ = static_cast<int>(chosen_.size()) - 1;
}

void CExportColumnDlg::OnAddAll() {
  for (const ExportColumn& c : available_) chosen_.push_back(c);
  available_.clear();
  availableSelection_ = -1;
}

void CExportColumnDlg::OnRemove() {
  if (chosenSelection_ < 0) return ui_.Tell(kNothingToRemove);
  chosen_.erase(chosen_.begin() + chosenSelection_);
  chosenSelection_ = Clamp(std::min(chosenSelection_, static_cast<int>(chosen_.size()) - 1), chosen_);
  FillAvailable();
}

void CExportColumnDlg::OnRemoveAll() {
  chosen_.clear();
  chosenSelection_ = -1;
  FillAvailable();
}

void CExportColumnDlg::Move(int step) {
  if (chosenSelection_ < 0) return ui_.Tell(kNothingToMove);
  const int target = chosenSelection_ + step;
  if (target < 0 || target >= static_cast<int>(chosen_.size())) return;
  std::swap(chosen_[chosenSelection_], chosen_[target]);
  chosenSelection_ = target;
}

void CExportColumnDlg::OnOK() {
  if (chosen_.empty()) return ui_.Tell(kNoColumns);
  EndDialog(true);
}

}  // namespace io
