#pragma once
// The customer list's rows as a Qt item model: it reads customers::CKokyakuList on demand and
// holds no copy of the records, so a hundred thousand rows cost no widgets and no strings.

#include <QAbstractTableModel>

#include "customers/CKokyakuList.h"

namespace customers {

class CustomerTableModel : public QAbstractTableModel {
 public:
  CustomerTableModel(const CKokyakuList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Around a change of the list's rows or columns: BeginReset before anything changed, EndReset
  // once it is done, so no view reads a row in between.
  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }

 private:
  const CKokyakuList& list_;
};

}  // namespace customers
