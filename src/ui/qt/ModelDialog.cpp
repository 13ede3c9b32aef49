#include "ui/qt/ModelDialog.h"

#include "ui/qt/QtUi.h"
#include "ui/qt/ScreenFit.h"

namespace ui {

ModelDialog::ModelDialog(CDialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(ToQString(model.Title()));
  setAccessibleName(windowTitle());
  model_.onChanged = [this] { Refresh(); };
}

ModelDialog::~ModelDialog() { model_.onChanged = nullptr; }

void ModelDialog::setVisible(bool visible) {
  if (visible && !fitted_) {
    fitted_ = true;
    FitToScreen(this);
  }
  QDialog::setVisible(visible);
}

void ModelDialog::reject() { Act([this] { model_.OnCancel(); }); }

void ModelDialog::AfterAction() {
  if (!model_.IsClosing()) {
    Refresh();
    return;
  }
  if (model_.ClosedWithOk()) {
    QDialog::accept();
  } else {
    QDialog::reject();
  }
}

}  // namespace ui
