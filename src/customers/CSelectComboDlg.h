#pragma once
// "入力用選択肢の編集": which choice list to edit, one of eight (the staff list has its own menu
// command). The two free rankings are captioned with their current labels. OK closes with the
// chosen list; the caller then opens the list editor for it.

#include <array>
#include <filesystem>
#include <string>

#include "platform/CNeritEnv.h"
#include "ui/Ui.h"

namespace customers {

class CSelectComboDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "入力用選択肢の編集";
  static constexpr const char* kIntro = "入力を補助するための各項目の選択肢の内容を編集します。";
  static constexpr const char* kGroup = "編集する項目を選択してください";
  static constexpr const char* kNoneChosen = "形式を選択してください";
  static constexpr int kChoiceCount = 8;  // lists 0 to 7, in this order

  CSelectComboDlg(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  std::string Title() const override { return kTitle; }
  const std::array<std::string, kChoiceCount>& Captions() const { return captions_; }
  // The chosen list, -1 for none; the first is chosen on opening.
  int Choice() const { return choice_; }
  void Choose(int list) { choice_ = list >= 0 && list < kChoiceCount ? list : -1; }

  void OnOK();

 private:
  ui::Ui& ui_;
  std::array<std::string, kChoiceCount> captions_;
  int choice_ = 0;
};

// The Settings menu's "入力用の選択肢を編集...": the choice, then the editor of the chosen list.
void EditChoiceLists(ui::Ui& ui, const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());
// The Settings menu's "自社担当者の設定...": the editor of the staff list.
void EditStaffList(ui::Ui& ui, const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

}  // namespace customers
