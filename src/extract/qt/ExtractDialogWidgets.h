#pragma once
// The extraction dialog's companions: "抽出条件の保存", "保存済み抽出条件の名前を変更" and
// "表示設定－顧客抽出".

#include "extract/ExtractDialogs.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;
class QListWidget;

namespace extract {

class ExtractSaveDlgWidget : public ui::ModelDialog {
 public:
  ExtractSaveDlgWidget(CExtractSaveDlg& model, QWidget* parent);

 private:
  CExtractSaveDlg& model_;
  QLineEdit* name_;
};

class ExtractRenameDlgWidget : public ui::ModelDialog {
 public:
  ExtractRenameDlgWidget(CExtractRenameDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CExtractRenameDlg& model_;
  QLineEdit* name_;
};

class ExtractColumnDlgWidget : public ui::ModelDialog {
 public:
  ExtractColumnDlgWidget(CExtractColumnDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CExtractColumnDlg& model_;
  QListWidget *shown_, *available_;
};

}  // namespace extract
