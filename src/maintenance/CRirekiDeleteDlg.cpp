#include "maintenance/CRirekiDeleteDlg.h"

#include "maintenance/DataMaintenance.h"
#include "maintenance/FileCopy.h"
#include "shell/AppRoutines.h"
#include "shell/CTovanaDoc.h"
#include "shell/FolderRoutines.h"
#include "text/Format.h"
#include "text/NumberInput.h"

namespace maintenance {

namespace fs = std::filesystem;
using ui::Icon;

CRirekiDeleteDlg::CRirekiDeleteDlg(ui::Ui& ui, records::COleDate today) : ui_(ui), today_(today) {
  const records::CivilTime t = today.ToCivil();
  year_ = std::to_string(t.year);
  month_ = std::to_string(t.month);
  day_ = std::to_string(t.day);
}

void CRirekiDeleteDlg::SetDate(std::string year, std::string month, std::string day) {
  year_ = std::move(year);
  month_ = std::move(month);
  day_ = std::move(day);
}

void CRirekiDeleteDlg::OnBrowse() {
  if (auto chosen = ui_.ChooseFolder(kFolderCaption, folder_)) {
    folder_ = chosen->string();
    Changed();
  }
}

CRirekiDeleteDlg::Field CRirekiDeleteDlg::TakeFocus() {
  const Field f = focus_;
  focus_ = Field::None;
  return f;
}

bool CRirekiDeleteDlg::Refuse(const char* text, Field field) {
  focus_ = field;
  Changed();
  if (text) ui_.Tell(text);
  return false;
}

fs::path CRirekiDeleteDlg::DatabaseCopy() const {
  const records::CivilTime t = today_.ToCivil();
  return backupFolder_ / text::Format("顧客%d%d%d.qmv", t.year, t.month, t.day);
}

void CRirekiDeleteDlg::OnOK() {
  if (folder_.empty()) return (void)Refuse(kNoFolder, Field::Folder);
  const int kind = shell::ClassifyFolderPath(folder_);
  if (kind == 3 || kind == 4) return (void)Refuse(kRoot, Field::Folder);
  folder_ = shell::WithoutFinalSeparator(folder_);
  const int ensured = shell::EnsureFolder(ui_, folder_, true, true);
  if (ensured != shell::kFolderExists && ensured != shell::kFolderCreated) return (void)Refuse(nullptr, Field::Folder);
  if (shell::FolderHasFiles(folder_)) return (void)Refuse(kFolderNotEmpty, Field::Folder);
  const fs::path pictures = fs::path(folder_) / "Picture";
  const int picturesEnsured = shell::EnsureFolder(ui_, pictures, true, false);
  if (picturesEnsured == shell::kFolderFailed) return (void)Refuse(nullptr, Field::Folder);
  if (picturesEnsured == shell::kFolderExists && shell::FolderHasFiles(pictures)) {
    return (void)Refuse(kPictureNotEmpty, Field::Folder);
  }
  backupFolder_ = folder_;

  const auto number = [](const std::string& typed) { return text::ReadWholeNumber(typed); };
  const auto year = number(year_), month = number(month_), day = number(day_);
  if (!year || *year < 1800 || *year > 9999) return (void)Refuse(kBadYear, Field::Year);
  if (!month || *month < 1 || *month > 12) return (void)Refuse(kBadMonth, Field::Month);
  if (!day || *day < 1 || *day > 31) return (void)Refuse(kBadDay, Field::Day);
  const records::COleDate date =
      records::COleDate::FromCivil(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day));
  if (!date.IsValid()) return (void)Refuse(kBadDate, Field::Day);
  if (!ui_.Ask(text::Format(kConfirm, *year, *month, *day), ui::Answer::No, Icon::Question)) return;
  date_ = date;
  EndDialog(true);
}

void DeleteHistoryWithBackup(ui::Ui& ui, shell::CTovanaDoc* doc, records::COleDate today) {
  if (!doc) return ui.Tell(kNoDocument);
  if (doc->IsReadOnly()) return ui.Tell(kHistoryReadOnly);
  CRirekiDeleteDlg dialog(ui, today);
  if (!ui.Run(dialog)) return;

  records::CKokyakuVMData& store = doc->Store();
  const fs::path copy = dialog.DatabaseCopy();
  {
    const ui::WaitScope wait = ui.Wait(true);
    if (store.SaveQMV(false) != 1) return ui.Tell(kHistorySaveFailed);
  }
  std::string why;
  bool copied = false;
  {
    const ui::WaitScope wait = ui.Wait(true);
    copied = CopyFileSynced(store.GetQMVFName(), copy, why);
  }
  if (!copied) {
    if (!ui.Ask(kHistoryCopyFailed, ui::Answer::No, Icon::Warning)) return;
  } else {
    bool allPictures = true;
    {
      const ui::WaitScope wait = ui.Wait(true);
      const fs::path from = doc->PictureStoreFolder();
      const fs::path to = dialog.BackupFolder() / "Picture";
      std::error_code ec;
      for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) continue;
        if (!CopyFileSynced(it->path(), to / it->path().filename(), why)) allPictures = false;
      }
    }
    if (!allPictures && !ui.Ask(kHistoryPicturesFailed, ui::Answer::No, Icon::Warning)) return;
  }
  int deleted = 0;
  {
    const ui::WaitScope wait = ui.Wait(true);
    deleted = store.DeleteRirekiForDate(dialog.Date());
  }
  if (deleted == 1) {
    // The document's history list no longer matches the database.
    doc->History().clear();
    ui.Tell(text::Format(kHistoryDeleted, copy.parent_path().string()), Icon::Information);
  } else {
    ui.Tell(kHistoryNotDeleted);
  }
}

}  // namespace maintenance
