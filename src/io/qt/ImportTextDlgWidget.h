#pragma once
// "ﾃｷｽﾄﾌｧｲﾙの形式", rendering io::CImportTextDlg: the delimiter choice and the head of the file.

#include "io/CImportTextDlg.h"
#include "ui/qt/ModelDialog.h"

class QButtonGroup;
class QLineEdit;

namespace io {

class ImportTextDlgWidget : public ui::ModelDialog {
 public:
  ImportTextDlgWidget(CImportTextDlg& model, QWidget* parent);

 protected:
  void Refresh() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CImportTextDlg& model_;
  QButtonGroup* choices_;
  QLineEdit* other_;
};

}  // namespace io
