#include "maintenance/CDataFolderDlg.h"

#include <sys/vfs.h>

#include <algorithm>
#include <cctype>

#include "records/CQmvFile.h"
#include "shell/AppRoutines.h"
#include "shell/FolderRoutines.h"

namespace maintenance {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

const char* CDataFolderDlg::ChoiceCaption(int choice) {
  switch (choice) {
    case kCopy: return "現在のデータベースファイルを複製する";
    case kCreate: return "新しいデータベースを作成する";
    default: return "既存のデータベースに切り替える";
  }
}

const char* CDataFolderDlg::ChoiceNote(int choice) {
  switch (choice) {
    case kCopy:
      return "現在使用しているデータベースファイルや設定ファイルなどをコピーします。空のフォルダまたは新しく作成するフォルダ名を指定してください。";
    case kCreate:
      return "新しいデータベースを作成します。現在の設定は持ち越します。空のフォルダまたは新しく作成するフォルダ名を指定してください。";
    default:
      return "既存の『顧客ソレル』データベースを使用するようにします。データベースファイルが存在するフォルダを指定してください。";
  }
}

CDataFolderDlg::CDataFolderDlg(ui::Ui& ui, fs::path current) : ui_(ui), current_(std::move(current)) {}

void CDataFolderDlg::OnBrowse() {
  if (auto chosen = ui_.ChooseFolder(kFolderCaption, folder_.empty() ? current_ : fs::path(folder_))) {
    folder_ = chosen->string();
    Changed();
  }
}

void CDataFolderDlg::OnOK() {
  if (folder_.empty()) return ui_.Tell(kNoFolder);
  const int kind = shell::ClassifyFolderPath(folder_);
  if (kind == 3 || kind == 4) return ui_.Tell(kRoot, ui::Icon::Warning);
  folder_ = shell::WithoutFinalSeparator(folder_);
  Changed();
  if (Lower(shell::WithoutFinalSeparator(current_.string())) == Lower(folder_)) {
    if (choice_ != kSwitch) return ui_.Tell(std::string(kSameFolder) + kCannotCopy);
    if (!ui_.Ask(std::string(kSameFolder) + kContinue, ui::Answer::No)) return;
  }
  std::error_code ec;
  const fs::path folder = folder_;
  if (choice_ == kSwitch) {
    if (!fs::is_directory(folder, ec)) return ui_.Tell(kMissing);
    if (!fs::exists(folder / records::CQmvFile::kDatabaseName, ec) || !fs::exists(folder / "QMVColSet.sys", ec)) {
      return ui_.Tell(kNoDatabase);
    }
  } else {
    const int ensured = shell::EnsureFolder(ui_, folder, true, true);
    if (ensured != shell::kFolderExists && ensured != shell::kFolderCreated) return;
    if (shell::FolderHasFiles(folder)) return ui_.Tell(kNotEmpty);
    const fs::path pictures = folder / "Picture";
    if (fs::is_directory(pictures, ec)) {
      if (shell::FolderHasFiles(pictures)) return ui_.Tell(kPictureNotEmpty);
    } else if (!fs::create_directory(pictures, ec)) {
      return ui_.Tell(shell::kCannotCreateFolder);
    }
  }
  if (IsNetworkFolder(folder)) ui_.Tell(kNetwork, ui::Icon::Information);
  EndDialog(true);
}

bool IsNetworkFolder(const fs::path& folder) {
  struct statfs fsInfo {};
  if (::statfs(folder.c_str(), &fsInfo) != 0) return false;
  switch (static_cast<unsigned long>(fsInfo.f_type)) {
    case 0x6969UL:      // NFS
    case 0x517BUL:      // SMB
    case 0xFF534D42UL:  // CIFS
    case 0xFE534D42UL:  // SMB2
      return true;
    default:
      return false;
  }
}

}  // namespace maintenance
