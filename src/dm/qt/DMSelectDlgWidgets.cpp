#include "dm/qt/DMSelectDlgWidgets.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "dm/qt/DMTables.h"
#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace dm {

namespace {

QTableView* MakeTable(const char* name, FunctionTableModel* rows, QWidget* parent, bool multi) {
  auto* table = new QTableView(parent);
  table->setAccessibleName(QString::fromUtf8(name));
  table->setModel(rows);
  table->setItemDelegate(new CutTextDelegate(table));
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  table->setShowGrid(false);
  table->verticalHeader()->hide();
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setTabKeyNavigation(false);
  return table;
}

QCheckBox* HistoryBox(QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8("履歴に残す"), parent);
  box->setAccessibleName(box->text());
  return box;
}

}  // namespace

DMSelectDlgWidget::DMSelectDlgWidget(CDMSelectDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  std::vector<std::string> headers;
  for (const auto& c : CDMSelectDlg::kColumns) headers.emplace_back(c.title);
  auto* rows = new FunctionTableModel({[this] { return model_.RowCount(); }, headers,
                                       [this](int r, int c) { return model_.CellText(r, c); }, nullptr, nullptr},
                                      this);
  list_ = MakeTable("DMタイトル", rows, this, false);
  for (int c = 0; c < CDMSelectDlg::kColumnCount; ++c) list_->setColumnWidth(c, CDMSelectDlg::kColumns[c].width);
  layout->addWidget(ui::MakeLabel(CDMSelectDlg::kPrompt, this, list_));
  layout->addWidget(list_, 1);
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { model_.Select(current.isValid() ? current.row() : -1); });
  connect(list_, &QTableView::doubleClicked, this, [this] { Act([this] { model_.OnOK(); }); });

  auto* row = new QHBoxLayout;
  history_ = HistoryBox(this);
  history_->setVisible(model_.HistoryShown());
  connect(history_, &QCheckBox::clicked, this, [this](bool on) { model_.SetKeepHistory(on); });
  row->addWidget(history_);
  if (model_.NewTitleShown()) {
    row->addWidget(ui::MakeButton("DMタイトルを新規登録...", this, [this] { Act([this] { model_.OnNewTitle(); }); }));
  }
  row->addStretch();
  QDialogButtonBox* buttons = ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); });
  ok_ = buttons->button(QDialogButtonBox::Ok);
  row->addWidget(buttons);
  layout->addLayout(row);
  resize(600, 360);
  Refresh();
}

void DMSelectDlgWidget::Refresh() {
  history_->setChecked(model_.KeepHistory());
  ok_->setEnabled(model_.OkEnabled());
}

KokyakuSelectDlgWidget::KokyakuSelectDlgWidget(CKokyakuSelectDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  auto* layout = new QVBoxLayout(this);
  std::vector<std::string> headers;
  for (const auto& c : model_.List().Columns()) headers.push_back(c.label);
  rows_ = new FunctionTableModel({[this] { return model_.List().RowCount(); }, headers,
                                  [this](int r, int c) { return model_.List().CellText(r, c); },
                                  [this](int r) { return model_.IsChecked(r); }, nullptr},
                                 this);
  list_ = MakeTable("顧客", rows_, this, true);
  list_->horizontalHeader()->setSectionsClickable(true);
  for (int c = 0; c < static_cast<int>(model_.List().Columns().size()); ++c) {
    list_->setColumnWidth(c, model_.List().Columns()[static_cast<std::size_t>(c)].width + (c == 0 ? 24 : 0));
  }
  list_->installEventFilter(this);
  list_->viewport()->installEventFilter(this);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) { model_.OnHeaderClick(c); });
  model_.onRowsChanging = [this] { rows_->BeginReset(); };
  model_.onRowsChanged = [this] { rows_->EndReset(); };
  layout->addWidget(ui::MakeLabel(CKokyakuSelectDlg::kPrompt, this, list_));
  layout->addWidget(list_, 1);

  auto* row = new QHBoxLayout;
  row->addWidget(ui::MakeButton("すべて選択", this, [this] { Act([this] { model_.OnSelectAll(); }); }));
  row->addWidget(ui::MakeButton("抽出...", this, [this] { Act([this] { model_.OnExtract(); }); }));
  history_ = HistoryBox(this);
  history_->setVisible(model_.HistoryShown());
  history_->setEnabled(model_.HistoryShown());
  connect(history_, &QCheckBox::clicked, this, [this](bool on) { model_.SetKeepHistory(on); });
  row->addWidget(history_);
  row->addStretch();
  row->addWidget(ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }));
  layout->addLayout(row);
  resize(760, 480);
  Refresh();
}

KokyakuSelectDlgWidget::~KokyakuSelectDlgWidget() {
  model_.onRowsChanging = nullptr;
  model_.onRowsChanged = nullptr;
}

void KokyakuSelectDlgWidget::Toggle(int row) {
  model_.SetChecked(row, !model_.IsChecked(row));
  rows_->Refresh();
}

bool KokyakuSelectDlgWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = list_->indexAt(mouse->position().toPoint());
    // The box sits at the start of the first cell.
    if (index.isValid() && index.column() == 0 && mouse->position().x() < list_->columnViewportPosition(0) + 24) {
      Toggle(index.row());
      return true;
    }
  }
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
      // Space turns the boxes of every selected row the way the current row's goes.
      const QModelIndex current = list_->currentIndex();
      if (!current.isValid()) return true;
      const bool on = !model_.IsChecked(current.row());
      for (const QModelIndex& index : list_->selectionModel()->selectedRows()) model_.SetChecked(index.row(), on);
      model_.SetChecked(current.row(), on);
      rows_->Refresh();
      return true;
    }
  }
  return ui::ModelDialog::eventFilter(watched, event);
}

void KokyakuSelectDlgWidget::Refresh() {
  history_->setChecked(model_.KeepHistory());
  rows_->Refresh();
}

}  // namespace dm
