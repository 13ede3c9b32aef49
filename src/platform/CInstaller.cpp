#include "platform/CInstaller.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/DataDirFile.h"
#include "platform/DurableFile.h"
#include "platform/InstallLayout.h"

namespace platform {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kMachineProfileText =
    "; Machine-wide settings of this installation.\n"
    "; Sections are the machine keys below SOFTWARE, e.g. [NADIRA\\Sorelle\\Common\\ZQTel].\n";

// Holds an exclusive flock on a folder while it lives; serialises first starts.
class FolderLock {
 public:
  explicit FolderLock(const fs::path& folder)
      : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) Close();
    if (fd_ < 0) error_ = std::strerror(errno);
  }
  ~FolderLock() { Close(); }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool Held() const { return fd_ >= 0; }
  const std::string& Error() const { return error_; }

 private:
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  int fd_;
  std::string error_;
};

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

fs::path StagingFor(const fs::path& install) {
  return install.parent_path() / ("." + install.filename().string() + ".installing");
}

// The files a laid-out installation always has; a folder with neither was made by hand or by a
// packaging step, or holds what an older start left of an interrupted copy. While the staging
// tree is there, a fill of the folder was interrupted and is not complete whatever it holds.
bool HoldsInstallation(const fs::path& install) {
  return !Exists(StagingFor(install)) && (Exists(AcckSysFile(install)) || Exists(DataDirFile(install)));
}

bool IsEmptyFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec) && fs::directory_iterator(folder, ec) == fs::directory_iterator();
}

}  // namespace

CInstaller::CInstaller(const CNeritEnv& env)
    : CInstaller(env.GetInstallFolder(), env.GetFactoryFolder()) {}

CInstaller::CInstaller(fs::path install, fs::path factory)
    : install_(std::move(install)), factory_(std::move(factory)) {}

InstallResult CInstaller::Fail(std::string message, std::string detail) {
  message_ = std::move(message);
  detail_ = std::move(detail);
  return InstallResult::Failed;
}

InstallResult CInstaller::EnsureInstalled() {
  message_.clear();
  detail_.clear();
  const std::string layoutFailed = kLayoutFailedMessage + install_.string();
  if (install_.empty() || !install_.has_filename()) {
    return Fail(layoutFailed, "no installation folder: set TOVANA_HOME or HOME");
  }
  if (HoldsInstallation(install_)) return InstallResult::Existing;
  if (!FactoryIsComplete()) {
    return Fail(kFactoryMissingMessage,
                "factory folder " + factory_.string() + " or its Data/Org/ZQQMV.qmv is missing");
  }
  std::error_code ec;
  fs::create_directories(install_.parent_path(), ec);
  if (ec) return Fail(layoutFailed, "cannot create " + install_.parent_path().string() + ": " + ec.message());
  FolderLock lock(install_.parent_path());
  if (!lock.Held()) return Fail(layoutFailed, "cannot lock " + install_.parent_path().string() + ": " + lock.Error());
  // Another start may have finished while this one waited for the lock.
  if (HoldsInstallation(install_)) return InstallResult::Existing;
  const InstallResult result = LayOutUnderLock();
  if (result == InstallResult::Failed) message_ = layoutFailed;
  return result;
}

InstallResult CInstaller::LayOutUnderLock() {
  const fs::path staging = StagingFor(install_);
  std::error_code ec;
  // Whatever is there is the leftover of an interrupted start: this one holds the lock.
  fs::remove_all(staging, ec);
  if (ec) return Fail({}, "cannot remove the leftover " + staging.string() + ": " + ec.message());
  const bool filling = Exists(install_) && !IsEmptyFolder(install_);
  const bool ok = LayOut(staging) && MoveIntoPlace(staging);
  // A fill that stopped halfway keeps the staging tree: it tells the next start to finish it.
  if (ok || !filling) fs::remove_all(staging, ec);
  return ok ? InstallResult::LaidOut : InstallResult::Failed;
}

// An empty installation folder is replaced in one rename (rename(2) replaces an empty folder),
// unless it cannot be (a mount point): then it is filled as a folder with files in it is.
bool CInstaller::MoveIntoPlace(const fs::path& staging) {
  if (!Exists(install_)) return RenameNoReplace(staging, install_, detail_);
  if (IsEmptyFolder(install_) && ReplaceFile(staging, install_, detail_)) return true;
  return MergeInto(staging);
}

