#include "shell/CTovanaDoc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/CProfile.h"
#include "platform/TempFolder.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "text/Cp932.h"
#include "ui/ScriptedUi.h"

namespace shell {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class DocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(install_ / "Data" / "MyData");
    fs::create_directories(data_);
    ASSERT_EQ(records::CQmvFile::CreateDatabaseFile(data_ / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
  }

  TempFolder install_, dataRoot_;
  fs::path data_ = dataRoot_ / "顧客データ";
  ui::ScriptedUi ui_{[](const std::string& why) { ADD_FAILURE() << why; }};
  platform::CProfile profile_{install_ / "KokyakuVM.ini"};
  CTovanaDoc doc_{ui_, install_.Path(), &profile_};
};

TEST_F(DocTest, DataFolderIsWrittenAsCp932WithoutLineEndAndReadBack) {
  doc_.SetDataFolder(data_);
  ASSERT_EQ(doc_.WriteDataFolder(), 1);
  EXPECT_EQ(ReadBytes(doc_.DataDirFile()), *text::ToCp932(data_.string()));
  doc_.SetDataFolder({});
  EXPECT_EQ(doc_.ReadDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), data_);
}

TEST_F(DocTest, FinalSeparatorIsDroppedAndAFolderWithoutDatabaseFails) {
  WriteBytes(doc_.DataDirFile(), *text::ToCp932(data_.string() + "/"));
  EXPECT_EQ(doc_.ReadDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), data_);
  WriteBytes(doc_.DataDirFile(), "/");
  EXPECT_EQ(doc_.ReadDataFolder(), 0);
  fs::remove(doc_.DataDirFile());
  EXPECT_EQ(doc_.ReadDataFolder(), 0);
  EXPECT_TRUE(doc_.DataFolder().empty());
}

TEST_F(DocTest, PathOutsideCp932SurvivesTheDataDirFile) {
  const fs::path odd = dataRoot_ / "데이터";
  fs::create_directories(odd);
  fs::copy_file(data_ / "ZQQMV.qmv", odd / "ZQQMV.qmv");
  doc_.SetDataFolder(odd);
  ASSERT_EQ(doc_.WriteDataFolder(), 1);
  EXPECT_EQ(doc_.ReadDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), odd);
}

TEST_F(DocTest, ChooserRefusesRootsAndFoldersWithoutDatabaseUntilCancelled) {
  ui_.ExpectFolder(fs::path("/"))
      .ExpectMessage("ルートディレクトリは指定できません。\nフォルダを選択しなおしてください")
      .ExpectFolder(dataRoot_.Path())
      .ExpectMessage("指定されたフォルダにはデータファイルが存在しません\nフォルダを指定しなおしてください")
      .ExpectFolder(std::nullopt);
  EXPECT_EQ(doc_.ChooseDataFolder(), 0);
  EXPECT_FALSE(fs::exists(doc_.DataDirFile()));

  ui_.ExpectFolder(fs::path(data_.string() + "/"));
  EXPECT_EQ(doc_.ChooseDataFolder(), 1);
  EXPECT_EQ(doc_.DataFolder(), data_);
  EXPECT_EQ(ReadBytes(doc_.DataDirFile()), *text::ToCp932(data_.string()));
}

TEST_F(DocTest, EndInfoHoldsTabAndFormAsEightBytes) {
  doc_.SetMenuState(2, 40001);
  ASSERT_EQ(doc_.WriteEndInfo(), 1);
  EXPECT_EQ(ReadBytes(doc_.EndInfoFile()), std::string("\x02\x00\x00\x00\x41\x9C\x00\x00", 8));
  doc_.SetMenuState(0, 0);
  ASSERT_EQ(doc_.ReadEndInfo(), 1);
  EXPECT_EQ(doc_.MenuTab(), 2);
  EXPECT_EQ(doc_.SelectedForm(), 40001);
}

