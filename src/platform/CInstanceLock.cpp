#include "platform/CInstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

#include "platform/Environment.h"

namespace platform {
namespace {

constexpr std::string_view kGlobalPrefix = "Global\\";

std::filesystem::path LockFolder(bool global) {
  if (global) return ProgramPathFromEnv("TOVANA_LOCK_DIR").value_or("/tmp/tovana-locks");
  if (auto runtime = RuntimeDir()) return *runtime;
  return "/tmp/tovana-" + std::to_string(::getuid());
}

// The pid holding a flock on the file with this device and inode, from /proc/locks lines such as
// "3: FLOCK  ADVISORY  WRITE 4711 08:01:1234567 0 EOF" (waiters are marked "->" and skipped).
std::optional<pid_t> FlockHolder(dev_t device, ino_t inode) {
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string id, kind, mode, access, where;
    long pid = 0;
    if (!(fields >> id >> kind) || kind != "FLOCK") continue;
    if (!(fields >> mode >> access >> pid >> where)) continue;
    unsigned major = 0, minor = 0;
    unsigned long long number = 0;
    if (std::sscanf(where.c_str(), "%x:%x:%llu", &major, &minor, &number) != 3) continue;
    if (major == ::major(device) && minor == ::minor(device) && number == inode && pid > 0) {
      return static_cast<pid_t>(pid);
    }
  }
  return std::nullopt;
}

// The user of a running process; nullopt when it cannot be seen (another pid namespace).
std::optional<uid_t> ProcessUser(pid_t pid) {
  struct stat info{};
  if (::stat(("/proc/" + std::to_string(pid)).c_str(), &info) != 0) return std::nullopt;
  return info.st_uid;
}

// A folder only this user can use: ours, a real folder (no link), writable by nobody else.
bool IsPrivateFolder(const std::filesystem::path& folder) {
  struct stat info{};
  return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
         (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

CInstanceLock::CInstanceLock(std::string name)
    : name_(std::move(name)), global_(std::string_view(name_).starts_with(kGlobalPrefix)) {
  const std::string base = global_ ? name_.substr(kGlobalPrefix.size()) : name_;
  file_ = LockFolder(global_) / (base + ".lock");
}

CInstanceLock::~CInstanceLock() { Release(); }

LockResult CInstanceLock::Fail(const std::string& what, int err) {
  error_ = what + " " + file_.string() + ": " + std::strerror(err);
  return LockResult::Failed;
}

bool CInstanceLock::PrepareFolder() {
  const std::filesystem::path folder = file_.parent_path();
  const bool shared = global_ && !ProgramPathFromEnv("TOVANA_LOCK_DIR");
  const bool fallbackSession = !global_ && !RuntimeDir();
  if (shared || fallbackSession) {
    const mode_t mode = shared ? (S_ISVTX | 0777) : 0700;
    // mkdir applies the umask; the shared folder must be open to every user all the same.
    if (::mkdir(folder.c_str(), mode) == 0 && shared) ::chmod(folder.c_str(), mode);
    if (fallbackSession && !IsPrivateFolder(folder)) {
      error_ = folder.string() + " is not a private folder of this user";
      return false;
    }
  } else {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
  }
  struct stat info{};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    error_ = "no lock folder " + folder.string();
    return false;
  }
  return true;
}

// An open descriptor of the lock file (created when absent), or -1 with errno set. Read-only
// when only that is allowed, which is enough for flock; links and non-files are refused.
int CInstanceLock::OpenLockFile() {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  for (int attempt = 0; attempt < 3; ++attempt) {
    int fd = ::open(file_.c_str(), O_RDWR | kFlags);
    if (fd < 0 && errno == EACCES) fd = ::open(file_.c_str(), O_RDONLY | kFlags);
    if (fd < 0 && errno == ENOENT) {
      fd = ::open(file_.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0644);
      if (fd >= 0) ::fchmod(fd, 0644);
      if (fd < 0 && errno == EEXIST) continue;  // another process created it just now
    }
    if (fd < 0) return -1;
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
      ::close(fd);
      errno = EINVAL;
      return -1;
    }
    return fd;
  }
  errno = EEXIST;
  return -1;
}

LockResult CInstanceLock::TryAcquire() {
  if (fd_ >= 0) return LockResult::Held;
  error_.clear();
  if (!PrepareFolder()) return LockResult::Failed;
  const int fd = OpenLockFile();
  if (fd < 0) {
    const int err = errno;
    struct stat info{};
    if ((err == EACCES || err == EPERM) && ::stat(file_.c_str(), &info) == 0 && info.st_uid != ::geteuid()) {
      return LockResult::DeniedByOtherUser;
    }
    return Fail("cannot open the lock file", err);
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    fd_ = fd;
    return LockResult::Held;
  }
  const int err = errno;
  if (err != EWOULDBLOCK) {
    ::close(fd);
    return Fail("cannot lock", err);
  }
  const LockResult result = OtherHolder(fd);
  ::close(fd);
  return result;
}

// Who holds it: the holding process's user when it can be seen, else the lock file's owner.
LockResult CInstanceLock::OtherHolder(int fd) {
  struct stat info{};
  if (::fstat(fd, &info) != 0) return Fail("cannot examine", errno);
  std::optional<uid_t> holder;
  if (const std::optional<pid_t> pid = FlockHolder(info.st_dev, info.st_ino)) holder = ProcessUser(*pid);
  const uid_t user = holder.value_or(info.st_uid);
  return user == ::geteuid() ? LockResult::HeldElsewhere : LockResult::DeniedByOtherUser;
}

void CInstanceLock::Release() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

}  // namespace platform

