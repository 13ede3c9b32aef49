#include "lookup/CLookupFacility.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/CTovanaApp.h"
#include "lookup/LookupTestSupport.h"
#include "platform/CProfile.h"
#include "platform/InstallLayout.h"
#include "platform/ScopedEnv.h"
#include "platform/TempFolder.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "ui/ScriptedUi.h"

namespace lookup {
namespace {

namespace fs = std::filesystem;
using testing_support::ScopedEnv;
using testing_support::TempFolder;

constexpr const char* kPostalNotOpened = "データが開けませんでした。\n郵便番号データ検索ができません。\n";
constexpr const char* kPhoneNotOpened =
    "電話番号検索のためのデータが開けませんでした。\n電話番号からの検索、住所からの検索ができません。\n";
constexpr const char* kPhonePathsMissing =
    "電話番号検索のためのデータパスが取得できませんでした。\n"
    "電話番号検索をするには、ソレル電話帳のCDをセットして操作しなおしてください。\n";
constexpr const char* kDataPathMissing = "データパスの取得に失敗しました。\nﾕｰｻﾞｰ電話帳データを使用できません。";

const std::vector<CPhoneCandidate> kBook = {
    {"03-1234-5678", "1000001", "山田商店", "東京都", "千代田区", "千代田", "１－１"},
    {"06-1111-2222", "5300001", "大阪支店", "大阪府", "大阪市北区", "梅田", "１－１"},
};

// An installation folder with its machine profile, and media looked for only in a folder of
// the test.
class LookupFacilityTest : public ::testing::Test {
 protected:
  LookupFacilityTest() { fs::create_directories(media_); }

  void SetMachine(const std::string& entry, const std::string& value) {
    platform::CProfile profile(platform::MachineIniFile(install_));
    ASSERT_TRUE(profile.WriteString(CLookupFacility::kMachineSection, entry, value)) << profile.LastError();
  }
  void NameSampleDictionaries() {
    testing_support::WriteSampleDictionaries(install_ / "Data" / "Yubin", install_ / "Data" / "Hojin");
    SetMachine("YubinPath", "Data/Yubin");
    SetMachine("HojinPath", (install_ / "Data" / "Hojin").string());
  }