TEST_F(DocTest, MissingOrShortEndInfoLeavesTheMenuStateAlone) {
  doc_.SetMenuState(3, 7);
  EXPECT_EQ(doc_.ReadEndInfo(), 0);
  WriteBytes(doc_.EndInfoFile(), std::string("\x01\x00\x00\x00\x05", 5));
  EXPECT_EQ(doc_.ReadEndInfo(), 0);
  EXPECT_EQ(doc_.MenuTab(), 3);
  EXPECT_EQ(doc_.SelectedForm(), 7);
}

TEST_F(DocTest, CardTypeIsWrittenAtOnceAndOddValuesReadAsNormal) {
  EXPECT_EQ(doc_.CardType(), kCardNormal);
  ASSERT_EQ(doc_.SetCardType(kCardCompany), 1);
  EXPECT_EQ(platform::CProfile(profile_.File()).GetInt("Settings", "CardType", -1), kCardCompany);
  EXPECT_EQ(doc_.SetCardType(3), 0);
  EXPECT_EQ(doc_.SetCardType(-1), 0);
  EXPECT_EQ(doc_.CardType(), kCardCompany);
  ASSERT_TRUE(profile_.WriteInt("Settings", "CardType", 7));
  EXPECT_EQ(doc_.CardType(), kCardNormal);

  CTovanaDoc withoutProfile(ui_, install_.Path(), nullptr);
  EXPECT_EQ(withoutProfile.CardType(), kCardNormal);
  EXPECT_EQ(withoutProfile.SetCardType(kCardPerson), 0);
}

TEST_F(DocTest, FreeingRecordsForgetsTheExtractionAndTheAnalysis) {
  doc_.Customers().push_back(std::make_unique<records::CKokyaku>());
  doc_.History().push_back(std::make_unique<records::CRirekiData>());
  doc_.ExtractedIds() = {4, 5};
  doc_.SetExtraction(std::make_unique<settings::CExCondition>(), true);
  doc_.Analysis().kind = 4;
  doc_.Analysis().dmId = 9;
  doc_.Analysis().ids = {1};
  doc_.Analysis().hits.push_back(std::make_unique<records::CQMVRainbowHit>());
  doc_.FreeRecords();
  EXPECT_TRUE(doc_.Customers().empty());
  EXPECT_TRUE(doc_.History().empty());
  EXPECT_TRUE(doc_.ExtractedIds().empty());
  EXPECT_EQ(doc_.CurrentExtraction(), nullptr);
  EXPECT_FALSE(doc_.IsExtractionSaved());
  EXPECT_EQ(doc_.Analysis().kind, -1);
  EXPECT_EQ(doc_.Analysis().dmId, 0);
  EXPECT_TRUE(doc_.Analysis().ids.empty());
  EXPECT_TRUE(doc_.Analysis().hits.empty());
}

// The document on an open database, as after start-up.
class DocCustomersTest : public DocTest {
 protected:
  void SetUp() override {
    DocTest::SetUp();
    doc_.SetDataFolder(data_);
    ASSERT_EQ(doc_.Store().InitDB(data_), 1) << doc_.Store().DispOleDBErrDlg();
  }

  static std::unique_ptr<records::CKokyaku> Customer(const std::string& name) {
    auto k = std::make_unique<records::CKokyaku>();
    k->Name = name;
    return k;
  }

  std::int32_t Add(const std::string& name) {
    auto k = Customer(name);
    const int id = doc_.AddCustomer(k);
    EXPECT_GT(id, 0) << doc_.Store().DispOleDBErrDlg();
    return id;
  }

  // The document's list, by ID, against what the database holds now.
  void ExpectListEqualsDatabase() {
    records::KokyakuList stored;
    ASSERT_EQ(doc_.Store().GetAllKokyaku(stored), 1);
    std::vector<records::CKokyaku> inDatabase, inList;
    for (const auto& k : stored) inDatabase.push_back(*k);
    for (const auto& k : doc_.Customers()) inList.push_back(*k);
    const auto byId = [](const records::CKokyaku& a, const records::CKokyaku& b) { return a.ID < b.ID; };
    std::sort(inDatabase.begin(), inDatabase.end(), byId);
    std::sort(inList.begin(), inList.end(), byId);
    EXPECT_EQ(inList, inDatabase);
  }

