#include "io/qt/ImportPickDlgWidget.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace io {

ImportPickDlgWidget::ImportPickDlgWidget(CImportPickDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  items_ = ui::MakeList(model_.Prompt(), this);
  layout->addWidget(ui::MakeLabel(model_.Prompt(), this, items_));
  layout->addWidget(items_, 1);
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));
  connect(items_, &QListWidget::currentRowChanged, this, [this](int row) { model_.Select(row); });
  connect(items_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnOK(); }); });
  resize(360, 320);
  Refresh();
  items_->setFocus();
}

void ImportPickDlgWidget::Refresh() { ui::ShowRows(items_, model_.Items(), model_.Selection()); }

}  // namespace io
