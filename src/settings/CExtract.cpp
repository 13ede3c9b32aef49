#include "settings/CExtract.h"

#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"
#include "settings/SettingsFiles.h"

namespace settings {

const CClassRegistry& ExtractionClasses() {
  static const CClassRegistry classes = [] {
    CClassRegistry r;
    r.Register<CExCondition>();
    return r;
  }();
  return classes;
}

CExtract::CExtract(ui::Ui& ui, const std::filesystem::path& dataFolder) : ui_(ui), file_(dataFolder / kFileName) {}

void CExtract::Serialize(CArchive& ar) { ar.Exchange(conditions_); }

int CExtract::Load() {
  conditions_.clear();
  loaded_ = false;
  std::error_code ec;
  if (!std::filesystem::exists(file_, ec)) {
    loaded_ = true;
    return 1;
  }
  std::vector<std::shared_ptr<CExCondition>> read;
  try {
    CSettingsFile::Load(file_, [&read](CArchive& ar) { ar.Exchange(read); }, ExtractionClasses());
  } catch (const FileError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  } catch (const ArchiveError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  conditions_ = std::move(read);
  loaded_ = true;
  return 1;
}

int CExtract::Save() {
  if (!loaded_) return 0;
  try {
    CSettingsFile::Store(file_, [this](CArchive& ar) { ar.Exchange(conditions_); });
  } catch (const FileError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  return 1;
}

int CExtract::Add(const CExCondition& condition) {
  if (!loaded_) return 0;
  conditions_.push_back(std::make_shared<CExCondition>(condition));
  const int saved = Save();
  if (!saved) conditions_.pop_back();
  return saved;
}

}  // namespace settings
