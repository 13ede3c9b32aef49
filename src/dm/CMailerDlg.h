#pragma once
// "メーラーを起動": the subject of a mail and whether it goes into the customers' history, asked
// before the user's mail client opens its compose window.

#include <cstddef>
#include <string>
#include <utility>

#include "ui/Ui.h"

namespace dm {

class CMailerDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "メーラーを起動";
  static constexpr const char* kSubjectCaption = "件名：";
  static constexpr const char* kHistoryCaption = "履歴に登録する";
  static constexpr const char* kLaunchCaption = "メーラー起動";
  static constexpr const char* kCancelCaption = "ｷｬﾝｾﾙ";
  static constexpr std::size_t kSubjectBytes = 256;
  static constexpr const char* kSubjectTooLong = "件名が長すぎます。半角で256文字までにしてください。";

  // history: the check box's first state; historyEnabled: whether the user may change it.
  CMailerDlg(ui::Ui& ui, bool history, bool historyEnabled);
  std::string Title() const override { return kTitle; }

  const std::string& Subject() const { return subject_; }
  void SetSubject(std::string subject) { subject_ = std::move(subject); }
  bool History() const { return history_; }
  void SetHistory(bool on) {
    if (historyEnabled_) history_ = on;
  }
  bool HistoryEnabled() const { return historyEnabled_; }

  // メーラー起動: refuses a subject over 256 bytes (CP932) and asks for the focus on it.
  void OnOK();
  // True once after a refusal: the view puts the focus on the subject.
  bool TakeSubjectFocus() { return std::exchange(focusSubject_, false); }

 private:
  ui::Ui& ui_;
  std::string subject_;
  bool history_;
  bool historyEnabled_;
  bool focusSubject_ = false;
};

}  // namespace dm
