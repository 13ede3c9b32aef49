#include "ui/qt/Controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>

#include "text/Cp932.h"
#include "ui/qt/QtUi.h"

namespace ui {

QPushButton* MakeButton(std::string_view caption, QWidget* parent, std::function<void()> onClick) {
  auto* button = new QPushButton(ToQString(caption), parent);
  button->setAccessibleName(SpokenCaption(button->text()));
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, parent, [onClick = std::move(onClick)] { onClick(); });
  return button;
}

QString SpokenCaption(QString text) {
  static const QRegularExpression mnemonic(QStringLiteral("\\(&[^)]\\)$"));
  text.remove(mnemonic);
  return text.remove(QLatin1Char('&'));
}

bool ModalDialogOpen() { return QApplication::activeModalWidget() != nullptr; }

QLabel* MakeLabel(std::string_view text, QWidget* parent, QWidget* field) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setAccessibleName(label->text());
  if (field) label->setBuddy(field);
  label->setWordWrap(false);
  return label;
}

QListWidget* MakeList(std::string_view caption, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setAccessibleName(ToQString(caption));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  return list;
}

void ShowRows(QListWidget* list, const std::vector<std::string>& texts, int row) {
  const QSignalBlocker quiet(list);
  const int top = list->verticalScrollBar()->value();
  const int left = list->horizontalScrollBar()->value();
  if (list->count() == static_cast<int>(texts.size())) {
    // Same rows: texts change in place, so the view neither jumps nor flickers.
    for (int i = 0; i < list->count(); ++i) list->item(i)->setText(ToQString(texts[i]));
  } else {
    list->clear();
    for (const std::string& text : texts) list->addItem(ToQString(text));
  }
  list->setCurrentRow(row);
  if (row < 0) list->clearSelection();
  list->verticalScrollBar()->setValue(top);
  list->horizontalScrollBar()->setValue(left);
  if (row >= 0) list->scrollToItem(list->item(row));
}

QValidator::State Cp932LimitValidator::validate(QString& input, int&) const {
  return text::Cp932Length(FromQString(input)) <= maxBytes_ ? Acceptable : Invalid;
}

void LimitToCp932Bytes(QLineEdit* edit, std::size_t maxBytes) {
  edit->setValidator(new Cp932LimitValidator(maxBytes, edit));
}

}  // namespace ui
