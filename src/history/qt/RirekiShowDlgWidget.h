#pragma once
// "履歴一覧表示方法" on Qt, rendering history::CRirekiShowDlg: the two ways as large buttons, the
// first one the default, and the standard cancel button.

#include "history/CRirekiShowDlg.h"
#include "ui/qt/ModelDialog.h"

namespace history {

class RirekiShowDlgWidget : public ui::ModelDialog {
 public:
  RirekiShowDlgWidget(CRirekiShowDlg& model, QWidget* parent);
};

}  // namespace history
