#include "maintenance/qt/CompactDlgWidget.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace maintenance {

CompactDlgWidget::CompactDlgWidget(CCompactDlg& model, QWidget* parent) : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CCompactDlg::kIntro, this));
  file_ = new QLineEdit(this);
  file_->setAccessibleName(QString::fromUtf8(CCompactDlg::kFileCaption));
  file_->setMinimumWidth(file_->fontMetrics().horizontalAdvance(QString(44, QChar('M'))));
  layout->addWidget(ui::MakeLabel(CCompactDlg::kPrompt, this, file_));
  auto* row = new QHBoxLayout;
  row->addWidget(file_, 1);
  row->addWidget(ui::MakeButton(CCompactDlg::kBrowse, this, [this] {
    Act([this] {
      model_.SetFile(ui::FromQString(file_->text()));
      model_.OnBrowse();
    });
  }));
  layout->addLayout(row);
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetFile(ui::FromQString(file_->text()));
      model_.OnOK();
    });
  }));
  Refresh();
}

void CompactDlgWidget::Refresh() {
  const QString file = ui::ToQString(model_.File());
  if (file_->text() != file) file_->setText(file);
}

}  // namespace maintenance
