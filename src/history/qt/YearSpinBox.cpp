#include "history/qt/YearSpinBox.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <utility>

namespace history {

YearSpinBox::YearSpinBox(QWidget* parent, std::function<void(int steps)> onStep)
    : QAbstractSpinBox(parent), onStep_(std::move(onStep)) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

QString YearSpinBox::text() const { return lineEdit()->text(); }

void YearSpinBox::ShowText(const QString& text) {
  if (lineEdit()->text() == text) return;
  const QSignalBlocker quiet(lineEdit());
  lineEdit()->setText(text);
}

void YearSpinBox::stepBy(int steps) {
  onStep_(steps);
  selectAll();
}

// Whatever is typed stays; the model decides whether it is a year.
QValidator::State YearSpinBox::validate(QString&, int&) const { return QValidator::Acceptable; }
void YearSpinBox::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled YearSpinBox::stepEnabled() const {
  return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

QSize YearSpinBox::sizeHint() const {
  ensurePolished();
  // Room for a five-digit year, as a number spin box of that range would have.
  const QSize text(fontMetrics().horizontalAdvance(QStringLiteral("99999 ")) + 2, lineEdit()->sizeHint().height());
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize YearSpinBox::minimumSizeHint() const { return sizeHint(); }

}  // namespace history
