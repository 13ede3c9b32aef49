#include "customers/CKokyakuSubDlg.h"

#include <vector>

#include "customers/KokyakuPages.h"
#include "settings/ColumnRoutines.h"
#include "text/Width.h"

namespace customers {

namespace {

std::vector<std::string_view> Join(std::span<const std::string_view> a, std::span<const std::string_view> b) {
  std::vector<std::string_view> all(a.begin(), a.end());
  all.insert(all.end(), b.begin(), b.end());
  return all;
}

const std::vector<std::string_view>& CompanyInfoColumns() {
  static const std::vector<std::string_view> columns = Join(CompanyColumns(), CompanyDetailColumns());
  return columns;
}

}  // namespace

CKokyakuSubDlg::CKokyakuSubDlg(ui::Ui& ui, SubKind kind, const CKokyakuForm& page, lookup::CLookupFacility* lookups,
                               std::filesystem::path install)
    : ui_(ui), kind_(kind), form_(page), lookups_(lookups), install_(std::move(install)) {
  if (kind_ != SubKind::Notes) return;
  for (int i = 0; i < 10; ++i) {
    noteLabels_[i] = settings::GetColLabel(ui_, NoteColumns()[static_cast<std::size_t>(i)], install_);
  }
}

std::string CKokyakuSubDlg::Title() const {
  const bool view = IsViewOnly();
  switch (kind_) {
    case SubKind::Notes: return view ? "備考を参照(修正することはできません)" : "備考";
    case SubKind::CompanyDetails: return view ? "会社詳細情報を参照(修正することはできません)" : "会社詳細情報";
    case SubKind::CompanyInfo: return view ? "会社情報を参照(修正することはできません)" : "会社情報の登録";
    case SubKind::HomeInfo: break;
  }
  return view ? "自宅情報を参照(修正することはできません)" : "自宅情報の登録";
}

std::span<const std::string_view> CKokyakuSubDlg::Columns() const {
  switch (kind_) {
    case SubKind::Notes: return NoteColumns();
    case SubKind::CompanyDetails: return CompanyDetailColumns();
    case SubKind::CompanyInfo: return CompanyInfoColumns();
    case SubKind::HomeInfo: break;
  }
  return HomeSubColumns();
}

std::string CKokyakuSubDlg::NoteCaption(int index) const {
  if (index < 0 || index >= 10) return {};
  if (!noteLabels_[index].empty()) return noteLabels_[index];
  return "備考" + text::AsciiDigitsToFullWidth(std::to_string(index + 1));
}

void CKokyakuSubDlg::OnOK() {
  if (IsViewOnly()) return;
  if (form_.Check(ui_, Columns())) EndDialog(true);
}

}  // namespace customers
