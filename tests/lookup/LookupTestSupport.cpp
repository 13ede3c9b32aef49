#include "lookup/LookupTestSupport.h"

#include <gtest/gtest.h>

#include "lookup/CFnw.h"
#include "records/Sqlite.h"

namespace testing_support {

namespace fs = std::filesystem;
using lookup::CMultiDB;
using lookup::CPostalCandidate;

std::vector<CPostalCandidate> SampleAddresses() {
  return {
      {"1000000", "東京都", "千代田区", "", "", ""},
      {"1000001", "東京都", "千代田区", "千代田", "", ""},
      {"1000001", "東京都", "千代田区", "千代田", "", ""},
      {"1000004", "東京都", "千代田区", "大手町", "", ""},
      {"1006890", "東京都", "千代田区", "大手町ＪＡビル", "", ""},
      {"1006801", "東京都", "千代田区", "大手町ＪＡビル", "１階", ""},
      {"1006802", "東京都", "千代田区", "大手町ＪＡビル", "２階", ""},
      {"1040061", "東京都", "中央区", "銀座", "", ""},
      {"0600000", "北海道", "札幌市中央区", "", "", ""},
      {"0600042", "北海道", "札幌市中央区", "大通西", "１～１９丁目", ""},
      {"4980000", "愛知県", "弥富市", "", "", ""},
      {"4980000", "三重県", "桑名郡木曽岬町", "", "", ""},
  };
}

std::vector<CPostalCandidate> SampleBusinesses() {
  return {
      {"1008979", "東京都", "千代田区", "霞が関", "３丁目３－２", "株式会社霞が関"},
      {"1008111", "東京都", "千代田区", "千代田", "１－１", "千代田事務所"},
  };
}

void WriteSampleDictionaries(const fs::path& postal, const fs::path& business) {
  fs::create_directories(postal);
  fs::create_directories(business);
  std::string error;
  ASSERT_TRUE(lookup::WritePostalDictionary(postal / CMultiDB::kPostalFileName, CMultiDB::Dictionary::Postal,
                                            SampleAddresses(), error))
      << error;
  ASSERT_TRUE(lookup::WritePostalDictionary(business / CMultiDB::kBusinessFileName, CMultiDB::Dictionary::Business,
                                            SampleBusinesses(), error))
      << error;
}

void WriteSampleBook(const fs::path& folder, const std::vector<lookup::CPhoneCandidate>& entries, const char* name) {
  fs::create_directories(folder);
  std::string error;
  ASSERT_TRUE(lookup::WritePhoneBook(folder / name, entries, error)) << error;
}

void SetDictionaryMeta(const fs::path& file, const std::string& key, const std::string& value) {
  records::sqlite::Connection db;
  ASSERT_TRUE(db.Open(file, SQLITE_OPEN_READWRITE)) << db.LastError();
  records::sqlite::Statement update = db.Prepare("UPDATE Meta SET Value = ?2 WHERE Key = ?1");
  ASSERT_TRUE(update.BindText(1, key) && update.BindText(2, value));
  ASSERT_EQ(update.Step(), records::sqlite::StepResult::Done) << db.LastError();
  ASSERT_EQ(db.Changes(), 1);
}

}  // namespace testing_support
