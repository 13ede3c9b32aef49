#pragma once
// The lock that keeps the saved database of a data folder whole for its readers. Whoever
// replaces or rewrites "ZQQMV.qmv" (a save, a restore of a backup) holds it exclusively; whoever
// copies it (a backup, the opening of the work copy) holds it shared while reading.
//
// An open-file-description lock on "ZQQMV.qmv" itself, so the folder gains no file: like the work
// copy's record lock it reaches the server on NFS and SMB mounts; unlike it, it belongs to the
// descriptor, so two holders in one process exclude each other too and closing another descriptor
// never drops it. A save replaces the file by rename, so a holder checks, once it has the lock,
// that the name still leads to the file it locked, and otherwise locks the new one.

#include <chrono>
#include <filesystem>
#include <string>

namespace records {

class CSaveLock {
 public:
  enum class Mode { Shared, Exclusive };
  // Waiting for as long as it takes.
  static constexpr std::chrono::milliseconds kForever{-1};

  CSaveLock() = default;
  ~CSaveLock() { Unlock(); }
  CSaveLock(const CSaveLock&) = delete;
  CSaveLock& operator=(const CSaveLock&) = delete;

  // Takes the lock of folder's "ZQQMV.qmv", waiting up to `wait` for another holder. True when
  // held; true too, holding nothing, when there is no such file or it cannot be opened as the
  // mode needs (no one can replace it then). False with the reason in why when the time ran out.
  bool Lock(const std::filesystem::path& folder, Mode mode, std::chrono::milliseconds wait, std::string& why);
  void Unlock();
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace records
