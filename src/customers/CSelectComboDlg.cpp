#include "customers/CSelectComboDlg.h"

#include "customers/CComboEditDlg.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVComboData.h"
#include "text/Format.h"

namespace customers {

namespace {

void EditList(ui::Ui& ui, int list, const std::filesystem::path& install) {
  CComboEditDlg editor(ui, list, install);
  if (editor.Open()) ui.Run(editor);
}

}  // namespace

CSelectComboDlg::CSelectComboDlg(ui::Ui& ui, std::filesystem::path install)
    : ui_(ui),
      captions_{"履歴：概要",     "履歴：検索キーワード", "DM送付予定：内容", "顧客：重要度ランク",
                "顧客：ランキング１", "顧客：ランキング２",   "顧客：支払方法",   "顧客：会社業種"} {
  // One load for both labels; a set that does not load leaves the factory captions.
  settings::CQMVColSet columns(ui, std::move(install));
  if (columns.Load() == 1) {
    captions_[settings::CQMVComboData::kRank1] = text::Format("顧客：%s", columns.GetLabel("Ranking1"));
    captions_[settings::CQMVComboData::kRank2] = text::Format("顧客：%s", columns.GetLabel("Ranking2"));
  }
}

void CSelectComboDlg::OnOK() {
  if (choice_ < 0) return ui_.Tell(kNoneChosen);
  EndDialog(true);
}

void EditChoiceLists(ui::Ui& ui, const std::filesystem::path& install) {
  CSelectComboDlg choice(ui, install);
  if (ui.Run(choice)) EditList(ui, choice.Choice(), install);
}

void EditStaffList(ui::Ui& ui, const std::filesystem::path& install) {
  EditList(ui, settings::CQMVComboData::kTantou, install);
}

}  // namespace customers
