#include "history/qt/RirekiFieldGrid.h"

#include <QVBoxLayout>

#include <utility>

#include "ui/qt/Controls.h"

namespace history {

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* w : widgets) row->addWidget(w);
  row->addStretch();
  return row;
}

void LayOutRirekiFields(QGridLayout* grid, const RirekiFields& f, QWidget* parent) {
  grid->addWidget(ui::MakeLabel("日付", parent, f.year), 0, 0);
  grid->addLayout(Row({f.year, ui::MakeLabel("年", parent), f.month, ui::MakeLabel("月", parent, f.month), f.day,
                       ui::MakeLabel("日", parent, f.day)}),
                  0, 1);
  grid->addWidget(ui::MakeLabel("時間", parent, f.hour), 1, 0);
  grid->addLayout(Row({f.hour, ui::MakeLabel("時", parent), f.minute, ui::MakeLabel("分", parent, f.minute)}), 1, 1);
  const std::pair<const char*, QWidget*> rows[] = {
      {"担当者", f.staff}, {"概要", f.summary}, {"検索ｷｰﾜｰﾄﾞ", f.keyword}, {"詳細", f.details}, {"金額", f.amount}};
  int row = 2;
  for (const auto& [caption, widget] : rows) {
    const Qt::Alignment align = widget == f.details ? Qt::AlignTop : Qt::Alignment();
    grid->addWidget(ui::MakeLabel(caption, parent, widget), row, 0, align);
    grid->addWidget(widget, row++, 1);
  }
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);
}

void LayOutRirekiPicture(QGridLayout* grid, QWidget* path, QWidget* picture, QLayout* extra, QWidget* parent) {
  auto* column = new QVBoxLayout;
  column->addWidget(ui::MakeLabel("画像", parent, path));
  column->addWidget(path);
  column->addWidget(picture, 0, Qt::AlignHCenter);
  if (extra) column->addLayout(extra);
  column->addStretch();
  grid->addLayout(column, 0, 2, 7, 1);
}

}  // namespace history
