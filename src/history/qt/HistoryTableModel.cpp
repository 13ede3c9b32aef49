#include "history/qt/HistoryTableModel.h"

#include "ui/qt/QtUi.h"

namespace history {

int HistoryTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.RowCount(); }

int HistoryTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.Columns().size());
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.RowCount() || index.column() >= columnCount()) return {};
  if (role == Qt::DisplayRole) {
    // A row is one line: the details' line breaks show as spaces; the tool tip keeps them.
    QString text = ui::ToQString(list_.CellText(index.row(), index.column()));
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
  }
  if (role == Qt::ToolTipRole) return ui::ToQString(list_.CellText(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) {
    const bool right = list_.Columns()[static_cast<std::size_t>(index.column())].rightAligned;
    return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const RirekiColumn& column = list_.Columns()[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return ui::ToQString(column.title);
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::AlignVCenter | (column.rightAligned ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

}  // namespace history
