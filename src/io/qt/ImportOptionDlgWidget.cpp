#include "io/qt/ImportOptionDlgWidget.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace io {

ImportOptionDlgWidget::ImportOptionDlgWidget(CImportOptionDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(model_.Prompt(), this));
  auto* group = new QGroupBox(this);
  auto* column = new QVBoxLayout(group);
  options_ = new QButtonGroup(this);
  int id = 0;
  for (const std::string& option : model_.Options()) {
    auto* radio = new QRadioButton(ui::ToQString(option), group);
    radio->setAccessibleName(radio->text());
    options_->addButton(radio, id++);
    column->addWidget(radio);
  }
  layout->addWidget(group);
  auto* buttons = ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, "ｷｬﾝｾﾙ");
  auto* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setText(ui::ToQString(model_.OkCaption()));
  ok->setAccessibleName(ui::SpokenCaption(ok->text()));
  layout->addWidget(buttons);
  connect(options_, &QButtonGroup::idClicked, this, [this](int option) { model_.Select(option); });
  Refresh();
  if (auto* chosen = options_->button(model_.Selection())) chosen->setFocus();
}

void ImportOptionDlgWidget::Refresh() {
  if (auto* chosen = options_->button(model_.Selection())) chosen->setChecked(true);
}

}  // namespace io