  TempFolder temp_;
  fs::path install_ = temp_ / "install";
  fs::path media_ = temp_ / "media";
  ScopedEnv mediaRoots_{"TOVANA_MEDIA_ROOTS", media_.string()};
  ui::ScriptedUi ui_{[](const std::string& why) { ADD_FAILURE() << why; }};
  CLookupFacility facility_{ui_, install_};
};

TEST_F(LookupFacilityTest, PostalDictionaryOpensFromRelativeAndAbsolutePathsOnce) {
  NameSampleDictionaries();
  EXPECT_EQ(facility_.PostalStatus(), -1);
  EXPECT_EQ(facility_.OpenPostalDictionary(true), 1);
  EXPECT_EQ(facility_.PostalStatus(), 0);
  EXPECT_EQ(ui_.WaitCount(), 1);
  std::vector<CPostalCandidate> found;
  EXPECT_EQ(facility_.PostalDictionary().MultiDB_Search("1000001", CMultiDB::Dictionary::Postal, found), 0);
  EXPECT_EQ(found.size(), 1u);
  EXPECT_EQ(facility_.OpenPostalDictionary(true), 1);
  EXPECT_EQ(ui_.WaitCount(), 1) << "an open dictionary is not opened again";
}

TEST_F(LookupFacilityTest, PostalPathsMissingAreReportedOnlyWhenAsked) {
  SetMachine("YubinPath", "Data/Yubin");
  EXPECT_EQ(facility_.OpenPostalDictionary(false), 0);
  ui_.ExpectMessage("郵便番号・住所検索のためのデータが取得できませんでした。\n");
  EXPECT_EQ(facility_.OpenPostalDictionary(true), 0);
  EXPECT_TRUE(ui_.Done());
}

TEST_F(LookupFacilityTest, EachDictionaryFaultShowsItsMessageThenTheGeneralOne) {
  NameSampleDictionaries();
  const fs::path postal = install_ / "Data" / "Yubin" / CMultiDB::kPostalFileName;
  const fs::path business = install_ / "Data" / "Hojin" / CMultiDB::kBusinessFileName;
  const std::string whole = testing_support::ReadBytes(postal);
  const std::string wholeBusiness = testing_support::ReadBytes(business);
  struct Case {
    std::function<void()> damage;
    int code;
    const char* message;
  };
  const std::vector<Case> cases = {
      {[&] { fs::remove(postal); }, 2, "辞書ファイルをオープンできません\n2\n"},
      {[&] { testing_support::WriteBytes(postal, whole.substr(0, whole.size() / 2)); }, 4, "ファイルが壊れています\n4\n"},
      {[&] { testing_support::SetDictionaryMeta(postal, "Version", "9"); }, 5, "辞書のバージョンが正しくありません\n5\n"},
      {[&] { fs::remove(business); }, 35, "法人辞書ファイルをオープンできません\n35\n"},
      {[&] { testing_support::SetDictionaryMeta(business, "Version", "9"); }, 36,
       "法人辞書のバージョンが正しくありません\n36\n"},
  };
  for (const Case& c : cases) {
    testing_support::WriteBytes(postal, whole);
    testing_support::WriteBytes(business, wholeBusiness);
    c.damage();
    ui_.ExpectMessage(c.message).ExpectMessage(kPostalNotOpened);
    EXPECT_EQ(facility_.OpenPostalDictionary(true), 0) << c.code;
    EXPECT_EQ(facility_.PostalStatus(), c.code);
    EXPECT_TRUE(ui_.Done()) << c.code;
  }
  testing_support::WriteBytes(postal, whole);
  testing_support::WriteBytes(business, wholeBusiness);
  EXPECT_EQ(facility_.OpenPostalDictionary(true), 1) << "a repaired dictionary opens on the next try";
}

TEST_F(LookupFacilityTest, NoMediumAndNoPathsAsksForThePhoneBookMedium) {
  EXPECT_EQ(facility_.OpenPhoneBook(false), 0);
  ui_.ExpectMessage(kPhonePathsMissing);
  EXPECT_EQ(facility_.OpenPhoneBook(true), 0);
  EXPECT_FALSE(facility_.IsPhoneBookOpen());
}

TEST_F(LookupFacilityTest, PhoneBookOpensFromTheDiskPathAloneAndMergesTheUsersBook) {
  testing_support::WriteSampleBook(install_ / "Tel", kBook);
  SetMachine("HDPath", "Tel");
  SetMachine("DataPath", "Tel");
  EXPECT_EQ(facility_.OpenPhoneBook(true), 1);
  ASSERT_EQ(facility_.LoadUserPhoneBook(), 1);
  auto added = std::make_shared<CZQAddress>();
  ASSERT_TRUE(added->Assign({"03-1234-5678", "1000001", "山田商店 新館", "東京都", "千代田区", "千代田", "２－２"}));
  facility_.UserPhoneBook().Add(CUserPhoneBook::List::Added, added);
  std::vector<CPhoneCandidate> found;
  ASSERT_EQ(facility_.SearchPhoneBook("０３-1234-5678", found), 2);
  EXPECT_EQ(found[0], kBook[0]);
  EXPECT_EQ(found[1].name, "山田商店 新館");
  EXPECT_EQ(facility_.SearchPhoneBook("", found), -1);
}

TEST_F(LookupFacilityTest, PhoneBookOnAMountedMediumIsFound) {
  testing_support::WriteSampleBook(media_ / "b-other" / "Data", kBook);
  testing_support::WriteSampleBook(media_ / "c-tel" / "SorelleTel", kBook);
  testing_support::WriteSampleBook(media_ / "d-tel" / "SorelleTel", {kBook[1]});
  ui_.ExpectMessage(kDataPathMissing);  // the book opens; the user's corrections have no folder
  EXPECT_EQ(facility_.OpenPhoneBook(true), 1);
  std::vector<CPhoneCandidate> found;
  EXPECT_EQ(facility_.SearchPhoneBook("0312345678", found), 1) << "the first medium by name holds the book";
  // The medium's book copied to the disk opens without the medium.
  EXPECT_EQ(facility_.PhoneBook().Fnw_CopyDic(media_ / "c-tel", install_ / "Tel"), 1);
  fs::remove_all(media_ / "c-tel");
  fs::remove_all(media_ / "d-tel");
  facility_.CloseLookups();
  SetMachine("HDPath", (install_ / "Tel").string());
  EXPECT_EQ(facility_.OpenPhoneBook(true), 1);
}

TEST_F(LookupFacilityTest, BrokenPhoneBookOrDifferenceDataDoesNotOpen) {
  testing_support::WriteSampleBook(install_ / "Tel", kBook);
  fs::create_directories(install_ / "Diff");
  testing_support::WriteBytes(install_ / "Diff" / "ZQTelDiff.fnw", "not a phone book");
  SetMachine("HDPath", "Tel");
  SetMachine("DiffPath", "Diff");
  SetMachine("DataPath", "Tel");
  ui_.ExpectMessage(kPhoneNotOpened);
  EXPECT_EQ(facility_.OpenPhoneBook(true), 0);
  testing_support::WriteSampleBook(install_ / "Diff", {kBook[1]}, "ZQTelDiff.fnw");
  EXPECT_EQ(facility_.OpenPhoneBook(true), 1);
  std::vector<CPhoneCandidate> found;
  EXPECT_EQ(facility_.SearchPhoneBook("06-1111-2222", found), 2) << "the book's entry, then the difference's";
}

TEST_F(LookupFacilityTest, OpeningThePhoneBookReadsTheUsersCorrectionsForEverySearch) {
  testing_support::WriteSampleBook(install_ / "Tel", kBook);
  SetMachine("HDPath", "Tel");
  SetMachine("DataPath", "Tel");
  {
    CUserPhoneBook saved;
    auto added = std::make_shared<CZQAddress>();
    ASSERT_TRUE(added->Assign({"03-1234-5678", "1000001", "山田商店 新館", "東京都", "千代田区", "千代田", "２－２"}));
    saved.Add(CUserPhoneBook::List::Added, added);
    std::string error;
    ASSERT_TRUE(saved.Save(install_ / "Tel", [](const fs::path&) { return false; }, error)) << error;
  }
  EXPECT_EQ(facility_.OpenPhoneBook(false), 1);
  std::vector<CPhoneCandidate> found;
  ASSERT_EQ(facility_.SearchPhoneBook("03-1234-5678", found), 2);
  EXPECT_EQ(found[1].name, "山田商店 新館");
}

TEST_F(LookupFacilityTest, AUserBookThatCouldNotBeReadAtStartIsReportedByTheFirstLookupOnly) {
  testing_support::WriteSampleBook(install_ / "Tel", kBook);
  SetMachine("HDPath", "Tel");
  EXPECT_EQ(facility_.OpenPhoneBook(false), 1);  // start-up: silent
  ui_.ExpectMessage(kDataPathMissing);
  EXPECT_EQ(facility_.OpenPhoneBook(true), 1) << "the book itself is open";
  EXPECT_EQ(facility_.OpenPhoneBook(true), 1);
  EXPECT_TRUE(ui_.Done());
}

TEST_F(LookupFacilityTest, CorrectionsNotYetSavedAreNotReadOverWhenTheBookOpens) {
  testing_support::WriteSampleBook(install_ / "Tel", kBook);
  SetMachine("HDPath", "Tel");
  SetMachine("DataPath", "Tel");
  auto deleted = std::make_shared<CZQAddress>();
  ASSERT_TRUE(deleted->Assign({"03-1234-5678", "", "", "", "", "", ""}));
  facility_.UserPhoneBook().Add(CUserPhoneBook::List::Deleted, deleted);
  EXPECT_EQ(facility_.OpenPhoneBook(false), 1);
  EXPECT_EQ(facility_.UserPhoneBook().Get(CUserPhoneBook::List::Deleted).size(), 1u);
  std::vector<CPhoneCandidate> found;
  EXPECT_EQ(facility_.SearchPhoneBook("03-1234-5678", found), 0) << "the person deleted that entry";
}

TEST_F(LookupFacilityTest, UserPhoneBookNeedsItsDataPath) {
  ui_.ExpectMessage(kDataPathMissing);
  EXPECT_EQ(facility_.LoadUserPhoneBook(), 0);
  EXPECT_EQ(facility_.SaveUserPhoneBook(), 1) << "nothing changed, nothing to write";
  facility_.UserPhoneBook().Add(CUserPhoneBook::List::Deleted, std::make_shared<CZQAddress>());
  ui_.ExpectMessage(kDataPathMissing);
  EXPECT_EQ(facility_.SaveUserPhoneBook(), 0);
}

TEST_F(LookupFacilityTest, SaveOverAnExistingFileLeavesNoTmpOrDel) {
  fs::create_directories(install_ / "Tel");
  SetMachine("DataPath", "Tel");
  const fs::path file = install_ / "Tel" / CUserPhoneBook::kAddedFileName;
  testing_support::WriteBytes(file, std::string("\0\0", 2));  // an empty list
  ASSERT_EQ(facility_.LoadUserPhoneBook(), 1);
  facility_.UserPhoneBook().Add(CUserPhoneBook::List::Added, std::make_shared<CZQAddress>());
  EXPECT_EQ(facility_.SaveUserPhoneBook(), 1);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(install_ / "Tel")) names.push_back(entry.path().filename());
  EXPECT_EQ(names, (std::vector<std::string>{"UserAddTelData.dat"}));
  EXPECT_GT(fs::file_size(file), 2u);
}

TEST_F(LookupFacilityTest, UnreadableUserFileIsReportedAndOverwrittenOnlyOnYes) {
  fs::create_directories(install_ / "Tel");
  SetMachine("DataPath", "Tel");
  const fs::path file = install_ / "Tel" / CUserPhoneBook::kDeletedFileName;
  testing_support::WriteBytes(file, "garbage");
  ui_.ExpectMessage("ﾕｰｻﾞｰ電話帳データを読み込めませんでした。ファイルが壊れている可能性があります。\n" + file.string());
  EXPECT_EQ(facility_.LoadUserPhoneBook(), 0);
  facility_.UserPhoneBook().Add(CUserPhoneBook::List::Deleted, std::make_shared<CZQAddress>());
  const std::string question = "ﾕｰｻﾞｰ電話帳データは読み込めなかったため、保存すると元の内容は失われます。\n" +
                               file.string() + "\n上書きしてよろしいですか？";
  ui_.ExpectMessage(question, ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No, ui::Answer::No);
  EXPECT_EQ(facility_.SaveUserPhoneBook(), 0);
  EXPECT_EQ(testing_support::ReadBytes(file), "garbage");
  ui_.ExpectMessage(question, ui::Answer::Yes);
  EXPECT_EQ(facility_.SaveUserPhoneBook(), 1);
  EXPECT_NE(testing_support::ReadBytes(file), "garbage");
}

// The program's own start: the factory profile names the dictionaries relative to the
// installation, which the first start lays out; the phone book stays closed.
class LookupStartTest : public ::testing::Test {
 protected:
  LookupStartTest() {
    fs::create_directories(factory_ / "Data" / "Org");
    records::CQmvFile::CreateDatabaseFile(factory_ / "Data" / "Org" / "ZQQMV.qmv", records::QmvSchemaSql());
    testing_support::WriteSampleDictionaries(factory_ / "Data" / "Yubin", factory_ / "Data" / "Hojin");
    platform::CProfile profile(platform::MachineIniFile(factory_));
    profile.WriteString(CLookupFacility::kMachineSection, "YubinPath", "Data/Yubin");
    profile.WriteString(CLookupFacility::kMachineSection, "HojinPath", "Data/Hojin");
    fs::create_directories(temp_ / "run");
    fs::create_directories(temp_ / "media");
  }

