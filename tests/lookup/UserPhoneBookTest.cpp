#include "lookup/CUserPhoneBook.h"

#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "settings/CArchive.h"
#include "settings/CMemoryStream.h"

namespace lookup {
namespace {

namespace fs = std::filesystem;
using List = CUserPhoneBook::List;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::shared_ptr<CZQAddress> Entry(const std::string& tel, const std::string& name) {
  auto entry = std::make_shared<CZQAddress>();
  EXPECT_TRUE(entry->Assign({tel, "1000001", name, "東京都", "千代田区", "千代田", "１－１"}));
  return entry;
}

TEST(CZQAddressTest, FieldsAreWrittenInTheirFixedOrder) {
  CZQAddress entry;
  ASSERT_TRUE(entry.Assign({"03-1234-5678", "1000001", "山田商店", "東京都", "千代田区", "千代田", "１－１"}));
  entry.SetEntryNo(7);
  entry.SetCityCode(13101);
  settings::CMemoryStream written;
  settings::CArchive out(written, settings::CArchive::Mode::Store);
  entry.Serialize(out);
  out.Close();

  settings::CMemoryStream expected;
  settings::CArchive ar(expected, settings::CArchive::Mode::Store);
  ar.StoreInt32(7);
  ar.StoreInt32(-1);
  ar.StoreString("03-1234-5678");
  ar.StoreString("山田商店");
  ar.StoreString("1000001");
  ar.StoreInt32(13);
  ar.StoreInt32(13101);
  for (const char* text : {"東京都", "千代田区", "千代田", "１－１"}) ar.StoreString(text);
  ar.Close();
  EXPECT_EQ(written.Bytes(), expected.Bytes());
}

TEST(CZQAddressTest, TelephoneHoldsOnlyDigitsHyphensAndParentheses) {
  CZQAddress entry;
  EXPECT_TRUE(entry.SetTel("(03)1234-5678"));
  EXPECT_FALSE(entry.SetTel("03 1234 5678"));
  EXPECT_FALSE(entry.SetTel("０３"));
  EXPECT_EQ(entry.GetTel(), "(03)1234-5678");
}

class UserPhoneBookTest : public ::testing::Test {
 protected:
  fs::path File(List list) const { return CUserPhoneBook::FileOf(temp_.Path(), list); }
  bool Save() {
    std::string error;
    return book_.Save(temp_.Path(), [this](const fs::path&) { ++asked_; return allow_; }, error);
  }

