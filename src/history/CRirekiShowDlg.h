#pragma once
// "履歴一覧表示方法": how the menu screen's 履歴一覧 shows the history list, by an extraction or
// with every entry; and that button's command.

#include <filesystem>
#include <string>

#include "history/RirekiDialogHooks.h"
#include "ui/Ui.h"

namespace shell {
class CMainFrame;
class CTovanaDoc;
}  // namespace shell

namespace history {

class CRirekiShowDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kExtractCaption = "抽出して表示する";
  static constexpr const char* kAllCaption = "すべて表示する";
  enum class Choice { None, Extract, All };

  std::string Title() const override { return "履歴一覧表示方法"; }
  Choice Chosen() const { return choice_; }
  void OnExtract() { Choose(Choice::Extract); }
  void OnAll() { Choose(Choice::All); }

 private:
  void Choose(Choice choice) {
    choice_ = choice;
    EndDialog(true);
  }

  Choice choice_ = Choice::None;
};

// The menu screen's 履歴一覧: asks how, then fills the document's history list by the extraction
// dialog or with every entry and shows the history list. A failed reading keeps the menu screen
// and the history list as it was. doc may be null (the operation is refused).
void OpenHistoryList(ui::Ui& ui, shell::CMainFrame& frame, shell::CTovanaDoc* doc, const RirekiDialogs& dialogs);

}  // namespace history