  std::vector<std::int32_t> ListIds() {
    std::vector<std::int32_t> ids;
    for (const auto& k : doc_.Customers()) ids.push_back(k->ID);
    return ids;
  }

  fs::path pictures_ = data_ / "Picture";
};

TEST_F(DocCustomersTest, AddModifyAndDeleteKeepTheListEqualToTheDatabase) {
  const std::int32_t a = Add("青木"), b = Add("馬場"), c = Add("千葉");
  EXPECT_EQ(ListIds(), (std::vector<std::int32_t>{c, b, a}));
  const records::CKokyaku& added = *doc_.Customers().front();
  EXPECT_TRUE(added.StartDate.IsValid());
  EXPECT_EQ(added.LastUpDate, added.StartDate);
  EXPECT_EQ(added.RirekiUpDate, added.StartDate);
  ExpectListEqualsDatabase();

  auto changed = std::make_unique<records::CKokyaku>(*doc_.Customers()[1]);
  changed->Name = "馬場 改";
  changed->LastUpDate = records::COleDate::FromCivil(2001, 1, 1);
  changed->ID = 0;
  const records::CKokyaku* replacement = changed.get();
  ASSERT_EQ(doc_.ModifyCustomer(b, changed), 1);
  EXPECT_EQ(changed, nullptr);
  EXPECT_EQ(doc_.Customers()[1].get(), replacement);
  EXPECT_EQ(replacement->ID, b);
  EXPECT_GT(replacement->LastUpDate.Value(), records::COleDate::FromCivil(2020, 1, 1).Value());
  ExpectListEqualsDatabase();

  records::CRirekiData entry;
  entry.ActionTitle = "来店";
  const records::COleDate now = records::COleDate::Now();
  ASSERT_GT(doc_.Store().AddNewRireki(a, entry, now), 0);
  ASSERT_GT(doc_.Store().AddNewRireki(c, entry, now), 0);
  ASSERT_EQ(doc_.Store().GetAllRireki(doc_.History()), 1);
  doc_.ExtractedIds() = {a, b};
  records::IdArray deleted;
  EXPECT_EQ(doc_.DeleteCustomers({a, 9999}, deleted), 10);
  EXPECT_EQ(deleted, records::IdArray{a});
  EXPECT_EQ(ListIds(), (std::vector<std::int32_t>{c, b}));
  EXPECT_EQ(doc_.ExtractedIds(), records::IdArray{b});
  ASSERT_EQ(doc_.History().size(), 1u);
  EXPECT_EQ(doc_.History()[0]->CustomerID, c);
  ExpectListEqualsDatabase();
}

TEST_F(DocCustomersTest, RefusedOrFailedChangesLeaveTheRecordWithTheCaller) {
  const std::int32_t a = Add("青木");
  std::unique_ptr<records::CKokyaku> none;
  EXPECT_EQ(doc_.AddCustomer(none), -1);
  EXPECT_EQ(doc_.ModifyCustomer(a, none), -1);

  auto unknown = Customer("どこにもいない");
  EXPECT_EQ(doc_.ModifyCustomer(a + 100, unknown), 0);
  ASSERT_NE(unknown, nullptr);
  EXPECT_EQ(unknown->Name, "どこにもいない");

  WriteBytes(dataRoot_ / "photo.jpg", "jpeg");
  doc_.SetReadOnly(true);
  auto refused = Customer("過去データ中");
  refused->Picture1 = (dataRoot_ / "photo.jpg").string();
  EXPECT_EQ(doc_.AddCustomer(refused), -1);
  EXPECT_EQ(doc_.ModifyCustomer(a, refused), -1);
  ASSERT_NE(refused, nullptr);
  EXPECT_EQ(refused->Picture1, (dataRoot_ / "photo.jpg").string());
  EXPECT_FALSE(fs::exists(pictures_));
  EXPECT_EQ(doc_.Customers().size(), 1u);
  ExpectListEqualsDatabase();
}

