#pragma once
// The work copy's file as the operating system sees it: claimed and locked against other
// processes from its first byte, filled with the saved database's bytes, and read back through
// the one descriptor that holds the lock.
//
// POSIX record locks belong to the process, not to a descriptor: closing any descriptor this
// process has on the work copy drops every lock the process holds on it, SQLite's included. So
// the work copy is opened exactly twice while the program works on it: once by SQLite and once
// here, and this descriptor is closed only after SQLite's connection.
//
// fcntl record locks (not flock) are used because NFS and SMB mounts pass them to the server, so
// a data folder shared by two PCs is guarded too.

#include <cstdint>
#include <filesystem>
#include <string>

namespace records {

// Who holds a file's record locks, as another process sees it.
enum class LockState { Free, HeldElsewhere, Unknown };

// Tests, without taking it, whether another process holds any record lock on file (SQLite's or
// ours). Unknown when the file cannot be opened or the test fails (then `why` says so).
LockState TestRecordLock(const std::filesystem::path& file, std::string& why);

class WorkCopyFile {
 public:
  WorkCopyFile() = default;
  ~WorkCopyFile();
  WorkCopyFile(const WorkCopyFile&) = delete;
  WorkCopyFile& operator=(const WorkCopyFile&) = delete;

  // Creates file, which must not exist yet (false with EEXIST's text when it does, so of two
  // processes racing for the name exactly one wins), and write-locks all of it at once.
  bool Claim(const std::filesystem::path& file, std::string& why);
  // Makes the claimed file a byte-for-byte copy of source, in the kernel where it can.
  bool CopyFrom(const std::filesystem::path& source, std::string& why);
  // True when the bytes of other equal the claimed file's, but for the header fields a
  // page-by-page copy sets for itself (change counter, schema cookie, version-valid-for).
  bool SameBytesAs(const std::filesystem::path& other, std::string& why) const;
  // Closes the descriptor, dropping this process's locks on the file. Call after SQLite's
  // connection to it is closed.
  void Release();

  bool IsClaimed() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }

 private:
  int fd_ = -1;
  std::filesystem::path file_;
};

// As WorkCopyFile::SameBytesAs, for two descriptors.
bool SameDatabaseBytes(int a, int b, std::string& why);

}  // namespace records