  TempFolder temp_;
  CUserPhoneBook book_;
  int asked_ = 0;
  bool allow_ = false;
};

TEST_F(UserPhoneBookTest, SavedListsReadBackAndLeaveNoStepFiles) {
  book_.Add(List::Added, Entry("03-1111-2222", "追加"));
  ASSERT_TRUE(Save());
  book_.Add(List::Added, Entry("03-3333-4444", "二件目"));
  book_.Add(List::Deleted, Entry("03-5555-6666", "削除"));
  ASSERT_TRUE(Save()) << "the second save replaces an existing file";
  EXPECT_FALSE(book_.IsChanged());
  EXPECT_EQ(temp_.Names(), (std::vector<std::string>{"UserAddTelData.dat", "UserDelTelData.dat"}));

  CUserPhoneBook again;
  EXPECT_TRUE(again.Load(temp_.Path()).empty());
  ASSERT_EQ(again.Get(List::Added).size(), 2u);
  EXPECT_EQ(again.Get(List::Added)[1]->ToCandidate().name, "二件目");
  ASSERT_EQ(again.Get(List::Deleted).size(), 1u);
  EXPECT_EQ(again.Get(List::Deleted)[0]->GetTel(), "03-5555-6666");
}

TEST_F(UserPhoneBookTest, UnchangedListIsNotRewritten) {
  book_.Add(List::Added, Entry("03-1111-2222", "追加"));
  ASSERT_TRUE(Save());
  WriteBytes(File(List::Deleted), "not touched");
  book_.Add(List::Added, Entry("03-3333-4444", "二件目"));
  ASSERT_TRUE(Save());
  EXPECT_EQ(ReadBytes(File(List::Deleted)), "not touched");
}

TEST_F(UserPhoneBookTest, FileThatDoesNotDecodeIsKeptUnlessThePersonAgrees) {
  book_.Add(List::Added, Entry("03-1111-2222", "追加"));
  ASSERT_TRUE(Save());
  const std::string good = ReadBytes(File(List::Added));
  for (const std::string& damaged : {good.substr(0, good.size() - 3), good + "x", std::string("\x05\x00\x00", 3)}) {
    WriteBytes(File(List::Added), damaged);
    EXPECT_EQ(book_.Load(temp_.Path()), (std::vector<fs::path>{File(List::Added)}));
    EXPECT_TRUE(book_.Get(List::Added).empty());
    EXPECT_TRUE(book_.IsUnreadable(List::Added));
  }
  book_.Add(List::Added, Entry("03-9999-0000", "新規"));
  asked_ = 0;
  allow_ = false;
  EXPECT_FALSE(Save());
  EXPECT_EQ(asked_, 1);
  EXPECT_EQ(ReadBytes(File(List::Added)), std::string("\x05\x00\x00", 3));
  EXPECT_TRUE(book_.IsChanged());
  allow_ = true;
  EXPECT_TRUE(Save());
  EXPECT_FALSE(book_.IsUnreadable(List::Added));
  EXPECT_TRUE(book_.Load(temp_.Path()).empty());
  EXPECT_EQ(book_.Get(List::Added).size(), 1u);
}

TEST_F(UserPhoneBookTest, TelephoneWithAForeignCharacterMakesTheFileUnreadable) {
  book_.Add(List::Added, Entry("03-1111-2222", "追加"));
  ASSERT_TRUE(Save());
  std::string bytes = ReadBytes(File(List::Added));
  const std::size_t at = bytes.find("03-1111-2222");
  ASSERT_NE(at, std::string::npos);
  bytes[at + 2] = '/';
  WriteBytes(File(List::Added), bytes);
  EXPECT_EQ(book_.Load(temp_.Path()).size(), 1u);
}

TEST_F(UserPhoneBookTest, LoadFinishesASaveCutOffBetweenItsRenames) {
  book_.Add(List::Added, Entry("03-1111-2222", "古い"));
  ASSERT_TRUE(Save());
  const std::string oldList = ReadBytes(File(List::Added));
  book_.Add(List::Added, Entry("03-3333-4444", "新しい"));
  ASSERT_TRUE(Save());
  const std::string newList = ReadBytes(File(List::Added));
  const std::string file = File(List::Added).string();

  // Stopped after the old file was renamed away: the whole new list is in "tmp".
  fs::remove(file);
  WriteBytes(file + "del", oldList);
  WriteBytes(file + "tmp", newList);
  EXPECT_TRUE(book_.Load(temp_.Path()).empty());
  EXPECT_EQ(book_.Get(List::Added).size(), 2u);
  EXPECT_EQ(temp_.Names(), (std::vector<std::string>{"UserAddTelData.dat"}));

  // Stopped before the new list was written whole: the old file stays, the "tmp" goes.
  WriteBytes(file + "tmp", newList.substr(0, 5));
  EXPECT_TRUE(book_.Load(temp_.Path()).empty());
  EXPECT_EQ(book_.Get(List::Added).size(), 2u);
  EXPECT_EQ(temp_.Names(), (std::vector<std::string>{"UserAddTelData.dat"}));

  // Only the renamed old file is left: it is the list.
  fs::rename(file, file + "del");
  EXPECT_TRUE(book_.Load(temp_.Path()).empty());
  EXPECT_EQ(book_.Get(List::Added).size(), 2u);
  EXPECT_EQ(temp_.Names(), (std::vector<std::string>{"UserAddTelData.dat"}));
}

TEST_F(UserPhoneBookTest, MergeHidesDeletedEntriesAndAddsTheUsersOwn) {
  book_.Add(List::Deleted, Entry("0312345678", "閉店した店"));
  book_.Add(List::Added, Entry("03-1234-5678", "新しい店"));
  book_.Add(List::Added, Entry("03-0000-0000", "別の番号"));
  std::vector<CPhoneCandidate> candidates = {
      {"03-1234-5678", "1000001", "閉店した店", "東京都", "千代田区", "千代田", ""},
      {"03-1234-5678", "1000001", "同じ番号の別の店", "東京都", "千代田区", "千代田", ""},
  };
  book_.Merge("03(1234)5678", candidates);
  ASSERT_EQ(candidates.size(), 2u);
  EXPECT_EQ(candidates[0].name, "同じ番号の別の店");
  EXPECT_EQ(candidates[1].name, "新しい店");
}

}  // namespace
}  // namespace lookup
