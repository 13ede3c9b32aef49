#include "dm/qt/DMTables.h"

#include <QApplication>
#include <QColor>
#include <QFontMetrics>
#include <QStyle>

#include "dm/CDMListView.h"
#include "ui/qt/QtUi.h"

namespace dm {

int FunctionTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : s_.rows(); }

int FunctionTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(s_.headers.size());
}

QVariant FunctionTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      if (s_.checked && index.column() == 0 && role == Qt::AccessibleTextRole) {
        return QString::fromUtf8(s_.checked(index.row()) ? "チェックあり " : "チェックなし ") +
               ui::ToQString(s_.text(index.row(), 0));
      }
      return ui::ToQString(s_.text(index.row(), index.column()));
    case Qt::CheckStateRole:
      if (s_.checked && index.column() == 0) return s_.checked(index.row()) ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::BackgroundRole:
      if (s_.highlighted && s_.highlighted(index.row())) return QColor(200, 255, 200);
      return {};
    default: return {};
  }
}

QVariant FunctionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= static_cast<int>(s_.headers.size())) {
    return {};
  }
  return ui::ToQString(s_.headers[static_cast<std::size_t>(section)]);
}

void FunctionTableModel::Refresh() {
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void CutTextDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (option->text.isEmpty()) return;
  const QWidget* widget = option->widget;
  const QStyle* style = widget ? widget->style() : QApplication::style();
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  const int room = option->rect.width() - 2 * margin;
  const QFontMetrics metrics(option->font);
  const std::string cut = FitCellText(ui::FromQString(option->text), room, [&metrics](std::string_view s) {
    return metrics.horizontalAdvance(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
  });
  option->text = ui::ToQString(cut);
  option->textElideMode = Qt::ElideNone;
}

}  // namespace dm
