#include "extract/qt/ExtractDialogWidgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace extract {

namespace {

QLineEdit* NameEdit(QWidget* parent, const std::string& name, const char* caption) {
  auto* edit = new QLineEdit(ui::ToQString(name), parent);
  edit->setAccessibleName(QString::fromUtf8(caption));
  edit->setMinimumWidth(320);
  return edit;
}

std::vector<std::string> Labels(const std::vector<CExtractColumnDlg::Row>& rows) {
  std::vector<std::string> labels;
  for (const auto& row : rows) labels.push_back(row.label);
  return labels;
}

}  // namespace

ExtractSaveDlgWidget::ExtractSaveDlgWidget(CExtractSaveDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  name_ = NameEdit(this, model_.Name(), "保存する条件の名前");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel("保存する条件の名前", this, name_));
  layout->addWidget(name_);
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetName(ui::FromQString(name_->text()));
      model_.OnOK();
    });
  }, "ｷｬﾝｾﾙ"));
}

ExtractRenameDlgWidget::ExtractRenameDlgWidget(CExtractRenameDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  name_ = NameEdit(this, model_.Name(), "新しい名前");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel("新しい名前", this, name_));
  layout->addWidget(name_);
  layout->addWidget(ui::OkCancelButtons(this, [this] {
    Act([this] {
      model_.SetName(ui::FromQString(name_->text()));
      model_.OnOK();
    });
  }, "ｷｬﾝｾﾙ"));
}

void ExtractRenameDlgWidget::Refresh() {
  if (!model_.focusName) return;
  model_.focusName = false;
  name_->setFocus();
}

ExtractColumnDlgWidget::ExtractColumnDlgWidget(CExtractColumnDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* lists = new QGridLayout;
  shown_ = ui::MakeList("表示列", this);
  available_ = ui::MakeList("表示可能な列", this);
  lists->addWidget(ui::MakeLabel("表示列", this), 0, 0);
  lists->addWidget(shown_, 1, 0);
  lists->addWidget(ui::MakeLabel("表示可能な列", this), 0, 2);
  lists->addWidget(available_, 1, 2);
  auto* moves = new QHBoxLayout;
  moves->addWidget(ui::MakeButton("上へ", this, [this] { Act([this] { model_.OnUp(); }); }));
  moves->addWidget(ui::MakeButton("下へ", this, [this] { Act([this] { model_.OnDown(); }); }));
  lists->addLayout(moves, 2, 0);
  auto* transfer = new QVBoxLayout;
  transfer->addStretch();
  transfer->addWidget(ui::MakeButton("←表示する", this, [this] { Act([this] { model_.OnShow(); }); }));
  transfer->addWidget(ui::MakeButton("表示しない→", this, [this] { Act([this] { model_.OnHide(); }); }));
  transfer->addStretch();
  lists->addLayout(transfer, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists, 1);
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));
  connect(shown_, &QListWidget::currentRowChanged, this, [this](int r) { model_.SelectShown(r); });
  connect(available_, &QListWidget::currentRowChanged, this, [this](int r) { model_.SelectAvailable(r); });
  connect(available_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnShow(); }); });
  connect(shown_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnHide(); }); });
  resize(560, 460);
  Refresh();
}

void ExtractColumnDlgWidget::Refresh() {
  ui::ShowRows(shown_, Labels(model_.Shown()), model_.ShownSelection());
  ui::ShowRows(available_, Labels(model_.Available()), model_.AvailableSelection());
}

}  // namespace extract
