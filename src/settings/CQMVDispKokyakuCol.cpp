#include "settings/CQMVDispKokyakuCol.h"

#include <algorithm>
#include <system_error>

#include "settings/CArchive.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"

namespace settings {

CQMVDispKokyakuCol::CQMVDispKokyakuCol(ui::Ui& ui, std::filesystem::path install)
    : ui_(ui), install_(std::move(install)) {}

void CQMVDispKokyakuCol::Serialize(CArchive& ar) { ar.Exchange(keys_); }

std::filesystem::path CQMVDispKokyakuCol::GetFilePath() const { return DataFolderFile(install_, kFileName); }

int CQMVDispKokyakuCol::Load() {
  keys_.clear();
  lastRead_ = ReadOutcome::Missing;
  const std::filesystem::path file = GetFilePath();
  if (file.empty()) return 0;
  lastRead_ = ReadSettings(file, [this](CArchive& ar) { Serialize(ar); });
  if (lastRead_ == ReadOutcome::Loaded) return 1;
  keys_.clear();
  if (lastRead_ == ReadOutcome::Failed) ui_.Tell(kFileErrorMessage);
  return 0;
}

int CQMVDispKokyakuCol::Save() {
  const std::filesystem::path file = GetFilePath();
  std::error_code ec;
  if (file.empty() || !std::filesystem::is_directory(file.parent_path(), ec)) return 0;
  try {
    CSettingsFile::Store(file, *this);
    return 1;
  } catch (const FileError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
}

int CQMVDispKokyakuCol::Remove(std::string_view key) {
  const auto found = std::find(keys_.begin(), keys_.end(), key);
  if (found == keys_.end()) return 0;
  keys_.erase(found);
  return 1;
}

}  // namespace settings
