#include "platform/FolderProbe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

// 0 when the probe file was created and closed, else the errno.
int CreateProbe(const std::filesystem::path& probe) {
  const int fd = ::open(probe.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

}  // namespace

bool ProbeFolderWritable(const std::filesystem::path& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return !std::filesystem::exists(folder, ec);
  const std::filesystem::path probe = folder / "dmy.txt";
  int err = CreateProbe(probe);
  if (err == EEXIST && ::unlink(probe.c_str()) == 0) err = CreateProbe(probe);
  return err == 0 && ::unlink(probe.c_str()) == 0;
}

bool CanOpenForWriting(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace platform
