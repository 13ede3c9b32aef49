#include "customers/qt/ComboEditDlgWidget.h"

#include <QFont>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

ComboEditDlgWidget::ComboEditDlgWidget(CComboEditDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(model.Intro(), this));
  layout->addWidget(ui::MakeLabel(model.AutoRegisterNote(), this));
  layout->addWidget(ui::MakeLabel(model.ListCaption(), this));

  auto* row = new QHBoxLayout;
  list_ = ui::MakeList(model.ListCaption(), this);
  QFont font = list_->font();
  font.setPixelSize(14);
  list_->setFont(font);
  row->addWidget(list_, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ui::MakeButton("追加...", this, [this] { Act([this] { model_.OnAdd(); }); }));
  buttons->addWidget(ui::MakeButton("変更...", this, [this] { Act([this] { model_.OnChange(); }); }));
  buttons->addWidget(ui::MakeButton("削除", this, [this] { Act([this] { model_.OnDelete(); }); }));
  buttons->addSpacing(12);
  buttons->addWidget(ui::MakeButton("上へ", this, [this] { Act([this] { model_.OnUp(); }); }));
  buttons->addWidget(ui::MakeButton("下へ", this, [this] { Act([this] { model_.OnDown(); }); }));
  buttons->addStretch();
  row->addLayout(buttons);
  layout->addLayout(row, 1);
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));

  connect(list_, &QListWidget::currentRowChanged, this, [this](int r) { model_.Select(r); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnChange(); }); });
  resize(560, 420);
  Refresh();
}

void ComboEditDlgWidget::Refresh() { ui::ShowRows(list_, model_.Rows(), model_.Selection()); }

}  // namespace customers
