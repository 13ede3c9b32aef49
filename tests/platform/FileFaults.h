#pragma once
// Faults for tests, made real at the two places a save touches the disk: the file layer's
// operations (through its hook) and SQLite's own writes (through a VFS wrapper).

#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "platform/DurableFile.h"

namespace testing_support {

// For its lifetime, the nth (1-based) `op` on a path ending in `suffix` fails with `error`.
// One at a time.
class ScopedFileFault {
 public:
  ScopedFileFault(platform::FileOp op, int nth, int error, std::string suffix = {});
  ~ScopedFileFault();
  ScopedFileFault(const ScopedFileFault&) = delete;
  ScopedFileFault& operator=(const ScopedFileFault&) = delete;
  // True once the fault has been injected.
  bool Fired() const;
};

// For its lifetime, a "full disk" wraps the default SQLite VFS: writes to files whose name ends in
// `suffix` fail with SQLITE_FULL once `allowedBytes` have been written to them in total (the
// failing write stores its allowed head first, as a real full disk does). One at a time.
class ScopedFullDisk {
 public:
  ScopedFullDisk(std::string suffix, sqlite3_int64 allowedBytes);
  ~ScopedFullDisk();
  ScopedFullDisk(const ScopedFullDisk&) = delete;
  ScopedFullDisk& operator=(const ScopedFullDisk&) = delete;
  int FailedWrites() const;
};

}  // namespace testing_support
