#pragma once
// "DMタイトルを選択" and "顧客を選択" on Qt, rendering dm::CDMSelectDlg and dm::CKokyakuSelectDlg.

#include "dm/CDMSelectDlg.h"
#include "dm/CKokyakuSelectDlg.h"
#include "ui/qt/ModelDialog.h"

class QCheckBox;
class QPushButton;
class QTableView;

namespace dm {

class FunctionTableModel;

class DMSelectDlgWidget : public ui::ModelDialog {
 public:
  DMSelectDlgWidget(CDMSelectDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CDMSelectDlg& model_;
  QTableView* list_;
  QCheckBox* history_;
  QPushButton* ok_;
};

class KokyakuSelectDlgWidget : public ui::ModelDialog {
 public:
  KokyakuSelectDlgWidget(CKokyakuSelectDlg& model, QWidget* parent);
  ~KokyakuSelectDlgWidget() override;

 protected:
  void Refresh() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Toggle(int row);

  CKokyakuSelectDlg& model_;
  FunctionTableModel* rows_;
  QTableView* list_;
  QCheckBox* history_;
};

}  // namespace dm
