#include "maintenance/DataMaintenance.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>

#include "maintenance/CBackupFolderDlg.h"
#include "maintenance/DataBackup.h"
#include "maintenance/DataRestore.h"
#include "records/SaveLock.h"
#include "settings/CDefaultSort.h"
#include "shell/CTovanaDoc.h"
#include "shell/FolderRoutines.h"
#include "text/Format.h"
#include "ui/Progress.h"

namespace maintenance {

namespace fs = std::filesystem;
using ui::Icon;

namespace {

// A restore waits this long for a backup in another process that is opening its files.
constexpr std::chrono::milliseconds kRestoreLockWait{60000};

void TellPictureBackupFailure(ui::Ui& ui, PictureStatus status) {
  if (status == PictureStatus::SourceUnreadable) ui.Tell(kSourceUnreadable);
  if (status == PictureStatus::DiskFull) ui.Tell(kVolumesDiskFull);
  ui.Tell(kPicturesFailed);
}

void TellPictureRestoreFailure(ui::Ui& ui, PictureRestoreError error) {
  switch (error) {
    case PictureRestoreError::VolumeMissing: ui.Tell(kVolumeMissing); break;
    case PictureRestoreError::CannotOpen: ui.Tell(kVolumeCannotOpen); break;
    case PictureRestoreError::BadFormat: ui.Tell(kVolumeBad); break;
    case PictureRestoreError::NotPictures: ui.Tell(kNotPictureBackup); break;
    case PictureRestoreError::DiskFull: ui.Tell(kPictureDiskFull); break;
    case PictureRestoreError::CannotCreate:
    case PictureRestoreError::None: break;
  }
}

// The restore's own failure message, before it rolls back.
void TellRestoreFailure(ui::Ui& ui, const RestoreReport& report) {
  switch (report.status) {
    case RestoreStatus::NotBackup: ui.Tell(kNotDataBackup); break;
    case RestoreStatus::BadFormat: ui.Tell(kBadBackup); break;
    case RestoreStatus::FilesFailed: ui.Tell(kFilesRestoreFailed); break;
    case RestoreStatus::PicturesFailed:
      TellPictureRestoreFailure(ui, report.picture);
      ui.Tell(kPictureRestoreFailed);
      break;
    case RestoreStatus::Stopped: ui.Tell(kRestoreStopped, Icon::Information); break;
    case RestoreStatus::Done: break;
  }
}

}  // namespace

void BackupData(ui::Ui& ui, shell::CTovanaDoc* doc) {
  if (!doc) return ui.Tell(kNoDocument);
  {
    const ui::WaitScope wait = ui.Wait();
    if (doc->Store().SaveQMV(false) != 1) {
      ui.Tell(kSaveFailed);
      return;
    }
  }
  ui.Tell(kBackupIntro, Icon::Information);
  CBackupFolderDlg dialog(ui);
  if (!ui.Run(dialog)) return;
  const fs::path folder = dialog.Chosen();
  BackupReport report;
  {
    const auto progress = ui.StartProgress(ui::kWorking, 0);
    report = WriteDataBackup(doc->DataFolder(), folder, DataBackupBaseName(std::time(nullptr)),
                             [&progress](std::string_view target, std::string_view source, std::uint64_t done,
                                         std::uint64_t total) {
                               return progress->Report(text::Format("%s に %s を書き込んでいます", target, source),
                                                       static_cast<std::int64_t>(done), static_cast<std::int64_t>(total));
                             });
  }
  switch (report.status) {
    case BackupStatus::Done:
      if (report.pictures != PictureStatus::None && report.pictures != PictureStatus::Done) {
        TellPictureBackupFailure(ui, report.pictures);
      }
      ui.Tell(text::Format(kBackupDone, fs::absolute(report.file).parent_path().string()), Icon::Information);
      return;
    case BackupStatus::NoFiles: ui.Tell(kNoBackupFiles); return;
    case BackupStatus::SourceUnreadable: ui.Tell(kSourceUnreadable); break;
    case BackupStatus::DiskFull: ui.Tell(text::Format(kBackupDiskFull, report.totalLength)); break;
    case BackupStatus::Stopped: ui.Tell(kBackupStopped, Icon::Information); return;
    case BackupStatus::CannotCreate:
    case BackupStatus::TooLarge:
    case BackupStatus::Locked: break;
  }
  ui.Tell(kBackupFailed);
}

bool ReloadCustomers(ui::Ui& ui, shell::CTovanaDoc& doc) {
  settings::CDefaultSort order(ui, doc.DataFolder());
  return doc.Store().GetAllKokyaku(doc.Customers(), order.OrderClause()) != 0;
}

int ReopenCurrentData(ui::Ui& ui, shell::CTovanaDoc& doc) {
  if (doc.Store().InitDB(doc.DataFolder()) != 1) return -1;
  if (ReloadCustomers(ui, doc)) return 1;
  ui.Tell(kCustomersFailed);
  return 0;
}

void RestoreData(ui::Ui& ui, shell::CTovanaDoc* doc) {
  if (!doc) return ui.Tell(kNoDocument);
  if (doc->IsReadOnly()) return ui.Tell(kRestoreOnlyCurrent);
  if (!ui.Ask(kRestoreConfirm, ui::Answer::No, Icon::Question)) return;
  const std::optional<fs::path> folder = ui.ChooseFolder(kRestoreFolderTitle, {});
  if (!folder) return;
  std::string name;
  if (!shell::FolderHasFiles(*folder, kDataBackupExtension, &name)) return ui.Tell(kNoBackupFile);
  const fs::path backupFile = *folder / name;
  const fs::path dataFolder = doc->DataFolder();
  {
    const ui::WaitScope wait = ui.Wait();
    if (doc->Store().SaveQMV(true) == -1) return ui.Tell(kRestoreSaveFailed);
  }

  bool restored = false;
  {
    records::CSaveLock lock;
    std::string why;
    std::optional<CSafetyCopy> safety;
    {
      const ui::WaitScope wait = ui.Wait();
      if (lock.Lock(dataFolder, records::CSaveLock::Mode::Exclusive, kRestoreLockWait, why)) {
        safety = CSafetyCopy::Make(dataFolder, why);
      }
    }
    if (!safety) {
      ui.Tell(kSafetyCopyFailed);
    } else {
      doc->FreeRecords();
      RestoreReport report;
      {
        const auto progress = ui.StartProgress(ui::kWorking, 0);
        report = RestoreFromBackup(dataFolder, backupFile, [&progress](std::string_view file, std::uint64_t done, std::uint64_t total) {
          return progress->Report(text::Format("%s を書き込んでいます", file), static_cast<std::int64_t>(done),
                                  static_cast<std::int64_t>(total));
        });
      }
      TellRestoreFailure(ui, report);
      restored = report.status == RestoreStatus::Done;
      bool settled = false;
      {
        const ui::WaitScope wait = ui.Wait();
        settled = restored || !report.touched ? safety->Discard(why) : safety->RollBack(why);
      }
      if (!restored && !settled) {
        // The data folder is in no known state: it is not opened, and the safety copy stays for
        // the next start (which rolls it back) or for the person.
        ui.Tell(text::Format(kRollBackFailed, safety->Folder().string()), Icon::Stop);
        return;
      }
    }
  }
  int reopened = -1;
  {
    const ui::WaitScope wait = ui.Wait();
    reopened = doc->Store().InitDB(dataFolder);
  }
  if (reopened != 1) {
    ui.Tell(kReopenFailed);
  } else {
    doc->FreeRecords();
    if (!ReloadCustomers(ui, *doc)) ui.Tell(kCustomersFailed);
  }
  if (restored) {
    ui.Tell(kRestoreDone, Icon::Information);
  } else {
    ui.Tell(kRestoreFailed);
  }
}

bool RecoverInterruptedRestoreAtStart(ui::Ui& ui, const fs::path& dataFolder) {
  std::string why;
  switch (RecoverInterruptedRestore(dataFolder, why)) {
    case InterruptedRestore::None:
    case InterruptedRestore::InProgress:
      return true;
    case InterruptedRestore::RolledBack:
      ui.Tell(kInterruptedRestoreRolledBack, Icon::Information);
      return true;
    case InterruptedRestore::Failed:
      ui.Tell(text::Format(kInterruptedRestoreFailed, (dataFolder / kSafetyCopyName).string(), why), Icon::Stop);
      return false;
  }
  return true;
}

}  // namespace maintenance
