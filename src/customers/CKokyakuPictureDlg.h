#pragma once
// "写真...": the customer's five pictures, each registered from a chosen file (stored into the
// picture folder when the customer is saved) or released. Copied back to the page only on OK.

#include <filesystem>
#include <string>

#include "customers/CKokyakuForm.h"
#include "ui/Ui.h"

namespace customers {

class CKokyakuPictureDlg : public ui::CDialogModel {
 public:
  static constexpr int kSlots = 5;
  static constexpr const char* kFilter = "jpg ﾌｧｲﾙ(*.jpg)|*.jpg|bmp ﾌｧｲﾙ(*.bmp)|*.bmp||";
  static constexpr const char* kDeleteQuestion = "画像の登録を解除してよろしいですか？\n(画像ファイル自身は削除しません)";
  static constexpr const char* kTooLarge =
      "画像ファイルが大きすぎてメモリ確保できませんでした｡\n起動中の他のｱﾌﾟﾘｹｰｼｮﾝを終了し､再度操作を行ってみてください。";

  // page: the form the pictures come from; pictureFolder: where stored names are found.
  CKokyakuPictureDlg(ui::Ui& ui, const CKokyakuForm& page, std::filesystem::path pictureFolder,
                     const std::filesystem::path& install);

  std::string Title() const override;
  bool IsViewOnly() const { return form_.IsViewOnly(); }
  // The closing button: "閉じる" when only viewing; empty for the standard cancel button.
  std::string CancelCaption() const { return IsViewOnly() ? "閉じる" : ""; }
  // Slot 0 to 4: its caption (the column label, else "画像１" ...), the name held (a stored name or
  // the chosen path), the file the preview reads, and whether 削除 is enabled.
  const std::string& Caption(int slot) const { return captions_[slot]; }
  std::string Name(int slot) const;
  std::filesystem::path PreviewFile(int slot) const;
  bool CanDelete(int slot) const { return !IsViewOnly() && !Name(slot).empty(); }
  const CKokyakuForm& Form() const { return form_; }

  void OnRegister(int slot);
  void OnDelete(int slot);
  // The preview could not get the memory for the picture.
  void OnPreviewTooLarge() { ui_.Tell(kTooLarge); }
  void OnOK();

 private:
  ui::Ui& ui_;
  CKokyakuForm form_;
  std::filesystem::path folder_;
  std::string captions_[kSlots];
};

}  // namespace customers