  TempFolder temp_;
  fs::path factory_ = temp_ / "factory";
  ScopedEnv home_{"TOVANA_HOME", (temp_ / "home" / "tovana").string()};
  ScopedEnv factoryEnv_{"TOVANA_FACTORY_DIR", factory_.string()};
  ScopedEnv locks_{"TOVANA_LOCK_DIR", (temp_ / "locks").string()};
  ScopedEnv runtime_{"XDG_RUNTIME_DIR", (temp_ / "run").string()};
  ScopedEnv config_{"XDG_CONFIG_HOME", (temp_ / "config").string()};
  ScopedEnv mediaRoots_{"TOVANA_MEDIA_ROOTS", (temp_ / "media").string()};
  ui::ScriptedUi ui_{[](const std::string& why) { ADD_FAILURE() << why; }};
};

TEST_F(LookupStartTest, StartUpOpensThePostalDictionarySilentlyAndOpenLookupsTellsWhatFailed) {
  app::CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(app.Lookups().PostalStatus(), 0);
  EXPECT_FALSE(app.Lookups().IsPhoneBookOpen());
  ui_.ExpectMessage("データが開けませんでした。\n電話番号からの検索、住所からの検索ができません。\n");
  EXPECT_EQ(app.OpenLookups(true), 0);
  ui_.ExpectMessage(kPhonePathsMissing);
  EXPECT_EQ(app.OpenPhoneBook(true), 0);
  app.OnCloseMainWindow();
  app.ExitInstance();
  EXPECT_EQ(app.Lookups().PostalStatus(), -1);
  EXPECT_TRUE(ui_.Done());
}

TEST_F(LookupStartTest, ClosingTheMainWindowSavesTheUsersPhoneBookCorrections) {
  platform::CProfile(platform::MachineIniFile(factory_)).WriteString(CLookupFacility::kMachineSection, "DataPath", "Data/ZQTel");
  app::CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  const fs::path folder = app.InstallFolder() / "Data" / "ZQTel";
  fs::create_directories(folder);
  auto added = std::make_shared<CZQAddress>();
  ASSERT_TRUE(added->Assign({"06-1111-2222", "5300001", "大阪支店 別館", "大阪府", "大阪市北区", "梅田", "２－２"}));
  app.Lookups().UserPhoneBook().Add(CUserPhoneBook::List::Added, added);
  app.OnCloseMainWindow();
  app.ExitInstance();
  CUserPhoneBook saved;
  EXPECT_TRUE(saved.Load(folder).empty());
  ASSERT_EQ(saved.Get(CUserPhoneBook::List::Added).size(), 1u);
  EXPECT_FALSE(app.Lookups().UserPhoneBook().IsChanged());
}

TEST_F(LookupStartTest, OpenLookupsWithNeitherLookupSaysSoOnce) {
  fs::remove_all(factory_ / "Data" / "Yubin");
  app::CTovanaApp app(ui_);
  ASSERT_TRUE(app.InitInstance());
  EXPECT_EQ(app.Lookups().PostalStatus(), 2);
  ui_.ExpectMessage("検索のためのデータがすべて取得できませんでした。\n検索ができません。\n");
  EXPECT_EQ(app.OpenLookups(true), 0);
  app.OnCloseMainWindow();
  app.ExitInstance();
}

}  // namespace
}  // namespace lookup
