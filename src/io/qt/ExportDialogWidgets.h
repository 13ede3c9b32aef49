#pragma once
// The views of the export dialogs: "顧客データ書き出し" (io::CExportFormatDlg), "書き出し列の設定"
// (io::CExportColumnDlg) and "HTML書き出し形式の選択" (io::CHtmlFormatDlg).

#include "io/ExportDialogs.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;
class QListWidget;

namespace io {

class ExportFormatDlgWidget : public ui::ModelDialog {
 public:
  ExportFormatDlgWidget(CExportFormatDlg& model, QWidget* parent);
};

class ExportColumnDlgWidget : public ui::ModelDialog {
 public:
  ExportColumnDlgWidget(CExportColumnDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CExportColumnDlg& model_;
  QListWidget *chosen_, *available_;
};

class HtmlFormatDlgWidget : public ui::ModelDialog {
 public:
  HtmlFormatDlgWidget(CHtmlFormatDlg& model, QWidget* parent);
};

}  // namespace io
