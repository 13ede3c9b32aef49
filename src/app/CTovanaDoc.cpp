#include "app/CTovanaDoc.h"


#include "app/AppRoutines.h"
#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "records/CQmvFile.h"
#include "settings/ArchiveError.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"

namespace app {

namespace {

namespace fs = std::filesystem;

bool HoldsDatabase(const fs::path& folder) {
  std::error_code ec;
  return !folder.empty() && fs::is_regular_file(folder / records::CQmvFile::kDatabaseName, ec);
}

}  // namespace

CTovanaDoc::CTovanaDoc(ui::Ui& ui, fs::path installFolder) : ui_(ui), installFolder_(std::move(installFolder)) {}

fs::path CTovanaDoc::DataDirFile() const { return platform::DataDirFile(installFolder_); }
fs::path CTovanaDoc::EndInfoFile() const { return platform::MyDataFolder(installFolder_) / "EndInfo.dat"; }

int CTovanaDoc::ReadDataFolder() {
  dataFolder_.clear();
  std::error_code ec;
  if (!fs::exists(DataDirFile(), ec)) return 0;
  const std::optional<std::string> recorded = platform::ReadDataDirFile(DataDirFile());
  if (!recorded) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  dataFolder_ = WithoutFinalSeparator(*recorded);
  return HoldsDatabase(dataFolder_) ? 1 : 0;
}

int CTovanaDoc::ChooseDataFolder() {
  for (;;) {
    const auto chosen = ui_.ChooseFolder("フォルダを選択してOKを押して下さい", dataFolder_);
    if (!chosen) return 0;
    const std::string path = chosen->string();
    const int kind = ClassifyFolderPath(path);
    if (kind == 3 || kind == 4) {
      ui_.Tell("ルートディレクトリは指定できません。\nフォルダを選択しなおしてください");
      continue;
    }
    const fs::path folder = WithoutFinalSeparator(path);
    if (!HoldsDatabase(folder)) {
      ui_.Tell("指定されたフォルダにはデータファイルが存在しません\nフォルダを指定しなおしてください");
      continue;
    }
    dataFolder_ = folder;
    return WriteDataFolder();
  }
}

int CTovanaDoc::WriteDataFolder() {
  std::string why;
  if (platform::WriteDataDirFile(DataDirFile(), dataFolder_, why)) return 1;
  ui_.Tell(kFileErrorMessage);
  return 0;
}

int CTovanaDoc::ReadEndInfo() {
  std::error_code ec;
  if (!fs::exists(EndInfoFile(), ec)) return 0;
  std::int32_t tab = 0, form = 0;
  try {
    settings::CSettingsFile::Load(EndInfoFile(), [&](settings::CArchive& ar) {
      tab = ar.LoadInt32();
      form = ar.LoadInt32();
    });
  } catch (const settings::FileError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  } catch (const settings::ArchiveError&) {
    return 0;  // a damaged file: the menu starts from its defaults and the next close rewrites it
  }
  menuTab_ = tab, selectedForm_ = form;
  return 1;
}

int CTovanaDoc::WriteEndInfo() {
  try {
    settings::CSettingsFile::Store(EndInfoFile(), [&](settings::CArchive& ar) {
      ar.StoreInt32(menuTab_);
      ar.StoreInt32(selectedForm_);
    });
  } catch (const settings::FileError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  return 1;
}

void CTovanaDoc::FreeRecords() {
  customers_.clear();
  history_.clear();
  dmTitles_.clear();
  extractedIds_.clear();
}

}  // namespace app
