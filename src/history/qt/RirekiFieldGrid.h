#pragma once
// The one arrangement of a history entry's fields, shared by the entry dialog and the read-only
// reference dialog: captions in column 0, the fields in column 1, the picture column beside them.

#include <QGridLayout>
#include <QHBoxLayout>

#include <initializer_list>

class QWidget;

namespace history {

struct RirekiFields {
  QWidget* year;
  QWidget* month;
  QWidget* day;
  QWidget* hour;
  QWidget* minute;
  QWidget* staff;
  QWidget* summary;
  QWidget* keyword;
  QWidget* details;
  QWidget* amount;
};

// The widgets side by side, left-aligned.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets);

// Rows 0 and 1 the date and the time, rows 2 to 6 the texts and the amount; the details row
// takes the spare height.
void LayOutRirekiFields(QGridLayout* grid, const RirekiFields& fields, QWidget* parent);

// The column of the picture: its caption and file name, the picture, then extra (may be null).
void LayOutRirekiPicture(QGridLayout* grid, QWidget* path, QWidget* picture, QLayout* extra, QWidget* parent);

}  // namespace history
