#include "platform/CPassCheckDlg.h"

#include "platform/PasswordHash.h"

namespace platform {

CPassCheckDlg::CPassCheckDlg(ui::Ui& ui, Verifier verify) : ui_(ui), verify_(std::move(verify)) {}

CPassCheckDlg::~CPassCheckDlg() { Wipe(password_); }

void CPassCheckDlg::SetPassword(std::string text) {
  // Copied, not moved: a move leaves a short text's bytes behind in the caller's buffer.
  Wipe(password_);
  password_.assign(text);
  Wipe(text);
}

void CPassCheckDlg::OnOK() {
  const bool right = verify_(password_);
  Wipe(password_);
  if (right) {
    EndDialog(true);
    return;
  }
  ui_.Message(kWrongMessage, ui::Buttons::Ok, ui::Icon::Warning, ui::Answer::Ok);
  if (++wrongTries_ >= kMaxTries) {
    refused_ = true;
    EndDialog(false);
  }
}

}  // namespace platform
