// Spot checks of the dictionaries the build makes from the published postal data; they sit in
// the factory tree beside this program.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "lookup/CMultiDB.h"
#include "lookup/ZipDataReader.h"

namespace lookup {
namespace {

namespace fs = std::filesystem;
using Dictionary = CMultiDB::Dictionary;

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

class RealPostalDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path data = ProgramFolder() / "factory" / "Data";
    ASSERT_EQ(db_.MultiDB_Open(data / "Yubin", data / "Hojin"), CMultiDB::kOpen)
        << "the build lays the dictionaries out in " << data;
  }

  std::set<std::string> Codes(std::string_view key, Dictionary which) {
    std::vector<CPostalCandidate> found;
    EXPECT_EQ(db_.MultiDB_Search(key, which, found), CMultiDB::kOpen);
    std::set<std::string> codes;
    for (const CPostalCandidate& c : found) codes.insert(c.zip);
    return codes;
  }

  CMultiDB db_;
};

TEST_F(RealPostalDataTest, ChiyodaIsFoundByItsCode) {
  std::vector<CPostalCandidate> found;
  ASSERT_EQ(db_.MultiDB_Search("1000001", Dictionary::Postal, found), CMultiDB::kOpen);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].prefecture, "東京都");
  EXPECT_EQ(found[0].city, "千代田区");
  EXPECT_EQ(found[0].town, "千代田");
}

TEST_F(RealPostalDataTest, ThreeDigitPrefixReturnsEveryCodeThePackageLists) {
  const fs::path source = ProgramFolder().parent_path() / "postal-data" / "package" / "zipdata" / "zip-100.js";
  std::ifstream in(source, std::ios::binary);
  ASSERT_TRUE(in) << source;
  CZipDataResult published;
  std::string error;
  ASSERT_TRUE(ReadZipData(std::string{std::istreambuf_iterator<char>(in), {}}, published, error)) << error;
  std::set<std::string> expected;
  for (const auto* list : {&published.ordinary, &published.business}) {
    for (const CPostalCandidate& c : *list) expected.insert(c.zip);
  }
  std::set<std::string> found = Codes("100*", Dictionary::Postal);
  found.merge(Codes("100*", Dictionary::Business));
  EXPECT_GT(expected.size(), 500u);
  EXPECT_EQ(found, expected);
}

TEST_F(RealPostalDataTest, BusinessCodeReturnsItsAddress) {
  std::vector<CPostalCandidate> found;
  ASSERT_EQ(db_.MultiDB_Search("1008979", Dictionary::Business, found), CMultiDB::kOpen);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].prefecture, "東京都");
  EXPECT_EQ(found[0].city, "千代田区");
  EXPECT_EQ(found[0].town, "霞が関");
  EXPECT_FALSE(found[0].block.empty());
}

TEST_F(RealPostalDataTest, AddressStepsReachChiyodaFromThePrefectures) {
  const std::vector<CPostalLevelEntry> prefectures = db_.Prefectures();
  ASSERT_EQ(prefectures.size(), 47u);
  EXPECT_EQ(prefectures.front().name, "北海道");
  EXPECT_EQ(prefectures.back().name, "沖縄県");
  const std::vector<CPostalLevelEntry> cities = db_.Cities("東京都");
  EXPECT_NE(std::find(cities.begin(), cities.end(), CPostalLevelEntry{"千代田区", "1000000"}), cities.end());
  const std::vector<CPostalLevelEntry> towns = db_.Towns("東京都", "千代田区");
  EXPECT_NE(std::find(towns.begin(), towns.end(), CPostalLevelEntry{"千代田", "1000001"}), towns.end());
}

}  // namespace
}  // namespace lookup
