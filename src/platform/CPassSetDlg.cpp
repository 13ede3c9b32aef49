#include "platform/CPassSetDlg.h"

#include "platform/PasswordHash.h"

namespace platform {
namespace {

// Copied, not moved: a move leaves a short text's bytes behind in the caller's buffer.
void Replace(std::string& field, std::string& text) {
  Wipe(field);
  field.assign(text);
  Wipe(text);
}

}  // namespace

CPassSetDlg::CPassSetDlg(ui::Ui& ui, bool passwordSet, Verifier verifyOld)
    : ui_(ui), passwordSet_(passwordSet), verifyOld_(std::move(verifyOld)) {}

CPassSetDlg::~CPassSetDlg() { WipeFields(); }

void CPassSetDlg::SetOldPassword(std::string text) { Replace(old_, text); }
void CPassSetDlg::SetNewPassword(std::string text) { Replace(new_, text); }
void CPassSetDlg::SetConfirmPassword(std::string text) { Replace(confirm_, text); }

void CPassSetDlg::WipeFields() {
  Wipe(old_);
  Wipe(new_);
  Wipe(confirm_);
}

void CPassSetDlg::OnOK() {
  if (passwordSet_ && !verifyOld_(old_)) {
    Wipe(old_);
    ui_.Message(kWrongOldMessage, ui::Buttons::Ok, ui::Icon::Warning, ui::Answer::Ok);
    return;
  }
  if (new_ != confirm_) {
    Wipe(new_);
    Wipe(confirm_);
    ui_.Message(kMismatchMessage, ui::Buttons::Ok, ui::Icon::Warning, ui::Answer::Ok);
    return;
  }
  if (new_.empty() && !ConfirmRemoval()) return;
  removes_ = new_.empty();
  Wipe(old_);
  Wipe(confirm_);
  EndDialog(true);
}

// With no password set an empty one is a mistake; with one set it asks to remove it.
bool CPassSetDlg::ConfirmRemoval() {
  if (!passwordSet_) {
    ui_.Message(kEmptyMessage, ui::Buttons::Ok, ui::Icon::Warning, ui::Answer::Ok);
    return false;
  }
  return ui_.Ask(kRemoveQuestion, ui::Answer::No);
}

}  // namespace platform
