#pragma once
// The customer entry dialog of the card type 法人タイプ.

#include "customers/CKokyakuDlg.h"

namespace customers {

class CKokyakuCompanyDlg : public CKokyakuDlg {
 public:
  CKokyakuCompanyDlg(ui::Ui& ui, KokyakuMode mode, CKokyakuDlgOwner* owner, std::filesystem::path install,
                 UrlOpener openUrl = {})
      : CKokyakuDlg(ui, CardKind::Company, mode, owner, std::move(install), std::move(openUrl)) {}
};

}  // namespace customers
