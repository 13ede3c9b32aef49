#include "customers/qt/DispColumnDlgWidget.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

namespace {

std::vector<std::string> Labels(const std::vector<CDispColumnDlg::Row>& rows) {
  std::vector<std::string> labels;
  for (const auto& row : rows) labels.push_back(row.label);
  return labels;
}

}  // namespace

DispColumnDlgWidget::DispColumnDlgWidget(CDispColumnDlg& model, QWidget* parent)
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
  layout->addWidget(SortGroup());
  layout->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, "ｷｬﾝｾﾙ"));

  connect(shown_, &QListWidget::currentRowChanged, this, [this](int r) { model_.SelectShown(r); });
  connect(available_, &QListWidget::currentRowChanged, this, [this](int r) { model_.SelectAvailable(r); });
  connect(available_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnShow(); }); });
  connect(shown_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnHide(); }); });
  resize(600, 520);
  Refresh();
}

QWidget* DispColumnDlgWidget::SortGroup() {
  auto* group = new QGroupBox(QString::fromUtf8("『顧客ソレル』 起動時の顧客データの並び順を設定"), this);
  group->setAccessibleName(group->title());
  sortColumn_ = new QComboBox(group);
  sortColumn_->setAccessibleName(QString::fromUtf8("並べ替える列"));
  for (const auto& row : model_.SortColumns()) sortColumn_->addItem(ui::ToQString(row.label));
  connect(sortColumn_, &QComboBox::currentIndexChanged, this, [this](int r) { model_.SelectSort(r); });
  direction_ = new QButtonGroup(this);
  auto* row = new QHBoxLayout(group);
  row->addWidget(sortColumn_, 1);
  row->addWidget(ui::MakeLabel("列", group, sortColumn_));
  row->addWidget(ui::MakeLabel("を", group));
  int value = 0;
  for (const char* caption : {"昇順で並べ替え", "降順で並べ替え"}) {
    auto* radio = new QRadioButton(QString::fromUtf8(caption), group);
    radio->setAccessibleName(radio->text());
    direction_->addButton(radio, value++);
    row->addWidget(radio);
  }
  connect(direction_, &QButtonGroup::idClicked, this, [this](int id) { model_.SetDirection(id); });
  return group;
}

void DispColumnDlgWidget::Refresh() {
  ui::ShowRows(shown_, Labels(model_.Shown()), model_.ShownSelection());
  ui::ShowRows(available_, Labels(model_.Available()), model_.AvailableSelection());
  {
    const QSignalBlocker quiet(sortColumn_);
    sortColumn_->setCurrentIndex(model_.SortSelection());
  }
  if (auto* radio = direction_->button(model_.Direction())) radio->setChecked(true);
}

}  // namespace customers
