#include "maintenance/PastData.h"

#include <optional>
#include <vector>

#include "maintenance/CCompactDlg.h"
#include "maintenance/CDataFolderDlg.h"
#include "maintenance/DataMaintenance.h"
#include "maintenance/FileCopy.h"
#include "platform/InstallLayout.h"
#include "records/CQmvFile.h"
#include "shell/AppRoutines.h"
#include "shell/CTovanaDoc.h"
#include "shell/FolderRoutines.h"
#include "text/Format.h"

namespace maintenance {

namespace fs = std::filesystem;
using ui::Icon;

namespace {

// Copies the data files of from into to (the factory database instead of ZQQMV.qmv when given).
// False after the message naming the file that failed.
bool CopyDataFiles(ui::Ui& ui, const fs::path& from, const fs::path& to, const std::optional<fs::path>& database) {
  std::vector<std::string> names;
  shell::ListDataFiles(2, names);
  for (const std::string& name : names) {
    const fs::path source = name == records::CQmvFile::kDatabaseName && database ? *database : from / name;
    std::error_code ec;
    if (!fs::exists(source, ec)) continue;
    std::string why;
    if (!CopyFileSynced(source, to / name, why)) {
      ui.Tell(text::Format(kCopyFailed, name));
      return false;
    }
  }
  return true;
}

// True when every picture was copied, or the person goes on without some.
bool CopyPictures(ui::Ui& ui, const fs::path& from, const fs::path& to) {
  bool all = true;
  std::error_code ec;
  for (fs::directory_iterator it(from / "Picture", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    std::string why;
    if (!CopyFileSynced(it->path(), to / "Picture" / it->path().filename(), why)) all = false;
  }
  return all || ui.Ask(kPicturesNotCopied, ui::Answer::No, Icon::Warning);
}

// After a step that closed the current database failed: it is opened again as it was.
void ReopenAfterFailure(ui::Ui& ui, shell::CTovanaDoc& doc) {
  if (doc.IsReadOnly() || doc.Store().IsOpen()) return;
  doc.FreeRecords();
  ReopenCurrentData(ui, doc);
}

}  // namespace

void ChangeDataFolder(ui::Ui& ui, shell::CTovanaDoc* doc) {
  if (!doc) return ui.Tell(kNoDocument);
  const bool past = doc->IsReadOnly();
  if (past) {
    if (!ui.Ask(kChangeInPast, ui::Answer::No)) return;
  } else {
    ui.Tell(kChangeIntro, Icon::Information);
  }
  const fs::path old = doc->DataFolder();
  CDataFolderDlg dialog(ui, old);
  if (!ui.Run(dialog)) return;
  const fs::path folder = dialog.Chosen();
  const int choice = dialog.GetChoice();
  {
    const ui::WaitScope wait = ui.Wait();
    std::error_code ec;
    if (choice == CDataFolderDlg::kSwitch && !past && fs::exists(folder / records::CQmvFile::kWorkCopyName, ec) &&
        !fs::equivalent(folder, old, ec)) {
      return ui.Tell(kFolderInUse, Icon::Warning);
    }
    if (!past && doc->Store().SaveQMV(true) == -1) {
      return ui.Tell(choice == CDataFolderDlg::kCreate ? kCurrentSaveFailedForCreate : kCurrentSaveFailed);
    }
    if (choice == CDataFolderDlg::kCopy) {
      if (!CopyDataFiles(ui, old, folder, std::nullopt) || !CopyPictures(ui, old, folder)) {
        return ReopenAfterFailure(ui, *doc);
      }
    } else if (choice == CDataFolderDlg::kCreate) {
      if (!CopyDataFiles(ui, old, folder, platform::FactoryDatabaseFile(doc->InstallFolder()))) {
        return ReopenAfterFailure(ui, *doc);
      }
    }
  }
  doc->SetDataFolder(folder);
  if (!doc->WriteDataFolder()) {
    doc->SetDataFolder(old);
    ui.Tell(kFolderNotRecorded);
    return ReopenAfterFailure(ui, *doc);
  }
  if (past) {
    // The past database stays open; returning to the current data opens the new folder.
    doc->SetCurrentDataFolder(folder);
    return;
  }
  doc->FreeRecords();
  int opened = 0;
  {
    const ui::WaitScope wait = ui.Wait();
    opened = doc->Store().InitDB(folder);
  }
  if (opened == 0) return ui.Tell(kNewFolderBusy);
  if (opened == -1) return ui.Tell(kCannotOpen);
  if (ReloadCustomers(ui, *doc)) {
    ui.Tell(kFolderChanged, Icon::Information);
  } else {
    ui.Tell(kCustomersFailed);
  }
}

void OpenPastData(ui::Ui& ui, shell::CTovanaDoc* doc) {
  if (!doc) return ui.Tell(kNoDocument);
  if (!ui.Ask(kPastIntro)) return;
  const std::optional<fs::path> chosen = ui.ChooseFolder(kPastFolderTitle, doc->DataFolder());
  if (!chosen) return;
  const fs::path folder = shell::WithoutFinalSeparator(chosen->string());
  std::string name;
  if (!shell::FolderHasFiles(folder, "qmv", &name)) return ui.Tell(kNoPastData);
  if (shell::FolderHasFiles(folder, "qmv2")) return ui.Tell(kPastInUse);
  {
    const ui::WaitScope wait = ui.Wait();
    if (doc->Store().SaveQMV(true) == -1) return ui.Tell(kPastSaveFailed);
  }
  doc->FreeRecords();
  doc->SetReadOnly(true);
  doc->SetPastPictureFolder(folder / "Picture");
  if (doc->CurrentDataFolder().empty()) doc->SetCurrentDataFolder(doc->DataFolder());
  int opened = 0;
  {
    const ui::WaitScope wait = ui.Wait();
    opened = doc->Store().InitDBFromPath(folder / name, true);
  }
  if (opened != 1) return ui.Tell(kPastNotOpened);
  if (ReloadCustomers(ui, *doc)) {
    ui.Tell(kPastOpened, Icon::Information);
  } else {
    ui.Tell(kCustomersFailed);
  }
}

void ReturnToCurrentData(ui::Ui& ui, shell::CTovanaDoc* doc) {
  if (!doc) return ui.Tell(kNoDocument);
  if (!doc->IsReadOnly()) return ui.Tell(kAlreadyCurrent);
  // Changing the folder while past data was viewed left the folder to return to here.
  const fs::path current = doc->CurrentDataFolder().empty() ? doc->DataFolder() : doc->CurrentDataFolder();
  std::error_code ec;
  if (fs::exists(current / records::CQmvFile::kWorkCopyName, ec)) return ui.Tell(kCurrentInUse);
  if (!ui.Ask(kReturnConfirm)) return;
  int opened = 0;
  {
    const ui::WaitScope wait = ui.Wait();
    doc->Store().SaveQMV(true);
    doc->FreeRecords();
    opened = doc->Store().InitDB(current);
  }
  if (opened == 0) return ui.Tell(kReturnBusy);
  doc->SetReadOnly(false);
  doc->SetPastPictureFolder({});
  doc->SetDataFolder(current);
  doc->SetCurrentDataFolder({});
  if (opened == -1) return ui.Tell(kCannotOpen);
  if (ReloadCustomers(ui, *doc)) {
    ui.Tell(kReturned, Icon::Information);
  } else {
    ui.Tell(kCustomersFailed);
  }
}

void OptimiseDatabase(ui::Ui& ui, shell::CTovanaDoc* doc, records::COleDate today) {
  if (!doc) return ui.Tell(kNoDocument);
  if (doc->IsReadOnly()) return ui.Tell(kOptimiseReadOnly);
  CCompactDlg dialog(ui, doc->DataFolder(), today);
  if (!ui.Run(dialog)) return;
  int result = 0;
  {
    const ui::WaitScope wait = ui.Wait(true);
    result = doc->Store().CompactDB(dialog.Chosen());
  }
  if (result == 1) ui.Tell(kOptimised, Icon::Information);
  if (result == -1) ui.Tell(kNotOptimised);
}

}  // namespace maintenance
