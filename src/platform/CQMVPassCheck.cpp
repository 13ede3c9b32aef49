#include "platform/CQMVPassCheck.h"

#include <fstream>
#include <iterator>

#include "platform/CPassCheckDlg.h"
#include "platform/CPassSetDlg.h"
#include "platform/DurableFile.h"
#include "platform/InstallLayout.h"
#include "platform/PasswordHash.h"

namespace platform {

CQMVPassCheck::CQMVPassCheck(ui::Ui& ui, const CNeritEnv& env) : CQMVPassCheck(ui, env.GetInstallFolder()) {}

CQMVPassCheck::CQMVPassCheck(ui::Ui& ui, std::filesystem::path installFolder)
    : ui_(ui), install_(std::move(installFolder)) {}

CQMVPassCheck::State CQMVPassCheck::ReadState() {
  hash_.clear();
  std::error_code ec;
  if (install_.empty() || !std::filesystem::is_directory(MyDataFolder(install_), ec)) return State::Broken;
  const std::filesystem::path file = PasswordFile(install_);
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return State::NoPassword;
  std::ifstream in(file, std::ios::binary);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  if (!in.good() && !in.eof()) return State::Broken;
  if (!IsPasswordHash(text)) return State::Broken;
  hash_ = std::move(text);
  return State::Password;
}

int CQMVPassCheck::CheckPassWord() {
  switch (ReadState()) {
    case State::Broken: return -1;
    case State::NoPassword: return 1;
    case State::Password: break;
  }
  CPassCheckDlg dialog(ui_, [this](std::string_view password) { return VerifyPassword(hash_, password); });
  if (ui_.Run(dialog)) return 1;
  return dialog.Refused() ? 2 : 0;
}

int CQMVPassCheck::SetPassWord() {
  const State state = ReadState();
  if (state == State::Broken) {
    ui_.Message(kNoConfigurationMessage, ui::Buttons::Ok, ui::Icon::Warning, ui::Answer::Ok);
    return -1;
  }
  CPassSetDlg dialog(ui_, state == State::Password,
                     [this](std::string_view password) { return VerifyPassword(hash_, password); });
  if (!ui_.Run(dialog)) return 0;
  const bool removing = dialog.RemovesPassword();
  const bool saved = removing ? Remove() : Save(dialog.NewPassword());
  dialog.WipeFields();
  if (!saved) {
    ui_.Message(kSaveFailedMessage, ui::Buttons::Ok, ui::Icon::Warning, ui::Answer::Ok);
    return 0;
  }
  ui_.Message(removing ? kRemovedMessage : kSetMessage, ui::Buttons::Ok, ui::Icon::Information, ui::Answer::Ok);
  return 1;
}

bool CQMVPassCheck::Save(const std::string& password) {
  const std::optional<std::string> hash = HashPassword(password);
  std::string error;
  return hash && WriteFileDurably(PasswordFile(install_), *hash + "\n", error, 0600);
}

bool CQMVPassCheck::Remove() {
  std::string error;
  return RemoveIfPresent(PasswordFile(install_), error) && SyncFolder(MyDataFolder(install_), error);
}

}  // namespace platform
