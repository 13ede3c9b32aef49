#pragma once
// The read-only history dialog, rendering history::CRirekiRefDlg.

#include "history/CRirekiRefDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace history {

class RirekiPictureView;

class RirekiRefDlgWidget : public ui::ModelDialog {
 public:
  RirekiRefDlgWidget(CRirekiRefDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  QLineEdit* Field(const char* caption, int width = 0);

  CRirekiRefDlg& model_;
  QLineEdit *year_, *month_, *day_, *hour_, *minute_, *staff_, *summary_, *keyword_, *amount_, *picturePath_;
  QPlainTextEdit* details_;
  RirekiPictureView* picture_;
  QPushButton *previous_, *next_;
};

}  // namespace history
