#include "settings/CQMVColSet.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "settings/CArchive.h"
#include "settings/CSettingsFile.h"
#include "platform/DurableFile.h"
#include "platform/InstallLayout.h"
#include "settings/FileError.h"
#include "settings/SettingsFiles.h"
#include "text/Cp932.h"

namespace settings {

namespace {

constexpr std::string_view kInitQuestion =
    "列定義ファイルを読み込めません。列定義ファイルの初期化を試みます。初期化すると変更したラベルが元に戻ります。\n"
    "初期化してよろしいですか？";
constexpr std::string_view kInitFailed = "列定義ファイルを初期化できません";
constexpr std::string_view kFactoryMissing = "元の列定義ファイルが見つかりません。\n修正インストールを行ってください。";

bool ReadWholeFile(const std::filesystem::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool FolderExists(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::is_directory(file.parent_path(), ec);
}

}  // namespace

CQMVColSet::CQMVColSet(ui::Ui& ui, std::filesystem::path install) : ui_(ui), install_(std::move(install)) {}

void CQMVColSet::Serialize(CArchive& ar) { ar.Exchange(columns_); }

int CQMVColSet::GetFilePath() {
  path_ = DataFolderFile(install_, kFileName);
  return path_.empty() ? 0 : 1;
}

int CQMVColSet::Load() {
  RemoveAll();
  loaded_ = false;
  if (GetFilePath() == 0) return 0;
  // Ends: InitFile either fails, is declined, or puts a readable factory set in place.
  for (;;) {
    if (ReadFile() == 1) return 1;
    if (InitFile(true) == 0) return 0;
  }
}

int CQMVColSet::ReadFile() {
  RemoveAll();
  loaded_ = false;
  const ReadOutcome outcome = ReadSettings(path_, [this](CArchive& ar) { Serialize(ar); });
  if (outcome == ReadOutcome::Loaded) {
    std::erase(columns_, nullptr);
    loaded_ = true;
    return 1;
  }
  RemoveAll();  // no screen may see labels from a partly read set
  if (outcome == ReadOutcome::Failed) ui_.Tell(kFileErrorMessage);
  return 0;
}

int CQMVColSet::Save() {
  if (!loaded_ || GetFilePath() == 0 || !FolderExists(path_)) return 0;
  try {
    CSettingsFile::Store(path_, *this);
    return 1;
  } catch (const FileError&) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
}

int CQMVColSet::InitFile(bool ask) {
  if (ask && !ui_.Ask(kInitQuestion, ui::Answer::No, ui::Icon::Information)) return 0;
  const std::filesystem::path factory = platform::FactoryColumnSetFile(install_);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(factory, ec)) {
    ui_.Tell(kFactoryMissing);
    return 0;
  }
  std::string bytes;
  std::string error;
  // Copied through a temporary file, so a failed copy never leaves half a set in place.
  if (path_.empty() || !ReadWholeFile(factory, bytes) || !platform::WriteFileDurably(path_, bytes, error)) {
    ui_.Tell(kInitFailed);
    return 0;
  }
  return 1;
}

const CQMVCol* CQMVColSet::Find(std::string_view key) const {
  for (const auto& column : columns_) {
    if (column->GetKey() == key) return column.get();
  }
  return nullptr;
}

std::string CQMVColSet::GetLabel(std::string_view key) const {
  const CQMVCol* column = Find(key);
  return column ? column->GetLabel() : std::string();
}

int CQMVColSet::SetLabel(std::string_view key, std::string label) {
  for (const auto& column : columns_) {
    if (column->GetKey() != key) continue;
    if (!column->IsRenamable()) return 0;
    column->SetLabel(std::move(label));
    return 1;
  }
  return 0;
}

bool CQMVColSet::IsLabelTooWide(std::string_view label) { return text::Cp932Length(label) > kLabelShownBytes; }

}  // namespace settings
