#include "ui/qt/ChoiceListComboBox.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace ui {

ChoiceListComboBox::ChoiceListComboBox(ui::Ui& ui, const std::filesystem::path& install, const QString& caption,
                                       QWidget* parent)
    : QComboBox(parent), model_(ui, install) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);  // new texts are registered by the model, on leaving
  setAccessibleName(caption);
  lineEdit()->setAccessibleName(caption);
  ui::LimitToCp932Bytes(lineEdit(), model_.TextLimit());
}

int ChoiceListComboBox::Fill(int list, bool autoRegister) {
  const int filled = model_.Fill(list, autoRegister);
  ui::LimitToCp932Bytes(lineEdit(), model_.TextLimit());
  ShowItems();
  return filled;
}

void ChoiceListComboBox::ShowItems() {
  const QSignalBlocker quiet(this);
  const QString typed = currentText();
  clear();
  for (const std::string& item : model_.Items()) addItem(ui::ToQString(item));
  setEditText(typed);
}

void ChoiceListComboBox::ShowText(const std::string& text) {
  const QSignalBlocker quiet(this);
  const QString shown = ui::ToQString(text);
  if (currentText() == shown) return;
  setCurrentIndex(model_.ItemOf(text));
  setEditText(shown);
}

void ChoiceListComboBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // The pop-up list takes the focus while open; that is not leaving the box.
  if (event->reason() == Qt::PopupFocusReason) return;
  if (model_.OnFocusLeave(ui::FromQString(currentText()))) ShowItems();
}

}  // namespace ui
