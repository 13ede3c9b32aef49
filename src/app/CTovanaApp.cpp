#include "app/CTovanaApp.h"

#include <unistd.h>

#include "lookup/CLookupFacility.h"
#include "maintenance/DataMaintenance.h"
#include "platform/CInstaller.h"
#include "platform/CInstanceLock.h"
#include "platform/CNeritEnv.h"
#include "platform/CProfile.h"
#include "platform/CQMVPassCheck.h"
#include "platform/FolderProbe.h"
#include "platform/InstallLayout.h"
#include "records/CQmvFile.h"
#include "records/WorkCopyRecovery.h"
#include "settings/CClassRegistry.h"
#include "settings/CDefaultSort.h"
#include "settings/SettingsClasses.h"
#include "shell/AppRoutines.h"
#include "text/Format.h"

namespace app {

namespace {

namespace fs = std::filesystem;
using ui::Icon;

constexpr const char* kNoWriteAccess =
    "ファイルの書き込み権限がないため「顧客ソレル」は使えません。\n制限ユーザーに設定されている場合は権限を変更してご利用ください。";

}  // namespace

CTovanaApp::CTovanaApp(ui::Ui& ui)
    : ui_(ui),
      installFolder_(platform::CNeritEnv().GetInstallFolder()),
      lookups_(std::make_unique<lookup::CLookupFacility>(ui_, installFolder_)) {}

CTovanaApp::~CTovanaApp() = default;

int CTovanaApp::Version() const { return platform::CNeritEnv().GetVersion(); }

bool CTovanaApp::InitInstance() {
  settings::RegisterSettingsClasses(settings::CClassRegistry::Program());
  if (!EnsureInstallation()) return false;
  std::error_code ec;
  fs::current_path(platform::ProgramFolder(installFolder_), ec);  // programs are looked up there
  if (!CheckWorkspaceFolders() || !TakeSingleInstance() || !CheckPassword()) return false;
  profile_ = std::make_unique<platform::CProfile>(platform::CProfile::UserFile());
  {
    ui::WaitScope wait = ui_.Wait(true);
    CreateDocument();
    if (!OpenDatabase()) return false;
    LoadCustomers();
    OpenLookups(false);
  }
  helpFile_ = platform::ProgramFolder(installFolder_) / "help" / "index.html";
  return true;
}

bool CTovanaApp::EnsureInstallation() {
  platform::CInstaller installer(platform::CNeritEnv{});
  if (installer.EnsureInstalled() != platform::InstallResult::Failed) return true;
  ui_.Tell(installer.Message(), Icon::Stop);
  return false;
}

int CTovanaApp::CheckWorkspaceFolders() {
  const fs::path acck = platform::AcckSysFile(installFolder_);
  std::error_code ec;
  if (!fs::exists(acck, ec)) {
    ui_.Tell("ファイルが見つからないため「顧客ソレル」を起動できません\n" + acck.string());
    return 0;
  }
  if (!platform::CanOpenForWriting(acck)) {
    ui_.Tell(kNoWriteAccess);
    return 0;
  }
  for (const fs::path& folder : platform::WorkspaceFolders(installFolder_)) {
    if (!ProbeFolderWritable(folder)) return 0;
  }
  return 1;
}

int CTovanaApp::ProbeFolderWritable(const fs::path& folder) {
  if (platform::ProbeFolderWritable(folder)) return 1;
  ui_.Tell(kNoWriteAccess);
  return 0;
}

// A lock that cannot be made at all (Failed) does not stop the program: the data store's own
// exclusive work copy still keeps a second copy away from the same data.
bool CTovanaApp::TakeSingleInstance() {
  sessionLock_ = std::make_unique<platform::CInstanceLock>(platform::CInstanceLock::kSessionName);
  const platform::LockResult session = sessionLock_->TryAcquire();
  if (session == platform::LockResult::HeldElsewhere || session == platform::LockResult::DeniedByOtherUser) {
    ui_.Tell("『顧客ソレル』は既に起動しています。", Icon::Information);
    sessionLock_.reset();
    return false;
  }
  machineLock_ = std::make_unique<platform::CInstanceLock>(platform::CInstanceLock::kGlobalName);
  const platform::LockResult machine = machineLock_->TryAcquire();
  platform::CInstanceLock form(platform::CInstanceLock::kGlobalFormName);
  const platform::LockResult formResult = form.TryAcquire();
  form.Release();
  if (machine == platform::LockResult::DeniedByOtherUser || formResult == platform::LockResult::DeniedByOtherUser) {
    ui_.Tell("他のユーザーが「顧客ソレル」を使用しています。\nそのユーザーがアプリケーションを終了してからご利用ください。");
    machineLock_.reset();
    sessionLock_.reset();
    return false;
  }
  return true;
}

bool CTovanaApp::CheckPassword() {
  platform::CQMVPassCheck check(ui_, installFolder_);
  const int result = check.CheckPassWord();
  if (result == 1) return true;
  if (result == -1) {
    ui_.Tell("構成ファイルがないため『顧客ソレル』を起動できません\n再インストールしてください。");
  } else {
    ui_.Tell("『顧客ソレル』を起動できません");
  }
  return false;
}

void CTovanaApp::CreateDocument() {
  doc_ = std::make_unique<shell::CTovanaDoc>(ui_, installFolder_, profile_.get());
  if (doc_->ReadDataFolder()) return;
  ui_.Tell(
      "データベースファイルの保存先にデータベースファイルが存在しないか、保存先が不明です。\n"
      "ファイルの存在するフォルダを指定してください。");
  doc_->ChooseDataFolder();  // after a cancel the program runs without customer data
}

bool CTovanaApp::OpenDatabase() {
  records::CKokyakuVMData& store = doc_->Store();
  // A restore cut short leaves its safety copy, which puts the folder back before it is opened.
  if (!maintenance::RecoverInterruptedRestoreAtStart(ui_, doc_->DataFolder())) return false;
  int result = store.InitDB(doc_->DataFolder());
  if (result == 0) {
    if (!RecoverUnfinishedWork()) return false;
    result = store.InitDB(doc_->DataFolder());
  }
  if (result == -1) ui_.Tell("データベースを開けませんでした。");
  return true;
}

// The unfinished run's work copy is set aside, never deleted, and offered back when it holds
// work the saved database lacks. False when start-up must end (another process holds it).
bool CTovanaApp::RecoverUnfinishedWork() {
  const fs::path& folder = doc_->DataFolder();
  const records::LeftoverReport leftover = records::SetAsideWorkCopy(folder);
  switch (leftover.state) {
    case records::Leftover::Gone:
      return true;
    case records::Leftover::InUse:
    case records::Leftover::Failed:
      ui_.Tell("前回の作業途中のデータを削除できませんでした。\nデータベースをOPENできません。");
      return false;
    case records::Leftover::Unchanged:
      ui_.Tell(
          "前回『顧客ソレル』が正常に終了しませんでした。\n"
          "前回の作業途中のデータを削除し、それ以前に保存されていたデータを開きます。");
      break;
    case records::Leftover::Damaged:
      ui_.Tell(text::Format(
          "前回『顧客ソレル』が正常に終了しませんでした。\n"
          "前回の作業途中のデータは壊れているため、復元できません。\n"
          "それ以前に保存されていたデータを開きます。\n\n"
          "壊れたデータは次の場所に移しました。\n%s",
          leftover.copy.string()));
      break;
    case records::Leftover::HoldsWork:
      OfferUnfinishedWork(leftover.copy);
      break;
  }
  records::PruneRecovered(folder);
  return true;
}

void CTovanaApp::OfferUnfinishedWork(const fs::path& copy) {
  const bool recover = ui_.Ask(text::Format(
      "前回『顧客ソレル』が正常に終了しませんでした。\n"
      "前回の作業途中のデータが残っています。\n作業途中のデータを復元しますか？\n\n"
      "「いいえ」を選ぶと、それ以前に保存されていたデータを開きます。\n"
      "作業途中のデータは次の場所に残します。\n%s",
      copy.string()));
  if (!recover) return;
  std::string why;
  if (records::CQmvFile::RestoreDatabase(copy, doc_->DataFolder(), &why) == 1) return;
  ui_.Tell(text::Format(
      "作業途中のデータを復元できませんでした。\n%s\n\n"
      "それ以前に保存されていたデータを開きます。\n"
      "作業途中のデータは次の場所に残してあります。\n%s",
      why, copy.string()));
}

void CTovanaApp::LoadCustomers() {
  if (!doc_->Store().IsOpen()) return;
  settings::CDefaultSort order(ui_, doc_->DataFolder());
  doc_->LoadCustomersInBackground(order.OrderClause());
}

// The openers run silently here; the message tells in one box what stays unavailable.
int CTovanaApp::OpenLookups(bool report) {
  const bool phoneBook = lookups_->OpenPhoneBook(false) == 1;
  const bool postal = lookups_->OpenPostalDictionary(false) == 1;
  if (report && !phoneBook && !postal) {
    ui_.Tell("検索のためのデータがすべて取得できませんでした。\n検索ができません。\n");
  } else if (report && !phoneBook) {
    ui_.Tell("データが開けませんでした。\n電話番号からの検索、住所からの検索ができません。\n");
  } else if (report && !postal) {
    ui_.Tell("データが開けませんでした。\n郵便番号データ検索ができません。\n");
  }
  return phoneBook && postal ? 1 : 0;
}

int CTovanaApp::OpenPostalDictionary(bool report) { return lookups_->OpenPostalDictionary(report); }
int CTovanaApp::OpenPhoneBook(bool report) { return lookups_->OpenPhoneBook(report); }
int CTovanaApp::LoadUserPhoneBook() { return lookups_->LoadUserPhoneBook(); }
int CTovanaApp::SaveUserPhoneBook() { return lookups_->SaveUserPhoneBook(); }

void CTovanaApp::OnCloseMainWindow() {
  lookups_->SaveUserPhoneBook();  // only what changed; it asks before replacing an unreadable file
  if (!doc_) return;
  if (!doc_->CurrentDataFolder().empty()) {
    doc_->SetDataFolder(doc_->CurrentDataFolder());
    if (!doc_->WriteDataFolder()) ui_.Tell("データベース保存先の変更ができませんでした。");
  }
  if (doc_->IsReadOnly()) {
    ui_.Tell("今、過去の履歴を参照中ですが、次回起動時は現在のデータを使用してはじめます", Icon::Information);
  }
  doc_->WriteEndInfo();
  SaveAtClose();
  doc_->FreeRecords();
}

// A failed save never passes for a saved one: the user hears what failed and may try again, and
// otherwise the work copy stays, durable, for the next start to offer.
void CTovanaApp::SaveAtClose() {
  records::CKokyakuVMData& store = doc_->Store();
  for (;;) {
    {
      ui::WaitScope wait = ui_.Wait();
      if (store.SaveQMV(true) == 1) return;
    }
    const bool again = ui_.Ask(text::Format(
        "データベースを保存できませんでした。\n%s\n(%s)\n\n"
        "作業中のデータは失われていません。次回の起動時に復元できます。\n"
        "もう一度保存しますか？",
        store.GetQMVFName().string(), store.DispOleDBErrDlg()),
        ui::Answer::Yes, Icon::Warning);
    if (!again) break;
  }
  store.CloseKeepingWorkCopy();
}

int CTovanaApp::ExitInstance() {
  lookups_->CloseLookups();
  machineLock_.reset();
  sessionLock_.reset();
  return 0;
}

}  // namespace app
