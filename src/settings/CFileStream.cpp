#include "settings/CFileStream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "settings/FileError.h"

namespace settings {

namespace {

int OpenOrThrow(const std::filesystem::path& path, int flags) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) throw FileError(path, "open", errno);
  return fd;
}

}  // namespace

CFileStream CFileStream::OpenForReading(const std::filesystem::path& path) {
  return CFileStream(OpenOrThrow(path, O_RDONLY), path);
}

CFileStream CFileStream::CreateNew(const std::filesystem::path& path) {
  return CFileStream(OpenOrThrow(path, O_WRONLY | O_CREAT | O_EXCL), path);
}

CFileStream::CFileStream(CFileStream&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

CFileStream::~CFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t CFileStream::Read(char* data, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, data, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw FileError(path_, "read", errno);
  }
}

void CFileStream::Write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(path_, "write", errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

void CFileStream::Sync() {
  if (::fsync(fd_) != 0) throw FileError(path_, "sync", errno);
}

void CFileStream::Close() {
  const int fd = std::exchange(fd_, -1);
  // After close fails the descriptor is gone either way (Linux), so it is never retried.
  if (fd >= 0 && ::close(fd) != 0) throw FileError(path_, "close", errno);
}

}  // namespace settings
