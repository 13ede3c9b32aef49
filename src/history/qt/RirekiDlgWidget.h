#pragma once
// The history entry dialog, rendering history::CRirekiDlg.

#include "history/CRirekiDlg.h"
#include "ui/qt/ModelDialog.h"

class QComboBox;
class QGridLayout;
class QVBoxLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ui {
class ChoiceListComboBox;
}

namespace history {

class RirekiPictureView;
class YearSpinBox;

class RirekiDlgWidget : public ui::ModelDialog {
 public:
  RirekiDlgWidget(CRirekiDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  void BuildDate();
  void BuildTexts();
  void BuildPicture(QGridLayout* grid);
  void BuildButtons(QVBoxLayout* layout);
  void ShowFocus();
  void SetStepButton(QPushButton* button, bool enabled, QPushButton* other);

  CRirekiDlg& model_;
  YearSpinBox* year_;
  QComboBox *month_, *day_, *hour_, *minute_;
  ui::ChoiceListComboBox *staff_, *summary_, *keyword_;
  QPlainTextEdit* details_;
  QLineEdit *amount_, *picturePath_;
  RirekiPictureView* picture_;
  QPushButton *deletePicture_, *ok_, *close_, *previous_, *next_;
};

}  // namespace history
