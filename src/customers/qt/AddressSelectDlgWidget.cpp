#include "customers/qt/AddressSelectDlgWidget.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

AddressSelectDlgWidget::AddressSelectDlgWidget(CAddressSelectDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  setWindowTitle(ui::ToQString(model_.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel("選択してください", this));
  list_ = ui::MakeList("選択してください", this);
  ui::ShowRows(list_, model_.Texts(), model_.Selection());
  list_->setMinimumWidth(list_->sizeHintForColumn(0) + 40);
  layout->addWidget(list_);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { model_.Select(row); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnOK(); }); });
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }));
  list_->setFocus();
}

}  // namespace customers
