#include "platform/StoredFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/DurableFile.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool Fail(std::string& error, std::string_view what, const fs::path& path, int err) {
  error = std::string(what) + " " + path.string() + ": " + std::strerror(err);
  return false;
}

// Also true for a dangling symbolic link, which a rename without replacing would not replace.
bool Occupied(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now, reporting the error a delayed write may only show here.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool OpenRegularSource(const fs::path& source, Descriptor& fd, std::string& error) {
  if (fd.Get() < 0) return Fail(error, "cannot open", source, errno);
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return Fail(error, "cannot examine", source, errno);
  if (!S_ISREG(st.st_mode)) return Fail(error, "not a regular file:", source, EINVAL);
  return true;
}

bool EnsureFolder(const fs::path& folder, std::string& error) {
  std::error_code ec;
  const bool created = fs::create_directories(folder, ec);
  if (ec) return Fail(error, "cannot create the folder", folder, ec.value());
  if (!fs::is_directory(folder, ec)) return Fail(error, "not a folder:", folder, ENOTDIR);
  return !created || SyncFolder(folder.parent_path(), error);
}

// A new hidden file in folder, open for writing; its name goes to temp. -1 on failure.
int CreateTemporary(const fs::path& folder, fs::path& temp, std::string& error) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 1000; ++attempt) {
    temp = folder / (".storing-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  Fail(error, "cannot create", temp, errno);
  return -1;
}

bool CopyBytes(int from, int to, const fs::path& source, const fs::path& temp, std::string& error) {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(from, buffer.data(), buffer.size());
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(error, "cannot read", source, errno);
    }
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(to, buffer.data() + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return Fail(error, "cannot write", temp, errno);
      done += w;
    }
  }
}

// Renames the finished temporary file to the first free candidate name. A name taken by someone
// else between the check and the rename only moves on to the next number.
std::optional<std::string> MoveToFreeName(const fs::path& temp, const fs::path& folder,
                                          const fs::path& fileName, std::string& error) {
  for (int n = 0;; ++n) {
    const std::string name = CandidateName(fileName, n);
    const fs::path target = folder / name;
    if (Occupied(target)) continue;
    if (RenameNoReplace(temp, target, error)) return name;
    if (!Occupied(temp)) {
      // Renamed, but the folder could not be synced: the name would not survive a crash.
      std::string ignored;
      RemoveIfPresent(target, ignored);
      return std::nullopt;
    }
    if (!Occupied(target)) return std::nullopt;
  }
}

}  // namespace

std::string CandidateName(const fs::path& fileName, int n) {
  if (n == 0) return fileName.string();
  return fileName.stem().string() + "_" + std::to_string(n) + fileName.extension().string();
}

std::optional<std::string> StoreUnderFreeName(const fs::path& folder, const fs::path& source, std::string& error) {
  Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (!OpenRegularSource(source, in, error) || !EnsureFolder(folder, error)) return std::nullopt;
  fs::path temp;
  Descriptor out(CreateTemporary(folder, temp, error));
  if (out.Get() < 0) return std::nullopt;
  bool ok = CopyBytes(in.Get(), out.Get(), source, temp, error);
  if (!out.Close() && ok) ok = Fail(error, "cannot close", temp, errno);
  std::optional<std::string> name;
  if (ok && SyncFile(temp, error)) name = MoveToFreeName(temp, folder, source.filename(), error);
  if (!name) {
    std::string ignored;
    RemoveIfPresent(temp, ignored);
  }
  return name;
}

}  // namespace platform
