#include "app/qt/FindDialogWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace app {

using shell::CMainFrame;

FindDialogWidget::FindDialogWidget(CMainFrame& frame, QWidget* parent) : QDialog(parent), frame_(frame) {
  setWindowTitle(QString::fromUtf8("検索"));
  setAccessibleName(windowTitle());
  setModal(false);
  auto* layout = new QGridLayout(this);
  text_ = new QLineEdit(this);
  text_->setAccessibleName(QString::fromUtf8("検索する文字列"));
  layout->addWidget(ui::MakeLabel("検索する文字列:", this, text_), 0, 0);
  layout->addWidget(text_, 0, 1, 1, 2);
  auto* direction = new QGroupBox(QString::fromUtf8("検索する方向"), this);
  direction->setAccessibleName(direction->title());
  auto* radios = new QHBoxLayout(direction);
  auto* up = new QRadioButton(QString::fromUtf8("上へ"), direction);
  down_ = new QRadioButton(QString::fromUtf8("下へ"), direction);
  up->setAccessibleName(up->text());
  down_->setAccessibleName(down_->text());
  down_->setChecked(true);
  radios->addWidget(up);
  radios->addWidget(down_);
  layout->addWidget(direction, 1, 0, 1, 3);
  QPushButton* next = ui::MakeButton("次を検索", this, [this] {
    frame_.OnFindNext({ui::FromQString(text_->text()), down_->isChecked()});
  });
  next->setDefault(true);
  layout->addWidget(next, 0, 3);
  layout->addWidget(ui::MakeButton("キャンセル", this, [this] { reject(); }), 1, 3);
}

void FindDialogWidget::done(int result) {
  QDialog::done(result);
  frame_.OnFindDialogClosing();
}

}  // namespace app
