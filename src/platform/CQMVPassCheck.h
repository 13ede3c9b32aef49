#pragma once
// The start-up password. Its hash lives in <installation>/Data/MyData/PassWord.sys
// (PasswordHash.h: Argon2id with its salt, never the password), written durably, readable by
// this user only. No file means no password is set. The installation's configuration the check
// needs is the folder Data/MyData; when it is missing, or the password file is there but cannot
// be read or holds no hash, the configuration is missing: a damaged file never lets anyone in.
// The person is asked through CPassCheckDlg and CPassSetDlg, run on the Ui given.

#include <filesystem>
#include <optional>
#include <string>

#include "platform/CNeritEnv.h"
#include "ui/Ui.h"

namespace platform {

class CQMVPassCheck {
 public:
  static constexpr const char* kSetMessage = "パスワードを設定しました。";
  static constexpr const char* kRemovedMessage = "パスワードを解除しました。";
  static constexpr const char* kSaveFailedMessage = "パスワードを保存できませんでした。";
  static constexpr const char* kNoConfigurationMessage =
      "構成ファイルがないためパスワードを設定できません\n再インストールしてください。";

  CQMVPassCheck(ui::Ui& ui, const CNeritEnv& env);
  CQMVPassCheck(ui::Ui& ui, std::filesystem::path installFolder);

  // 1: accepted (without asking when no password is set). -1: the configuration is missing
  // (nothing asked; start-up tells). 0: cancelled. 2: refused after CPassCheckDlg::kMaxTries
  // wrong passwords.
  int CheckPassWord();

  // Sets, changes or removes the password through CPassSetDlg and tells the outcome itself.
  // 1: changed. 0: cancelled, or not saved (after kSaveFailedMessage; the old state holds).
  // -1: the configuration is missing (after kNoConfigurationMessage).
  int SetPassWord();

 private:
  enum class State { NoPassword, Password, Broken };
  // Reads the password file into hash_.
  State ReadState();
  bool Save(const std::string& password);
  bool Remove();

  ui::Ui& ui_;
  std::filesystem::path install_;
  std::string hash_;
};

}  // namespace platform
