#pragma once
// The field sub-dialogs of the customer entry dialogs, rendering customers::CKokyakuSubDlg.

#include "customers/CKokyakuSubDlg.h"
#include "customers/qt/KokyakuBlocks.h"
#include "customers/qt/KokyakuFormBinder.h"
#include "ui/qt/ModelDialog.h"

class QVBoxLayout;

namespace customers {

class KokyakuSubDlgWidget : public ui::ModelDialog {
 public:
  KokyakuSubDlgWidget(CKokyakuSubDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  void BuildFields(QVBoxLayout* layout);
  void BuildNotes(QVBoxLayout* layout);

  CKokyakuSubDlg& model_;
  KokyakuFormBinder bind_;
  BlockActions actions_;
};

}  // namespace customers
