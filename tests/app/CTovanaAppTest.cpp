#include "app/CTovanaApp.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "platform/CInstaller.h"
#include "platform/CInstanceLock.h"
#include "platform/ChildProcess.h"
#include "platform/FileFaults.h"
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

constexpr const char* kNotEndedNormally = "前回『顧客ソレル』が正常に終了しませんでした。\n";
constexpr const char* kOfferHead =
    "前回『顧客ソレル』が正常に終了しませんでした。\n前回の作業途中のデータが残っています。\n作業途中のデータを復元しますか？";
constexpr const char* kSaveFailedHead = "データベースを保存できませんでした。\n";

std::int32_t AddCustomer(CTovanaApp& app, const std::string& name) {
  records::CKokyaku k;
  k.Name = name;
  return app.Document()->Store().AddNewKokyaku(k);
}

std::vector<std::string> CustomerNames(CTovanaApp& app) {
  std::vector<std::string> names;
  for (const auto& k : app.Document()->Customers()) names.push_back(k->Name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(AppTest, LeftoverWorkCopyOfACrashIsOfferedAndKeptEitherWay) {
  FirstStart();
  for (const ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
    SCOPED_TRACE(answer == ui::Answer::Yes ? "recovered" : "declined");
    {
      CTovanaApp crashed(ui_);
      ASSERT_TRUE(crashed.InitInstance());
      ASSERT_GT(AddCustomer(crashed, "佐藤 花子"), 0);
      ASSERT_GT(AddCustomer(crashed, "鈴木 一郎"), 0);
    }  // gone without closing, as in a crash: the work copy stays
    ui_.ExpectMessageBeginning(kOfferHead, answer);
    CTovanaApp app(ui_);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(ui_.Done());
    EXPECT_EQ(CustomerNames(app).size(), answer == ui::Answer::Yes ? 2u : 0u);
    app.OnCloseMainWindow();
    app.ExitInstance();
  }
  // Both unfinished runs stay in their dated folders.
  EXPECT_EQ(std::distance(fs::directory_iterator(DataFolder() / "Recovered"), fs::directory_iterator()), 2);
}

TEST_F(AppTest, LeftoverWithoutNewWorkIsDiscardedWithTheUsualMessage) {
  FirstStart();
  { ASSERT_TRUE(CTovanaApp(ui_).InitInstance()); }
  ui_.ExpectMessage(
      "前回『顧客ソレル』が正常に終了しませんでした。\n前回の作業途中のデータを削除し、それ以前に保存されていたデータを開きます。");
  CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_TRUE(app.Document()->Store().IsOpen());
  app.OnCloseMainWindow();
  EXPECT_TRUE(ui_.Done());
}

TEST_F(AppTest, DamagedLeftoverIsMovedAsideAndTheSavedDataOpens) {
  FirstStart();
  std::ofstream(DataFolder() / "ZQQMV2.qmv2") << "unfinished";
  ui_.ExpectMessageBeginning(std::string(kNotEndedNormally) + "前回の作業途中のデータは壊れているため、復元できません。");
  CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_TRUE(app.Document()->Store().IsOpen());
  app.OnCloseMainWindow();
  EXPECT_TRUE(ui_.Done());
}

TEST_F(AppTest, WorkCopyHeldByAnotherProcessEndsStartUpUntouched) {
  FirstStart();
  testing_support::CLingeringChild other([this] {
    static records::CKokyakuVMData store;
    return store.InitDB(DataFolder()) == 1 ? 0 : 1;
  });
  ASSERT_EQ(other.Result(), 0);
  ui_.ExpectMessage("前回の作業途中のデータを削除できませんでした。\nデータベースをOPENできません。");
  CTovanaApp app(ui_);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(fs::exists(DataFolder() / "ZQQMV2.qmv2"));
  EXPECT_FALSE(fs::exists(DataFolder() / "Recovered"));
}

// A save that fails at close says so and keeps the work for the next start, whatever failed.
TEST_F(AppTest, FailedSaveAtCloseKeepsTheWorkForTheNextStart) {
  FirstStart();
  using testing_support::ScopedFileFault;
  using testing_support::ScopedFullDisk;
  const auto close = [this](CTovanaApp& app) {
    ui_.ExpectMessageBeginning(kSaveFailedHead, ui::Answer::No);
    app.OnCloseMainWindow();
  };
  const std::pair<const char*, std::function<void(CTovanaApp&)>> faults[] = {
      {"rename", [&](CTovanaApp& app) { ScopedFileFault f(platform::FileOp::Rename, 1, EIO, "ZQQMV.qmv"); close(app); }},
      {"fsync", [&](CTovanaApp& app) { ScopedFileFault f(platform::FileOp::Sync, 1, EIO, ".saving"); close(app); }},
      {"full disk", [&](CTovanaApp& app) { ScopedFullDisk f(".saving", 8192); close(app); }},
  };
  std::size_t expected = 0;
  for (const auto& [name, closeUnderFault] : faults) {
    SCOPED_TRACE(name);
    {
      CTovanaApp app(ui_);
      ASSERT_TRUE(app.InitInstance());
      ASSERT_GT(AddCustomer(app, std::string("顧客 ") + name), 0);
      ++expected;
      closeUnderFault(app);
      app.ExitInstance();
      EXPECT_TRUE(ui_.Done());
    }
    EXPECT_TRUE(fs::exists(DataFolder() / "ZQQMV2.qmv2"));
    ui_.ExpectMessageBeginning(kOfferHead, ui::Answer::Yes);
    CTovanaApp next(ui_);
    ASSERT_TRUE(next.InitInstance());
    EXPECT_EQ(CustomerNames(next).size(), expected);
    next.OnCloseMainWindow();
    next.ExitInstance();
    EXPECT_FALSE(fs::exists(DataFolder() / "ZQQMV2.qmv2"));
  }
}

TEST_F(AppTest, SaveTriedAgainAfterAFailureAtCloseSucceeds) {
  FirstStart();
  CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  ASSERT_GT(AddCustomer(app, "高橋 健太"), 0);
  {
    testing_support::ScopedFileFault fault(platform::FileOp::Rename, 1, ENOSPC, "ZQQMV.qmv");
    ui_.ExpectMessageBeginning(kSaveFailedHead, ui::Answer::Yes);
    app.OnCloseMainWindow();
    EXPECT_TRUE(fault.Fired());
  }
  app.ExitInstance();
  EXPECT_FALSE(fs::exists(DataFolder() / "ZQQMV2.qmv2"));
  CTovanaApp next(ui_);
  ASSERT_TRUE(next.InitInstance());
  EXPECT_EQ(CustomerNames(next), std::vector<std::string>{"高橋 健太"});
  next.OnCloseMainWindow();
}

// Reads one line from fd within the time limit; empty on time-out or end of file.
std::string ReadLine(int fd, int timeoutMs) {
  std::string line;
  char c;
  pollfd p{fd, POLLIN, 0};
  while (::poll(&p, 1, timeoutMs) == 1 && ::read(fd, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

// A child program started with its standard output on a pipe the test reads.
pid_t Spawn(const std::vector<std::string>& args, int& readFd) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ::dup2(fds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  readFd = fds[0];
  return pid;
}

bool EndsWithin(pid_t pid, int timeoutMs) {
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return true;
    ::usleep(50 * 1000);
  }
  return false;
}

// The X connection lost (a session that crashed) is a crash like any other for the data: the
// work is offered at the next start.
TEST_F(AppTest, WorkOfAProgramWhoseDisplayWentAwayIsRecovered) {
  if (::access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed";
  FirstStart();
  int displayFd = -1;
  // Xvfb writes the number of the display it found free to the descriptor given.
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const pid_t server = ::fork();
  if (server == 0) {
    ::close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "800x600x24",
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fds[1]);
  displayFd = fds[0];
  const std::string display = ReadLine(displayFd, 20000);
  ASSERT_FALSE(display.empty()) << "Xvfb did not start";
  ScopedEnv onDisplay("DISPLAY", ":" + display);
  ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
  int out = -1;
  const pid_t program = Spawn({TOVANA_DISPLAY_LOSS_CHILD}, out);
  const std::string said = ReadLine(out, 60000);
  ::kill(server, SIGKILL);
  ::waitpid(server, nullptr, 0);
  const bool ended = EndsWithin(program, 30000);
  if (!ended) {
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
  }
  ::close(out);
  ::close(displayFd);
  ASSERT_EQ(said, "added");
  EXPECT_TRUE(ended) << "the program kept running without its display";

  ui_.ExpectMessageBeginning(kOfferHead, ui::Answer::Yes);
  CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(CustomerNames(app), std::vector<std::string>{"画面が消えても残る顧客"});
  app.OnCloseMainWindow();
}

TEST_F(AppTest, MissingAcckSysOrAReadOnlyFolderStopsStartUp) {
  FirstStart();
  const fs::path acck = platform::AcckSysFile(Install());
  fs::rename(acck, acck.string() + ".away");
  ui_.ExpectMessage("ファイルが見つからないため「顧客ソレル」を起動できません\n" + acck.string());
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
