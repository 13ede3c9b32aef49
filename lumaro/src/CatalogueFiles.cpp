#include "CatalogueFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

#include "CatalogueClasses.h"
#include "CategoryRecord.h"
#include "LayoutRecord.h"
#include "RecordPool.h"
#include "settings/CArchive.h"
#include "settings/CFileStream.h"
#include "settings/FileError.h"

namespace lumaro {

namespace fs = std::filesystem;
using settings::CArchive;
using settings::CFileStream;
using settings::FileError;

namespace {

ReadResult ReadFile(const fs::path& file, const std::function<void(CArchive&)>& body) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return ReadResult::Missing;
  if (status.type() != fs::file_type::regular) return ReadResult::CannotOpen;
  std::optional<CFileStream> stream;
  try {
    stream.emplace(CFileStream::OpenForReading(file));
  } catch (const FileError&) {
    return ReadResult::CannotOpen;
  }
  try {
    CArchive ar(*stream, CArchive::Mode::Load, CatalogueClasses());
    body(ar);
    ar.Close();
    return ReadResult::Loaded;
  } catch (const std::exception&) {  // a damaged file of any kind is only a failed read
    return ReadResult::Failed;
  }
}

// A name beside the file that no other writer, in this process or another, is using.
std::optional<CFileStream> CreateTemporaryBeside(const fs::path& file) {
  static std::atomic<unsigned> counter{0};
  if (file.empty()) return std::nullopt;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path temp = file;
    temp.replace_filename("." + file.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                          std::to_string(counter++));
    try {
      return CFileStream::CreateNew(temp);
    } catch (const FileError& e) {
      if (e.GetErrorNumber() != EEXIST) return std::nullopt;
    }
  }
  return std::nullopt;
}

// Makes the rename durable. The new file is already whole and in place, so a folder that cannot
// be synced is not a failed write.
void SyncFolderOf(const fs::path& file) {
  const int fd = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The library's own atomic write: the program's writers (platform::WriteFileDurably, one fixed
// temporary name per target; CSettingsFile::Store, which throws) cannot tell its callers a file
// that cannot be created ("ファイルを作成できません") from one that fails later, and the catalogue
// files are written by the printing components too, so every writer needs a name of its own.
WriteResult WriteFile(const fs::path& file, const std::function<void(CArchive&, RecordPool&)>& body) {
  std::optional<CFileStream> stream = CreateTemporaryBeside(file);
  if (!stream) return WriteResult::CannotCreate;
  const fs::path temp = stream->GetPath();
  try {
    RecordPool pool;
    CArchive ar(*stream, CArchive::Mode::Store);
    body(ar, pool);
    ar.Close();
    stream->Sync();
    stream->Close();
    if (::rename(temp.c_str(), file.c_str()) != 0) throw FileError(file, "replace", errno);
  } catch (const std::exception&) {
    ::unlink(temp.c_str());
    return WriteResult::Failed;
  }
  SyncFolderOf(file);
  return WriteResult::Written;
}

template <class Record, class Node>
ReadResult ReadArray(const fs::path& file, std::vector<std::shared_ptr<Node>>& into) {
  into.clear();
  std::vector<std::shared_ptr<Node>> nodes;
  const ReadResult result = ReadFile(file, [&nodes](CArchive& ar) {
    for (const auto& record : ar.LoadObjects<Record>()) {
      if (!record) RejectNullEntry();
      nodes.push_back(record->Node());
    }
  });
  if (result == ReadResult::Loaded) into = std::move(nodes);
  return result;
}

template <class Record, class Node>
WriteResult WriteArray(const fs::path& file, const std::vector<std::shared_ptr<Node>>& list) {
  const auto nodes = EntriesToWrite(list);
  return WriteFile(file, [&nodes](CArchive& ar, RecordPool& pool) {
    ar.StoreCount(nodes.size());
    for (const auto& node : nodes) ar.StoreObject(pool.RecordFor<Record>(node));
  });
}

}  // namespace

ReadResult ReadTreeFile(const fs::path& file, DaiList& into) { return ReadArray<DaiRecord>(file, into); }

ReadResult ReadLayoutFile(const fs::path& file, CLumaro::LayoutList& into) {
  return ReadArray<LayoutRecord>(file, into);
}

WriteResult WriteTreeFile(const fs::path& file, const DaiList& tree) { return WriteArray<DaiRecord>(file, tree); }

WriteResult WriteLayoutFile(const fs::path& file, const CLumaro::LayoutList& layouts) {
  return WriteArray<LayoutRecord>(file, layouts);
}

}  // namespace lumaro
