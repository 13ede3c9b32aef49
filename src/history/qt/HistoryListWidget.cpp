#include "history/qt/HistoryListWidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

#include "history/qt/HistoryTableModel.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"
#include "ui/qt/TableSelection.h"

namespace history {

namespace cmd = shell::cmd;

namespace {

const QColor kFormBackground(255, 255, 192);

}  // namespace

HistoryListWidget::HistoryListWidget(CRirekiView& model, shell::CMainFrame& frame, QWidget* parent)
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

  table_ = new QTableView(this);
  table_->setAccessibleName(QString::fromUtf8("履歴一覧"));
  rows_ = new HistoryTableModel(model_.List(), this);
  table_->setModel(rows_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setTextElideMode(Qt::ElideRight);
  table_->setWordWrap(false);
  table_->setShowGrid(false);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->hide();
  // Every row the same height, never measured: a million rows cost nothing to lay out.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->horizontalHeader()->setSortIndicatorShown(true);
  // Tab and Shift+Tab leave the list for the next control instead of walking its cells.
  table_->setTabKeyNavigation(false);
  table_->installEventFilter(this);
  table_->viewport()->installEventFilter(this);
  layout->addWidget(table_, 1);

  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    model_.OnHeaderClick(column);
  });
  connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
    if (!syncing_) model_.SetColumnWidth(column, width);
  });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { PassSelection(); });
  connect(table_, &QTableView::doubleClicked, this, [this] {
    if (!ui::ModalDialogOpen()) model_.OnDoubleClick();
  });

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
  model_.ScaleDefaultWidths(table_->fontMetrics().horizontalAdvance(QLatin1Char('0')) / 6.0);
  ShowColumnLayout();
  Sync();
}

HistoryListWidget::~HistoryListWidget() {
  model_.onRowsChanging = nullptr;
  model_.onRowsChanged = nullptr;
  model_.onChanged = nullptr;
}

void HistoryListWidget::BuildButtons(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  count_ = ui::MakeLabel("", bar);
  row->addWidget(count_);
  row->addSpacing(12);
  row->addWidget(ui::MakeButton("検索...", bar, [this] { frame_.OnCommand(cmd::kFindHistory); }));
  row->addStretch();
  const std::pair<const char*, int> extraction[] = {
      {"抽出やり直し", cmd::kRedoExtraction},
      {"抽出条件を保存", cmd::kSaveExtraction},
      {"抽出を解除(すべて表示)", cmd::kReleaseExtraction},
  };
  for (const auto& [caption, id] : extraction) {
    QPushButton* button = ui::MakeButton(caption, bar, [this, id] {
      if (!ui::ModalDialogOpen()) frame_.OnCommand(id);
    });
    extractionButtons_.push_back(button);
    row->addWidget(button);
  }
}

bool HistoryListWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_->viewport() && event->type() == QEvent::Resize) {
    if (model_.FitDetailsWidth(table_->viewport()->width())) ShowColumnLayout();
    return false;
  }
  if (watched != table_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const std::optional<ui::ListKey> listKey = ui::ListKeyOf(*event);
  if (!listKey) return false;
  if (const int command = model_.CommandForKey(*listKey)) frame_.OnCommand(command);
  return true;
}

void HistoryListWidget::ShowColumnLayout() {
  const bool wasSyncing = std::exchange(syncing_, true);
  const auto& columns = model_.List().Columns();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    table_->setColumnWidth(c, columns[static_cast<std::size_t>(c)].width);
  }
  table_->horizontalHeader()->setSortIndicator(model_.List().SortColumn(), model_.List().SortedDescending()
                                                                               ? Qt::DescendingOrder
                                                                               : Qt::AscendingOrder);
  syncing_ = wasSyncing;
}

void HistoryListWidget::ShowSelection() {
  const bool wasSyncing = std::exchange(syncing_, true);
  ui::ShowTableSelection(table_, model_.List().Selection());
  syncing_ = wasSyncing;
}

void HistoryListWidget::PassSelection() {
  if (!syncing_) model_.SetSelection(ui::TableSelectedRows(table_));
}

void HistoryListWidget::Sync() {
  count_->setText(ui::ToQString(model_.CountText()));
  count_->setAccessibleName(count_->text());
  for (QPushButton* button : extractionButtons_) {
    button->setVisible(model_.IsExtracted());
    button->setEnabled(model_.IsExtracted());
  }
  ShowSelection();
  table_->viewport()->update();
}

}  // namespace history
