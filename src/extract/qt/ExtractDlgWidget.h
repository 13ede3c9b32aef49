#pragma once
// "抽出", rendering extract::CExtractDlg in each of its forms.

#include <array>

#include "extract/CExtractDlg.h"
#include "ui/qt/ModelDialog.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace extract {

class ExtractDlgWidget : public ui::ModelDialog {
 public:
  ExtractDlgWidget(CExtractDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  struct Row {
    QLabel *label, *valueLabel;
    QComboBox *item, *value, *colour, *op;
    int shownItem = -2;  // the item the value and operator lists were filled for
  };
  void FillRow(int k);

  CExtractDlg& model_;
  std::array<Row, 3> rows_{};
  QComboBox *ab_, *bc_;
  QRadioButton *customers_, *history_;
  QPushButton *columns_, *extract_, *save_, *preExtract_, *rename_, *delete_;
  QListWidget* saved_;
};

}  // namespace extract
