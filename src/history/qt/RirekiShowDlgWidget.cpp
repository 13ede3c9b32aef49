#include "history/qt/RirekiShowDlgWidget.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"

namespace history {

RirekiShowDlgWidget::RirekiShowDlgWidget(CRirekiShowDlg& model, QWidget* parent) : ui::ModelDialog(model, parent) {
  auto* layout = new QVBoxLayout(this);
  for (const bool extract : {true, false}) {
    QPushButton* button = ui::MakeButton(extract ? CRirekiShowDlg::kExtractCaption : CRirekiShowDlg::kAllCaption, this,
                                         [this, &model, extract] {
                                           Act([&model, extract] { extract ? model.OnExtract() : model.OnAll(); });
                                         });
    button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
    button->setDefault(extract);
    layout->addWidget(button);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
  cancel->setAccessibleName(ui::SpokenCaption(cancel->text()));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addSpacing(6);
  layout->addWidget(buttons);
  setMinimumWidth(280);
}

}  // namespace history
