#include "records/CKokyakuVMData.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/TempFolder.h"
#include "records/KokyakuColumns.h"
#include "records/QmvSchema.h"

namespace records {
namespace {

using testing_support::TempFolder;

const COleDate kNow = COleDate::FromCivil({2026, 12, 8, 10, 30, 0});
const COleDate kLater = COleDate::FromCivil({2026, 12, 9, 9, 0, 0});

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CQmvFile::CreateDatabaseFile(folder_ / "ZQQMV.qmv", QmvSchemaSql()), 1);
    ASSERT_EQ(store_.InitDB(folder_.Path()), 1) << store_.DispOleDBErrDlg();
  }

  std::int32_t AddCustomer(const std::string& name, const std::string& tel = "") {
    CKokyaku k;
    k.Name = name;
    k.TEL_Home = tel;
    const int id = store_.AddNewKokyaku(k);
    EXPECT_GT(id, 0) << store_.DispOleDBErrDlg();
    return id;
  }

  CKokyaku Load(std::int32_t id) {
    KokyakuList all;
    EXPECT_EQ(store_.GetAllKokyaku(all), 1);
    for (auto& k : all) {
      if (k->ID == id) return *k;
    }
    ADD_FAILURE() << "no customer " << id;
    return {};
  }

  RirekiList History(std::int32_t customerId) {
    RirekiList list;
    EXPECT_EQ(store_.GetRirekiForKokyaku(customerId, list), 1);
    return list;
  }

  TempFolder folder_;
  CKokyakuVMData store_;
};

CKokyaku CustomerWithEveryField() {
  CKokyaku k;
  int n = 1;
  for (const auto& c : KokyakuColumns()) {
    std::visit(
        [&](auto member) {
          auto& field = k.*member;
          using T = std::decay_t<decltype(field)>;
          if constexpr (std::is_same_v<T, std::string>) {
            field = "値" + std::to_string(n) + "表";
          } else if constexpr (std::is_same_v<T, COleDate>) {
            field = COleDate::FromCivil({2000 + n % 20, 1 + n % 12, 1 + n % 28, n % 24, n % 60, 0});
          } else {
            field = n;
          }
        },
        c.field);
    ++n;
  }
  return k;
}

TEST_F(StoreTest, EveryCustomerFieldSurvivesTheRoundTrip) {
  CKokyaku k = CustomerWithEveryField();
  const int id = store_.AddNewKokyaku(k);
  ASSERT_GT(id, 0);
  k.ID = id;
  EXPECT_EQ(Load(id), k);

  k.Name = "変更後";
  k.BirthDay = COleDate::Null();
  ASSERT_EQ(store_.ModifyKokyaku(id, k), 1);
  EXPECT_EQ(Load(id), k);
  EXPECT_EQ(store_.ModifyKokyaku(id + 100, k), 0);
}

TEST_F(StoreTest, NewCustomerGetsRegistrationDatesAndNeverAReusedId) {
  const std::int32_t first = AddCustomer("一");
  const CKokyaku stored = Load(first);
  EXPECT_TRUE(stored.StartDate.IsValid());
  EXPECT_TRUE(stored.LastUpDate.IsValid());
  EXPECT_TRUE(stored.RirekiUpDate.IsValid());
  EXPECT_TRUE(stored.BirthDay.IsNull());
  IdArray deleted;
  ASSERT_EQ(store_.DeleteKokyaku({first}, deleted), 1);
  EXPECT_GT(AddCustomer("二"), first);
}

TEST_F(StoreTest, DefaultOrderIsNewestHistoryFirst) {
  const std::int32_t a = AddCustomer("A"), b = AddCustomer("B"), c = AddCustomer("C");
  CRirekiData entry;
  entry.ActionTitle = "来店";
  ASSERT_GT(store_.AddNewRireki(b, entry, kLater), 0);
  ASSERT_GT(store_.AddNewRireki(c, entry, kNow), 0);
  ASSERT_GT(store_.AddNewRireki(a, entry, COleDate::FromCivil(2020, 1, 1)), 0);
  KokyakuList list;
  ASSERT_EQ(store_.GetAllKokyaku(list, "ORDER BY [Customer].[RirekiUpDate] DESC"), 1);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0]->ID, b);
  EXPECT_EQ(list[1]->ID, c);
  EXPECT_EQ(list[2]->ID, a);
  EXPECT_EQ(store_.GetAllKokyaku(list, "ORDER BY [Customer].[NoSuchColumn]"), 0);
  EXPECT_EQ(list.size(), 3u) << "a failed load appends nothing";
}

