#include "lookup/CLookupFacility.h"

#include "lookup/PhoneBookMedium.h"
#include "platform/CProfile.h"
#include "platform/InstallLayout.h"

namespace lookup {
namespace fs = std::filesystem;

namespace {

constexpr const char* kPostalPathsMissing = "郵便番号・住所検索のためのデータが取得できませんでした。\n";
constexpr const char* kPostalNotOpened = "データが開けませんでした。\n郵便番号データ検索ができません。\n";
constexpr const char* kPhonePathsMissing =
    "電話番号検索のためのデータパスが取得できませんでした。\n"
    "電話番号検索をするには、ソレル電話帳のCDをセットして操作しなおしてください。\n";
constexpr const char* kPhoneNotOpened =
    "電話番号検索のためのデータが開けませんでした。\n電話番号からの検索、住所からの検索ができません。\n";
constexpr const char* kDataPathMissing = "データパスの取得に失敗しました。\nﾕｰｻﾞｰ電話帳データを使用できません。";
constexpr const char* kUserBookUnreadable =
    "ﾕｰｻﾞｰ電話帳データを読み込めませんでした。ファイルが壊れている可能性があります。\n";
constexpr const char* kUserBookOverwrite =
    "ﾕｰｻﾞｰ電話帳データは読み込めなかったため、保存すると元の内容は失われます。\n";
constexpr const char* kUserBookNotSaved = "ﾕｰｻﾞｰ電話帳データを保存できませんでした。\n";

const char* PostalCodeMessage(int code) {
  switch (code) {
    case CMultiDB::kBadParameter: return "パラメーターの内容に問題があります\n1\n";
    case CMultiDB::kCannotOpen: return "辞書ファイルをオープンできません\n2\n";
    case CMultiDB::kOutOfMemory: return "メモリ不足です\n3\n";
    case CMultiDB::kBroken: return "ファイルが壊れています\n4\n";
    case CMultiDB::kWrongVersion: return "辞書のバージョンが正しくありません\n5\n";
    case CMultiDB::kBusinessCannotOpen: return "法人辞書ファイルをオープンできません\n35\n";
    case CMultiDB::kBusinessWrongVersion: return "法人辞書のバージョンが正しくありません\n36\n";
    default: return nullptr;
  }
}

}  // namespace

CLookupFacility::CLookupFacility(ui::Ui& ui, fs::path installFolder) : ui_(ui), install_(std::move(installFolder)) {}

fs::path CLookupFacility::MachinePath(std::string_view entry) const {
  const platform::CProfile profile(platform::MachineIniFile(install_));
  const fs::path value(profile.GetString(kMachineSection, entry));
  if (value.empty() || value.is_absolute()) return value;
  return install_ / value;
}

int CLookupFacility::OpenPostalDictionary(bool report) {
  if (postalStatus_ == CMultiDB::kOpen) return 1;
  ui::WaitScope wait = ui_.Wait();
  const fs::path postal = MachinePath("YubinPath");
  const fs::path business = MachinePath("HojinPath");
  if (postal.empty() || business.empty()) {
    if (report) ui_.Tell(kPostalPathsMissing);
    return 0;
  }
  postalStatus_ = postal_.MultiDB_Open(postal, business);
  if (postalStatus_ == CMultiDB::kOpen) return 1;
  if (report) ReportPostalFailure(postalStatus_);
  return 0;
}

void CLookupFacility::ReportPostalFailure(int code) {
  if (const char* message = PostalCodeMessage(code)) ui_.Tell(message);
  ui_.Tell(kPostalNotOpened);
}

int CLookupFacility::OpenPhoneBook(bool report) {
  if (!phoneBook_.IsOpen()) {
    ui::WaitScope wait = ui_.Wait();
    const fs::path medium = FindPhoneBookMedium(MediaRoots());
    const fs::path disk = MachinePath("HDPath");
    const fs::path diff = MachinePath("DiffPath");
    if (disk.empty() && diff.empty() && medium.empty()) {
      if (report) ui_.Tell(kPhonePathsMissing);
      return 0;
    }
    if (phoneBook_.Fnw_Open(disk, medium, diff) != 1) {
      if (report) ui_.Tell(kPhoneNotOpened);
      return 0;
    }
  }
  // Corrections the person made since are newer than the files: they are never read over.
  if (!userBookRead_ && !userBook_.IsChanged()) ReadUserPhoneBook(report);
  return 1;
}

int CLookupFacility::LoadUserPhoneBook() { return ReadUserPhoneBook(true); }

int CLookupFacility::ReadUserPhoneBook(bool report) {
  const fs::path folder = MachinePath("DataPath");
  if (folder.empty()) {
    if (report) ui_.Tell(kDataPathMissing);
    userBookRead_ = report;
    return 0;
  }
  const std::vector<fs::path> unreadable = userBook_.Load(folder);
  if (report) {
    for (const fs::path& file : unreadable) ui_.Tell(kUserBookUnreadable + file.string());
  }
  userBookRead_ = report || unreadable.empty();
  return unreadable.empty() ? 1 : 0;
}

int CLookupFacility::SaveUserPhoneBook() {
  if (!userBook_.IsChanged()) return 1;
  const fs::path folder = MachinePath("DataPath");
  if (folder.empty()) {
    ui_.Tell(kDataPathMissing);
    return 0;
  }
  bool declined = false;
  std::string error;
  const bool saved = userBook_.Save(
      folder,
      [this, &declined](const fs::path& file) {
        const bool yes = ui_.Ask(kUserBookOverwrite + file.string() + "\n上書きしてよろしいですか？", ui::Answer::No);
        declined = declined || !yes;
        return yes;
      },
      error);
  // A list the person chose to keep needs no further word; a failed write does.
  if (!saved && !declined) ui_.Tell(kUserBookNotSaved);
  return saved ? 1 : 0;
}

void CLookupFacility::CloseLookups() {
  postal_.MultiDB_Close();
  phoneBook_.Fnw_Close();
  postalStatus_ = -1;
}

int CLookupFacility::SearchPhoneBook(std::string_view tel, std::vector<CPhoneCandidate>& candidates) {
  if (phoneBook_.Fnw_Search(tel, candidates) < 0) return -1;
  userBook_.Merge(tel, candidates);
  return static_cast<int>(candidates.size());
}

}  // namespace lookup
