#pragma once
// The item models and the cell painting of the DM lists: each model reads its rows from the
// screen or dialog model through functions and holds no copy; the delegate cuts a text that does
// not fit its cell at a character boundary and ends it with "...".

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include <functional>
#include <string>
#include <vector>

namespace dm {

class FunctionTableModel : public QAbstractTableModel {
 public:
  struct Source {
    std::function<int()> rows;
    std::vector<std::string> headers;
    std::function<std::string(int row, int column)> text;
    // Column 0 shows a check box: checked or not (null: no check box).
    std::function<bool(int row)> checked;
    // A row painted with the hit background (null: none).
    std::function<bool(int row)> highlighted;
  };

  FunctionTableModel(Source source, QObject* parent) : QAbstractTableModel(parent), s_(std::move(source)) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }
  // Everything shown may have changed, but not the number of rows.
  void Refresh();

 private:
  Source s_;
};

class CutTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace dm
