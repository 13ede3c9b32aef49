#include "customers/qt/CustomerTableModel.h"

#include "ui/qt/QtUi.h"

namespace customers {

int CustomerTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.RowCount(); }

int CustomerTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.Columns().size());
}

QVariant CustomerTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return ui::ToQString(list_.CellText(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) {
    const bool right = list_.Columns()[static_cast<std::size_t>(index.column())].rightAligned;
    return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

QVariant CustomerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const ListColumn& column = list_.Columns()[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole) return ui::ToQString(column.label);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignVCenter | (column.rightAligned ? Qt::AlignRight : Qt::AlignLeft));
  return {};
}

}  // namespace customers
