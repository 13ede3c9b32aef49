#include "ui/qt/TableSelection.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>

namespace ui {

void ShowTableSelection(QTableView* table, const std::vector<int>& rows) {
  const QAbstractItemModel* model = table->model();
  QItemSelection selection;
  const int lastColumn = std::max(0, model->columnCount() - 1);
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t j = i;
    while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
    selection.select(model->index(rows[i], 0), model->index(rows[j], lastColumn));
    i = j + 1;
  }
  table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  if (!rows.empty()) {
    table->selectionModel()->setCurrentIndex(model->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
    table->scrollTo(model->index(rows.front(), 0));
  }
}

std::vector<int> TableSelectedRows(const QTableView* table) {
  std::vector<int> rows;
  for (const QItemSelectionRange& range : table->selectionModel()->selection()) {
    for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

std::optional<ListKey> ListKeyOf(const QEvent& event) {
  if (event.type() != QEvent::KeyPress) return std::nullopt;
  const auto& key = static_cast<const QKeyEvent&>(event);
  if (key.modifiers() & ~Qt::KeypadModifier) return std::nullopt;
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return ListKey::Enter;
    case Qt::Key_Delete: return ListKey::Delete;
    default: return std::nullopt;
  }
}

}  // namespace ui
