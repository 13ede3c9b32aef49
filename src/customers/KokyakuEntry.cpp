#include "customers/KokyakuEntry.h"

#include "customers/CKokyakuCompanyDlg.h"
#include "customers/CKokyakuNormalDlg.h"
#include "customers/CKokyakuPersonDlg.h"

namespace customers {

std::unique_ptr<CKokyakuDlg> MakeKokyakuDlg(ui::Ui& ui, int cardType, KokyakuMode mode, CKokyakuDlgOwner* owner,
                                            const std::filesystem::path& install) {
  switch (cardType) {
    case static_cast<int>(CardKind::Person): return std::make_unique<CKokyakuPersonDlg>(ui, mode, owner, install);
    case static_cast<int>(CardKind::Company): return std::make_unique<CKokyakuCompanyDlg>(ui, mode, owner, install);
    default: return std::make_unique<CKokyakuNormalDlg>(ui, mode, owner, install);
  }
}

namespace {

int RunAdd(ui::Ui& ui, CKokyakuDlgOwner& owner, int cardType, const records::CKokyaku* source,
           const std::filesystem::path& install) {
  if (owner.IsReadOnly()) {
    ui.Tell(kReadOnlyAdd);
    return 0;
  }
  auto dialog = MakeKokyakuDlg(ui, cardType, KokyakuMode::Add, &owner, install);
  dialog->SetSource(source);
  ui.Run(*dialog);
  return dialog->SavedCount();
}

}  // namespace

int AddCustomerDialog(ui::Ui& ui, CKokyakuDlgOwner& owner, int cardType, const std::filesystem::path& install) {
  return RunAdd(ui, owner, cardType, nullptr, install);
}

int CopyCustomerDialog(ui::Ui& ui, CKokyakuDlgOwner& owner, int cardType, std::int32_t id,
                       const std::filesystem::path& install) {
  const auto place = owner.SelectKokyaku(id);
  if (!place) return 0;
  return RunAdd(ui, owner, cardType, &place->customer, install);
}

int ModifyCustomerDialog(ui::Ui& ui, CKokyakuDlgOwner& owner, int cardType, std::int32_t id,
                         const std::filesystem::path& install) {
  const auto place = owner.SelectKokyaku(id);
  if (!place) return 0;
  const KokyakuMode mode = owner.IsReadOnly() ? KokyakuMode::View : KokyakuMode::Modify;
  auto dialog = MakeKokyakuDlg(ui, cardType, mode, &owner, install);
  dialog->SetSource(&place->customer);
  dialog->SetStepEnabled(place->hasPrevious, place->hasNext);
  ui.Run(*dialog);
  return dialog->SavedCount();
}

}  // namespace customers
