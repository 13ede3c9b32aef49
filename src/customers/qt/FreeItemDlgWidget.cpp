#include "customers/qt/FreeItemDlgWidget.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

FreeItemDlgWidget::FreeItemDlgWidget(CFreeItemDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CFreeItemDlg::kIntro, this));
  layout->addWidget(ui::MakeLabel("変更可能な項目名", this));
  list_ = ui::MakeList("変更可能な項目名", this);
  layout->addWidget(list_, 1);

  auto* edit = new QHBoxLayout;
  newName_ = new QLineEdit(this);
  newName_->setAccessibleName(QString::fromUtf8("新しい項目名"));
  edit->addWidget(ui::MakeLabel("新しい項目名", this));
  edit->addWidget(newName_, 1);
  QPushButton* change = ui::MakeButton("変更", this, [this] { Act([this] { PassNewName(); model_.OnChange(); }); });
  edit->addWidget(change);
  layout->addLayout(edit);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(ui::MakeButton("初期状態に戻す", this, [this] { Act([this] { PassNewName(); model_.OnReset(); }); }));
  bottom->addStretch();
  bottom->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { PassNewName(); model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));
  layout->addLayout(bottom);

  // 変更 is the default button: Enter in the new name renames.
  change->setDefault(true);
  connect(newName_, &QLineEdit::returnPressed, change, &QPushButton::click);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int r) { Act([this, r] { model_.Select(r); }); });
  resize(560, 520);
  Refresh();
}

void FreeItemDlgWidget::PassNewName() { model_.SetNewName(ui::FromQString(newName_->text())); }

void FreeItemDlgWidget::Refresh() {
  ui::ShowRows(list_, model_.Rows(), model_.Selection());
  newName_->setText(ui::ToQString(model_.NewName()));
}

}  // namespace customers
