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

namespace {

// Writes and syncs the new file beside target, under SavingPathFor(target).
bool WriteSavingFile(const std::filesystem::path& target, std::string_view bytes, std::string& error,
                     unsigned mode) {
  const std::filesystem::path saving = SavingPathFor(target);
  // A leftover of a failed save may carry other permissions; the new file starts fresh.
  ::unlink(saving.c_str());
  const int fd = ::open(saving.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0) return Fail(error, "cannot create", saving, errno);
  bool ok = WriteAll(fd, bytes, saving, error);
  if (::close(fd) != 0 && ok) ok = Fail(error, "cannot close", saving, errno);
  return ok && SyncFile(saving, error);
}

std::filesystem::path PreviousPathFor(const std::filesystem::path& target) {
  std::filesystem::path previous = target;
  previous += ".previous";
  return previous;
}

}  // namespace

bool WriteFilesDurably(const std::vector<FileBytes>& files, std::string& error, unsigned mode) {
  std::string ignored;
  const auto removeSaving = [&files, &ignored] {
    for (const auto& [target, bytes] : files) RemoveIfPresent(SavingPathFor(target), ignored);
  };
  for (const auto& [target, bytes] : files) {
    if (!WriteSavingFile(target, bytes, error, mode)) {
      removeSaving();
      return false;
    }
  }
  // The old files stay reachable under a second name until every new one is in place.
  std::vector<bool> existed;
  for (const auto& [target, bytes] : files) {
    const std::filesystem::path previous = PreviousPathFor(target);
    ::unlink(previous.c_str());
    const bool exists = ::link(target.c_str(), previous.c_str()) == 0;
    if (!exists && errno != ENOENT) {
      Fail(error, "cannot keep the old file", target, errno);
      for (std::size_t i = 0; i < existed.size(); ++i) RemoveIfPresent(PreviousPathFor(files[i].first), ignored);
      removeSaving();
      return false;
    }
    existed.push_back(exists);
  }
  std::size_t replaced = 0;
  for (; replaced < files.size(); ++replaced) {
    const std::filesystem::path& target = files[replaced].first;
    if (!ReplaceFile(SavingPathFor(target), target, error)) break;
  }
  const bool ok = replaced == files.size();
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::filesystem::path& target = files[i].first;
    const std::filesystem::path previous = PreviousPathFor(target);
    if (ok || i > replaced) {
      RemoveIfPresent(previous, ignored);
    } else if (existed[i]) {
      // Back to the old file (the one whose rename failed may hold the new one: its folder sync failed).
      // When both names still link the same file, rename does nothing: the old name goes.
      std::rename(previous.c_str(), target.c_str());
      RemoveIfPresent(previous, ignored);
    } else {
      // The failed rename may have been only the folder sync after it.
      RemoveIfPresent(target, ignored);
    }
  }
  if (!ok) {
    removeSaving();
    SyncFolder(files[replaced].first.parent_path(), ignored);
  }
  return ok;
}

bool WriteFileDurably(const std::filesystem::path& target, std::string_view bytes,
                      std::string& error, unsigned mode) {
  const std::filesystem::path saving = SavingPathFor(target);
  bool ok = WriteSavingFile(target, bytes, error, mode) && ReplaceFile(saving, target, error);
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
