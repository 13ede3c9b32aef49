#include "customers/qt/SelectComboDlgWidget.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

SelectComboDlgWidget::SelectComboDlgWidget(CSelectComboDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CSelectComboDlg::kIntro, this));
  auto* group = new QGroupBox(QString::fromUtf8(CSelectComboDlg::kGroup), this);
  group->setAccessibleName(group->title());
  auto* radios = new QVBoxLayout(group);
  choices_ = new QButtonGroup(this);
  for (int list = 0; list < CSelectComboDlg::kChoiceCount; ++list) {
    auto* radio = new QRadioButton(ui::ToQString(model.Captions()[list]), group);
    radio->setAccessibleName(radio->text());
    choices_->addButton(radio, list);
    radios->addWidget(radio);
  }
  layout->addWidget(group);
  layout->addWidget(ui::OkCancelButtons(
      this, [this] { Act([this] { model_.Choose(choices_->checkedId()); model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));
  Refresh();
}

void SelectComboDlgWidget::Refresh() {
  if (auto* chosen = choices_->button(model_.Choice())) chosen->setChecked(true);
}

}  // namespace customers
