#include "app/CTovanaApp.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/CInstaller.h"
#include "platform/CInstanceLock.h"
#include "platform/ChildProcess.h"
#include "platform/InstallLayout.h"
#include "platform/ScopedEnv.h"
#include "platform/TempFolder.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "ui/ScriptedUi.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using testing_support::ScopedEnv;
using testing_support::TempFolder;

// A fresh workspace: an installation folder laid out by the first start from a factory folder
// made here, and the environment pointing every folder of the program into the temporary one.
class AppTest : public ::testing::Test {
 protected:
  AppTest() {
    fs::create_directories(factory_ / "Data" / "Org");
    records::CQmvFile::CreateDatabaseFile(factory_ / "Data" / "Org" / "ZQQMV.qmv", records::QmvSchemaSql());
    fs::create_directories(temp_ / "run");
  }

  ui::ScriptedUi& Ui() { return ui_; }
  fs::path Install() const { return temp_ / "home" / "tovana"; }
  fs::path DataFolder() const { return platform::DefaultDataFolder(Install()); }

  // Starts and closes once, so that the installation exists.
  void FirstStart() {
    CTovanaApp app(ui_);
    ASSERT_TRUE(app.InitInstance());
    app.OnCloseMainWindow();
    app.ExitInstance();
  }

  TempFolder temp_;
  fs::path factory_ = temp_ / "factory";
  ScopedEnv home_{"TOVANA_HOME", (temp_ / "home" / "tovana").string()};
  ScopedEnv factoryEnv_{"TOVANA_FACTORY_DIR", factory_.string()};
  ScopedEnv locks_{"TOVANA_LOCK_DIR", (temp_ / "locks").string()};
  ScopedEnv runtime_{"XDG_RUNTIME_DIR", (temp_ / "run").string()};
  ScopedEnv config_{"XDG_CONFIG_HOME", (temp_ / "config").string()};
  ui::ScriptedUi ui_{[](const std::string& why) { ADD_FAILURE() << why; }};
};

TEST_F(AppTest, FirstStartOpensAnEmptyCardFileAndCloseSavesIt) {
  CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  ASSERT_NE(app.Document(), nullptr);
  EXPECT_EQ(app.Document()->DataFolder(), DataFolder());
  EXPECT_TRUE(app.Document()->Store().IsOpen());
  EXPECT_TRUE(fs::exists(DataFolder() / "ZQQMV2.qmv2"));
  app.Document()->SetMenuState(2, 40001);
  app.OnCloseMainWindow();
  EXPECT_FALSE(fs::exists(DataFolder() / "ZQQMV2.qmv2"));
  EXPECT_TRUE(fs::exists(DataFolder() / "ZQQMV.qmv"));
  EXPECT_EQ(fs::file_size(platform::MyDataFolder(Install()) / "EndInfo.dat"), 8u);
  app.ExitInstance();
}

TEST_F(AppTest, SecondCopyIsRefusedWhileAnotherProcessRuns) {
  FirstStart();
  testing_support::CLingeringChild other([] {
    static platform::CInstanceLock lock(platform::CInstanceLock::kSessionName);
    return lock.TryAcquire() == platform::LockResult::Held ? 0 : 1;
  });
  ASSERT_EQ(other.Result(), 0);
  ui_.ExpectMessage("『顧客ソレル』は既に起動しています。", ui::Buttons::Ok, ui::Icon::Information, ui::Answer::Ok,
                    ui::Answer::Ok);
  CTovanaApp app(ui_);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_EQ(app.Document(), nullptr);
  other.Kill();
  CTovanaApp after(ui_);
  EXPECT_TRUE(after.InitInstance()) << "a copy that died leaves no lock behind";
  after.OnCloseMainWindow();
}

TEST_F(AppTest, LeftoverWorkCopyIsDiscardedOnce) {
  FirstStart();
  std::ofstream(DataFolder() / "ZQQMV2.qmv2") << "unfinished";
  ui_.ExpectMessage(
      "前回『顧客ソレル』が正常に終了しませんでした。\n前回の作業途中のデータを削除し、それ以前に保存されていたデータを開きます。");
  CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_TRUE(app.Document()->Store().IsOpen());
  app.OnCloseMainWindow();
  EXPECT_TRUE(ui_.Done());
}

TEST_F(AppTest, WorkCopyThatCannotBeDeletedEndsStartUp) {
  FirstStart();
  // A work copy that will not go away (here a folder with something in it, held as if by
  // another process).
  fs::create_directories(DataFolder() / "ZQQMV2.qmv2" / "held");
  ui_.ExpectMessage(
         "前回『顧客ソレル』が正常に終了しませんでした。\n前回の作業途中のデータを削除し、それ以前に保存されていたデータを開きます。")
      .ExpectMessage("前回の作業途中のデータを削除できませんでした。\nデータベースをOPENできません。");
  CTovanaApp app(ui_);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(fs::exists(DataFolder() / "ZQQMV.qmv"));
}

TEST_F(AppTest, MissingAcckSysOrAReadOnlyFolderStopsStartUp) {
  FirstStart();
  const fs::path acck = platform::AcckSysFile(Install());
  fs::rename(acck, acck.string() + ".away");
  ui_.ExpectMessage("ファイルが見つからないため「顧客ソレル」を起動できません");
  EXPECT_FALSE(CTovanaApp(ui_).InitInstance());
  fs::rename(acck.string() + ".away", acck);
  fs::remove_all(Install() / "Data" / "Html");  // a missing folder of the tree is skipped
  CTovanaApp app(ui_);
  EXPECT_TRUE(app.InitInstance());
  app.OnCloseMainWindow();
}

TEST_F(AppTest, UnknownDataFolderAsksAndAChooserCancelStillStarts) {
  FirstStart();
  std::ofstream(platform::DataDirFile(Install()), std::ios::trunc) << "/";
  ui_.ExpectMessage(
         "データベースファイルの保存先にデータベースファイルが存在しないか、保存先が不明です。\n"
         "ファイルの存在するフォルダを指定してください。")
      .ExpectFolder(std::nullopt)
      .ExpectMessage("データベースを開けませんでした。");
  CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_FALSE(app.Document()->Store().IsOpen());
  app.OnCloseMainWindow();
}

TEST_F(AppTest, MissingFactoryStopsTheFirstStartAndLeavesNoInstallation) {
  fs::remove_all(factory_);
  ui_.ExpectMessage(platform::CInstaller::kFactoryMissingMessage);
  EXPECT_FALSE(CTovanaApp(ui_).InitInstance());
  EXPECT_FALSE(fs::exists(Install()));
}

}  // namespace
}  // namespace app