TEST_F(StoreTest, BulkAddReturnsNewIdsOrTheIndexesThatFailed) {
  KokyakuList batch;
  for (int i = 0; i < 3; ++i) {
    batch.push_back(std::make_unique<CKokyaku>());
    batch.back()->Name = "顧客" + std::to_string(i);
  }
  IdArray ids;
  ASSERT_EQ(store_.AddNewKokyaku(batch, ids), 1);
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_EQ(Load(ids[2]).Name, "顧客2");

  batch[1].reset();
  ids.clear();
  EXPECT_EQ(store_.AddNewKokyaku(batch, ids), 10);
  EXPECT_EQ(ids, IdArray{1});
  KokyakuList all;
  store_.GetAllKokyaku(all);
  EXPECT_EQ(all.size(), 5u);
}

TEST_F(StoreTest, TelephoneNumbersAreKeptAsNumbersForSearch) {
  EXPECT_EQ(CKokyakuVMData::StrTelToINT("03-1234-5678"), 312345678.0);
  EXPECT_EQ(CKokyakuVMData::StrTelToINT("（０３）１２３４"), 31234.0);
  EXPECT_EQ(CKokyakuVMData::StrTelToINT("なし"), 0.0);
  const std::int32_t id = AddCustomer("電話", "03-1234-5678");
  IdArray ids;
  ASSERT_EQ(store_.ExtractKokyaku("SELECT Customer.* FROM Customer WHERE [Customer].[TEL_Home_X] = 312345678.000000", ids), 1);
  EXPECT_EQ(ids, IdArray{id});
  IdArray changed;
  ASSERT_EQ(store_.ModifyKokyaku({id}, changed, "TEL_Home", kNow, "(03)9999-0000", nullptr), 1);
  ids.clear();
  ASSERT_EQ(store_.ExtractKokyaku("SELECT Customer.* FROM Customer WHERE [Customer].[TEL_Home_X] = 399990000", ids), 1);
  EXPECT_EQ(ids, IdArray{id});
}

TEST_F(StoreTest, BulkColumnChangeReportsWhatChanged) {
  const std::int32_t a = AddCustomer("A"), b = AddCustomer("B");
  IdArray changed;
  const std::int32_t gold = 0x0099FF;
  EXPECT_EQ(store_.ModifyKokyaku({a, b, 999}, changed, "ColorMark", kNow, "", &gold), 10);
  EXPECT_EQ(changed, (IdArray{a, b}));
  EXPECT_EQ(Load(a).ColorMark, gold);
  EXPECT_EQ(Load(a).LastUpDate, kNow);
  changed.clear();
  EXPECT_EQ(store_.ModifyKokyaku({a}, changed, "Ranking1", kNow, std::string(60, 'x'), nullptr), 1);
  EXPECT_EQ(Load(a).Ranking1, std::string(50, 'x'));
  EXPECT_EQ(store_.ModifyKokyaku({a}, changed, "ColorMark", kNow, "", nullptr), -1);
  EXPECT_EQ(store_.ModifyKokyaku({a}, changed, "NoSuch", kNow, "x", nullptr), -1);
  EXPECT_EQ(store_.ModifyKokyaku({999}, changed, "Ranking1", kNow, "x", nullptr), -1);
}

TEST_F(StoreTest, DeletingCustomersTakesTheirHistoryAndRecipientRows) {
  const std::int32_t a = AddCustomer("A"), b = AddCustomer("B");
  CRirekiData entry;
  ASSERT_EQ(store_.AddNewRireki({a, b}, entry, kNow), 1);
  const IdArray recipients{a, b};
  auto dm = store_.AddNewDMTitle(kNow, "案内", "内容", "山田", 0, &recipients, nullptr);
  ASSERT_TRUE(dm);
  IdArray deleted;
  EXPECT_EQ(store_.DeleteKokyaku({a, 12345}, deleted), 10);
  EXPECT_EQ(deleted, IdArray{a});
  EXPECT_TRUE(History(a).empty());
  EXPECT_EQ(History(b).size(), 1u);
  DMUserArray users;
  ASSERT_EQ(store_.GetDMUserInfo(dm->ID, users), 1);
  ASSERT_EQ(users.size(), 1u);
  EXPECT_EQ(users[0]->ID, b);
  deleted.clear();
  EXPECT_EQ(store_.DeleteKokyaku({777}, deleted), 0);
}

