#include "records/WorkCopyFile.h"

#include "platform/DurableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace records {
namespace {

std::string SystemError(const std::string& what, const std::filesystem::path& file, int err) {
  return what + " " + file.string() + ": " + std::strerror(err);
}

struct flock WholeFile(short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;  // start 0, length 0: the whole file, however long it grows
  return lock;
}

// A page-by-page copy sets these header fields for itself.
bool IsCopyOwnHeaderByte(std::uint64_t offset) {
  return (offset >= 24 && offset < 28) || (offset >= 40 && offset < 44) || (offset >= 92 && offset < 96);
}

ssize_t ReadAt(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

bool CopyByReading(int from, int to, std::uint64_t offset, std::uint64_t size) {
  std::vector<char> buffer(1 << 20);
  while (offset < size) {
    const ssize_t n = ReadAt(from, buffer.data(), buffer.size(), offset);
    if (n <= 0) return false;
    for (ssize_t written = 0; written < n;) {
      const ssize_t w = ::pwrite(to, buffer.data() + written, static_cast<std::size_t>(n - written),
                                 static_cast<off_t>(offset + static_cast<std::uint64_t>(written)));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) return false;
      written += w;
    }
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

}  // namespace

LockState TestRecordLock(const std::filesystem::path& file, std::string& why) {
  // Opening and closing a descriptor drops this process's own locks on the file: the test is for
  // files this process does not hold.
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    why = SystemError("cannot open", file, errno);
    return LockState::Unknown;
  }
  struct flock lock = WholeFile(F_WRLCK);
  const int rc = ::fcntl(fd, F_GETLK, &lock);
  const int err = errno;
  ::close(fd);
  if (rc != 0) {
    why = SystemError("cannot test the lock of", file, err);
    return LockState::Unknown;
  }
  if (lock.l_type == F_UNLCK) return LockState::Free;
  why = file.string() + " is locked by process " + std::to_string(lock.l_pid);
  return LockState::HeldElsewhere;
}

WorkCopyFile::~WorkCopyFile() { Release(); }

bool WorkCopyFile::Claim(const std::filesystem::path& file, std::string& why) {
  Release();
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    why = SystemError("cannot create", file, errno);
    return false;
  }
  struct flock lock = WholeFile(F_WRLCK);
  if (::fcntl(fd, F_SETLK, &lock) != 0) {
    // Someone locked the new file between its creation and now: it is theirs.
    why = SystemError("cannot lock", file, errno);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  file_ = file;
  return true;
}

bool WorkCopyFile::CopyFrom(const std::filesystem::path& source, std::string& why) {
  const int from = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (from < 0) {
    why = SystemError("cannot open", source, errno);
    return false;
  }
  struct stat st {};
  bool ok = ::fstat(from, &st) == 0;
  if (const int injected = platform::InjectedError(platform::FileOp::Write, file_); ok && injected != 0) {
    errno = injected;
    ok = false;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);
  std::uint64_t done = 0;
  while (ok && done < size) {
    const ssize_t n = ::copy_file_range(from, nullptr, fd_, nullptr, size - done, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // Not every pair of file systems can copy in the kernel; the rest is copied by hand.
      const bool unsupported = n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP);
      ok = unsupported && CopyByReading(from, fd_, done, size);
      break;
    }
    done += static_cast<std::uint64_t>(n);
  }
  const int err = errno;
  ::close(from);
  if (!ok) why = SystemError("cannot copy " + source.string() + " to", file_, err);
  return ok;
}

bool WorkCopyFile::SameBytesAs(const std::filesystem::path& other, std::string& why) const {
  const int fd = ::open(other.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    why = SystemError("cannot open", other, errno);
    return false;
  }
  const bool same = SameDatabaseBytes(fd, fd_, why);
  ::close(fd);
  return same;
}

void WorkCopyFile::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  file_.clear();
}

bool SameDatabaseBytes(int a, int b, std::string& why) {
  struct stat sa {}, sb {};
  if (::fstat(a, &sa) != 0 || ::fstat(b, &sb) != 0 || sa.st_size != sb.st_size) {
    why = "the files differ in size";
    return false;
  }
  static constexpr std::size_t kChunk = 1 << 20;
  std::vector<char> x(kChunk), y(kChunk);
  for (std::uint64_t offset = 0;;) {
    const ssize_t n = ReadAt(a, x.data(), kChunk, offset);
    const ssize_t m = ReadAt(b, y.data(), kChunk, offset);
    if (n < 0 || m < 0 || n != m) {
      why = "cannot read the files back";
      return false;
    }
    if (n == 0) return true;
    if (std::memcmp(x.data(), y.data(), static_cast<std::size_t>(n)) != 0) {
      for (ssize_t i = 0; i < n; ++i) {
        if (x[i] != y[i] && !IsCopyOwnHeaderByte(offset + static_cast<std::uint64_t>(i))) {
          why = "the files differ at byte " + std::to_string(offset + static_cast<std::uint64_t>(i));
          return false;
        }
      }
    }
    offset += static_cast<std::uint64_t>(n);
  }
}

}  // namespace records
