#include "platform/CQMVPassCheck.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <iterator>

#include "platform/CPassCheckDlg.h"
#include "platform/CPassSetDlg.h"
#include "platform/FileFaults.h"
#include "platform/InstallLayout.h"
#include "platform/TempFolder.h"
#include "ui/ScriptedUi.h"

namespace platform {
namespace {

using testing_support::ReadBytes;
using testing_support::ScopedFileFault;
using testing_support::TempFolder;
using testing_support::WriteBytes;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

struct Installation {
  TempFolder install;
  ui::ScriptedUi ui{[](const std::string& why) { ADD_FAILURE() << why; }};
  Installation() { std::filesystem::create_directories(MyDataFolder(install.Path())); }

  CQMVPassCheck Check() { return CQMVPassCheck(ui, install.Path()); }
  std::string PasswordFileBytes() const { return ReadBytes(PasswordFile(install.Path())); }

  // Scripts the setting dialog filled with the three fields and OK pressed once.
  void FillSetDialog(std::string old, std::string fresh, std::string confirm) {
    ui.ExpectDialog<CPassSetDlg>([=](CPassSetDlg& d) {
      d.SetOldPassword(old);
      d.SetNewPassword(fresh);
      d.SetConfirmPassword(confirm);
      d.OnOK();
    });
  }
  void SetPassword(const std::string& password) {
    FillSetDialog("", password, password);
    ui.ExpectMessage(CQMVPassCheck::kSetMessage, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
    ASSERT_EQ(Check().SetPassWord(), 1);
  }
  // Scripts the start-up dialog: each text entered with OK in turn (a wrong one is told).
  void EnterPasswords(std::vector<std::string> texts, bool lastIsRight) {
    ui.ExpectDialog<CPassCheckDlg>([texts](CPassCheckDlg& d) {
      for (const std::string& text : texts) {
        d.SetPassword(text);
        d.OnOK();
      }
    });
    for (std::size_t i = 0; i + (lastIsRight ? 1 : 0) < texts.size(); ++i) {
      ui.ExpectMessage(CPassCheckDlg::kWrongMessage, Buttons::Ok, Icon::Warning, Answer::Ok, Answer::Ok);
    }
  }
};

TEST(CQMVPassCheck, WithoutAPasswordStartUpIsNotAsked) {
  Installation inst;
  EXPECT_EQ(inst.Check().CheckPassWord(), 1);
}

TEST(CQMVPassCheck, MissingOrDamagedConfigurationIsMinusOne) {
  Installation inst;
  WriteBytes(PasswordFile(inst.install.Path()), "plain text password\n");
  EXPECT_EQ(inst.Check().CheckPassWord(), -1);
  WriteBytes(PasswordFile(inst.install.Path()), "");
  EXPECT_EQ(inst.Check().CheckPassWord(), -1);

  std::filesystem::remove_all(inst.install / "Data");
  EXPECT_EQ(inst.Check().CheckPassWord(), -1);
  inst.ui.ExpectMessage(CQMVPassCheck::kNoConfigurationMessage);
  EXPECT_EQ(inst.Check().SetPassWord(), -1);
}

TEST(CQMVPassCheck, ASetPasswordIsStoredOnlyAsItsHash) {
  Installation inst;
  inst.SetPassword("ひみつpass1");
  const std::string stored = inst.PasswordFileBytes();
  EXPECT_TRUE(stored.starts_with("$argon2id$")) << stored;
  EXPECT_EQ(stored.find("ひみつ"), std::string::npos);
  EXPECT_EQ(stored.find("pass1"), std::string::npos);
  struct stat info{};
  ASSERT_EQ(::stat(PasswordFile(inst.install.Path()).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);

  inst.EnterPasswords({"ひみつpass1"}, true);
  EXPECT_EQ(inst.Check().CheckPassWord(), 1);
}

TEST(CQMVPassCheck, WrongPasswordsAreToldAndTheThirdRefuses) {
  Installation inst;
  inst.SetPassword("right");
  inst.EnterPasswords({"wrong", "RIGHT", "right"}, true);
  EXPECT_EQ(inst.Check().CheckPassWord(), 1);

  inst.EnterPasswords({"a", "b", "c"}, false);
  EXPECT_EQ(inst.Check().CheckPassWord(), 2);

  inst.ui.ExpectDialog<CPassCheckDlg>([](CPassCheckDlg& d) {
    d.SetPassword("half typed");
    d.OnCancel();
  });
  EXPECT_EQ(inst.Check().CheckPassWord(), 0);
}

TEST(CQMVPassCheck, ChangingAsksTheCurrentPasswordFirst) {
  Installation inst;
  inst.SetPassword("old");
  inst.ui.ExpectDialog<CPassSetDlg>([](CPassSetDlg& d) {
    EXPECT_TRUE(d.OldPasswordEnabled());
    d.SetOldPassword("wrong");
    d.SetNewPassword("new");
    d.SetConfirmPassword("new");
    d.OnOK();
    EXPECT_FALSE(d.IsClosing());
    EXPECT_EQ(d.OldPassword(), "");
    d.SetOldPassword("old");
    d.SetConfirmPassword("typo");
    d.OnOK();
    EXPECT_FALSE(d.IsClosing());
    EXPECT_EQ(d.NewPassword(), "");
    d.SetNewPassword("new");
    d.SetConfirmPassword("new");
    d.OnOK();
  });
  inst.ui.ExpectMessage(CPassSetDlg::kWrongOldMessage, Buttons::Ok, Icon::Warning, Answer::Ok, Answer::Ok);
  inst.ui.ExpectMessage(CPassSetDlg::kMismatchMessage, Buttons::Ok, Icon::Warning, Answer::Ok, Answer::Ok);
  inst.ui.ExpectMessage(CQMVPassCheck::kSetMessage);
  EXPECT_EQ(inst.Check().SetPassWord(), 1);

  inst.EnterPasswords({"old", "new"}, true);
  EXPECT_EQ(inst.Check().CheckPassWord(), 1);
}

TEST(CQMVPassCheck, AnEmptyNewPasswordRemovesItAfterAsking) {
  Installation inst;
  inst.SetPassword("old");
  inst.ui.ExpectDialog<CPassSetDlg>([](CPassSetDlg& d) {
    d.SetOldPassword("old");
    d.OnOK();  // answered No: stays open
    EXPECT_FALSE(d.IsClosing());
    d.SetOldPassword("old");
    d.OnOK();
  });
  inst.ui.ExpectMessage(CPassSetDlg::kRemoveQuestion, Buttons::YesNo, Icon::Question, Answer::No, Answer::No);
  inst.ui.ExpectMessage(CPassSetDlg::kRemoveQuestion, Buttons::YesNo, Icon::Question, Answer::No, Answer::Yes);
  inst.ui.ExpectMessage(CQMVPassCheck::kRemovedMessage, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  EXPECT_EQ(inst.Check().SetPassWord(), 1);
  EXPECT_FALSE(std::filesystem::exists(PasswordFile(inst.install.Path())));
  EXPECT_EQ(inst.Check().CheckPassWord(), 1);
}

TEST(CQMVPassCheck, WithoutAPasswordAnEmptyOneIsRefused) {
  Installation inst;
  inst.ui.ExpectDialog<CPassSetDlg>([](CPassSetDlg& d) {
    EXPECT_FALSE(d.OldPasswordEnabled());
    d.OnOK();
    d.OnCancel();
  });
  inst.ui.ExpectMessage(CPassSetDlg::kEmptyMessage, Buttons::Ok, Icon::Warning, Answer::Ok, Answer::Ok);
  EXPECT_EQ(inst.Check().SetPassWord(), 0);
  EXPECT_FALSE(std::filesystem::exists(PasswordFile(inst.install.Path())));
}

TEST(CQMVPassCheck, AFailedSaveKeepsTheOldPassword) {
  Installation inst;
  inst.SetPassword("old");
  const std::string before = inst.PasswordFileBytes();
  inst.FillSetDialog("old", "new", "new");
  inst.ui.ExpectMessage(CQMVPassCheck::kSaveFailedMessage);
  {
    ScopedFileFault fault(FileOp::Write, 1, ENOSPC, "PassWord.sys.saving");
    EXPECT_EQ(inst.Check().SetPassWord(), 0);
    EXPECT_TRUE(fault.Fired());
  }
  EXPECT_EQ(inst.PasswordFileBytes(), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(MyDataFolder(inst.install.Path())), {}), 1);
  inst.EnterPasswords({"new", "old"}, true);
  EXPECT_EQ(inst.Check().CheckPassWord(), 1);
}

}  // namespace
}  // namespace platform
