#include "customers/CFreeItemDlg.h"

#include <memory>

namespace customers {

CFreeItemDlg::CFreeItemDlg(ui::Ui& ui, std::filesystem::path install)
    : ui_(ui), install_(std::move(install)), columns_(std::make_unique<settings::CQMVColSet>(ui, install_)) {}

bool CFreeItemDlg::Open() {
  if (columns_->Load() == 0) return false;
  Fill();
  return true;
}

void CFreeItemDlg::Fill() {
  keys_.clear();
  selection_ = -1;
  for (const auto& column : columns_->GetColumns()) {
    if (column->IsRenamable()) keys_.push_back(column->GetKey());
  }
}

std::vector<std::string> CFreeItemDlg::Rows() const {
  std::vector<std::string> rows;
  for (const std::string& key : keys_) rows.push_back(columns_->GetLabel(key));
  return rows;
}

void CFreeItemDlg::Select(int row) {
  selection_ = row >= 0 && row < static_cast<int>(keys_.size()) ? row : -1;
  if (selection_ >= 0) newName_ = columns_->GetLabel(keys_[selection_]);
}

void CFreeItemDlg::OnChange() {
  if (selection_ < 0) return ui_.Tell(kNoSelection);
  if (newName_.empty()) return ui_.Tell(kEmptyName);
  if (settings::CQMVColSet::IsLabelTooWide(newName_)) ui_.Tell(kTooWide);
  if (columns_->SetLabel(keys_[selection_], newName_) == 0) ui_.Tell(kRenameFailed);
}

void CFreeItemDlg::OnReset() {
  if (!ui_.Ask(kResetQuestion, ui::Answer::Yes, ui::Icon::Information)) return;
  // The file is replaced now; the rows change only when the factory labels read back.
  auto reset = std::make_unique<settings::CQMVColSet>(ui_, install_);
  if (reset->GetFilePath() == 0 || reset->InitFile(false) == 0 || reset->Load() == 0) return;
  columns_ = std::move(reset);
  Fill();
}

void CFreeItemDlg::OnOK() {
  if (columns_->Save() == 0) ui_.Tell(kSaveFailed);
  EndDialog(true);
}

bool EditFreeItems(ui::Ui& ui, const std::filesystem::path& install) {
  CFreeItemDlg dialog(ui, install);
  return dialog.Open() && ui.Run(dialog);
}

}  // namespace customers
