#include "settings/CDefKokyaku.h"

#include "settings/ArchiveError.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"
#include "settings/SettingsFiles.h"

namespace settings {

CDefKokyaku::CDefKokyaku(ui::Ui& ui, const std::filesystem::path& dataFolder)
    : ui_(ui), file_(dataFolder / kFileName) {}

int CDefKokyaku::Save(const CExCondition& condition) {
  if (condition.resultType != CExCondition::kCustomers) {
    ui_.Tell("指定された条件が不正です");
    return 0;
  }
  CExCondition copy = condition;
  try {
    CSettingsFile::Store(file_, copy);
  } catch (const FileError&) {
    ui_.Tell("条件を保存できませんでした");
    return 0;
  }
  return 1;
}

std::unique_ptr<CExCondition> CDefKokyaku::Load() {
  if (!Exists()) return nullptr;
  auto condition = std::make_unique<CExCondition>();
  try {
    CSettingsFile::Load(file_, *condition);
  } catch (const FileError&) {
    ui_.Tell("ファイルを開けません。条件を取得できません。");
    return nullptr;
  } catch (const ArchiveError&) {
    ui_.Tell(kFileErrorMessage);
    return nullptr;
  }
  return condition;
}

bool CDefKokyaku::Exists() const {
  std::error_code ec;
  return std::filesystem::exists(file_, ec);
}

bool CDefKokyaku::Delete() {
  std::error_code ec;
  std::filesystem::remove(file_, ec);
  return !ec;
}

}  // namespace settings
