#include "extract/ExtractDialogs.h"

#include <algorithm>
#include <memory>

#include "settings/CExtract.h"
#include "settings/CQMVCol.h"
#include "settings/ColumnRoutines.h"

namespace extract {

CExtractSaveDlg::CExtractSaveDlg(ui::Ui& ui, std::filesystem::path dataFolder, settings::CExCondition& condition)
    : ui_(ui), dataFolder_(std::move(dataFolder)), condition_(condition), name_(condition.name) {}

void CExtractSaveDlg::OnOK() {
  if (name_.empty()) return ui_.Tell(kEnterName);
  condition_.name = name_;
  // Read afresh, so a condition saved meanwhile elsewhere is kept; an unreadable file is refused
  // by the load and never overwritten.
  settings::CExtract saved(ui_, dataFolder_);
  saved_ = saved.Load() == 1 && saved.Add(condition_) == 1;
  if (!saved_) ui_.Tell(kSaveFailed);
  EndDialog(saved_);
}

void CExtractRenameDlg::OnOK() {
  if (name_.empty()) {
    ui_.Tell(kEnterName);
    focusName = true;
    return;
  }
  EndDialog(true);
}

CExtractColumnDlg::CExtractColumnDlg(ui::Ui& ui, std::filesystem::path install, std::vector<std::string> columns)
    : ui_(ui), install_(std::move(install)), set_(ui, install_), start_(std::move(columns)) {}

bool CExtractColumnDlg::Open() {
  if (set_.Load() == 0) return false;
  if (start_.empty()) {
    std::vector<std::unique_ptr<settings::CQMVCol>> display;
    settings::GetDispColumns(ui_, display, install_);
    for (const auto& column : display) start_.push_back(column->GetKey());
  }
  for (const std::string& key : start_) {
    if (set_.Find(key)) shown_.push_back({set_.GetLabel(key), key});
  }
  FillAvailable();
  return true;
}

void CExtractColumnDlg::FillAvailable() {
  const int keep = availableSelection_;
  available_.clear();
  for (const auto& column : set_.GetColumns()) {
    const std::string& key = column->GetKey();
    if (!settings::IsDispColumn(key)) continue;
    if (std::any_of(shown_.begin(), shown_.end(), [&key](const Row& r) { return r.key == key; })) continue;
    available_.push_back({column->GetLabel(), key});
  }
  SelectAvailable(std::min(keep, static_cast<int>(available_.size()) - 1));
}

void CExtractColumnDlg::OnShow() {
  if (availableSelection_ < 0) return ui_.Tell(kNothingToShow);
  const Row row = available_[static_cast<std::size_t>(availableSelection_)];
  if (std::any_of(shown_.begin(), shown_.end(), [&row](const Row& r) { return r.key == row.key; })) {
    return ui_.Tell(kAlreadyShown);
  }
  shown_.push_back(row);
  FillAvailable();
}

void CExtractColumnDlg::OnHide() {
  if (shownSelection_ < 0) return ui_.Tell(kNothingToHide);
  shown_.erase(shown_.begin() + shownSelection_);
  shownSelection_ = -1;
  FillAvailable();
}

void CExtractColumnDlg::Move(int step) {
  if (shownSelection_ < 0) return ui_.Tell(kNothingToMove);
  const int target = shownSelection_ + step;
  if (target < 0 || target >= static_cast<int>(shown_.size())) return;
  std::swap(shown_[static_cast<std::size_t>(shownSelection_)], shown_[static_cast<std::size_t>(target)]);
  shownSelection_ = target;
}

void CExtractColumnDlg::OnOK() {
  if (shown_.empty()) ui_.Tell(kNoColumns, ui::Icon::Information);
  EndDialog(true);
}

std::vector<std::string> CExtractColumnDlg::Columns() const {
  std::vector<std::string> keys;
  for (const Row& row : shown_) keys.push_back(row.key);
  return keys;
}

}  // namespace extract
