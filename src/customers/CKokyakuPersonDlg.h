#pragma once
// The customer entry dialog of the card type 個人タイプ.

#include "customers/CKokyakuDlg.h"

namespace customers {

class CKokyakuPersonDlg : public CKokyakuDlg {
 public:
  CKokyakuPersonDlg(ui::Ui& ui, KokyakuMode mode, CKokyakuDlgOwner* owner, std::filesystem::path install,
                 UrlOpener openUrl = {})
      : CKokyakuDlg(ui, CardKind::Person, mode, owner, std::move(install), std::move(openUrl)) {}
};

}  // namespace customers
