#pragma once
// "画像の選択", rendering customers::CKokyakuPictureDlg: five slots side by side, each with its
// caption, preview, file name, 登録... and 削除.

#include "customers/CKokyakuPictureDlg.h"
#include "ui/qt/ModelDialog.h"

class QLineEdit;
class QPushButton;

namespace customers {

class PicturePreview;

class KokyakuPictureDlgWidget : public ui::ModelDialog {
 public:
  KokyakuPictureDlgWidget(CKokyakuPictureDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  CKokyakuPictureDlg& model_;
  PicturePreview* previews_[CKokyakuPictureDlg::kSlots];
  QLineEdit* names_[CKokyakuPictureDlg::kSlots];
  QPushButton* deletes_[CKokyakuPictureDlg::kSlots];
  bool refreshing_ = false;
};

}  // namespace customers