// Fills a folder that holds files but no installation: what is there is kept, everything else
// is moved in from the staging tree, and the two files that mark an installation come last, so
// an interrupted fill is found incomplete and finished by the next start.
bool CInstaller::MergeInto(const fs::path& staging) {
  std::error_code ec;
  std::vector<fs::path> files;
  for (fs::recursive_directory_iterator it(staging, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path target = install_ / it->path().lexically_relative(staging);
    if (it->is_directory(ec)) {
      if (!Exists(target)) fs::create_directory(target, ec);
    } else if (!Exists(target)) {
      files.push_back(it->path());
    }
    if (ec) break;
  }
  if (ec) {
    detail_ = "cannot fill " + install_.string() + ": " + ec.message();
    return false;
  }
  const auto isMarker = [&staging](const fs::path& file) {
    return file == AcckSysFile(staging) || file == DataDirFile(staging);
  };
  std::stable_partition(files.begin(), files.end(), [&isMarker](const fs::path& f) { return !isMarker(f); });
  for (const fs::path& file : files) {
    if (!RenameNoReplace(file, install_ / file.lexically_relative(staging), detail_)) return false;
  }
  return SyncTree(install_);
}

bool CInstaller::FactoryIsComplete() const {
  std::error_code ec;
  return !factory_.empty() && fs::is_directory(factory_, ec) &&
         fs::is_regular_file(FactoryDatabaseFile(factory_), ec);
}

bool CInstaller::LayOut(const fs::path& staging) {
  std::error_code ec;
  fs::create_directory(staging, ec);
  if (ec) {
    detail_ = "cannot create " + staging.string() + ": " + ec.message();
    return false;
  }
  return CopyFactoryTree(staging) && CreateWorkspace(staging) && CreateDefaultDataFolder(staging) &&
         WriteMachineProfile(staging) && SyncTree(staging);
}

bool CInstaller::CopyFactoryTree(const fs::path& staging) {
  std::error_code ec;
  for (fs::recursive_directory_iterator it(factory_, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path target = staging / it->path().lexically_relative(factory_);
    if (it->is_directory(ec)) {
      fs::create_directory(target, ec);
    } else if (it->is_regular_file(ec)) {
      if (!CopyOneFile(it->path(), target)) return false;
    }
    if (ec) break;
  }
  if (ec) detail_ = "cannot copy the factory folder " + factory_.string() + ": " + ec.message();
  return !ec;
}

bool CInstaller::CopyOneFile(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  // A read-only factory (a packaged one) must still give the user writable files.
  if (!ec) fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  if (ec) {
    detail_ = "cannot copy " + from.string() + " to " + to.string() + ": " + ec.message();
    return false;
  }
  return SyncFile(to, detail_);
}

bool CInstaller::CreateWorkspace(const fs::path& staging) {
  std::error_code ec;
  for (const fs::path& folder : WorkspaceFolders(staging)) {
    fs::create_directories(folder, ec);
    if (ec) {
      detail_ = "cannot create " + folder.string() + ": " + ec.message();
      return false;
    }
  }
  return Exists(AcckSysFile(staging)) || CreateNewFile(AcckSysFile(staging), detail_);
}

bool CInstaller::CreateDefaultDataFolder(const fs::path& staging) {
  std::error_code ec;
  const fs::path data = DefaultDataFolder(staging);
  fs::create_directories(data, ec);
  if (ec) {
    detail_ = "cannot create " + data.string() + ": " + ec.message();
    return false;
  }
  // datadir.dat names the folder where it will be after the rename, not the staging one.
  // The column labels come with the data folder, so its first use asks no repair question.
  const fs::path labels = FactoryColumnSetFile(factory_);
  return CopyOneFile(FactoryDatabaseFile(factory_), data / "ZQQMV.qmv") &&
         (!Exists(labels) || CopyOneFile(labels, data / labels.filename())) &&
         WriteDataDirFile(DataDirFile(staging), DefaultDataFolder(install_), detail_);
}

bool CInstaller::WriteMachineProfile(const fs::path& staging) {
  const fs::path file = MachineIniFile(staging);
  return Exists(file) || WriteFileDurably(file, kMachineProfileText, detail_);
}

bool CInstaller::SyncTree(const fs::path& root) {
  std::error_code ec;
  std::vector<fs::path> folders{root};
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_directory(ec)) folders.push_back(it->path());
  }
  if (ec) {
    detail_ = "cannot list " + root.string() + ": " + ec.message();
    return false;
  }
  for (const fs::path& folder : folders) {
    if (!SyncFolder(folder, detail_)) return false;
  }
  return true;
}

}  // namespace platform
