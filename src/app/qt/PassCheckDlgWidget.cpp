#include "app/qt/PassCheckDlgWidget.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace app {

PassCheckDlgWidget::PassCheckDlgWidget(platform::CPassCheckDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  auto* prompt = new QLabel(ui::ToQString(model.Prompt()), this);
  password_ = new QLineEdit(this);
  password_->setEchoMode(QLineEdit::Password);
  password_->setAccessibleName(prompt->text());
  prompt->setBuddy(password_);
  layout->addWidget(prompt);
  layout->addWidget(password_);
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetPassword(ui::FromQString(password_->text()));
      model_.OnOK();
    });
  }));
  setMinimumWidth(320);
}

void PassCheckDlgWidget::Refresh() {
  password_->setText(ui::ToQString(model_.Password()));
  password_->setFocus();
}

}  // namespace app
