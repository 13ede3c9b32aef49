#include "dm/CKokyakuSelectDlg.h"

#include "extract/CExtractDlg.h"
#include "extract/Extraction.h"
#include "settings/CExCondition.h"
#include "settings/CQMVColSet.h"
#include "settings/ColumnRoutines.h"
#include "shell/CTovanaDoc.h"

namespace dm {

CKokyakuSelectDlg::CKokyakuSelectDlg(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install,
                                     CustomerSelectMode mode)
    : ui_(ui), doc_(doc), install_(std::move(install)), mode_(mode), keepHistory_(mode == CustomerSelectMode::Print) {}

void CKokyakuSelectDlg::Open() {
  std::vector<std::unique_ptr<settings::CQMVCol>> resolved;
  settings::GetDispColumns(ui_, resolved, install_);
  std::vector<customers::ListColumn> columns;
  for (const auto& col : resolved) columns.push_back({col->GetKey(), col->GetLabel(), 100});
  list_.SetColumns(std::move(columns));
  ShowCustomers(nullptr);
}

void CKokyakuSelectDlg::ShowCustomers(const std::unordered_set<std::int32_t>* only) {
  std::vector<customers::ListRow> rows;
  for (const auto& customer : doc_.Customers()) {
    if (!only || only->contains(customer->ID)) rows.push_back({customer.get(), customer->ID, std::nullopt});
  }
  if (onRowsChanging) onRowsChanging();
  list_.SetRows(std::move(rows));
  if (onRowsChanged) onRowsChanged();
}

void CKokyakuSelectDlg::OnHeaderClick(int column) {
  if (onRowsChanging) onRowsChanging();
  list_.SortBy(column);
  if (onRowsChanged) onRowsChanged();
}

bool CKokyakuSelectDlg::IsChecked(int row) const {
  return row >= 0 && row < list_.RowCount() && checked_.contains(list_.Rows()[static_cast<std::size_t>(row)].id);
}

void CKokyakuSelectDlg::SetChecked(int row, bool checked) {
  if (row < 0 || row >= list_.RowCount()) return;
  const std::int32_t id = list_.Rows()[static_cast<std::size_t>(row)].id;
  if (checked) {
    checked_.insert(id);
  } else {
    checked_.erase(id);
  }
}

int CKokyakuSelectDlg::CheckedCount() const {
  int n = 0;
  for (int r = 0; r < list_.RowCount(); ++r) n += IsChecked(r) ? 1 : 0;
  return n;
}

void CKokyakuSelectDlg::OnSelectAll() {
  for (const customers::ListRow& row : list_.Rows()) checked_.insert(row.id);
}

void CKokyakuSelectDlg::OnExtract() {
  // The document's extraction belongs to the customer and history lists: kept aside and put
  // back afterwards, so choosing recipients never changes what those lists show; the dialog
  // starts from no condition.
  settings::CExCondition* current = doc_.CurrentExtraction();
  std::unique_ptr<settings::CExCondition> kept = current ? std::make_unique<settings::CExCondition>(*current) : nullptr;
  const bool keptSaved = doc_.IsExtractionSaved();
  records::IdArray keptIds = std::move(doc_.ExtractedIds());
  doc_.ExtractedIds().clear();
  doc_.ClearExtraction();
  const bool ran = extract::RunExtractionDialog(ui_, doc_, install_, extract::CExtractDlg::kDMRecipients);
  const records::IdArray found = doc_.ExtractedIds();
  doc_.SetExtraction(std::move(kept), keptSaved);
  doc_.ExtractedIds() = std::move(keptIds);
  if (!ran) return;
  if (found.empty()) return ui_.Tell(kNoneExtracted, ui::Icon::Information);
  const std::unordered_set<std::int32_t> only(found.begin(), found.end());
  ShowCustomers(&only);
}

void CKokyakuSelectDlg::OnOK() {
  chosen_.clear();
  for (int r = 0; r < list_.RowCount(); ++r) {
    if (IsChecked(r)) chosen_.push_back(list_.Rows()[static_cast<std::size_t>(r)].id);
  }
  if (chosen_.empty()) return ui_.Tell(kNoneChecked);
  EndDialog(true);
}

}  // namespace dm