TEST_F(StoreTest, HistoryChangesMoveTheLastHistoryDate) {
  const std::int32_t a = AddCustomer("A");
  CRirekiData entry;
  entry.ActionTitle = "見積";
  entry.Money = 1500.5;
  entry.Date = kNow;
  const int id = store_.AddNewRireki(a, entry, kNow);
  ASSERT_GT(id, 0);
  EXPECT_EQ(Load(a).RirekiUpDate, kNow);
  entry.Money = 2000;
  ASSERT_EQ(store_.ModifyRireki(id, entry, kLater), 1);
  EXPECT_EQ(Load(a).RirekiUpDate, kLater);
  const RirekiList list = History(a);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->Money, 2000);
  EXPECT_EQ(list[0]->CustomerID, a);
  EXPECT_EQ(list[0]->Date, kNow);
  EXPECT_EQ(store_.ModifyRireki(id + 1, entry, kLater), 0);
  EXPECT_EQ(store_.AddNewRireki(9999, entry, kNow), -1);
  EXPECT_EQ(store_.DeleteRireki(id, kNow), 1);
  EXPECT_EQ(store_.DeleteRireki(id, kNow), 0);
}

TEST_F(StoreTest, HistoryForManyCustomersReportsPartialResults) {
  const std::int32_t a = AddCustomer("A"), b = AddCustomer("B");
  CRirekiData entry;
  EXPECT_EQ(store_.AddNewRireki({a, 999, b}, entry, kNow), 10);
  EXPECT_EQ(store_.AddNewRireki({998, 999}, entry, kNow), -1);
  RirekiList all;
  ASSERT_EQ(store_.GetAllRireki(all), 1);
  ASSERT_EQ(all.size(), 2u);
  IdArray deleted;
  EXPECT_EQ(store_.DeleteRireki({all[0]->ID, 5555}, deleted), 10);
  EXPECT_EQ(deleted, IdArray{all[0]->ID});
  EXPECT_EQ(store_.DeleteRireki({5555}, deleted), -1);
}

TEST_F(StoreTest, OldHistoryIsDeletedByDay) {
  const std::int32_t a = AddCustomer("A");
  CRirekiData entry;
  for (const COleDate& d : {COleDate::FromCivil({2020, 3, 31, 23, 59, 0}), COleDate::FromCivil({2020, 4, 1, 0, 1, 0}),
                            COleDate::FromCivil(2021, 1, 1)}) {
    entry.Date = d;
    ASSERT_GT(store_.AddNewRireki(a, entry, kNow), 0);
  }
  ASSERT_EQ(store_.DeleteRirekiForDate(COleDate::FromCivil({2020, 4, 1, 15, 0, 0})), 1);
  EXPECT_EQ(History(a).size(), 2u);
  ASSERT_EQ(store_.DeleteRirekiForKokyaku(a), 1);
  EXPECT_TRUE(History(a).empty());
}

// --- Direct mail: the sending history follows the DM's state ---

class DMStoreTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    a_ = AddCustomer("A"), b_ = AddCustomer("B"), c_ = AddCustomer("C");
    IdArray failed;
    const IdArray recipients{a_, b_, 4242};
    auto dm = store_.AddNewDMTitle(kSendDate, "春の案内", "新製品", "山田", 0, &recipients, &failed);
    ASSERT_TRUE(dm);
    EXPECT_EQ(failed, IdArray{4242});
    dm_ = dm->ID;
    CRirekiData own;
    own.ActionTitle = "来店";
    ASSERT_GT(store_.AddNewRireki(a_, own, kNow), 0);
  }

  std::vector<std::string> Titles(std::int32_t customer) {
    std::vector<std::string> titles;
    for (const auto& e : History(customer)) titles.push_back(e->ActionTitle);
    std::sort(titles.begin(), titles.end());
    return titles;
  }

  const COleDate kSendDate = COleDate::FromCivil({2026, 4, 1, 9, 0, 0});
  std::int32_t a_ = 0, b_ = 0, c_ = 0, dm_ = 0;
};

