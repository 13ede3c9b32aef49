#pragma once
// Presentation model of the password setting dialog: three masked fields and OK / Cancel.
// The current-password field is enabled only when a password is set. OK checks, in order:
//  1. a password is set and the current one is wrong: kWrongOldMessage, that field emptied;
//  2. new and confirmation differ: kMismatchMessage, both emptied;
//  3. new left empty: with no password set kEmptyMessage; else kRemoveQuestion (Yes/No,
//     default No), and Yes closes with OK to remove the password;
//  4. otherwise closes with OK to set NewPassword().
// After a message the dialog stays open. Cancel closes without OK. Fields are wiped on close.

#include <functional>
#include <string>
#include <string_view>

#include "ui/Ui.h"

namespace platform {

class CPassSetDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "パスワードの設定";
  static constexpr const char* kOldCaption = "現在のパスワード";
  static constexpr const char* kNewCaption = "新しいパスワード";
  static constexpr const char* kConfirmCaption = "新しいパスワード（確認）";
  // Shown under the fields while a password is set.
  static constexpr const char* kRemoveHint = "新しいパスワードを空欄にすると、パスワードを解除します。";
  static constexpr const char* kWrongOldMessage = "現在のパスワードが違います。";
  static constexpr const char* kMismatchMessage = "新しいパスワードが一致しません。";
  static constexpr const char* kEmptyMessage = "新しいパスワードを入力してください。";
  static constexpr const char* kRemoveQuestion = "パスワードを解除します。よろしいですか？";

  // True when the entered text is the current password.
  using Verifier = std::function<bool(std::string_view)>;

  // passwordSet: whether a password is set now (then verifyOld is asked about the current one).
  CPassSetDlg(ui::Ui& ui, bool passwordSet, Verifier verifyOld);
  ~CPassSetDlg() override;

  std::string Title() const override { return kTitle; }
  bool OldPasswordEnabled() const { return passwordSet_; }
  // The hint line; empty when no password is set.
  std::string Hint() const { return passwordSet_ ? kRemoveHint : ""; }

  const std::string& OldPassword() const { return old_; }
  const std::string& NewPassword() const { return new_; }
  const std::string& ConfirmPassword() const { return confirm_; }
  void SetOldPassword(std::string text);
  void SetNewPassword(std::string text);
  void SetConfirmPassword(std::string text);

  void OnOK();

  // After OK: true when the password is to be removed, else NewPassword() is to be set.
  bool RemovesPassword() const { return removes_; }
  // Wipes every field; the owner calls it once it has used NewPassword().
  void WipeFields();

 private:
  bool ConfirmRemoval();

  ui::Ui& ui_;
  bool passwordSet_;
  Verifier verifyOld_;
  std::string old_;
  std::string new_;
  std::string confirm_;
  bool removes_ = false;
};

}  // namespace platform
