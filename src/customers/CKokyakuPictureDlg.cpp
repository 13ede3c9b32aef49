#include "customers/CKokyakuPictureDlg.h"

#include "customers/KokyakuPages.h"
#include "history/PictureStore.h"
#include "settings/ColumnRoutines.h"
#include "text/Width.h"

namespace customers {

namespace {
std::string_view Column(int slot) { return PictureColumns()[static_cast<std::size_t>(slot)]; }
}  // namespace

CKokyakuPictureDlg::CKokyakuPictureDlg(ui::Ui& ui, const CKokyakuForm& page, std::filesystem::path pictureFolder,
                                       const std::filesystem::path& install)
    : ui_(ui), form_(page), folder_(std::move(pictureFolder)) {
  for (int slot = 0; slot < kSlots; ++slot) {
    captions_[slot] = settings::GetColLabel(ui_, Column(slot), install);
    if (captions_[slot].empty()) captions_[slot] = "画像" + text::AsciiDigitsToFullWidth(std::to_string(slot + 1));
  }
}

std::string CKokyakuPictureDlg::Title() const {
  return IsViewOnly() ? "画像を参照(修正することはできません)" : "画像の選択";
}

std::string CKokyakuPictureDlg::Name(int slot) const {
  if (slot < 0 || slot >= kSlots) return {};
  return form_.Text(Column(slot));
}

std::filesystem::path CKokyakuPictureDlg::PreviewFile(int slot) const {
  return history::PictureFilePath(folder_, Name(slot));
}

void CKokyakuPictureDlg::OnRegister(int slot) {
  if (IsViewOnly() || slot < 0 || slot >= kSlots) return;
  if (const auto chosen = ui_.OpenFile("", kFilter, folder_)) form_.SetText(Column(slot), chosen->string());
}

void CKokyakuPictureDlg::OnDelete(int slot) {
  if (!CanDelete(slot)) return;
  if (ui_.Ask(kDeleteQuestion)) form_.SetText(Column(slot), std::string());
}

void CKokyakuPictureDlg::OnOK() {
  if (!IsViewOnly()) EndDialog(true);
}

}  // namespace customers
