#include "io/qt/ExportDialogWidgets.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <span>

#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace io {

namespace {

std::vector<std::string> Labels(const std::vector<ExportColumn>& columns) {
  std::vector<std::string> labels;
  for (const auto& c : columns) labels.push_back(c.label);
  return labels;
}

// A group of radio buttons, one per caption, the chosen one checked; onChoose gets the index.
QGroupBox* Choices(QWidget* parent, const char* title, std::span<const char* const> captions, int chosen,
                   std::function<void(int)> onChoose) {
  auto* group = new QGroupBox(QString::fromUtf8(title), parent);
  group->setAccessibleName(group->title());
  auto* buttons = new QButtonGroup(group);
  auto* layout = new QVBoxLayout(group);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(captions[i]), group);
    radio->setAccessibleName(radio->text());
    radio->setChecked(static_cast<int>(i) == chosen);
    buttons->addButton(radio, static_cast<int>(i));
    layout->addWidget(radio);
  }
  QObject::connect(buttons, &QButtonGroup::idClicked, parent, std::move(onChoose));
  return group;
}

}  // namespace

ExportFormatDlgWidget::ExportFormatDlgWidget(CExportFormatDlg& model, QWidget* parent) : ui::ModelDialog(model, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CExportFormatDlg::kPrompt, this));
  layout->addWidget(Choices(this, "データの形式", CExportFormatDlg::kCaptions, model.Chosen(),
                            [&model](int format) { model.Choose(format); }));
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* next = ui::MakeButton("次へ(&N) >", this, [this, &model] { Act([&model] { model.OnNext(); }); });
  next->setDefault(true);
  buttons->addButton(next, QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setAccessibleName(ui::SpokenCaption(cancel->text()));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(buttons);
}

ExportColumnDlgWidget::ExportColumnDlgWidget(CExportColumnDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  chosen_ = ui::MakeList("書き出す列", this);
  available_ = ui::MakeList("書き出し可能な列", this);
  // Each control runs one action of the model, then the view refreshes.
  const auto act = [this](std::function<void(CExportColumnDlg&)> action) {
    return [this, action] { Act([this, &action] { action(model_); }); };
  };
  auto* lists = new QGridLayout;
  lists->addWidget(ui::MakeLabel("書き出す列", this, chosen_), 0, 0);
  lists->addWidget(chosen_, 1, 0);
  lists->addWidget(ui::MakeLabel("書き出し可能な列", this, available_), 0, 2);
  lists->addWidget(available_, 1, 2);
  auto* transfer = new QVBoxLayout;
  transfer->addStretch();
  transfer->addWidget(ui::MakeButton("書き出す\n←", this, act([](CExportColumnDlg& m) { m.OnAdd(); })));
  transfer->addWidget(ui::MakeButton("全部書き出す\n←", this, act([](CExportColumnDlg& m) { m.OnAddAll(); })));
  transfer->addSpacing(12);
  transfer->addWidget(ui::MakeButton("書き出さない\n→", this, act([](CExportColumnDlg& m) { m.OnRemove(); })));
  transfer->addWidget(ui::MakeButton("全部書き出さない\n →", this, act([](CExportColumnDlg& m) { m.OnRemoveAll(); })));
  transfer->addStretch();
  lists->addLayout(transfer, 1, 1);
  auto* moves = new QHBoxLayout;
  moves->addWidget(ui::MakeButton("上へ", this, act([](CExportColumnDlg& m) { m.OnUp(); })));
  moves->addWidget(ui::MakeButton("下へ", this, act([](CExportColumnDlg& m) { m.OnDown(); })));
  moves->addStretch();
  lists->addLayout(moves, 2, 0);
  lists->setColumnStretch(0, 1);
  lists->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CExportColumnDlg::kPrompt, this));
  layout->addLayout(lists, 1);
  layout->addWidget(ui::OkCancelButtons(this, act([](CExportColumnDlg& m) { m.OnOK(); })));
  connect(chosen_, &QListWidget::currentRowChanged, this, [this](int r) { model_.SelectChosen(r); });
  connect(available_, &QListWidget::currentRowChanged, this, [this](int r) { model_.SelectAvailable(r); });
  connect(available_, &QListWidget::itemDoubleClicked, this, act([](CExportColumnDlg& m) { m.OnAdd(); }));
  connect(chosen_, &QListWidget::itemDoubleClicked, this, act([](CExportColumnDlg& m) { m.OnRemove(); }));
  resize(600, 520);
  Refresh();
}

void ExportColumnDlgWidget::Refresh() {
  ui::ShowRows(chosen_, Labels(model_.Chosen()), model_.ChosenSelection());
  ui::ShowRows(available_, Labels(model_.Available()), model_.AvailableSelection());
}

HtmlFormatDlgWidget::HtmlFormatDlgWidget(CHtmlFormatDlg& model, QWidget* parent) : ui::ModelDialog(model, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CHtmlFormatDlg::kPrompt, this));
  layout->addWidget(Choices(this, "HTML形式", CHtmlFormatDlg::kCaptions, model.Chosen(),
                            [&model](int kind) { model.Choose(kind); }));
  layout->addWidget(ui::OkCancelButtons(this, [this, &model] { Act([&model] { model.OnOK(); }); }));
  setMinimumWidth(320);
}

}  // namespace io
