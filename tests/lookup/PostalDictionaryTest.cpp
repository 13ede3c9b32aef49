#include "lookup/CMultiDB.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "lookup/LookupTestSupport.h"
#include "platform/TempFolder.h"

namespace lookup {
namespace {

namespace fs = std::filesystem;
using Dictionary = CMultiDB::Dictionary;
using testing_support::TempFolder;

class PostalDictionaryTest : public ::testing::Test {
 protected:
  PostalDictionaryTest() { testing_support::WriteSampleDictionaries(Postal(), Business()); }

  fs::path Postal() const { return temp_ / "Yubin"; }
  fs::path Business() const { return temp_ / "Hojin"; }
  fs::path PostalFile() const { return Postal() / CMultiDB::kPostalFileName; }
  fs::path BusinessFile() const { return Business() / CMultiDB::kBusinessFileName; }
  int Open() { return db_.MultiDB_Open(Postal(), Business()); }

  std::vector<std::string> Codes(std::string_view key, Dictionary which = Dictionary::Postal) {
    std::vector<CPostalCandidate> found;
    EXPECT_EQ(db_.MultiDB_Search(key, which, found), CMultiDB::kOpen) << key;
    std::vector<std::string> codes;
    for (const CPostalCandidate& c : found) codes.push_back(c.zip);
    return codes;
  }

  static std::vector<std::string> Names(const std::vector<CPostalLevelEntry>& entries) {
    std::vector<std::string> names;
    for (const CPostalLevelEntry& e : entries) names.push_back(e.name);
    return names;
  }

  TempFolder temp_;
  CMultiDB db_;
};

TEST_F(PostalDictionaryTest, SevenDigitsFindTheirAddressesOnceEach) {
  ASSERT_EQ(Open(), CMultiDB::kOpen);
  std::vector<CPostalCandidate> found;
  ASSERT_EQ(db_.MultiDB_Search("1000001", Dictionary::Postal, found), CMultiDB::kOpen);
  EXPECT_EQ(found, (std::vector<CPostalCandidate>{{"1000001", "東京都", "千代田区", "千代田", "", ""}}));
  EXPECT_EQ(Codes("4980000"), (std::vector<std::string>{"4980000", "4980000"})) << "one code, two prefectures";
  EXPECT_TRUE(Codes("1000002").empty());
}

TEST_F(PostalDictionaryTest, PrefixFindsEveryCodeUnderItInCodeOrder) {
  ASSERT_EQ(Open(), CMultiDB::kOpen);
  EXPECT_EQ(Codes("100*"), (std::vector<std::string>{"1000000", "1000001", "1000004", "1006801", "1006802", "1006890"}));
  EXPECT_EQ(Codes("10068*"), (std::vector<std::string>{"1006801", "1006802", "1006890"}));
  EXPECT_EQ(Codes("1000001*"), (std::vector<std::string>{"1000001"}));
  EXPECT_TRUE(Codes("999*").empty());
}

TEST_F(PostalDictionaryTest, BusinessDictionaryIsSearchedOnItsOwn) {
  ASSERT_EQ(Open(), CMultiDB::kOpen);
  std::vector<CPostalCandidate> found;
  ASSERT_EQ(db_.MultiDB_Search("1008979", Dictionary::Business, found), CMultiDB::kOpen);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].company, "株式会社霞が関");
  EXPECT_TRUE(Codes("1008979", Dictionary::Postal).empty());
  EXPECT_EQ(Codes("100*", Dictionary::Business), (std::vector<std::string>{"1008111", "1008979"}));
}

TEST_F(PostalDictionaryTest, KeysOfAnotherFormAreRefusedAndAClosedDictionarySaysSo) {
  std::vector<CPostalCandidate> found{{"x", "", "", "", "", ""}};
  EXPECT_EQ(db_.MultiDB_Search("1000001", Dictionary::Postal, found), CMultiDB::kNotOpen);
  ASSERT_EQ(Open(), CMultiDB::kOpen);
  for (const char* key : {"", "10", "10*", "12345678", "100-0001", "１００*", "*", "1*0"}) {
    EXPECT_EQ(db_.MultiDB_Search(key, Dictionary::Postal, found), CMultiDB::kBadKey) << key;
    EXPECT_TRUE(found.empty()) << key;
  }
  db_.MultiDB_Close();
  EXPECT_EQ(db_.MultiDB_Search("1000001", Dictionary::Postal, found), CMultiDB::kNotOpen);
}

