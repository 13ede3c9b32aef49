#pragma once
// The choice-list editor ("%s の設定"): its own copy of one list, shown as rows, with 追加, 変更,
// 削除, 上へ and 下へ. Fixed entries move but are neither changed nor deleted. OK saves the list
// (the dialog stays open when that fails); Cancel drops every change made since opening.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CQMVComboData.h"
#include "ui/Ui.h"

namespace customers {

class CComboEditDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kNoChangeSelection = "変更する内容を選択してください";
  static constexpr const char* kNoDeleteSelection = "削除する内容を選択してください";
  static constexpr const char* kNoMoveSelection = "移動する内容を選択してください";
  static constexpr const char* kFixedNotEditable = "この項目は編集できません";
  static constexpr const char* kFixedNotDeletable = "この項目は削除できません";
  static constexpr const char* kDeleteQuestion = "項目<%s>を削除します。\nよろしいですか？";
  static constexpr const char* kSaveFailed = "設定を保存できませんでした";

  CComboEditDlg(ui::Ui& ui, int list, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // Loads the list: false when it does not load, and the dialog is then not to be shown.
  bool Open();

  std::string Title() const override;
  // The three explanatory lines, each naming the list.
  std::string Intro() const;
  std::string AutoRegisterNote() const;
  std::string ListCaption() const;

  std::vector<std::string> Rows() const;
  int Selection() const { return selection_; }
  // -1 or a row out of range selects nothing.
  void Select(int row);

  void OnAdd();
  void OnChange();
  void OnDelete();
  void OnUp() { Move(-1); }
  void OnDown() { Move(+1); }
  void OnOK();

 private:
  bool HasSelection() const { return selection_ >= 0; }
  bool SelectedIsFixed() const;
  void Move(int step);

  ui::Ui& ui_;
  std::filesystem::path install_;
  int list_;
  std::string name_;  // the list's display name
  settings::CQMVComboData data_;
  int selection_ = -1;
};

}  // namespace customers
