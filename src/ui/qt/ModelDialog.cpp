#include "ui/qt/ModelDialog.h"

#include "ui/qt/QtUi.h"

namespace ui {

ModelDialog::ModelDialog(CDialogModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setWindowTitle(ToQString(model.Title()));
  setAccessibleName(windowTitle());
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
