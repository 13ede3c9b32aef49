#include "platform/FileFaults.h"

#include <cstring>
#include <string_view>

namespace testing_support {
namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// ---- file layer hook ----

struct FaultPlan {
  platform::FileOp op;
  int nth;
  int error;
  std::string suffix;
  int seen;
  bool fired;
};
FaultPlan plan;

int InjectFault(platform::FileOp op, const std::filesystem::path& path) {
  if (op != plan.op || !EndsWith(path.string(), plan.suffix)) return 0;
  if (++plan.seen != plan.nth) return 0;
  plan.fired = true;
  return plan.error;
}

// ---- full-disk VFS ----

struct FullDisk {
  sqlite3_vfs* real = nullptr;
  sqlite3_vfs vfs{};
  sqlite3_io_methods methods{};
  std::string suffix;
  sqlite3_int64 allowed = 0;
  sqlite3_int64 written = 0;
  int failedWrites = 0;
};
FullDisk disk;

// Our file object with the real one right behind it in the same allocation.
struct ShimFile {
  sqlite3_file base;
  bool watched;
};
sqlite3_file* Real(sqlite3_file* f) {
  return reinterpret_cast<sqlite3_file*>(reinterpret_cast<ShimFile*>(f) + 1);
}
bool Watched(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->watched; }

int ShimWrite(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
  sqlite3_file* real = Real(f);
  if (Watched(f)) {
    if (disk.written + amount > disk.allowed) {
      const int head = static_cast<int>(disk.allowed - disk.written);
      if (head > 0) real->pMethods->xWrite(real, data, head, offset);
      disk.written = disk.allowed;
      ++disk.failedWrites;
      return SQLITE_FULL;
    }
    disk.written += amount;
  }
  return real->pMethods->xWrite(real, data, amount, offset);
}

int ShimClose(sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); }
int ShimRead(sqlite3_file* f, void* data, int amount, sqlite3_int64 offset) {
  return Real(f)->pMethods->xRead(Real(f), data, amount, offset);
}
int ShimTruncate(sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); }
int ShimSync(sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); }
int ShimFileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
int ShimLock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
int ShimUnlock(sqlite3_file* f, int level) { return Real(f)->pMethods->xUnlock(Real(f), level); }
int ShimCheckReserved(sqlite3_file* f, int* out) {
  return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
}
int ShimFileControl(sqlite3_file* f, int op, void* arg) {
  return Real(f)->pMethods->xFileControl(Real(f), op, arg);
}
int ShimSectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int ShimDeviceCharacteristics(sqlite3_file* f) {
  return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
}
int ShimShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
  return Real(f)->pMethods->xShmMap(Real(f), region, size, extend, out);
}
int ShimShmLock(sqlite3_file* f, int offset, int n, int flags) {
  return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
}
void ShimShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int ShimShmUnmap(sqlite3_file* f, int deleteFlag) { return Real(f)->pMethods->xShmUnmap(Real(f), deleteFlag); }
int ShimFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
  return Real(f)->pMethods->xFetch(Real(f), offset, amount, out);
}
int ShimUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* p) {
  return Real(f)->pMethods->xUnfetch(Real(f), offset, p);
}

int ShimOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
  auto* shim = reinterpret_cast<ShimFile*>(f);
  shim->base.pMethods = nullptr;
  shim->watched = name && EndsWith(name, disk.suffix);
  sqlite3_file* real = Real(f);
  const int rc = disk.real->xOpen(disk.real, name, real, flags, outFlags);
  if (real->pMethods) shim->base.pMethods = &disk.methods;  // SQLite closes what has methods
  return rc;
}

}  // namespace

ScopedFileFault::ScopedFileFault(platform::FileOp op, int nth, int error, std::string suffix) {
  plan = FaultPlan{op, nth, error, std::move(suffix), 0, false};
  platform::SetFileFaultHook(&InjectFault);
}

ScopedFileFault::~ScopedFileFault() { platform::SetFileFaultHook(nullptr); }

bool ScopedFileFault::Fired() const { return plan.fired; }

ScopedFullDisk::ScopedFullDisk(std::string suffix, sqlite3_int64 allowedBytes) {
  disk.real = sqlite3_vfs_find(nullptr);
  disk.suffix = std::move(suffix);
  disk.allowed = allowedBytes;
  disk.written = 0;
  disk.failedWrites = 0;
  disk.vfs = *disk.real;  // everything but opening goes straight to the real VFS
  disk.vfs.pNext = nullptr;
  disk.vfs.zName = "tovana-full-disk";
  disk.vfs.szOsFile = static_cast<int>(sizeof(ShimFile)) + disk.real->szOsFile;
  disk.vfs.xOpen = &ShimOpen;
  disk.methods = sqlite3_io_methods{
      3,
      &ShimClose, &ShimRead, &ShimWrite, &ShimTruncate, &ShimSync, &ShimFileSize,
      &ShimLock, &ShimUnlock, &ShimCheckReserved, &ShimFileControl, &ShimSectorSize,
      &ShimDeviceCharacteristics,
      &ShimShmMap, &ShimShmLock, &ShimShmBarrier, &ShimShmUnmap,
      &ShimFetch, &ShimUnfetch};
  sqlite3_vfs_register(&disk.vfs, 1);
}

ScopedFullDisk::~ScopedFullDisk() {
  sqlite3_vfs_unregister(&disk.vfs);
  sqlite3_vfs_register(disk.real, 1);
}

int ScopedFullDisk::FailedWrites() const { return disk.failedWrites; }

}  // namespace testing_support
