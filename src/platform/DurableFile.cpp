#include "platform/DurableFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

std::atomic<FileFaultHook> faultHook{nullptr};


}  // namespace

int InjectedError(FileOp op, const std::filesystem::path& path) {
  FileFaultHook hook = faultHook.load(std::memory_order_relaxed);
  return hook ? hook(op, path) : 0;
}

namespace {

bool Fail(std::string& error, std::string_view what, const std::filesystem::path& path, int err) {
  error = std::string(what) + " " + path.string() + ": " + std::strerror(err);
  return false;
}

// fsync of whatever open() with these flags gives; shared by files and folders.
bool SyncPath(const std::filesystem::path& path, int flags, std::string& error) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return Fail(error, "cannot open for fsync", path, errno);
  int err = InjectedError(FileOp::Sync, path);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  ::close(fd);
  return err == 0 || Fail(error, "fsync failed for", path, err);
}

bool WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path, std::string& error) {
  while (!bytes.empty()) {
    int err = InjectedError(FileOp::Write, path);
    if (err != 0) return Fail(error, "cannot write", path, err);
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(error, "cannot write", path, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

FileFaultHook SetFileFaultHook(FileFaultHook hook) { return faultHook.exchange(hook); }

std::filesystem::path SavingPathFor(const std::filesystem::path& target) {
  std::filesystem::path saving = target;
  saving += ".saving";
  return saving;
}

bool SyncFile(const std::filesystem::path& file, std::string& error) {
  return SyncPath(file, O_RDONLY, error);
}

bool SyncFolder(const std::filesystem::path& folder, std::string& error) {
  return SyncPath(folder.empty() ? std::filesystem::path(".") : folder, O_RDONLY | O_DIRECTORY,
                  error);
}

bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error) {
  int err = InjectedError(FileOp::Rename, to);
  if (err == 0 && std::rename(from.c_str(), to.c_str()) != 0) err = errno;
  if (err != 0) return Fail(error, "cannot rename " + from.string() + " to", to, err);
  return SyncFolder(to.parent_path(), error);
}

bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::string& error) {
  int err = InjectedError(FileOp::Rename, to);
  if (err == 0 && ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
    err = errno;
  }
  if (err != 0) return Fail(error, "cannot rename " + from.string() + " to", to, err);
  return SyncFolder(to.parent_path(), error);
}

bool WriteFileDurably(const std::filesystem::path& target, std::string_view bytes,
                      std::string& error, unsigned mode) {
  const std::filesystem::path saving = SavingPathFor(target);
  // A leftover of a failed save may carry other permissions; the new file starts fresh.
  ::unlink(saving.c_str());
  const int fd = ::open(saving.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0) return Fail(error, "cannot create", saving, errno);
  bool ok = WriteAll(fd, bytes, saving, error);
  if (::close(fd) != 0 && ok) ok = Fail(error, "cannot close", saving, errno);
  ok = ok && SyncFile(saving, error) && ReplaceFile(saving, target, error);
  if (!ok) {
    std::string ignored;
    RemoveIfPresent(saving, ignored);
  }
  return ok;
}

bool CreateNewFile(const std::filesystem::path& file, std::string& error) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(error, "cannot create", file, errno);
  ::close(fd);
  return true;
}

bool RemoveIfPresent(const std::filesystem::path& file, std::string& error) {
  if (::unlink(file.c_str()) == 0 || errno == ENOENT) return true;
  return Fail(error, "cannot remove", file, errno);
}

}  // namespace platform
