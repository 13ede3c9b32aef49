#include "customers/qt/CustomerListWidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

#include "customers/qt/CustomerTableModel.h"
#include "customers/qt/KokyakuCardPaneWidget.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"
#include "ui/qt/TableSelection.h"

namespace customers {

namespace {

const QColor kFormBackground(255, 255, 192);

}  // namespace

CustomerListWidget::CustomerListWidget(CKokyakuView& model, shell::CMainFrame& frame, QWidget* parent)
    : QWidget(parent), model_(model), frame_(frame) {
  setAccessibleName(ui::ToQString(model.Title()));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kFormBackground);
  setPalette(palette);
  setAutoFillBackground(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* bar = new QWidget(this);
  BuildButtons(bar);
  layout->addWidget(bar);

  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setHandleWidth(3);
  splitter_->setChildrenCollapsible(false);
  table_ = new QTableView(splitter_);
  table_->setAccessibleName(QString::fromUtf8("顧客一覧"));
  rows_ = new CustomerTableModel(model_.List(), this);
  table_->setModel(rows_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setTextElideMode(Qt::ElideRight);
  table_->setWordWrap(false);
  table_->setShowGrid(false);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->horizontalHeader()->setSortIndicatorShown(true);
  // Tab and Shift+Tab leave the list for the next control instead of walking its cells.
  table_->setTabKeyNavigation(false);
  table_->installEventFilter(this);
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  card_ = new QWidget(splitter_);
  card_->setAccessibleName(QString::fromUtf8("顧客カード"));
  card_->hide();
  layout->addWidget(splitter_, 1);

  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    model_.OnHeaderClick(column);
  });
  connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
    if (!syncing_) model_.SetColumnWidth(column, width);
  });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { PassSelection(); });
  connect(table_, &QTableView::doubleClicked, this, [this] { model_.OnDoubleClick(); });
  connect(table_, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) { ShowContextMenu(at); });
  connect(splitter_, &QSplitter::splitterMoved, this, [this] { model_.SetCardWidth(card_->width()); });

  model_.onRowsChanging = [this] {
    syncing_ = true;  // the reset clears the table's selection; the model keeps its own
    rows_->BeginReset();
  };
  model_.onRowsChanged = [this] {
    rows_->EndReset();
    ShowColumnLayout();
    syncing_ = false;
  };
  model_.onChanged = [this] { Sync(); };
  ShowColumnLayout();
  Sync();
}

CustomerListWidget::~CustomerListWidget() {
  model_.onRowsChanging = nullptr;
  model_.onRowsChanged = nullptr;
  model_.onChanged = nullptr;
}

void CustomerListWidget::BuildButtons(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  count_ = ui::MakeLabel("", bar);
  row->addWidget(count_);
  row->addStretch();
  QPushButton* release = ui::MakeButton("抽出を解除(すべて表示)", bar, [this] {
    frame_.OnCommand(shell::cmd::kReleaseExtraction);
  });
  extractionButtons_.push_back(release);
  row->addWidget(release);
  // Shown for an extraction only: an analysis result has no conditions to redo or save.
  QPushButton* redo = ui::MakeButton("抽出やり直し", bar, [this] { frame_.OnCommand(shell::cmd::kRedoExtraction); });
  QPushButton* save = ui::MakeButton("抽出条件を保存", bar, [this] { frame_.OnCommand(shell::cmd::kSaveExtraction); });
  conditionButtons_ = {redo, save};
  row->insertWidget(row->indexOf(release), redo);
  row->insertWidget(row->indexOf(release), save);
}

bool CustomerListWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != table_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const std::optional<ui::ListKey> listKey = ui::ListKeyOf(*event);
  if (!listKey) return false;
  if (const int command = model_.CommandForKey(*listKey)) frame_.OnCommand(command);
  return true;
}

void CustomerListWidget::ShowColumnLayout() {
  const bool wasSyncing = std::exchange(syncing_, true);
  const auto& columns = model_.List().Columns();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) table_->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
  const int sorted = model_.List().SortColumn();
  table_->horizontalHeader()->setSortIndicator(sorted, model_.List().SortedDescending() ? Qt::DescendingOrder
                                                                                        : Qt::AscendingOrder);
  syncing_ = wasSyncing;
}

void CustomerListWidget::ShowSelection() {
  syncing_ = true;
  ui::ShowTableSelection(table_, model_.List().Selection());
  syncing_ = false;
}

void CustomerListWidget::PassSelection() {
  if (syncing_) return;
  model_.SetSelection(ui::TableSelectedRows(table_));
}

void CustomerListWidget::Sync() {
  count_->setText(ui::ToQString(model_.CountText()));
  count_->setAccessibleName(count_->text());
  for (QPushButton* button : extractionButtons_) button->setVisible(model_.ShowsSubset());
  for (QPushButton* button : conditionButtons_) button->setVisible(model_.ExtractionButtonsShown());
  table_->setSelectionMode(model_.CardShown() ? QAbstractItemView::SingleSelection
                                              : QAbstractItemView::ExtendedSelection);
  LayOutCard();
  ShowSelection();
  table_->viewport()->update();  // a row's customer may have changed (its last history date)
}

void CustomerListWidget::LayOutCard() {
  if (!pane_ && model_.Card()) {
    auto* layout = new QVBoxLayout(card_);
    layout->setContentsMargins(0, 0, 0, 0);
    pane_ = new KokyakuCardPaneWidget(*model_.Card(), card_);
    layout->addWidget(pane_);
  }
  if (pane_) pane_->Refresh();
  if (card_->isVisible() == model_.CardShown()) return;
  card_->setVisible(model_.CardShown());
  if (!model_.CardShown()) return;
  const int total = splitter_->width();
  const int card = model_.CardWidth() > 0 ? model_.CardWidth() : total / 2;
  // The list keeps at least 100 pixels, and so does the card.
  const int list = std::clamp(total - card - splitter_->handleWidth(), 100, std::max(100, total - 100));
  splitter_->setSizes({list, total - list});
}

void CustomerListWidget::ShowContextMenu(const QPoint& at) {
  QMenu menu(this);
  for (const shell::MenuItem& item : model_.ContextMenu()) {
    if (item.id == 0) {
      menu.addSeparator();
      continue;
    }
    QAction* action = menu.addAction(ui::ToQString(item.text));
    action->setEnabled(item.enabled);
    action->setData(item.id);
  }
  if (QAction* chosen = menu.exec(table_->viewport()->mapToGlobal(at))) frame_.OnCommand(chosen->data().toInt());
}

}  // namespace customers
