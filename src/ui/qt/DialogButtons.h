#pragma once
// The OK and cancel buttons every dialog ends with: OK runs onOk, cancel rejects (which the
// dialog's model answers). Both are the toolkit's standard buttons, so they read as in every
// other dialog of the desktop in the translation's Japanese; a dialog whose cancel has a
// caption of its own ("ｷｬﾝｾﾙ" where the dialog names it so, "閉じる") passes it.

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>

#include "ui/qt/Controls.h"

namespace ui {

// cancelCaption: null or empty for the standard text.
inline QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> onOk,
                                         const char* cancelCaption = nullptr) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  if (cancelCaption && *cancelCaption) cancel->setText(QString::fromUtf8(cancelCaption));
  ok->setAccessibleName(SpokenCaption(ok->text()));
  cancel->setAccessibleName(SpokenCaption(cancel->text()));
  ok->setDefault(true);
  // The box's own accept and reject are not used: OK goes to the model, which decides.
  QObject::connect(ok, &QPushButton::clicked, dialog, [onOk = std::move(onOk)] { onOk(); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return buttons;
}

// A dialog that only shows: nothing can be confirmed, so OK is off and the other button takes
// Enter and the focus.
inline void MakeViewOnly(QDialogButtonBox* buttons) {
  for (QAbstractButton* b : buttons->buttons()) {
    auto* button = static_cast<QPushButton*>(b);
    const bool accept = buttons->buttonRole(b) == QDialogButtonBox::AcceptRole;
    button->setEnabled(!accept);
    button->setDefault(!accept);
    if (!accept) button->setFocus();
  }
}

}  // namespace ui
