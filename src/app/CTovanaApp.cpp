#include "app/CTovanaApp.h"

#include <unistd.h>

#include "lookup/CLookupFacility.h"
#include "platform/CInstaller.h"
#include "platform/CInstanceLock.h"
#include "platform/CNeritEnv.h"
#include "platform/CProfile.h"
#include "platform/CQMVPassCheck.h"
#include "platform/FolderProbe.h"
#include "platform/InstallLayout.h"
#include "records/CQmvFile.h"
#include "settings/CClassRegistry.h"
#include "settings/CDefaultSort.h"
#include "settings/SettingsClasses.h"
#include "shell/AppRoutines.h"

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
    ui_.Tell("ファイルが見つからないため「顧客ソレル」を起動できません");
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
  int result = store.InitDB(doc_->DataFolder());
  if (result == 0) {
    ui_.Tell(
        "前回『顧客ソレル』が正常に終了しませんでした。\n"
        "前回の作業途中のデータを削除し、それ以前に保存されていたデータを開きます。");
    std::error_code ec;
    fs::remove(doc_->DataFolder() / records::CQmvFile::kWorkCopyName, ec);
    if (ec) {
      ui_.Tell("前回の作業途中のデータを削除できませんでした。\nデータベースをOPENできません。");
      return false;
    }
    result = store.InitDB(doc_->DataFolder());
  }
  if (result == -1) ui_.Tell("データベースを開けませんでした。");
  return true;
}

void CTovanaApp::LoadCustomers() {
  if (!doc_->Store().IsOpen()) return;
  settings::CDefaultSort order(ui_, doc_->DataFolder());
  if (doc_->Store().GetAllKokyaku(doc_->Customers(), order.OrderClause()) == 0) {
    ui_.Tell("顧客データの取得に失敗しました。\n顧客データを表示できません。\n");
  }
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
  ui::WaitScope wait = ui_.Wait();
  doc_->Store().SaveQMV(true);
  doc_->FreeRecords();
}

int CTovanaApp::ExitInstance() {
  lookups_->CloseLookups();
  machineLock_.reset();
  sessionLock_.reset();
  return 0;
}

}  // namespace app
