#include "records/SaveLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "records/CQmvFile.h"

namespace records {

bool CSaveLock::Lock(const std::filesystem::path& folder, Mode mode, std::chrono::milliseconds wait,
                     std::string& why) {
  Unlock();
  const std::filesystem::path file = folder / CQmvFile::kDatabaseName;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int fd = ::open(file.c_str(), (mode == Mode::Exclusive ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) return true;  // nothing there to guard, or nothing this process could replace
    struct flock lock {};
    lock.l_type = mode == Mode::Exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    int err = 0;
    for (;;) {
      if (::fcntl(fd, wait < std::chrono::milliseconds::zero() ? F_OFD_SETLKW : F_OFD_SETLK, &lock) == 0) {
        err = 0;
        break;
      }
      err = errno;
      if (err == EINTR) continue;
      if ((err == EAGAIN || err == EACCES) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        continue;
      }
      break;
    }
    if (err != 0) {
      why = err == EAGAIN || err == EACCES ? "the database is being saved, restored or backed up by another process: " + file.string()
                                           : "cannot lock " + file.string() + ": " + std::strerror(err);
      ::close(fd);
      return false;
    }
    // A save may have renamed a new file over the name while this one waited.
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && ::stat(file.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev) {
      fd_ = fd;
      return true;
    }
    ::close(fd);
  }
}

void CSaveLock::Unlock() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace records
