#include "platform/CInstaller.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/CProfile.h"
#include "platform/FileFaults.h"
#include "platform/InstallLayout.h"
#include "platform/ScopedEnv.h"
#include "platform/TempFolder.h"

namespace platform {

void PrintTo(InstallResult result, std::ostream* out) {
  constexpr const char* kNames[] = {"Existing", "LaidOut", "Failed"};
  *out << kNames[static_cast<int>(result)];
}

namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScopedEnv;
using testing_support::ScopedFileFault;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// A factory folder as the build writes it, with a nested folder and a read-only file as a
// packaged one may have.
struct FakeFactory {
  TempFolder folder;
  FakeFactory() {
    fs::create_directories(folder / "Data/Org");
    fs::create_directories(folder / "Exe/help/img");
    WriteBytes(FactoryDatabaseFile(folder.Path()), "factory database");
    WriteBytes(folder / "Data/Org/QMVColSet.sys", "columns");
    WriteBytes(folder / "Exe/help/img/top.png", "png");
    ::chmod((folder / "Data/Org/QMVColSet.sys").c_str(), 0444);
  }
};

// A parent folder for the installation, and the environment pointing at both.
struct Workspace {
  FakeFactory factory;
  TempFolder parent;
  fs::path install = parent / "顧客";
  ScopedEnv home{"TOVANA_HOME", install.string()};
  ScopedEnv factoryEnv{"TOVANA_FACTORY_DIR", factory.folder.Path().string()};

