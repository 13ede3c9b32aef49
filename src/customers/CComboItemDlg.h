#pragma once
// The entry dialog of the choice-list editor ("項目の追加・変更"): one text, limited to the list's
// byte limit. OK refuses an empty text and a text equal to any entry the editor shows (the entry
// being changed included), each with its message, and otherwise closes with OK.

#include <cstddef>
#include <string>
#include <vector>

#include "ui/Ui.h"

namespace customers {

class CComboItemDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "項目の追加・変更";
  static constexpr const char* kPrompt = "新しい内容を入力してください";
  static constexpr const char* kEmptyMessage = "内容を入力してください";
  static constexpr const char* kDuplicateMessage =
      "入力された内容はすでに登録されています。\n重複する内容を登録することはできません。";

  // shown: the texts the editor shows; text: the starting text (empty for an addition).
  CComboItemDlg(ui::Ui& ui, std::size_t textLimit, std::vector<std::string> shown, std::string text = {});

  std::string Title() const override { return kTitle; }
  std::size_t TextLimit() const { return textLimit_; }
  const std::string& Text() const { return text_; }
  // Keeps at most TextLimit() CP932 bytes, never splitting a character.
  void SetText(std::string text);

  void OnOK();

 private:
  ui::Ui& ui_;
  std::size_t textLimit_;
  std::vector<std::string> shown_;
  std::string text_;
};

}  // namespace customers
