#include "maintenance/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/DurableFile.h"

namespace maintenance {

namespace {

// Large enough that the copy runs at the disk's speed, small enough that a stop request and the
// progress are seen several times a second.
constexpr std::uint64_t kChunk = 8u << 20;
constexpr std::size_t kBuffer = 1u << 20;

std::string Reason(std::string_view what, const std::filesystem::path& path, int err) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(err);
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

bool UniqueFd::Close() {
  if (fd_ < 0) return true;
  const int rc = ::close(fd_);
  fd_ = -1;
  return rc == 0;
}

UniqueFd OpenForReading(const std::filesystem::path& file, std::string& why) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) why = Reason("cannot open", file, errno);
  return UniqueFd(fd);
}

UniqueFd CreateForWriting(const std::filesystem::path& file, bool exclusive, std::string& why) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC);
  const int fd = ::open(file.c_str(), flags, 0644);
  if (fd < 0) why = Reason("cannot create", file, errno);
  return UniqueFd(fd);
}

bool WriteAllBytes(int fd, const std::filesystem::path& path, std::string_view bytes, std::string& why) {
  while (!bytes.empty()) {
    if (const int err = platform::InjectedError(platform::FileOp::Write, path)) {
      why = Reason("cannot write", path, err);
      return false;
    }
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      why = Reason("cannot write", path, n < 0 ? errno : ENOSPC);
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool ReadExactly(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

namespace {

// Through user space, for file systems the kernel cannot copy between.
CopyResult CopyByReading(int from, int to, const std::filesystem::path& toPath, std::uint64_t size, std::string& why) {
  static thread_local std::vector<char> buffer(kBuffer);
  while (size > 0) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, buffer.size()));
    ssize_t n = ::read(from, buffer.data(), want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      why = n < 0 ? std::string("cannot read: ") + std::strerror(errno) : "the file ended early";
      return CopyResult::ReadFailed;
    }
    if (!WriteAllBytes(to, toPath, std::string_view(buffer.data(), static_cast<std::size_t>(n)), why)) {
      return CopyResult::WriteFailed;
    }
    size -= static_cast<std::uint64_t>(n);
  }
  return CopyResult::Done;
}

}  // namespace

CopyResult CopyBytes(int from, int to, const std::filesystem::path& toPath, std::uint64_t size, std::string& why,
                     const CopyProgress& progress) {
  std::uint64_t done = 0;
  bool kernel = true;
  while (done < size) {
    if (progress && !progress(done)) return CopyResult::Stopped;
    const std::uint64_t step = std::min(kChunk, size - done);
    if (const int err = platform::InjectedError(platform::FileOp::Write, toPath)) {
      why = Reason("cannot write", toPath, err);
      return CopyResult::WriteFailed;
    }
    if (kernel) {
      std::uint64_t moved = 0;
      while (moved < step) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, step - moved, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) && moved == 0 &&
            done == 0) {
          kernel = false;
          break;
        }
        if (n < 0) {
          why = Reason("cannot copy into", toPath, errno);
          return CopyResult::WriteFailed;
        }
        if (n == 0) {
          why = "the file ended early";
          return CopyResult::ReadFailed;
        }
        moved += static_cast<std::uint64_t>(n);
      }
      if (!kernel) continue;
      done += moved;
    } else {
      const CopyResult r = CopyByReading(from, to, toPath, step, why);
      if (r != CopyResult::Done) return r;
      done += step;
    }
  }
  if (progress && !progress(done)) return CopyResult::Stopped;
  return CopyResult::Done;
}

bool SyncFd(int fd, const std::filesystem::path& path, std::string& why) {
  int err = platform::InjectedError(platform::FileOp::Sync, path);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (err != 0) why = Reason("fsync failed for", path, err);
  return err == 0;
}

bool CopyFileSynced(const std::filesystem::path& from, const std::filesystem::path& to, std::string& why) {
  UniqueFd in = OpenForReading(from, why);
  if (!in) return false;
  struct stat st {};
  if (::fstat(in.Get(), &st) != 0) {
    why = Reason("cannot read", from, errno);
    return false;
  }
  UniqueFd out = CreateForWriting(to, false, why);
  if (!out) return false;
  if (CopyBytes(in.Get(), out.Get(), to, static_cast<std::uint64_t>(st.st_size), why) != CopyResult::Done ||
      !SyncFd(out.Get(), to, why)) {
    return false;
  }
  if (!out.Close()) {
    why = Reason("cannot close", to, errno);
    return false;
  }
  return true;
}

}  // namespace maintenance