TEST_F(DMStoreTest, HistoryFlagWritesOneSendingEntryPerRecipient) {
  ASSERT_EQ(store_.SetStatusDMTitle(dm_, 1, 1, 0, kLater), 1);
  EXPECT_EQ(Titles(a_), (std::vector<std::string>{"DM", "来店"}));
  EXPECT_EQ(Titles(b_), (std::vector<std::string>{"DM"}));
  EXPECT_TRUE(Titles(c_).empty());
  const RirekiList b = History(b_);
  EXPECT_EQ(b[0]->Action, "春の案内");
  EXPECT_EQ(b[0]->Date, kSendDate);
  EXPECT_EQ(b[0]->TantouName, "山田");
  EXPECT_EQ(Load(b_).RirekiUpDate, kLater);
  DMTitleList titles;
  ASSERT_EQ(store_.GetAllDMTitle(titles), 1);
  EXPECT_EQ(titles[0]->Sent, 1);
  EXPECT_EQ(titles[0]->HistoryRegistered, 1);

  ASSERT_EQ(store_.SetStatusDMTitle(dm_, 1, 0, 0, kLater), 1);
  EXPECT_EQ(Titles(a_), (std::vector<std::string>{"来店"}));
  EXPECT_TRUE(Titles(b_).empty());
  EXPECT_EQ(store_.SetStatusDMTitle(9999, 1, 1, 0, kLater), 0);
}

TEST_F(DMStoreTest, MailedDMWritesMailEntriesAndSettingTheFlagTwiceWritesThemOnce) {
  ASSERT_EQ(store_.SetStatusDMTitle(dm_, 1, 1, CDMListData::kMail, kLater), 1);
  ASSERT_EQ(store_.SetStatusDMTitle(dm_, 1, 1, CDMListData::kMail, kLater), 1);
  EXPECT_EQ(Titles(b_), (std::vector<std::string>{"DMメール送信"}));
}

TEST_F(DMStoreTest, ModifyingASentDMMovesItsSendingEntries) {
  ASSERT_EQ(store_.SetStatusDMTitle(dm_, 1, 1, 0, kLater), 1);
  const COleDate moved = COleDate::FromCivil({2026, 5, 10, 14, 0, 0});
  ASSERT_EQ(store_.ModifyDMTitle(dm_, moved, "夏の案内", "新製品", "小川", 0, kLater), 1);
  const RirekiList b = History(b_);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0]->Date, moved);
  EXPECT_EQ(b[0]->Action, "夏の案内");
  EXPECT_EQ(b[0]->TantouName, "小川");
  EXPECT_EQ(store_.ModifyDMTitle(9999, moved, "x", "", "", 0, kLater), 0);
}

TEST_F(DMStoreTest, RecipientsAddedOrRemovedGainOrLoseTheirEntries) {
  ASSERT_EQ(store_.SetStatusDMTitle(dm_, 1, 1, 0, kLater), 1);
  IdArray failed;
  EXPECT_EQ(store_.AddDMTarget(dm_, {c_, a_, 5555}, failed, kLater), 10);
  EXPECT_EQ(failed, IdArray{5555});
  EXPECT_EQ(Titles(c_), (std::vector<std::string>{"DM"}));
  EXPECT_EQ(Titles(a_), (std::vector<std::string>{"DM", "来店"})) << "an existing recipient gets no second entry";
  failed.clear();
  EXPECT_EQ(store_.AddDMTarget(dm_, {5555}, failed, kLater), -1);
  EXPECT_EQ(store_.AddDMTarget(9999, {c_}, failed, kLater), 0);

  EXPECT_EQ(store_.DeleteDMTarget(dm_, {a_, 6666}), 10);
  EXPECT_EQ(Titles(a_), (std::vector<std::string>{"来店"}));
  EXPECT_EQ(store_.DeleteDMTarget(dm_, {6666}), 0);
  DMUserArray users;
  ASSERT_EQ(store_.GetDMUserInfo(dm_, users), 1);
  ASSERT_EQ(users.size(), 2u);
  EXPECT_EQ(users[0]->Name, "B");
}

TEST_F(DMStoreTest, DeletingATitleRemovesItsRecipientsAndEntries) {
  ASSERT_EQ(store_.SetStatusDMTitle(dm_, 1, 1, 0, kLater), 1);
  IdArray deleted;
  EXPECT_EQ(store_.DeleteDMTitle({dm_, 8888}, deleted), 10);
  EXPECT_EQ(deleted, IdArray{dm_});
  EXPECT_EQ(Titles(a_), (std::vector<std::string>{"来店"}));
  EXPECT_TRUE(Titles(b_).empty());
  DMUserArray users;
  store_.GetDMUserInfo(dm_, users);
  EXPECT_TRUE(users.empty());
  EXPECT_EQ(store_.DeleteDMTitle({8888}, deleted), -1);
}

