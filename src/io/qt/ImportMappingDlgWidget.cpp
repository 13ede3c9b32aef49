#include "io/qt/ImportMappingDlgWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace io {

namespace {

// One line of a value: the first line of a cell that holds a line break, so each row stays one line.
QString OneLine(const std::string& text) {
  QString s = ui::ToQString(text);
  const qsizetype end = s.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  return end < 0 ? s : s.left(end) + QStringLiteral("…");
}

}  // namespace

ImportMappingDlgWidget::ImportMappingDlgWidget(CImportMappingDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeLabel(CImportMappingDlg::kPrompt, this));

  auto* grid = new QGridLayout;
  available_ = ui::MakeList("顧客データベースの項目", this);
  grid->addWidget(ui::MakeLabel("顧客データベースの項目", this, available_), 0, 0);
  grid->addWidget(available_, 1, 0);

  auto* moves = new QVBoxLayout;
  moves->addStretch();
  moves->addWidget(ui::MakeButton("対応づける\n→", this, [this] { Act([this] { model_.OnMap(); }); }));
  moves->addWidget(ui::MakeButton("解除する\n←", this, [this] { Act([this] { model_.OnUnmap(); }); }));
  moves->addStretch();
  grid->addLayout(moves, 1, 1);

  lines_ = new QTreeWidget(this);
  lines_->setAccessibleName(QString::fromUtf8("読み込むデータ"));
  lines_->setRootIsDecorated(false);
  lines_->setUniformRowHeights(true);
  lines_->setSelectionMode(QAbstractItemView::SingleSelection);
  QStringList headers;
  for (const std::string& h : model_.LineHeaders()) headers << ui::ToQString(h);
  lines_->setHeaderLabels(headers);
  lines_->header()->setStretchLastSection(true);
  lines_->setColumnWidth(0, 150);
  lines_->setColumnWidth(1, 180);
  grid->addWidget(ui::MakeLabel("読み込むデータ", this, lines_), 0, 2);
  grid->addWidget(lines_, 1, 2);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(2, 5);
  layout->addLayout(grid, 1);

  auto* noteBox = new QGroupBox(QString::fromUtf8("読み込めるデータについて"), this);
  noteBox->setAccessibleName(noteBox->title());
  auto* noteLayout = new QVBoxLayout(noteBox);
  note_ = new QLabel(noteBox);
  note_->setAccessibleName(noteBox->title());
  note_->setWordWrap(true);
  note_->setMinimumHeight(note_->fontMetrics().lineSpacing() * 3);
  note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  noteLayout->addWidget(note_);
  layout->addWidget(noteBox);

  fromFirstRow_ = new QCheckBox(QString::fromUtf8("１行目から読み込む"), this);
  fromFirstRow_->setAccessibleName(fromFirstRow_->text());
  layout->addWidget(fromFirstRow_);
  if (model_.FromFirstRowEnabled()) layout->addWidget(ui::MakeLabel(CImportMappingDlg::kFirstRowNote, this));

  auto* buttons = ui::OkCancelButtons(this, [this] { Act([this] { model_.OnFinish(); }); }, "ｷｬﾝｾﾙ");
  auto* finish = buttons->button(QDialogButtonBox::Ok);
  finish->setText(QString::fromUtf8("完了"));
  finish->setAccessibleName(finish->text());
  layout->addWidget(buttons);

  connect(available_, &QListWidget::currentRowChanged, this, [this](int row) {
    model_.SelectAvailable(row);
    note_->setText(ui::ToQString(model_.Note()));
  });
  connect(lines_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    model_.SelectLine(item ? lines_->indexOfTopLevelItem(item) : -1);
  });
  connect(available_, &QListWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnMap(); }); });
  connect(lines_, &QTreeWidget::itemDoubleClicked, this, [this] { Act([this] { model_.OnUnmap(); }); });
  connect(fromFirstRow_, &QCheckBox::toggled, this, [this](bool on) { model_.SetFromFirstRow(on); });
  resize(900, 600);
  Refresh();
}

void ImportMappingDlgWidget::Refresh() {
  std::vector<std::string> labels;
  for (const auto& c : model_.Available()) labels.push_back(c.label);
  ui::ShowRows(available_, labels, model_.AvailableSelection());
  note_->setText(ui::ToQString(model_.Note()));
  const QSignalBlocker quiet(lines_);
  const auto lines = model_.Lines();
  if (lines_->topLevelItemCount() != static_cast<int>(lines.size())) {
    lines_->clear();
    for (std::size_t i = 0; i < lines.size(); ++i) new QTreeWidgetItem(lines_);
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    QTreeWidgetItem* item = lines_->topLevelItem(static_cast<int>(i));
    item->setText(0, ui::ToQString(lines[i].mapped));
    item->setText(1, OneLine(lines[i].first));
    item->setText(2, OneLine(lines[i].second));
  }
  const int selected = model_.LineSelection();
  lines_->setCurrentItem(selected >= 0 ? lines_->topLevelItem(selected) : nullptr);
  const QSignalBlocker quietBox(fromFirstRow_);
  fromFirstRow_->setChecked(model_.FromFirstRow());
  fromFirstRow_->setEnabled(model_.FromFirstRowEnabled());
}

}  // namespace io
