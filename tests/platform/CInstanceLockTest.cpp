#include "platform/CInstanceLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ChildProcess.h"
#include "platform/RunProgram.h"
#include "platform/ScopedEnv.h"
#include "platform/TempFolder.h"

namespace platform {

void PrintTo(LockResult result, std::ostream* out) {
  constexpr const char* kNames[] = {"Held", "HeldElsewhere", "DeniedByOtherUser", "Failed"};
  *out << kNames[static_cast<int>(result)];
}

namespace {

using testing_support::CanSwitchUser;
using testing_support::CLingeringChild;
using testing_support::kNobody;
using testing_support::ScopedEnv;
using testing_support::TempFolder;

// Lock folders of their own: the session one in a fake runtime folder, the machine-wide one
// open to every user as the shared folder is.
struct LockFolders {
  TempFolder folder;
  ScopedEnv runtime{"XDG_RUNTIME_DIR", (folder / "run").string()};
  ScopedEnv machine{"TOVANA_LOCK_DIR", (folder / "locks").string()};
  LockFolders() {
    std::filesystem::create_directories(folder / "locks");
    ::chmod(folder.Path().c_str(), 0755);
    ::chmod((folder / "locks").c_str(), 01777);
  }
};

int Acquire(const char* name) { return static_cast<int>(CInstanceLock(name).TryAcquire()); }

// For a child that lingers: the lock stays held until the child is killed.
int AcquireAndKeep(const char* name) { return static_cast<int>((new CInstanceLock(name))->TryAcquire()); }

TEST(CInstanceLock, ACopyRunningElsewhereHoldsItUntilItIsKilled) {
  LockFolders folders;
  for (const char* name : {CInstanceLock::kSessionName, CInstanceLock::kGlobalName, CInstanceLock::kGlobalFormName}) {
    SCOPED_TRACE(name);
    CLingeringChild other([name] { return AcquireAndKeep(name); });
    ASSERT_EQ(other.Result(), static_cast<int>(LockResult::Held));
    CInstanceLock lock(name);
    EXPECT_EQ(lock.TryAcquire(), LockResult::HeldElsewhere);
    EXPECT_FALSE(lock.IsHeld());
    other.Kill();
    EXPECT_EQ(lock.TryAcquire(), LockResult::Held);
    EXPECT_EQ(lock.TryAcquire(), LockResult::Held);
  }
}

TEST(CInstanceLock, ReleaseLetsTheNextCopyIn) {
  LockFolders folders;
  CInstanceLock first(CInstanceLock::kSessionName);
  CInstanceLock second(CInstanceLock::kSessionName);
  ASSERT_EQ(first.TryAcquire(), LockResult::Held);
  EXPECT_EQ(second.TryAcquire(), LockResult::HeldElsewhere);
  first.Release();
  EXPECT_FALSE(first.IsHeld());
  EXPECT_EQ(second.TryAcquire(), LockResult::Held);
}

TEST(CInstanceLock, ProgramsItStartedDoNotKeepTheLockOfACrashedCopy) {
  LockFolders folders;
  const auto pidFile = folders.folder / "sleeper.pid";
  CLingeringChild crashing([&] {
    const int held = AcquireAndKeep(CInstanceLock::kGlobalName);
    const std::string script = "\"echo $$ > '" + pidFile.string() + ".tmp'; mv '" + pidFile.string() +
                               ".tmp' '" + pidFile.string() + "'; exec sleep 30\"";
    return StartProgram("/bin/sh", "-c " + script) != 0 ? held : 99;
  });
  ASSERT_EQ(crashing.Result(), static_cast<int>(LockResult::Held));
  crashing.Kill();  // ends without releasing anything, as a crash does
  for (int i = 0; i < 500 && !std::filesystem::exists(pidFile); ++i) ::usleep(10000);
  const pid_t sleeper = std::stoi(testing_support::ReadBytes(pidFile));
  EXPECT_EQ(CInstanceLock(CInstanceLock::kGlobalName).TryAcquire(), LockResult::Held);
  ::kill(sleeper, SIGKILL);
}

TEST(CInstanceLock, AnotherUsersCopyIsTold) {
  if (!CanSwitchUser()) GTEST_SKIP() << "needs to run a child as another user";
  LockFolders folders;
  const int denied = static_cast<int>(LockResult::DeniedByOtherUser);
  {
    SCOPED_TRACE("this user holds it; another user tries");
    CInstanceLock mine(CInstanceLock::kGlobalName);
    ASSERT_EQ(mine.TryAcquire(), LockResult::Held);
    EXPECT_EQ(testing_support::RunInChild([] { return Acquire(CInstanceLock::kGlobalName); }, kNobody), denied);
  }
  {
    SCOPED_TRACE("another user holds a lock file of its own");
    CLingeringChild other([] { return AcquireAndKeep(CInstanceLock::kGlobalFormName); }, kNobody);
    ASSERT_EQ(other.Result(), static_cast<int>(LockResult::Held));
    EXPECT_EQ(CInstanceLock(CInstanceLock::kGlobalFormName).TryAcquire(), LockResult::DeniedByOtherUser);
    other.Kill();
    EXPECT_EQ(CInstanceLock(CInstanceLock::kGlobalFormName).TryAcquire(), LockResult::Held);
  }
  {
    SCOPED_TRACE("a lock file of another user that cannot be opened");
    ::chmod((folders.folder / "locks/hKokyakuVM.lock").c_str(), 0600);
    EXPECT_EQ(testing_support::RunInChild([] { return Acquire(CInstanceLock::kGlobalName); }, kNobody), denied);
  }
}

}  // namespace
}  // namespace platform
