#include "maintenance/CBackupFolderDlg.h"

#include "shell/AppRoutines.h"
#include "shell/FolderRoutines.h"

namespace maintenance {

bool CheckEmptyBackupFolder(ui::Ui& ui, std::string& folder) {
  if (folder.empty()) {
    ui.Tell(CBackupFolderDlg::kNoFolder);
    return false;
  }
  const int kind = shell::ClassifyFolderPath(folder);
  if (kind == 3 || kind == 4) {
    ui.Tell(CBackupFolderDlg::kRoot);
    return false;
  }
  folder = shell::WithoutFinalSeparator(folder);
  const int ensured = shell::EnsureFolder(ui, folder, true, true);
  if (ensured != shell::kFolderExists && ensured != shell::kFolderCreated) return false;
  if (shell::FolderHasFiles(folder)) {
    ui.Tell(CBackupFolderDlg::kNotEmpty);
    return false;
  }
  return true;
}

void CBackupFolderDlg::OnBrowse() {
  if (auto chosen = ui_.ChooseFolder(kTitle, folder_)) {
    folder_ = chosen->string();
    Changed();
  }
}

void CBackupFolderDlg::OnOK() {
  if (!CheckEmptyBackupFolder(ui_, folder_)) {
    Changed();
    return;
  }
  EndDialog(true);
}

}  // namespace maintenance
