#include "ui/qt/TableSelection.h"

#include <QItemSelectionModel>
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

}  // namespace ui
