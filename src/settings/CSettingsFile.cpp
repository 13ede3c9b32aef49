#include "settings/CSettingsFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "settings/CFileStream.h"
#include "settings/FileError.h"

namespace settings {

namespace {

// A name beside the file that no other writer, in this process or another, is using.
CFileStream CreateTemporaryBeside(const std::filesystem::path& file) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0;; ++attempt) {
    std::string name = ".";
    name += file.filename().string();
    name += ".tmp";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    std::filesystem::path temp = file;
    temp.replace_filename(name);
    try {
      return CFileStream::CreateNew(temp);
    } catch (const FileError& e) {
      if (e.GetErrorNumber() != EEXIST || attempt >= 100) throw;
    }
  }
}

// The rename is durable only once the folder's entry is on disk. The new file is already whole
// and in place whatever happens here, so a folder that cannot be synced is not a failed write.
void SyncFolderOf(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void CSettingsFile::Load(const std::filesystem::path& file, const Body& body, const CClassRegistry& classes) {
  CFileStream stream = CFileStream::OpenForReading(file);
  CArchive ar(stream, CArchive::Mode::Load, classes);
  body(ar);
  ar.Close();
}

void CSettingsFile::Store(const std::filesystem::path& file, const Body& body) {
  CFileStream stream = CreateTemporaryBeside(file);
  const std::filesystem::path temp = stream.GetPath();
  try {
    CArchive ar(stream, CArchive::Mode::Store);
    body(ar);
    ar.Close();
    stream.Sync();
    stream.Close();
    if (::rename(temp.c_str(), file.c_str()) != 0) throw FileError(file, "replace", errno);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  SyncFolderOf(file);
}

void CSettingsFile::Load(const std::filesystem::path& file, CSerializable& object, const CClassRegistry& classes) {
  Load(file, [&object](CArchive& ar) { object.Serialize(ar); }, classes);
}

void CSettingsFile::Store(const std::filesystem::path& file, CSerializable& object) {
  Store(file, [&object](CArchive& ar) { object.Serialize(ar); });
}

}  // namespace settings
