#pragma once
// The file operations of backup and restore: descriptors that close themselves, exact reads and
// writes, and a streaming copy that moves any number of bytes through a fixed buffer (in the
// kernel where it can), so files larger than free memory copy too. Every write honours the file
// layer's fault hook (platform::InjectedError), so tests can make the disk fill at any write.
// Nothing here throws; failures come back as false with a readable reason.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace maintenance {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() { Close(); }
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int Get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // False when close reported an error (a delayed write failure).
  bool Close();

 private:
  int fd_ = -1;
};

// Opens for reading; an invalid descriptor with why set when it cannot.
UniqueFd OpenForReading(const std::filesystem::path& file, std::string& why);
// Creates a new file (exclusive: false when it exists) or, with truncate, creates or empties one.
UniqueFd CreateForWriting(const std::filesystem::path& file, bool exclusive, std::string& why);

// Told the bytes done so far of the file being copied; false asks the copy to stop.
using CopyProgress = std::function<bool(std::uint64_t done)>;

enum class CopyResult { Done, ReadFailed, WriteFailed, Stopped };

// Copies exactly size bytes from the current offset of from to the current offset of to (whose
// path names it in reasons and fault checks). A source shorter than size is ReadFailed.
CopyResult CopyBytes(int from, int to, const std::filesystem::path& toPath, std::uint64_t size, std::string& why,
                     const CopyProgress& progress = {});
bool WriteAllBytes(int fd, const std::filesystem::path& path, std::string_view bytes, std::string& why);
// Reads exactly size bytes; false when the file ends first or the read fails.
bool ReadExactly(int fd, char* buffer, std::size_t size);
// Copies file from to a new file to (replaced when there), synced. False with why.
bool CopyFileSynced(const std::filesystem::path& from, const std::filesystem::path& to, std::string& why);
// fsync of an open file, honouring the fault hook.
bool SyncFd(int fd, const std::filesystem::path& path, std::string& why);

}  // namespace maintenance
