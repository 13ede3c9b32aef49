#pragma once
// Presentation model of the start-up password dialog: one masked field and OK / Cancel.
// OK with the right password closes with OK. A wrong one tells kWrongMessage, empties the field
// and leaves the dialog open; the kMaxTries-th wrong one closes it without OK and Refused() is
// true. Cancel closes without OK. The entered text is wiped when it is no longer needed.

#include <functional>
#include <string>
#include <string_view>

#include "ui/Ui.h"

namespace platform {

class CPassCheckDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "パスワードの確認";
  static constexpr const char* kPrompt = "パスワードを入力してください。";
  static constexpr const char* kWrongMessage = "パスワードが違います。";
  static constexpr int kMaxTries = 3;

  // True when the entered text is the password.
  using Verifier = std::function<bool(std::string_view)>;

  CPassCheckDlg(ui::Ui& ui, Verifier verify);
  ~CPassCheckDlg() override;

  std::string Title() const override { return kTitle; }
  // The text above the field.
  std::string Prompt() const { return kPrompt; }

  const std::string& Password() const { return password_; }
  void SetPassword(std::string text);

  void OnOK();

  // True once the dialog closed after too many wrong passwords.
  bool Refused() const { return refused_; }

 private:
  ui::Ui& ui_;
  Verifier verify_;
  std::string password_;
  int wrongTries_ = 0;
  bool refused_ = false;
};

}  // namespace platform
