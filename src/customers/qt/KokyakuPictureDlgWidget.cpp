#include "customers/qt/KokyakuPictureDlgWidget.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "customers/qt/PicturePreview.h"
#include "ui/qt/Controls.h"
#include "ui/qt/DialogButtons.h"
#include "ui/qt/QtUi.h"

namespace customers {

KokyakuPictureDlgWidget::KokyakuPictureDlgWidget(CKokyakuPictureDlg& model, QWidget* parent)
    : ui::ModelDialog(model, parent), model_(model) {
  setWindowTitle(ui::ToQString(model_.Title()));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  for (int slot = 0; slot < CKokyakuPictureDlg::kSlots; ++slot) {
    const std::string caption = model_.Caption(slot);
    grid->addWidget(ui::MakeLabel(caption, this), 0, slot, Qt::AlignHCenter);
    previews_[slot] = new PicturePreview(this);
    previews_[slot]->setAccessibleName(ui::ToQString(caption + " プレビュー"));
    grid->addWidget(previews_[slot], 1, slot, Qt::AlignHCenter);
    names_[slot] = new QLineEdit(this);
    names_[slot]->setReadOnly(true);
    names_[slot]->setAccessibleName(ui::ToQString(caption + " ファイル"));
    grid->addWidget(names_[slot], 2, slot);
    QPushButton* add = ui::MakeButton("登録...", this, [this, slot] { Act([this, slot] { model_.OnRegister(slot); }); });
    add->setAccessibleName(ui::ToQString(caption + " 登録..."));
    add->setEnabled(!model_.IsViewOnly());
    deletes_[slot] = ui::MakeButton("削除", this, [this, slot] { Act([this, slot] { model_.OnDelete(slot); }); });
    deletes_[slot]->setAccessibleName(ui::ToQString(caption + " 削除"));
    grid->addWidget(add, 3, slot);
    grid->addWidget(deletes_[slot], 4, slot);
  }
  layout->addLayout(grid);
  const std::string cancel = model_.CancelCaption();
  QDialogButtonBox* buttons = ui::OkCancelButtons(this, [this] { Act([this] { model_.OnOK(); }); }, cancel.c_str());
  if (model_.IsViewOnly()) ui::MakeViewOnly(buttons);
  layout->addWidget(buttons);
  Refresh();
}

void KokyakuPictureDlgWidget::Refresh() {
  // Telling the person about a too-large picture refreshes again; one message per change.
  if (refreshing_) return;
  refreshing_ = true;
  bool tooLarge = false;
  for (int slot = 0; slot < CKokyakuPictureDlg::kSlots; ++slot) {
    names_[slot]->setText(ui::ToQString(model_.Name(slot)));
    deletes_[slot]->setEnabled(model_.CanDelete(slot));
    if (previews_[slot]->Show(model_.PreviewFile(slot)) == PicturePreview::Result::TooLarge) tooLarge = true;
  }
  if (tooLarge) Act([this] { model_.OnPreviewTooLarge(); });
  refreshing_ = false;
}

}  // namespace customers
