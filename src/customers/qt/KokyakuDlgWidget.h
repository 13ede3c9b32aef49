#pragma once
// The customer entry dialog of every card type, rendering customers::CKokyakuDlg: the basic
// information on top, the card type's blocks below, 備考１, then the sub-dialog, stepping and
// closing buttons. Enter in a field moves to the next one; Esc closes as 閉じる does.

#include "customers/CKokyakuDlg.h"
#include "customers/qt/KokyakuBlocks.h"
#include "customers/qt/KokyakuFormBinder.h"
#include "ui/qt/ModelDialog.h"

class QGridLayout;
class QPushButton;
class QVBoxLayout;

namespace customers {

class KokyakuDlgWidget : public ui::ModelDialog {
 public:
  KokyakuDlgWidget(CKokyakuDlg& model, QWidget* parent);

 protected:
  void Refresh() override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* BuildBasic();
  void BuildBlocks(QVBoxLayout* layout);
  void BuildButtons(QVBoxLayout* layout);
  void SetStepButton(QPushButton* button, bool enabled, QPushButton* other);

  CKokyakuDlg& model_;
  KokyakuFormBinder bind_;
  BlockActions actions_;
  QPushButton *ok_ = nullptr, *close_ = nullptr, *previous_ = nullptr, *next_ = nullptr;
};

}  // namespace customers
