#include "customers/qt/ComboItemDlgWidget.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

ComboItemDlgWidget::ComboItemDlgWidget(CComboItemDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CComboItemDlg::kPrompt, this));
  text_ = new QLineEdit(this);
  text_->setAccessibleName(QString::fromUtf8(CComboItemDlg::kPrompt));
  ui::LimitToCp932Bytes(text_, model.TextLimit());
  layout->addWidget(text_);
  layout->addWidget(ui::OkCancelButtons(
      this, [this] { Act([this] { model_.SetText(ui::FromQString(text_->text())); model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));
  setMinimumWidth(420);
  Refresh();
  text_->selectAll();
}

void ComboItemDlgWidget::Refresh() { text_->setText(ui::ToQString(model_.Text())); }

}  // namespace customers
