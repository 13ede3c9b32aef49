#pragma once
// A byte stream over an open file descriptor, which it owns and closes.

#include <cstddef>
#include <filesystem>

#include "settings/CByteStream.h"

namespace settings {

class CFileStream final : public CByteStream {
 public:
  // Opens an existing file for reading. Throws FileError when it cannot be opened.
  static CFileStream OpenForReading(const std::filesystem::path& path);
  // Creates a file that must not exist yet, for writing, with the umask's permissions.
  // Throws FileError (errno EEXIST when the name is taken).
  static CFileStream CreateNew(const std::filesystem::path& path);

  CFileStream(CFileStream&& other) noexcept;
  CFileStream& operator=(CFileStream&&) = delete;
  CFileStream(const CFileStream&) = delete;
  CFileStream& operator=(const CFileStream&) = delete;
  // Closes a descriptor still open, ignoring a failure; call Close to learn of one.
  ~CFileStream() override;

  // Both throw FileError naming the path on a failed read or write.
  std::size_t Read(char* data, std::size_t size) override;
  void Write(const char* data, std::size_t size) override;

  // Forces what was written onto the disk (fsync). Throws FileError.
  void Sync();
  // Closes the file; a failure (a write the system reports late) throws FileError.
  void Close();

  const std::filesystem::path& GetPath() const noexcept { return path_; }

 private:
  CFileStream(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}

  int fd_;
  std::filesystem::path path_;
};

}  // namespace settings
