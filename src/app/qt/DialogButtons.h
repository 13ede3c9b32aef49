#pragma once
// The OK and キャンセル buttons every dialog ends with: OK runs onOk, キャンセル rejects.

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>

namespace app {

inline QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> onOk) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QString::fromUtf8("キャンセル"), QDialogButtonBox::RejectRole);
  ok->setAccessibleName(ok->text());
  cancel->setAccessibleName(cancel->text());
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, dialog, [onOk = std::move(onOk)] { onOk(); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace app