TEST_F(DMStoreTest, HitRateAndRankingAnalysesRunOnTheStoredTables) {
  CRirekiData visit;
  visit.ActionTitle = "来店";
  visit.Date = COleDate::FromCivil(2026, 4, 10);
  ASSERT_GT(store_.AddNewRireki(b_, visit, kNow), 0);
  visit.Date = COleDate::FromCivil(2026, 3, 1);  // before the DM: no hit
  ASSERT_GT(store_.AddNewRireki(c_, visit, kNow), 0);
  IdArray hits;
  ASSERT_EQ(store_.ExtractKokyaku(
                "SELECT DISTINCTROW Customer.* FROM DMList INNER JOIN ((Customer INNER JOIN DMMng ON Customer.ID = "
                "DMMng.CustomerID) INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID) ON DMList.ID = DMMng.DMID "
                "WHERE ((Rireki.ActionTitle)='来店') AND (DMList.ID = " + std::to_string(dm_) +
                    ") AND ((Int([Rireki].[Date])-Int([DMList].[Date]))>=1 And "
                    "(Int([Rireki].[Date])-Int([DMList].[Date]))<=30)",
                hits),
            1)
      << store_.DispOleDBErrDlg();
  EXPECT_EQ(hits, IdArray{b_});

  RainbowHits ranking;
  ASSERT_EQ(store_.QueryRainbow(kRainbowCount,
                                "SELECT DISTINCTROW Customer.ID, Count(*) AS Rirekiのカウント FROM Customer INNER JOIN "
                                "Rireki ON Customer.ID = Rireki.CustomerID GROUP BY Customer.ID ORDER BY Count(*) DESC",
                                ranking, 1),
            1);
  ASSERT_EQ(ranking.size(), 1u);
  EXPECT_EQ(ranking[0]->Count(), 1);
  EXPECT_EQ(store_.QueryRainbow(4, "SELECT Customer.ID, 1 FROM Customer", ranking, 0), -1);
}

// --- Statements from outside the store ---

TEST_F(StoreTest, OnlyASingleSelectRuns) {
  AddCustomer("A");
  IdArray ids;
  EXPECT_EQ(store_.ExtractKokyaku("DELETE FROM Customer", ids), -1);
  EXPECT_EQ(store_.ExtractKokyaku("SELECT Customer.* FROM Customer; DELETE FROM Customer", ids), -1);
  EXPECT_EQ(store_.ExtractKokyaku("SELECT Customer.* FROM Customer WHERE", ids), -1);
  EXPECT_FALSE(store_.DispOleDBErrDlg().empty());
  EXPECT_TRUE(ids.empty());
  KokyakuList all;
  store_.GetAllKokyaku(all);
  EXPECT_EQ(all.size(), 1u);
}

TEST_F(StoreTest, PastDataRefusesEveryWrite) {
  AddCustomer("A");
  ASSERT_EQ(store_.SaveQMV(true), 1);
  CKokyakuVMData past;
  ASSERT_EQ(past.InitDBFromPath(folder_ / "ZQQMV.qmv"), 1);
  EXPECT_TRUE(past.IsReadOnly());
  KokyakuList all;
  ASSERT_EQ(past.GetAllKokyaku(all), 1);
  ASSERT_EQ(all.size(), 1u);
  CKokyaku k;
  IdArray ids;
  EXPECT_EQ(past.AddNewKokyaku(k), -1);
  EXPECT_EQ(past.ModifyKokyaku(all[0]->ID, k), -1);
  EXPECT_EQ(past.DeleteKokyaku({all[0]->ID}, ids), -1);
  EXPECT_EQ(past.AddNewRireki(all[0]->ID, CRirekiData(), kNow), -1);
  EXPECT_EQ(past.AddNewDMTitle(kNow, "x", "", "", 0, nullptr, nullptr), nullptr);
  EXPECT_EQ(past.DeleteRirekiForDate(kNow), -1);
}

TEST_F(StoreTest, AForeignDatabaseIsRefused) {
  ASSERT_EQ(store_.SaveQMV(true), 1);
  TempFolder other;
  ASSERT_EQ(CQmvFile::CreateDatabaseFile(other / "ZQQMV.qmv", "CREATE TABLE Other (x);"), 1);
  CKokyakuVMData store;
  EXPECT_EQ(store.InitDB(other.Path()), -1);
  EXPECT_FALSE(std::filesystem::exists(other / "ZQQMV2.qmv2"));
}

}  // namespace
}  // namespace records
