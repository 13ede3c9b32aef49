#pragma once
// The customer entry dialog of the card type 通常タイプ.

#include "customers/CKokyakuDlg.h"

namespace customers {

class CKokyakuNormalDlg : public CKokyakuDlg {
 public:
  CKokyakuNormalDlg(ui::Ui& ui, KokyakuMode mode, CKokyakuDlgOwner* owner, std::filesystem::path install,
                 UrlOpener openUrl = {})
      : CKokyakuDlg(ui, CardKind::Normal, mode, owner, std::move(install), std::move(openUrl)) {}
};

}  // namespace customers
