#include "app/qt/PassSetDlgWidget.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace app {

namespace {

QLineEdit* PasswordField(QWidget* parent, const char* caption) {
  auto* field = new QLineEdit(parent);
  field->setEchoMode(QLineEdit::Password);
  field->setAccessibleName(QString::fromUtf8(caption));
  return field;
}

}  // namespace

PassSetDlgWidget::PassSetDlgWidget(platform::CPassSetDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  using platform::CPassSetDlg;
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  old_ = PasswordField(this, CPassSetDlg::kOldCaption);
  new_ = PasswordField(this, CPassSetDlg::kNewCaption);
  confirm_ = PasswordField(this, CPassSetDlg::kConfirmCaption);
  old_->setEnabled(model.OldPasswordEnabled());
  form->addRow(QString::fromUtf8(CPassSetDlg::kOldCaption), old_);
  form->addRow(QString::fromUtf8(CPassSetDlg::kNewCaption), new_);
  form->addRow(QString::fromUtf8(CPassSetDlg::kConfirmCaption), confirm_);
  layout->addLayout(form);
  if (!model.Hint().empty()) {
    auto* hint = new QLabel(ui::ToQString(model.Hint()), this);
    hint->setAccessibleName(hint->text());
    layout->addWidget(hint);
  }
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetOldPassword(ui::FromQString(old_->text()));
      model_.SetNewPassword(ui::FromQString(new_->text()));
      model_.SetConfirmPassword(ui::FromQString(confirm_->text()));
      model_.OnOK();
    });
  }));
  setMinimumWidth(420);
}

void PassSetDlgWidget::Refresh() {
  old_->setText(ui::ToQString(model_.OldPassword()));
  new_->setText(ui::ToQString(model_.NewPassword()));
  confirm_->setText(ui::ToQString(model_.ConfirmPassword()));
}

}  // namespace app
