#pragma once
// The single-instance objects as flock()ed lock files. The system releases a flock when its
// holder ends, even by a crash, so a lock never outlives the copy that took it.
//  - "hKokyakuVM": per login session, "hKokyakuVM.lock" in $XDG_RUNTIME_DIR (without it in
//    /tmp/tovana-<uid>, a folder only this user may use).
//  - "Global\..." names: machine-wide, "<name>.lock" in $TOVANA_LOCK_DIR or else in the shared
//    folder /tmp/tovana-locks, which everyone may use (sticky, like /tmp).
// Lock files are created readable by everyone so that another user's copy can test them, are
// never written and never removed. Their descriptors are close-on-exec, so a program this one
// starts never keeps a lock alive.

#include <filesystem>
#include <string>

namespace platform {

enum class LockResult {
  Held,               // this object holds the lock now
  HeldElsewhere,      // another process of this user holds it: a copy runs already
  DeniedByOtherUser,  // another user's process holds it, or its lock file is another user's and
                      // cannot be opened: a copy runs in another user's session
  Failed,             // the lock folder or file could not be made; LastError() says why
};

class CInstanceLock {
 public:
  static constexpr const char* kSessionName = "hKokyakuVM";
  static constexpr const char* kGlobalName = "Global\\hKokyakuVM";
  static constexpr const char* kGlobalFormName = "Global\\hKokyakuVMForm";

  // The lock file's place is taken from the environment now; nothing is opened yet.
  explicit CInstanceLock(std::string name);
  // Releases the lock if held.
  ~CInstanceLock();
  CInstanceLock(const CInstanceLock&) = delete;
  CInstanceLock& operator=(const CInstanceLock&) = delete;

  // Takes the lock without waiting. Held again when this object holds it already. Two objects
  // in one process exclude each other as two processes do.
  LockResult TryAcquire();
  // Gives the lock up; nothing when not held.
  void Release();
  bool IsHeld() const { return fd_ >= 0; }

  const std::filesystem::path& LockFile() const { return file_; }
  const std::string& LastError() const { return error_; }

 private:
  bool PrepareFolder();
  int OpenLockFile();
  LockResult Fail(const std::string& what, int err);
  LockResult OtherHolder(int fd);

  std::string name_;
  bool global_;
  std::filesystem::path file_;
  int fd_ = -1;
  std::string error_;
};

}  // namespace platform
