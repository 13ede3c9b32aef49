#pragma once
// The OK and cancel buttons every dialog ends with: OK runs onOk, cancel rejects (which the
// dialog's model answers). Dialogs of the settings screens caption cancel "ｷｬﾝｾﾙ".

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>

namespace ui {

inline QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> onOk,
                                         const char* cancelCaption = "キャンセル") {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QString::fromUtf8(cancelCaption), QDialogButtonBox::RejectRole);
  ok->setAccessibleName(ok->text());
  cancel->setAccessibleName(cancel->text());
  ok->setDefault(true);
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
