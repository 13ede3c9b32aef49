#pragma once
// "ﾃｷｽﾄﾌｧｲﾙの形式": which character separates the cells of a text file, with the head of the file
// shown as "ﾃﾞｰﾀｲﾒｰｼﾞ". "戻る" goes back to the choice of format.

#include <filesystem>
#include <string>

#include "ui/Ui.h"

namespace io {

class CImportTextDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "ﾃｷｽﾄﾌｧｲﾙの形式";
  static constexpr const char* kPrompt = "読み込むファイルで使用している、データの区切り文字を指定してください。";
  static constexpr const char* kNoQuote = "区切り文字には\" (ﾀﾞﾌﾞﾙｸｫｰﾃｰｼｮﾝ)は使用できません。";
  static constexpr const char* kNoOther = "区切り文字を入力してください";
  enum Choice { kComma = 0, kTab, kSpace, kOther };

  explicit CImportTextDlg(ui::Ui& ui, std::string preview = {}) : ui_(ui), preview_(std::move(preview)) {}
  std::string Title() const override { return kTitle; }

  const std::string& Preview() const { return preview_; }
  int Choice() const { return choice_; }
  void SetChoice(int choice) {
    if (choice >= kComma && choice <= kOther) choice_ = choice;
  }
  bool OtherEnabled() const { return choice_ == kOther; }
  const std::string& Other() const { return other_; }
  // The edit keeps only its first character, and only one a single byte holds; a double quote is
  // refused with its message and the edit cleared.
  void SetOther(std::string_view typed);

  // The delimiter chosen.
  char Delimiter() const;
  bool WentBack() const { return back_; }

  void OnOK();
  void OnBack() {
    back_ = true;
    EndDialog(false);
  }

 private:
  ui::Ui& ui_;
  std::string preview_;
  int choice_ = kComma;
  std::string other_;
  bool back_ = false;
};

}  // namespace io
