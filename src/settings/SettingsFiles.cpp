#include "settings/SettingsFiles.h"

#include <optional>
#include <string>
#include <system_error>

#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "settings/ArchiveError.h"
#include "settings/CFileStream.h"
#include "settings/FileError.h"

namespace settings {

namespace fs = std::filesystem;

fs::path DataFolder(const fs::path& install) {
  if (install.empty()) return {};
  const std::optional<std::string> recorded = platform::ReadDataDirFile(platform::DataDirFile(install));
  if (!recorded) return {};
  std::string folder = *recorded;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return fs::path(folder);
}

fs::path DataFolderFile(const fs::path& install, std::string_view name) {
  const fs::path folder = DataFolder(install);
  if (folder.empty()) return {};
  return folder / fs::path(std::string(name));
}

ReadOutcome ReadSettings(const fs::path& file, const std::function<void(CArchive&)>& body) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (status.type() == fs::file_type::not_found) return ReadOutcome::Missing;
  std::optional<CFileStream> stream;
  try {
    stream.emplace(CFileStream::OpenForReading(file));
  } catch (const FileError&) {
    return ReadOutcome::CannotOpen;
  }
  try {
    CArchive ar(*stream, CArchive::Mode::Load);
    body(ar);
    ar.Close();
    return ReadOutcome::Loaded;
  } catch (const FileError&) {
    return ReadOutcome::Failed;
  } catch (const ArchiveError&) {
    return ReadOutcome::Failed;
  }
}

}  // namespace settings
