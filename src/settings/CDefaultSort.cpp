#include "settings/CDefaultSort.h"

#include "records/KokyakuColumns.h"
#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"
#include "settings/SettingsFiles.h"

namespace settings {

CDefaultSort::CDefaultSort(ui::Ui& ui, const std::filesystem::path& dataFolder)
    : ui_(ui), file_(dataFolder / kFileName) {}

void CDefaultSort::Serialize(CArchive& ar) {
  ar.Exchange(column);
  ar.Exchange(direction);
}

int CDefaultSort::Load() {
  column = kDefaultColumn;
  direction = kDescending;
  loaded_ = true;
  std::error_code ec;
  if (!std::filesystem::exists(file_, ec)) return 1;
  CDefaultSort read(ui_, file_.parent_path());
  try {
    CSettingsFile::Load(file_, read);
  } catch (const FileError&) {
    ui_.Tell("ファイルを開けません。並び順を取得できません。");
    return 0;
  } catch (const ArchiveError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  // The column goes into the start-up query: one the customer table does not have would stop
  // the customers from loading at all.
  if (!read.column.empty() && !records::FindKokyakuColumn(read.column)) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  column = read.column;
  direction = read.direction;
  return 1;
}

int CDefaultSort::Save() {
  try {
    CSettingsFile::Store(file_, *this);
  } catch (const FileError&) {
    ui_.Tell("ファイルを開けません。並び順を設定できません。");
    return 0;
  }
  return 1;
}

std::string CDefaultSort::OrderClause() {
  if (!loaded_) Load();
  if (column.empty() || (direction != kAscending && direction != kDescending)) return {};
  return "ORDER BY [Customer].[" + column + "]" + (direction == kDescending ? " DESC" : "");
}

}  // namespace settings
