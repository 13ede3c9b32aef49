#pragma once
// The history list's rows as a Qt item model: it reads history::CRirekiList on demand and holds
// no copy of the entries, so a million rows cost no widgets and no strings.

#include <QAbstractTableModel>

#include "history/CRirekiList.h"

namespace history {

class HistoryTableModel : public QAbstractTableModel {
 public:
  HistoryTableModel(const CRirekiList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Around a change of the list's rows or columns: BeginReset before anything changed, EndReset
  // once it is done, so no view reads a row in between.
  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }

 private:
  const CRirekiList& list_;
};

}  // namespace history