  InstallResult Install() { return CInstaller(CNeritEnv()).EnsureInstalled(); }
};

TEST(CInstaller, FirstStartLaysOutTheWholeTreeFromTheFactory) {
  Workspace w;
  ASSERT_EQ(w.Install(), InstallResult::LaidOut);

  for (const fs::path& folder : WorkspaceFolders(w.install)) EXPECT_TRUE(fs::is_directory(folder)) << folder;
  EXPECT_TRUE(fs::is_regular_file(AcckSysFile(w.install)));
  EXPECT_EQ(fs::file_size(AcckSysFile(w.install)), 0u);
  EXPECT_EQ(ReadBytes(w.install / "Data/Org/ZQQMV.qmv"), "factory database");
  EXPECT_EQ(ReadBytes(w.install / "Exe/help/img/top.png"), "png");
  EXPECT_EQ(ReadBytes(DefaultDataFolder(w.install) / "ZQQMV.qmv"), "factory database");
  // The copy of a read-only factory file must not make start-up's write check fail.
  EXPECT_EQ(ReadBytes(w.install / "Data/Org/QMVColSet.sys"), "columns");
  EXPECT_EQ(::access((w.install / "Data/Org/QMVColSet.sys").c_str(), W_OK), 0);
  EXPECT_EQ(ReadBytes(DefaultDataFolder(w.install) / "QMVColSet.sys"), "columns");
  // The final path in CP932 (顧 8C DA, 客 8B 71), no line end, never the temporary folder.
  EXPECT_EQ(ReadBytes(DataDirFile(w.install)),
            w.parent.Path().string() + "/\x8C\xDA\x8B\x71/Data/UserData");
  CProfile machine(MachineIniFile(w.install));
  EXPECT_TRUE(fs::is_regular_file(machine.File()));
  EXPECT_TRUE(machine.LastError().empty());
  EXPECT_EQ(w.parent.Names(), std::vector<std::string>{"顧客"});
}

TEST(CInstaller, FactoryMachineProfileIsKeptAsItIs) {
  Workspace w;
  fs::create_directories(w.factory.folder / "Data/MyData");
  WriteBytes(w.factory.folder / "Data/MyData/machine.ini", "[NADIRA\\Sorelle\\Common\\ZQTel]\nDataPath=/x\n");
  ASSERT_EQ(w.Install(), InstallResult::LaidOut);
  EXPECT_EQ(CProfile(MachineIniFile(w.install)).GetString("NADIRA\\Sorelle\\Common\\ZQTel", "DataPath"), "/x");
}

std::vector<std::string> TreeOf(const fs::path& root) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    found.push_back(entry.path().lexically_relative(root).string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

// Either marker file makes an installation, even one missing the other (start-up then names it).
TEST(CInstaller, ExistingInstallationIsNeverTouched) {
  for (const bool withAcck : {true, false}) {
    Workspace w;
    const fs::path marker = withAcck ? AcckSysFile(w.install) : DataDirFile(w.install);
    fs::create_directories(marker.parent_path());
    WriteBytes(marker, "");
    WriteBytes(w.install / "Data/own.txt", "mine");
    fs::remove_all(w.factory.folder.Path());  // not even looked at
    CInstaller installer{CNeritEnv()};
    EXPECT_EQ(installer.EnsureInstalled(), InstallResult::Existing);
    EXPECT_TRUE(installer.Message().empty());
    EXPECT_EQ(TreeOf(w.install), (std::vector<std::string>{"Data", "Data/MyData", "Data/MyData/" + marker.filename().string(),
                                                           "Data/own.txt"}));
  }
}

// A folder made by hand or by a packaging step holds no installation yet.
TEST(CInstaller, EmptyInstallationFolderIsLaidOut) {
  Workspace w;
  fs::create_directories(w.install);
  ASSERT_EQ(w.Install(), InstallResult::LaidOut);
  EXPECT_EQ(ReadBytes(DefaultDataFolder(w.install) / "ZQQMV.qmv"), "factory database");
  EXPECT_TRUE(fs::exists(AcckSysFile(w.install)));
  EXPECT_EQ(w.parent.Names(), std::vector<std::string>{"顧客"});
}

// What an interrupted copy or the user left there is kept; the rest is filled in, and a fill
// interrupted before its last step is finished by the next start.
TEST(CInstaller, FolderWithFilesButNoInstallationIsFilledAroundThem) {
  Workspace w;
  fs::create_directories(w.install / "Exe/help");
  fs::create_directories(w.install / "Data/Org");
  WriteBytes(w.install / "Exe/help/own.txt", "mine");
  WriteBytes(w.install / "Data/Org/QMVColSet.sys", "half");
  {
    ScopedFileFault fault(FileOp::Rename, 2, EIO, "datadir.dat");  // the first is in the staging tree
    EXPECT_EQ(w.Install(), InstallResult::Failed);
    EXPECT_TRUE(fault.Fired());
  }
  EXPECT_FALSE(fs::exists(DataDirFile(w.install)));
  ASSERT_EQ(w.Install(), InstallResult::LaidOut);
  EXPECT_EQ(ReadBytes(w.install / "Exe/help/own.txt"), "mine");
  EXPECT_EQ(ReadBytes(w.install / "Data/Org/QMVColSet.sys"), "half");
  EXPECT_EQ(ReadBytes(w.install / "Exe/help/img/top.png"), "png");
  EXPECT_EQ(ReadBytes(DefaultDataFolder(w.install) / "ZQQMV.qmv"), "factory database");
  EXPECT_TRUE(fs::exists(AcckSysFile(w.install)));
  EXPECT_EQ(w.parent.Names(), std::vector<std::string>{"顧客"});
}

TEST(CInstaller, MissingFactoryFailsWithItsMessageAndLeavesNothing) {
  for (const bool folderMissing : {true, false}) {
    SCOPED_TRACE(folderMissing ? "no factory folder" : "no factory database");
    Workspace w;
    if (folderMissing) {
      fs::remove_all(w.factory.folder.Path());
    } else {
      fs::remove(FactoryDatabaseFile(w.factory.folder.Path()));
    }
    CInstaller installer{CNeritEnv()};
    EXPECT_EQ(installer.EnsureInstalled(), InstallResult::Failed);
    EXPECT_EQ(installer.Message(), CInstaller::kFactoryMissingMessage);
    EXPECT_FALSE(installer.Detail().empty());
    EXPECT_TRUE(w.parent.Names().empty());
  }
}

TEST(CInstaller, InterruptedLayoutIsNeverTakenAsComplete) {
  struct Case {
    const char* name;
    FileOp op;
    std::string suffix;
  };
  for (const Case& c : {Case{"disk full writing datadir.dat", FileOp::Write, "datadir.dat.saving"},
                        Case{"syncing a copied file fails", FileOp::Sync, "ZQQMV.qmv"},
                        Case{"the final rename fails", FileOp::Rename, "顧客"}}) {
    SCOPED_TRACE(c.name);
    Workspace w;
    {
      ScopedFileFault fault(c.op, 1, c.op == FileOp::Write ? ENOSPC : EIO, c.suffix);
      CInstaller installer{CNeritEnv()};
      EXPECT_EQ(installer.EnsureInstalled(), InstallResult::Failed);
      EXPECT_TRUE(fault.Fired());
      EXPECT_EQ(installer.Message(), CInstaller::kLayoutFailedMessage + w.install.string());
      EXPECT_NE(installer.Detail().find(std::strerror(c.op == FileOp::Write ? ENOSPC : EIO)), std::string::npos)
          << installer.Detail();
    }
    EXPECT_TRUE(w.parent.Names().empty());
    EXPECT_EQ(w.Install(), InstallResult::LaidOut);
    EXPECT_EQ(ReadBytes(DefaultDataFolder(w.install) / "ZQQMV.qmv"), "factory database");
  }
}

TEST(CInstaller, LeftoverOfACrashedLayoutIsDiscarded) {
  Workspace w;
  const fs::path leftover = w.parent / ".顧客.installing";
  fs::create_directories(leftover / "Data/MyData");
  WriteBytes(leftover / "Data/MyData/half.tmp", "half");
  ASSERT_EQ(w.Install(), InstallResult::LaidOut);
  EXPECT_EQ(w.parent.Names(), std::vector<std::string>{"顧客"});
  EXPECT_FALSE(fs::exists(w.install / "Data/MyData/half.tmp"));
  EXPECT_TRUE(fs::exists(DataDirFile(w.install)));
}

TEST(CNeritEnv, FoldersComeFromTheEnvironment) {
  TempFolder folder;
  {
    ScopedEnv home("TOVANA_HOME", (folder / "inst/").string());
    ScopedEnv factory("TOVANA_FACTORY_DIR", (folder / "fac").string());
    EXPECT_EQ(CNeritEnv().GetInstallFolder(), folder / "inst");
    EXPECT_EQ(CNeritEnv().GetFactoryFolder(), folder / "fac");
  }
  ScopedEnv home("TOVANA_HOME", std::nullopt);
  ScopedEnv factory("TOVANA_FACTORY_DIR", std::nullopt);
  ScopedEnv userHome("HOME", (folder / "user").string());
  {
    ScopedEnv data("XDG_DATA_HOME", (folder / "data").string());
    EXPECT_EQ(CNeritEnv().GetInstallFolder(), folder / "data/tovana");
  }
  {
    ScopedEnv data("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(CNeritEnv().GetInstallFolder(), folder / "user/.local/share/tovana");
  }
  EXPECT_EQ(CNeritEnv().GetFactoryFolder(), fs::read_symlink("/proc/self/exe").parent_path() / "factory");
}

TEST(CNeritEnv, TheFactoryTreeIsBesideTheProgramsInTheBuildAndUnderShareWhenInstalled) {
  TempFolder folder;
  fs::create_directories(folder / "build/bin/factory");
  fs::create_directories(folder / "usr/bin");
  fs::create_directories(folder / "usr/share/tovana/factory");
  EXPECT_EQ(FactoryFolderBeside(folder / "build/bin"), folder / "build/bin/factory");
  EXPECT_EQ(FactoryFolderBeside(folder / "usr/bin"), folder / "usr/share/tovana/factory");
}

}  // namespace
}  // namespace platform
