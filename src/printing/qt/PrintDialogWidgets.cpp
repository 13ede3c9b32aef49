#include "printing/qt/PrintDialogWidgets.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"

namespace printing {

PrintSourceDlgWidget::PrintSourceDlgWidget(CPrintSourceDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  setWindowTitle(QString::fromUtf8(model.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(CPrintSourceDlg::kQuestion), this));
  auto* group = new QButtonGroup(this);
  for (int s = CPrintSourceDlg::kStartForm; s <= CPrintSourceDlg::kFromDM; ++s) {
    auto* radio = new QRadioButton(QString::fromUtf8(CPrintSourceDlg::kCaptions[s]), this);
    radio->setAccessibleName(radio->text());
    radio->setEnabled(model.IsEnabled(s));
    radio->setChecked(model.Selected() == s);
    group->addButton(radio, s);
    layout->addWidget(radio);
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int s) { Act([this, s] { model_.Select(s); }); });
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }));
}

OriginalFormDlgWidget::OriginalFormDlgWidget(COriginalFormDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  setWindowTitle(QString::fromUtf8(model.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QString::fromUtf8(COriginalFormDlg::kText), this));
  list_ = ui::MakeList(COriginalFormDlg::kListCaption, this);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(ui::MakeLabel("オリジナルフォーム一覧(&L):", this, list_));
  layout->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  rename_ = ui::MakeButton(COriginalFormDlg::kRenameCaption, this, [this] { Act([this] { model_.OnRename(); }); });
  delete_ = ui::MakeButton(COriginalFormDlg::kDeleteCaption, this, [this] { Act([this] { model_.OnDelete(); }); });
  QPushButton* close = ui::MakeButton(COriginalFormDlg::kCloseCaption, this, [this] { reject(); });
  buttons->addWidget(rename_);
  buttons->addWidget(delete_);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) rows.push_back(index.row());
    model_.SetSelection(rows);
    rename_->setEnabled(model_.RenameEnabled());
    delete_->setEnabled(model_.DeleteEnabled());
  });
  resize(460, 360);
  Refresh();
}

void OriginalFormDlgWidget::Refresh() {
  const QSignalBlocker block(list_);
  list_->clear();
  for (const auto& row : model_.Rows()) list_->addItem(QString::fromStdString(row));
  for (int row : model_.Selection()) list_->item(row)->setSelected(true);
  if (!model_.Selection().empty()) list_->setCurrentRow(model_.Selection().front(), QItemSelectionModel::NoUpdate);
  rename_->setEnabled(model_.RenameEnabled());
  delete_->setEnabled(model_.DeleteEnabled());
}

OriginalNameDlgWidget::OriginalNameDlgWidget(COriginalNameDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  setWindowTitle(QString::fromUtf8(model.Title()));
  auto* layout = new QVBoxLayout(this);
  name_ = new QLineEdit(QString::fromStdString(model.Name), this);
  ui::LimitToCp932Bytes(name_, COriginalNameDlg::kMaxBytes);
  layout->addWidget(ui::MakeLabel(COriginalNameDlg::kPrompt, this, name_));
  layout->addWidget(name_);
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.Name = name_->text().toStdString();
      model_.OnOK();
    });
  }));
  setMinimumWidth(420);
}

}  // namespace printing