TEST_F(PostalDictionaryTest, AddressStepsComeInTheStandardOrder) {
  ASSERT_EQ(Open(), CMultiDB::kOpen);
  EXPECT_EQ(Names(db_.Prefectures()), (std::vector<std::string>{"北海道", "東京都", "愛知県", "三重県"}));
  EXPECT_EQ(db_.Cities("東京都"), (std::vector<CPostalLevelEntry>{{"千代田区", "1000000"}, {"中央区", "1040061"}}));
  EXPECT_EQ(db_.Towns("東京都", "千代田区"),
            (std::vector<CPostalLevelEntry>{{"千代田", "1000001"}, {"大手町", "1000004"}, {"大手町ＪＡビル", "1006890"}}));
  EXPECT_EQ(db_.Blocks("東京都", "千代田区", "大手町ＪＡビル"),
            (std::vector<CPostalLevelEntry>{{"１階", "1006801"}, {"２階", "1006802"}}));
  EXPECT_EQ(db_.Blocks("東京都", "千代田区", "千代田"), (std::vector<CPostalLevelEntry>{{"１－１", "1008111"}}))
      << "business receivers are blocks of their town";
  EXPECT_TRUE(db_.Cities("東京府").empty());
  EXPECT_TRUE(db_.Towns("北海道", "千代田区").empty());
}

TEST_F(PostalDictionaryTest, MissingFilesGiveTheirDictionarysCode) {
  EXPECT_EQ(db_.MultiDB_Open({}, Business()), CMultiDB::kBadParameter);
  EXPECT_EQ(db_.MultiDB_Open(temp_ / "none", Business()), CMultiDB::kCannotOpen);
  EXPECT_EQ(db_.MultiDB_Open(Postal(), temp_ / "none"), CMultiDB::kBusinessCannotOpen);
  EXPECT_FALSE(db_.IsOpen()) << "a failed open leaves nothing open";
}

TEST_F(PostalDictionaryTest, TruncatedOrForeignFilesAreBroken) {
  const auto size = fs::file_size(PostalFile());
  fs::copy_file(PostalFile(), temp_ / "whole.dic");
  fs::resize_file(PostalFile(), size - 4096);
  EXPECT_EQ(Open(), CMultiDB::kBroken) << "cut short by a page";
  fs::resize_file(PostalFile(), 50);
  EXPECT_EQ(Open(), CMultiDB::kBroken) << "cut inside the header";
  testing_support::WriteBytes(PostalFile(), "〒100-0001,東京都,千代田区\n");
  EXPECT_EQ(Open(), CMultiDB::kBroken) << "a text file";
  fs::copy_file(BusinessFile(), PostalFile(), fs::copy_options::overwrite_existing);
  EXPECT_EQ(Open(), CMultiDB::kBroken) << "the business dictionary in the postal one's place";
  fs::copy_file(temp_ / "whole.dic", BusinessFile(), fs::copy_options::overwrite_existing);
  fs::copy_file(temp_ / "whole.dic", PostalFile(), fs::copy_options::overwrite_existing);
  EXPECT_EQ(Open(), CMultiDB::kBusinessCannotOpen) << "the postal dictionary in the business one's place";
}

TEST_F(PostalDictionaryTest, AnotherLayoutVersionIsReportedPerDictionary) {
  testing_support::SetDictionaryMeta(BusinessFile(), "Version", "2");
  EXPECT_EQ(Open(), CMultiDB::kBusinessWrongVersion);
  testing_support::SetDictionaryMeta(PostalFile(), "Version", "2");
  EXPECT_EQ(Open(), CMultiDB::kWrongVersion);
}

TEST_F(PostalDictionaryTest, FailedBuildLeavesTheOldDictionary) {
  const std::string before = testing_support::ReadBytes(PostalFile());
  std::string error;
  fs::create_directories(temp_ / "Yubin" / "Yubin.dic.building" / "held");
  EXPECT_FALSE(WritePostalDictionary(PostalFile(), Dictionary::Postal, testing_support::SampleAddresses(), error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(testing_support::ReadBytes(PostalFile()), before);
}

}  // namespace
}  // namespace lookup
