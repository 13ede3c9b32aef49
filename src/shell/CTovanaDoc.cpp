#include "shell/CTovanaDoc.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "platform/CProfile.h"
#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "platform/StoredFile.h"
#include "records/CQmvFile.h"
#include "records/KokyakuColumns.h"
#include "settings/ArchiveError.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"
#include "shell/AppRoutines.h"

namespace shell {

namespace {

namespace fs = std::filesystem;

using records::CKokyaku;

constexpr const char* kProfileSection = "Settings";
constexpr const char* kCardTypeEntry = "CardType";
constexpr const char* kPictureFolderName = "Picture";

bool HoldsDatabase(const fs::path& folder) {
  std::error_code ec;
  return !folder.empty() && fs::is_regular_file(folder / records::CQmvFile::kDatabaseName, ec);
}

std::array<std::string*, 5> PictureFields(CKokyaku& k) {
  return {&k.Picture1, &k.Picture2, &k.Picture3, &k.Picture4, &k.Picture5};
}

}  // namespace

CTovanaDoc::CTovanaDoc(ui::Ui& ui, fs::path installFolder, platform::CProfile* profile)
    : ui_(ui), installFolder_(std::move(installFolder)), profile_(profile) {}

fs::path CTovanaDoc::DataDirFile() const { return platform::DataDirFile(installFolder_); }
fs::path CTovanaDoc::EndInfoFile() const { return platform::MyDataFolder(installFolder_) / "EndInfo.dat"; }

int CTovanaDoc::ReadDataFolder() {
  dataFolder_.clear();
  std::error_code ec;
  if (!fs::exists(DataDirFile(), ec)) return 0;
  const std::optional<std::string> recorded = platform::ReadDataDirFile(DataDirFile());
  if (!recorded) {
    ui_.Tell(kFileErrorMessage);
    return 0;
  }
  dataFolder_ = WithoutFinalSeparator(*recorded);
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
  if (platform::WriteDataDirFile(DataDirFile(), dataFolder_, why)) return 1;
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

void CTovanaDoc::LoadCustomersInBackground(std::string order) {
  FinishLoading();
  if (!store_.IsOpen()) return;
  loading_ = std::async(std::launch::async, [this, order = std::move(order)] {
    return store_.GetAllKokyaku(loaded_, order);
  });
}

// The worker alone touches the store and its list until it is joined here, on the caller's thread.
void CTovanaDoc::FinishLoading() {
  if (!loading_.valid()) return;
  int result;
  {
    ui::WaitScope wait = ui_.Wait();
    result = loading_.get();
  }
  customers_.reserve(customers_.size() + loaded_.size());
  for (auto& customer : loaded_) customers_.push_back(std::move(customer));
  loaded_.clear();
  if (result == 0) ui_.Tell("顧客データの取得に失敗しました。\n顧客データを表示できません。\n");
}

void CTovanaDoc::FreeRecords() {
  FinishLoading();
  customers_.clear();
  history_.clear();
  dmTitles_.clear();
  extractedIds_.clear();
  ClearExtraction();
  ClearAnalysis();
}

void CTovanaDoc::SetExtraction(std::unique_ptr<settings::CExCondition> condition, bool saved) {
  extraction_ = std::move(condition);
  extractionSaved_ = extraction_ && saved;
}

bool CTovanaDoc::CanChangeCustomers() const { return !readOnly_ && store_.IsOpen() && !store_.IsReadOnly(); }

int CTovanaDoc::AddCustomer(std::unique_ptr<CKokyaku>& record) {
  FinishLoading();
  if (!record || !CanChangeCustomers()) return -1;
  const records::COleDate now = records::COleDate::Now();
  record->StartDate = record->LastUpDate = record->RirekiUpDate = now;
  StorePictures(*record);
  const int id = store_.AddNewKokyaku(*record);
  if (id == -1) return -1;
  record->ID = id;
  customers_.insert(customers_.begin(), std::move(record));
  return id;
}

int CTovanaDoc::ModifyCustomer(std::int32_t id, std::unique_ptr<CKokyaku>& record) {
  FinishLoading();
  if (!record || !CanChangeCustomers()) return -1;
  record->LastUpDate = records::COleDate::Now();
  StorePictures(*record);
  const int result = store_.ModifyKokyaku(id, *record);
  if (result != 1) return result;
  record->ID = id;
  const auto old = std::find_if(customers_.begin(), customers_.end(), [&](const auto& k) { return k->ID == id; });
  if (old != customers_.end()) {
    *old = std::move(record);
  } else {
    customers_.insert(customers_.begin(), std::move(record));  // the list had missed it
  }
  return 1;
}

int CTovanaDoc::DeleteCustomers(const records::IdArray& ids, records::IdArray& deleted) {
  FinishLoading();
  const std::size_t before = deleted.size();
  const int result = store_.DeleteKokyaku(ids, deleted);
  ForgetDeleted(records::IdArray(deleted.begin() + static_cast<std::ptrdiff_t>(before), deleted.end()));
  return result;
}

// The store removed these customers with their history: so do the lists.
void CTovanaDoc::ForgetDeleted(const records::IdArray& deleted) {
  if (deleted.empty()) return;
  const std::unordered_set<std::int32_t> gone(deleted.begin(), deleted.end());
  std::erase_if(customers_, [&](const auto& k) { return gone.contains(k->ID); });
  std::erase_if(history_, [&](const auto& r) { return gone.contains(r->CustomerID); });
  std::erase_if(extractedIds_, [&](std::int32_t id) { return gone.contains(id); });
}

std::vector<const CKokyaku*> CTovanaDoc::FindCustomers(const records::IdArray& ids) {
  FinishLoading();
  std::unordered_map<std::int32_t, const CKokyaku*> byId;
  for (const auto& k : customers_) {
    if (k) byId.emplace(k->ID, k.get());
  }
  std::vector<const CKokyaku*> found;
  for (std::int32_t id : ids) {
    if (const auto it = byId.find(id); it != byId.end()) found.push_back(it->second);
  }
  return found;
}

int CTovanaDoc::GetMailAddresses(const records::IdArray& ids, std::vector<std::string>& addresses) {
  addresses.clear();
  for (const CKokyaku* k : FindCustomers(ids)) {
    const std::string& address = records::CommonMailAddress(*k);
    if (!address.empty()) addresses.push_back(address);
  }
  if (addresses.empty()) return -1;
  return addresses.size() == ids.size() ? 1 : 0;
}

fs::path CTovanaDoc::PictureStoreFolder() const { return dataFolder_ / kPictureFolderName; }

fs::path CTovanaDoc::PictureFolder() const {
  return pastPictureFolder_.empty() ? PictureStoreFolder() : pastPictureFolder_;
}

bool CTovanaDoc::StorePicture(std::string& field) {
  // A bare name is a picture already in the store; a chosen file arrives as a path.
  if (field.find('/') == std::string::npos) return true;
  if (dataFolder_.empty()) return false;
  std::string why;
  const std::optional<std::string> stored = platform::StoreUnderFreeName(PictureStoreFolder(), field, why);
  if (!stored) return false;
  field = *stored;
  return true;
}

// A picture that cannot be copied keeps its path, and the customer is saved all the same.
void CTovanaDoc::StorePictures(CKokyaku& customer) {
  for (std::string* field : PictureFields(customer)) StorePicture(*field);
}

int CTovanaDoc::CardType() const {
  if (!profile_) return kCardNormal;
  const int type = profile_->GetInt(kProfileSection, kCardTypeEntry, kCardNormal);
  return type >= kCardNormal && type <= kCardCompany ? type : kCardNormal;
}

int CTovanaDoc::SetCardType(int type) {
  if (!profile_ || type < kCardNormal || type > kCardCompany) return 0;
  return profile_->WriteInt(kProfileSection, kCardTypeEntry, type) ? 1 : 0;
}

}  // namespace shell
