#include "customers/CComboEditDlg.h"

#include <utility>

#include "customers/CComboItemDlg.h"
#include "settings/ColumnRoutines.h"
#include "text/Format.h"

namespace customers {

namespace {

// Lists 4 and 5 are named after the current labels of the two free rankings.
std::string RankingLabel(ui::Ui& ui, int list, const std::filesystem::path& install) {
  if (list == settings::CQMVComboData::kRank1) return settings::GetColLabel(ui, "Ranking1", install);
  if (list == settings::CQMVComboData::kRank2) return settings::GetColLabel(ui, "Ranking2", install);
  return {};
}

}  // namespace

CComboEditDlg::CComboEditDlg(ui::Ui& ui, int list, std::filesystem::path install)
    : ui_(ui), install_(std::move(install)), list_(list), data_(ui, install_) {}

bool CComboEditDlg::Open() {
  if (data_.Load(list_) == 0) return false;
  name_ = settings::CQMVComboData::DisplayName(list_, RankingLabel(ui_, list_, install_));
  return true;
}

std::string CComboEditDlg::Title() const { return text::Format("%s の設定", name_); }

std::string CComboEditDlg::Intro() const {
  return text::Format("%sを編集します。設定が完了したら【OK】ボタンをクリックしてください。", name_);
}

std::string CComboEditDlg::AutoRegisterNote() const {
  return text::Format("※なお、各画面の%sを設定するコンボボックスで入力すると自動的に登録されます。", name_);
}

std::string CComboEditDlg::ListCaption() const { return text::Format("現在登録されている%s", name_); }

std::vector<std::string> CComboEditDlg::Rows() const {
  std::vector<std::string> rows;
  for (const auto& entry : data_.GetEntries()) rows.push_back(entry->GetText());
  return rows;
}

void CComboEditDlg::Select(int row) {
  const int count = static_cast<int>(data_.GetEntries().size());
  selection_ = row >= 0 && row < count ? row : -1;
}

bool CComboEditDlg::SelectedIsFixed() const { return !data_.GetEntries()[selection_]->IsEditable(); }

void CComboEditDlg::OnAdd() {
  CComboItemDlg item(ui_, settings::CQMVComboData::TextLimit(list_), Rows());
  if (!ui_.Run(item)) return;
  data_.GetEntries().push_back(std::make_shared<settings::CQMVComboElem>(item.Text(), true));
}

void CComboEditDlg::OnChange() {
  if (!HasSelection()) return ui_.Tell(kNoChangeSelection);
  if (SelectedIsFixed()) return ui_.Tell(kFixedNotEditable);
  auto& entry = *data_.GetEntries()[selection_];
  CComboItemDlg item(ui_, settings::CQMVComboData::TextLimit(list_), Rows(), entry.GetText());
  if (ui_.Run(item)) entry.SetText(item.Text());
}

void CComboEditDlg::OnDelete() {
  if (!HasSelection()) return ui_.Tell(kNoDeleteSelection);
  if (SelectedIsFixed()) return ui_.Tell(kFixedNotDeletable);
  auto& entries = data_.GetEntries();
  if (!ui_.Ask(text::Format(kDeleteQuestion, entries[selection_]->GetText()), ui::Answer::No)) return;
  entries.erase(entries.begin() + selection_);
  selection_ = -1;
}

void CComboEditDlg::Move(int step) {
  if (!HasSelection()) return ui_.Tell(kNoMoveSelection);
  auto& entries = data_.GetEntries();
  const int target = selection_ + step;
  if (target < 0 || target >= static_cast<int>(entries.size())) return;
  std::swap(entries[selection_], entries[target]);
  selection_ = target;
}

void CComboEditDlg::OnOK() {
  if (data_.Save() == 0) return ui_.Tell(kSaveFailed);
  EndDialog(true);
}

}  // namespace customers
