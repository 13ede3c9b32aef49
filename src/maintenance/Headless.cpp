#include "maintenance/Headless.h"

#include <chrono>
#include <ctime>
#include <optional>
#include <string>

#include "maintenance/DataBackup.h"
#include "maintenance/DataMaintenance.h"
#include "maintenance/DataRestore.h"
#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "records/CQmvFile.h"
#include "records/SaveLock.h"
#include "records/WorkCopyFile.h"
#include "shell/AppRoutines.h"
#include "shell/FolderRoutines.h"
#include "text/Format.h"

namespace maintenance {

namespace fs = std::filesystem;

namespace {

void Say(std::FILE* to, const std::string& text) {
  std::fputs(text.c_str(), to);
  std::fputc('\n', to);
  std::fflush(to);
}

int Fail(std::FILE* err, const std::string& text, const std::string& why = {}) {
  Say(err, why.empty() ? "tovana: " + text : "tovana: " + text + "\n(" + why + ")");
  return kHeadlessFailed;
}

// The data folder "datadir.dat" names, when it holds a database.
std::optional<fs::path> DataFolder(const fs::path& install, std::FILE* err) {
  const std::optional<std::string> recorded = platform::ReadDataDirFile(platform::DataDirFile(install));
  if (!recorded) {
    Fail(err, "データベースファイルの保存先が不明です: " + platform::DataDirFile(install).string());
    return std::nullopt;
  }
  const fs::path folder = shell::WithoutFinalSeparator(*recorded);
  std::error_code ec;
  if (!fs::exists(folder / records::CQmvFile::kDatabaseName, ec)) {
    Fail(err, "データベースファイルの保存先にデータベースファイルが存在しません: " + folder.string());
    return std::nullopt;
  }
  return folder;
}

// A restore that a crash cut short is rolled back before anything reads the folder.
bool Recover(const fs::path& dataFolder, std::FILE* out, std::FILE* err) {
  std::string why;
  switch (RecoverInterruptedRestore(dataFolder, why)) {
    case InterruptedRestore::RolledBack: Say(out, kInterruptedRestoreRolledBack); return true;
    case InterruptedRestore::Failed:
      Fail(err, text::Format(kInterruptedRestoreFailed, (dataFolder / kSafetyCopyName).string(), why));
      return false;
    case InterruptedRestore::None:
    case InterruptedRestore::InProgress: return true;
  }
  return true;
}

}  // namespace

int RunHeadlessBackup(const fs::path& install, const fs::path& folderGiven, std::FILE* out, std::FILE* err) {
  const std::optional<fs::path> data = DataFolder(install, err);
  if (!data || !Recover(*data, out, err)) return kHeadlessFailed;
  const int kind = shell::ClassifyFolderPath(folderGiven.string());
  if (kind == 3 || kind == 4) return Fail(err, "ルートディレクトリを指定することはできません。別のフォルダを指定してください。");
  const fs::path folder = fs::absolute(shell::WithoutFinalSeparator(folderGiven.string()));
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) return Fail(err, shell::kCannotCreateFolder, folder.string());
  if (shell::FolderHasFiles(folder)) {
    return Fail(err, "指定されたフォルダにはファイルが存在しています。\nバックアップフォルダには空のフォルダを指定してください。");
  }
  const BackupReport report = WriteDataBackup(*data, folder, DataBackupBaseName(std::time(nullptr)));
  switch (report.status) {
    case BackupStatus::Done: break;
    case BackupStatus::NoFiles: return Fail(err, kNoBackupFiles);
    case BackupStatus::SourceUnreadable: return Fail(err, kSourceUnreadable, report.why);
    case BackupStatus::DiskFull: return Fail(err, text::Format(kBackupDiskFull, report.totalLength), report.why);
    default: return Fail(err, kBackupFailed, report.why);
  }
  if (report.pictures == PictureStatus::SourceUnreadable || report.pictures == PictureStatus::DiskFull) {
    return Fail(err, std::string(report.pictures == PictureStatus::DiskFull ? kVolumesDiskFull : kSourceUnreadable) + "\n" +
                         kPicturesFailed,
                report.why);
  }
  Say(out, text::Format(kBackupDone, folder.string()));
  return kHeadlessDone;
}

int RunHeadlessRestore(const fs::path& install, const fs::path& folder, std::FILE* out, std::FILE* err) {
  const std::optional<fs::path> data = DataFolder(install, err);
  if (!data || !Recover(*data, out, err)) return kHeadlessFailed;
  // The program (here or on another PC) works on the folder: its work copy would be saved over
  // the restored database, or offered back at the next start.
  const fs::path workCopy = *data / records::CQmvFile::kWorkCopyName;
  std::error_code ec;
  if (fs::exists(workCopy, ec)) {
    std::string why;
    if (records::TestRecordLock(workCopy, why) == records::LockState::HeldElsewhere) {
      return Fail(err, "『顧客ソレル』がデータベースを使用中のため、復元できません。『顧客ソレル』を終了してから復元してください。", why);
    }
    return Fail(err, "前回『顧客ソレル』が正常に終了しなかったデータが残っています。\n"
                     "いったん『顧客ソレル』を起動して終了してから復元してください。", workCopy.string());
  }
  std::string name;
  if (!shell::FolderHasFiles(folder, kDataBackupExtension, &name)) return Fail(err, kNoBackupFile, folder.string());

  records::CSaveLock lock;
  std::string why;
  std::optional<CSafetyCopy> safety;
  if (lock.Lock(*data, records::CSaveLock::Mode::Exclusive, std::chrono::milliseconds(60000), why)) {
    safety = CSafetyCopy::Make(*data, why);
  }
  if (!safety) return Fail(err, kSafetyCopyFailed, why);
  const RestoreReport report = RestoreFromBackup(*data, folder / name);
  if (report.status == RestoreStatus::Done) {
    safety->Discard(why);
    Say(out, kRestoreDone);
    return kHeadlessDone;
  }
  switch (report.status) {
    case RestoreStatus::NotBackup: Say(err, kNotDataBackup); break;
    case RestoreStatus::BadFormat: Say(err, kBadBackup); break;
    case RestoreStatus::FilesFailed: Say(err, kFilesRestoreFailed); break;
    case RestoreStatus::PicturesFailed: Say(err, kPictureRestoreFailed); break;
    default: break;
  }
  if (!(report.touched ? safety->RollBack(why) : safety->Discard(why))) {
    return Fail(err, text::Format(kRollBackFailed, safety->Folder().string()), why);
  }
  return Fail(err, kRestoreFailed, report.why);
}

}  // namespace maintenance
