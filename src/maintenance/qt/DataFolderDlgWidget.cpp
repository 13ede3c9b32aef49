#include "maintenance/qt/DataFolderDlgWidget.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace maintenance {

DataFolderDlgWidget::DataFolderDlgWidget(CDataFolderDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CDataFolderDlg::kIntro, this));
  folder_ = new QLineEdit(this);
  folder_->setAccessibleName(QString::fromUtf8(CDataFolderDlg::kFolderCaption));
  folder_->setMinimumWidth(folder_->fontMetrics().horizontalAdvance(QString(44, QChar('M'))));
  layout->addWidget(ui::MakeLabel(CDataFolderDlg::kFolderCaption, this, folder_));
  auto* row = new QHBoxLayout;
  row->addWidget(folder_, 1);
  row->addWidget(ui::MakeButton(CDataFolderDlg::kBrowse, this, [this] {
    Act([this] {
      Store();
      model_.OnBrowse();
    });
  }));
  layout->addLayout(row);
  choices_ = new QButtonGroup(this);
  for (int choice : {CDataFolderDlg::kSwitch, CDataFolderDlg::kCopy, CDataFolderDlg::kCreate}) {
    auto* radio = new QRadioButton(QString::fromUtf8(CDataFolderDlg::ChoiceCaption(choice)), this);
    radio->setAccessibleName(radio->text());
    radio->setAccessibleDescription(QString::fromUtf8(CDataFolderDlg::ChoiceNote(choice)));
    choices_->addButton(radio, choice);
    layout->addWidget(radio);
    auto* note = ui::MakeLabel(CDataFolderDlg::ChoiceNote(choice), this);
    note->setWordWrap(true);
    note->setContentsMargins(24, 0, 0, 6);
    layout->addWidget(note);
  }
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      Store();
      model_.OnOK();
    });
  }));
  Refresh();
}

void DataFolderDlgWidget::Store() {
  model_.SetFolder(ui::FromQString(folder_->text()));
  model_.SetChoice(choices_->checkedId());
}

void DataFolderDlgWidget::Refresh() {
  const QString folder = ui::ToQString(model_.Folder());
  if (folder_->text() != folder) folder_->setText(folder);
  if (auto* b = choices_->button(model_.GetChoice())) b->setChecked(true);
}

}  // namespace maintenance