TEST_F(DocCustomersTest, ChosenPicturesAreStoredUnderFreeNamesAndStoredNamesStay) {
  fs::create_directories(pictures_);
  WriteBytes(pictures_ / "photo.jpg", "older");
  WriteBytes(pictures_ / "photo_1.jpg", "old");
  fs::create_directories(dataRoot_ / "camera");
  WriteBytes(dataRoot_ / "photo.jpg", "first chosen");
  WriteBytes(dataRoot_ / "camera" / "photo.jpg", "second chosen");

  auto k = Customer("画像あり");
  k->Picture1 = (dataRoot_ / "photo.jpg").string();
  k->Picture2 = "photo_1.jpg";
  k->Picture3 = (dataRoot_ / "missing.jpg").string();
  k->Picture5 = (dataRoot_ / "camera" / "photo.jpg").string();
  const std::int32_t id = doc_.AddCustomer(k);
  ASSERT_GT(id, 0);
  const records::CKokyaku& stored = *doc_.Customers().front();
  EXPECT_EQ(stored.Picture1, "photo_2.jpg");
  EXPECT_EQ(stored.Picture2, "photo_1.jpg");
  EXPECT_EQ(stored.Picture3, (dataRoot_ / "missing.jpg").string());
  EXPECT_EQ(stored.Picture4, "");
  EXPECT_EQ(stored.Picture5, "photo_3.jpg");
  EXPECT_EQ(ReadBytes(pictures_ / "photo.jpg"), "older");
  EXPECT_EQ(ReadBytes(pictures_ / "photo_1.jpg"), "old");
  EXPECT_EQ(ReadBytes(pictures_ / "photo_2.jpg"), "first chosen");
  EXPECT_EQ(ReadBytes(pictures_ / "photo_3.jpg"), "second chosen");

  auto changed = std::make_unique<records::CKokyaku>(stored);
  changed->Picture4 = (dataRoot_ / "photo.jpg").string();
  ASSERT_EQ(doc_.ModifyCustomer(id, changed), 1);
  EXPECT_EQ(doc_.Customers().front()->Picture4, "photo_4.jpg");
  EXPECT_EQ(doc_.Customers().front()->Picture1, "photo_2.jpg");
  ExpectListEqualsDatabase();
}

TEST_F(DocCustomersTest, MailAddressesFollowTheStandardAddressOfEachCustomer) {
  // Every customer has EMail1; only the address CommonMail picks counts.
  const auto withMail = [&](int common, const std::string& third) {
    auto k = Customer("メール");
    k->CommonMail = common;
    k->EMail1 = "one@example.jp";
    k->EMail3 = third;
    const int id = doc_.AddCustomer(k);
    EXPECT_GT(id, 0);
    return id;
  };
  const std::int32_t first = withMail(1, "");
  const std::int32_t third = withMail(3, "third@example.jp");
  const std::int32_t emptyThird = withMail(3, "");
  const std::int32_t none = withMail(0, "third@example.jp");
  const std::int32_t outOfRange = withMail(6, "third@example.jp");

  std::vector<std::string> addresses{"left over"};
  EXPECT_EQ(doc_.GetMailAddresses({third, first}, addresses), 1);
  EXPECT_EQ(addresses, (std::vector<std::string>{"third@example.jp", "one@example.jp"}));
  EXPECT_EQ(doc_.GetMailAddresses({first, emptyThird, 9999}, addresses), 0);
  EXPECT_EQ(addresses, std::vector<std::string>{"one@example.jp"});
  EXPECT_EQ(doc_.GetMailAddresses({emptyThird, none, outOfRange}, addresses), -1);
  EXPECT_TRUE(addresses.empty());
  addresses = {"left over"};
  EXPECT_EQ(doc_.GetMailAddresses({}, addresses), -1);
  EXPECT_TRUE(addresses.empty());
}

}  // namespace
}  // namespace shell
