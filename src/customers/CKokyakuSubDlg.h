#pragma once
// The sub-dialogs of the customer entry pages that hold fields: "さらに備考...", "会社詳細...",
// "会社情報..." and "個人情報...". Each starts from the page's form and is copied back only on OK;
// view-only, OK is disabled and cancel reads "閉じる".

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "customers/AddressLookup.h"
#include "customers/CKokyakuForm.h"
#include "ui/Ui.h"

namespace customers {

enum class SubKind { Notes, CompanyDetails, CompanyInfo, HomeInfo };

class CKokyakuSubDlg : public ui::CDialogModel {
 public:
  // page: the form the fields come from; lookups may be null (the lookups then refuse); install:
  // where the choice lists and column labels are found.
  CKokyakuSubDlg(ui::Ui& ui, SubKind kind, const CKokyakuForm& page, lookup::CLookupFacility* lookups,
                 std::filesystem::path install);

  std::string Title() const override;
  SubKind Kind() const { return kind_; }
  bool IsViewOnly() const { return form_.IsViewOnly(); }
  // The closing button: "閉じる" when only viewing; empty for the standard cancel button.
  std::string CancelCaption() const { return IsViewOnly() ? "閉じる" : ""; }
  // The columns the dialog holds, which OK copies back.
  std::span<const std::string_view> Columns() const;
  // The caption of a note (its column label, else "備考１" ...).
  std::string NoteCaption(int index) const;
  CKokyakuForm& Form() { return form_; }
  ui::Ui& ChoiceUi() const { return ui_; }
  const std::filesystem::path& Install() const { return install_; }
  // The address block whose lookups the dialog offers (CompanyInfo, HomeInfo).
  AddressBlock Block() const { return kind_ == SubKind::HomeInfo ? AddressBlock::Home : AddressBlock::Office; }

  // Checks the byte limits and the birth date, then closes with OK; view-only does nothing.
  void OnOK();
  void OnPostalLookup() { LookupPostalCode(ui_, lookups_, form_, Block()); }
  void OnPhoneLookup() { LookupPhoneNumber(ui_, lookups_, form_, Block()); }

 private:
  ui::Ui& ui_;
  SubKind kind_;
  CKokyakuForm form_;
  lookup::CLookupFacility* lookups_;
  std::filesystem::path install_;
  std::string noteLabels_[10];
};

}  // namespace customers
