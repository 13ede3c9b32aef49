#include "printing/COriginalFormDlg.h"

#include <algorithm>

#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "text/Cp932.h"
#include "text/Format.h"

namespace printing {

void COriginalNameDlg::OnOK() {
  if (Name.empty()) return ui_.Tell(kEmpty);
  if (text::Cp932Length(Name) > kMaxBytes) return ui_.Tell(kTooLong);
  EndDialog(true);
}

COriginalFormDlg::COriginalFormDlg(ui::Ui& ui, std::filesystem::path install, std::function<void()> changed)
    : ui_(ui),
      install_(std::move(install)),
      changed_(std::move(changed)),
      catalogue_(std::make_unique<lumaro::CLumaro>(install_, [&ui](std::string_view text) { ui.Tell(text); })) {
  Load();
  if (!rows_.empty()) selection_ = {0};
}

COriginalFormDlg::~COriginalFormDlg() = default;

void COriginalFormDlg::Load() {
  rows_.clear();
  ids_.clear();
  catalogue_->ReadPickUp();
  for (const auto& layout : catalogue_->GetPickUpData()) {
    if (!layout) continue;
    rows_.push_back(layout->Title);
    ids_.push_back(layout->LayoutID);
  }
}

std::filesystem::path COriginalFormDlg::OrgFile(const std::filesystem::path& install, int layoutId) {
  return install / "Data" / "Org" / text::Format("%d.org", layoutId);
}

void COriginalFormDlg::SetSelection(std::vector<int> rows) {
  std::erase_if(rows, [this](int r) { return r < 0 || r >= static_cast<int>(rows_.size()); });
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  selection_ = std::move(rows);
}

void COriginalFormDlg::OnRename() {
  if (selection_.size() > 1) return ui_.Tell("名前の変更をするには、フォームを１つだけ選択してください");
  if (selection_.empty()) return ui_.Tell("名前を変更するフォームを選択してください");
  const int row = selection_.front();
  COriginalNameDlg name(ui_, rows_[static_cast<std::size_t>(row)]);
  if (!ui_.Run(name)) return;
  // The list as stored now: another program may have changed it meanwhile.
  catalogue_->ReadPickUp();
  for (const auto& layout : catalogue_->GetPickUpData()) {
    if (layout && layout->LayoutID == ids_[static_cast<std::size_t>(row)]) layout->Title = name.Name;
  }
  if (catalogue_->WritePickUp() != 1) return;
  rows_[static_cast<std::size_t>(row)] = name.Name;
  selection_ = {row};
  if (changed_) changed_();
}

void COriginalFormDlg::OnDelete() {
  if (selection_.empty()) return ui_.Tell("削除するフォームを選択してください");
  if (!ui_.Ask("選択したフォームをすべて削除してよろしいですか？", ui::Answer::No)) return;
  const std::vector<int> rows = selection_;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    const std::size_t row = static_cast<std::size_t>(*it);
    std::error_code ec;
    // A missing ".org" file is no reason to keep the entry.
    std::filesystem::remove(OrgFile(install_, ids_[row]), ec);
    if (catalogue_->DelPickUp(ids_[row], 0) != 1) continue;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    ids_.erase(ids_.begin() + static_cast<std::ptrdiff_t>(row));
    if (changed_) changed_();
  }
  selection_.clear();
  if (!rows_.empty()) selection_ = {0};
}

void EditOriginalForms(ui::Ui& ui, const std::filesystem::path& install, const std::function<void()>& changed) {
  COriginalFormDlg dialog(ui, install, changed);
  if (dialog.Rows().empty()) return;
  ui.Run(dialog);
}

}  // namespace printing
