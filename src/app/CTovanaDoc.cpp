#include "app/CTovanaDoc.h"

#include <fstream>
#include <iterator>

#include "app/AppRoutines.h"
#include "platform/DurableFile.h"
#include "records/CQmvFile.h"
#include "settings/ArchiveError.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"
#include "text/Cp932.h"

namespace app {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool HoldsDatabase(const fs::path& folder) {
  std::error_code ec;
  return !folder.empty() && fs::is_regular_file(folder / records::CQmvFile::kDatabaseName, ec);
}

// The first line of datadir.dat as UTF-8. The file is CP932; a path that CP932 cannot hold is
// written as UTF-8 behind a byte-order mark, which this reads too.
std::string DecodeDataDir(const std::string& bytes) {
  std::string line = bytes.substr(0, bytes.find_first_of("\r\n"));
  if (line.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) return line.substr(kUtf8Bom.size());
  return text::FromCp932(line);
}

std::string EncodeDataDir(const std::string& folder) {
  if (text::RoundTripsCp932(folder)) return *text::ToCp932(folder);
  return std::string(kUtf8Bom) + folder;
}

}  // namespace

CTovanaDoc::CTovanaDoc(ui::Ui& ui, fs::path installFolder) : ui_(ui), installFolder_(std::move(installFolder)) {}

fs::path CTovanaDoc::DataDirFile() const { return installFolder_ / "Data" / "MyData" / "datadir.dat"; }
fs::path CTovanaDoc::EndInfoFile() const { return installFolder_ / "Data" / "MyData" / "EndInfo.dat"; }

int CTovanaDoc::ReadDataFolder() {
  dataFolder_.clear();
  std::ifstream in(DataDirFile(), std::ios::binary);
  if (!in) return 0;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  dataFolder_ = WithoutFinalSeparator(DecodeDataDir(bytes));
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
  if (platform::WriteFileDurably(DataDirFile(), EncodeDataDir(dataFolder_.string()), why)) return 1;
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
