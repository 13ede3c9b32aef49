#include "dm/qt/MailerDlgWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace dm {

MailerDlgWidget::MailerDlgWidget(CMailerDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  subject_ = new QLineEdit(this);
  subject_->setAccessibleName(ui::SpokenCaption(QString::fromUtf8(CMailerDlg::kSubjectCaption)));
  subject_->setMinimumWidth(subject_->fontMetrics().horizontalAdvance(QString(36, QChar(0x3042))));
  auto* row = new QHBoxLayout;
  row->addWidget(ui::MakeLabel(CMailerDlg::kSubjectCaption, this, subject_));
  row->addWidget(subject_, 1);
  layout->addLayout(row);

  history_ = new QCheckBox(QString::fromUtf8(CMailerDlg::kHistoryCaption), this);
  history_->setAccessibleName(history_->text());
  history_->setEnabled(model_.HistoryEnabled());
  layout->addWidget(history_);

  auto* buttons = ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetSubject(ui::FromQString(subject_->text()));
      model_.SetHistory(history_->isChecked());
      model_.OnOK();
    });
  }, CMailerDlg::kCancelCaption);
  for (QAbstractButton* b : buttons->buttons()) {
    if (buttons->buttonRole(b) != QDialogButtonBox::AcceptRole) continue;
    b->setText(QString::fromUtf8(CMailerDlg::kLaunchCaption));
    b->setAccessibleName(b->text());
  }
  layout->addWidget(buttons);
  history_->setChecked(model_.History());
  subject_->setText(ui::ToQString(model_.Subject()));
  subject_->setFocus();
}

void MailerDlgWidget::Refresh() {
  if (model_.TakeSubjectFocus()) {
    subject_->setFocus();
    subject_->selectAll();
  }
}

}  // namespace dm
