#include "maintenance/qt/BackupFolderDlgWidget.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace maintenance {

BackupFolderDlgWidget::BackupFolderDlgWidget(CBackupFolderDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  folder_ = new QLineEdit(this);
  folder_->setAccessibleName(QString::fromUtf8(CBackupFolderDlg::kPrompt));
  folder_->setMinimumWidth(folder_->fontMetrics().horizontalAdvance(QString(48, QChar('M'))));
  layout->addWidget(ui::MakeLabel(CBackupFolderDlg::kPrompt, this, folder_));
  auto* row = new QHBoxLayout;
  row->addWidget(folder_, 1);
  row->addWidget(ui::MakeButton(CBackupFolderDlg::kBrowse, this, [this] {
    Act([this] {
      model_.SetFolder(ui::FromQString(folder_->text()));
      model_.OnBrowse();
    });
  }));
  layout->addLayout(row);
  layout->addStretch();
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetFolder(ui::FromQString(folder_->text()));
      model_.OnOK();
    });
  }));
  Refresh();
}

void BackupFolderDlgWidget::Refresh() {
  const QString folder = ui::ToQString(model_.Folder());
  if (folder_->text() != folder) folder_->setText(folder);
}

}  // namespace maintenance
