// The history owner over a real database: picture storing, the bulk add with its reports and the
// cached RirekiUpDate, read-only data, and the reference dialog stepping through the list.
#include "history/CRirekiListOwner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "history/CRirekiRefDlg.h"
#include "history/PictureStore.h"
#include "records/CQmvFile.h"
#include "records/QmvSchema.h"
#include "settings/SettingsTestSupport.h"

namespace history {
namespace {

using records::COleDate;
using records::CRirekiData;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

const COleDate kNow = COleDate::FromCivil({2026, 12, 8, 10, 30, 0});

std::string Read(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class RirekiOwnerTest : public settings::test::SettingsFolderTest {
 protected:
  RirekiOwnerTest() {
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(Data() / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
    EXPECT_EQ(store.InitDB(Data()), 1) << store.DispOleDBErrDlg();
    for (const char* name : {"山田　太郎", "佐藤　花子", "株式会社　青葉"}) {
      records::CKokyaku k;
      k.Name = name;
      ids.push_back(store.AddNewKokyaku(k));
    }
    EXPECT_EQ(store.GetAllKokyaku(customers), 1);
  }
  std::int32_t Stored(std::int32_t customer, int day, std::string summary, double money = 0) {
    CRirekiData e;
    e.Date = COleDate::FromCivil({2024, 6, day, 9, 0, 0});
    e.ActionTitle = std::move(summary);
    e.Money = money;
    return store.AddNewRireki(customer, e, kNow);
  }
  records::CKokyaku& Cached(std::int32_t id) {
    for (auto& k : customers) {
      if (k->ID == id) return *k;
    }
    throw std::logic_error("no such customer");
  }
  // The bulk-add dialog as the user fills it: a summary, confirmed.
  void ExpectBulkDialog(std::string summary) {
    ui.ExpectDialog<CRirekiDlg>([summary](CRirekiDlg& d) {
      d.SetSummary(summary);
      d.OnOK();
    });
    ui.ExpectMessage(CRirekiDlg::kBulkQuestion, Answer::Yes);
  }

  records::CKokyakuVMData store;
  records::KokyakuList customers;
  records::IdArray ids;
  CRirekiListOwner owner{ui, store, customers, Data() / "Picture", false, Install(), [] { return kNow; }};
};

TEST_F(RirekiOwnerTest, APictureIsCopiedUnderTheFirstFreeNameAndNeverOverwrites) {
  const auto pictures = temp / "Picture";
  std::filesystem::create_directories(pictures);
  std::ofstream(pictures / "photo.jpg") << "first";
  std::ofstream(pictures / "photo_1.jpg") << "second";
  std::filesystem::create_directories(temp / "camera");
  std::ofstream(temp / "camera" / "photo.jpg") << "new";
  EXPECT_EQ(StorePictureFile(pictures, (temp / "camera" / "photo.jpg").string()), "photo_2.jpg");
  EXPECT_EQ(Read(pictures / "photo.jpg"), "first");
  EXPECT_EQ(Read(pictures / "photo_1.jpg"), "second");
  EXPECT_EQ(Read(pictures / "photo_2.jpg"), "new");
}

TEST_F(RirekiOwnerTest, APictureThatCannotBeStoredKeepsItsName) {
  const auto pictures = temp / "Picture";
  EXPECT_EQ(StorePictureFile(pictures, "photo.jpg"), "photo.jpg");
  EXPECT_EQ(StorePictureFile(pictures, ""), "");
  const std::string missing = (temp / "camera" / "gone.jpg").string();
  EXPECT_EQ(StorePictureFile(pictures, missing), missing);
  std::ofstream(temp / "a.jpg") << "x";
  std::ofstream(temp / "blocker") << "a file where the folder should be";
  const std::string source = (temp / "a.jpg").string();
  EXPECT_EQ(StorePictureFile(temp / "blocker", source), source);
  EXPECT_EQ(PictureFilePath(pictures, "photo.jpg"), pictures / "photo.jpg");
  EXPECT_EQ(PictureFilePath(pictures, source), temp / "a.jpg");
  EXPECT_EQ(PictureFilePath(pictures, ""), std::filesystem::path());
}

TEST_F(RirekiOwnerTest, ABulkAddOfSomeCustomersReportsItAndLeavesTheCachedDatesAlone) {
  const records::IdArray selected{ids[0], ids[1] + 1000};
  const COleDate before = Cached(ids[0]).RirekiUpDate;
  ui.ExpectMessage("選択されている2件の顧客に履歴を一括追加します。よろしいですか？", Buttons::YesNo, Icon::Question,
                   Answer::Yes, Answer::Yes);
  ExpectBulkDialog("DM");
  ui.ExpectMessage(CRirekiListOwner::kBulkPartly);
  EXPECT_EQ(owner.OnBulkAddRireki(selected), 10);
  EXPECT_EQ(Cached(ids[0]).RirekiUpDate, before);
  records::RirekiList stored;
  ASSERT_EQ(store.GetRirekiForKokyaku(ids[0], stored), 1);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0]->ActionTitle, "DM");
}

TEST_F(RirekiOwnerTest, ABulkAddOfAllCustomersTouchesEachAndReloadsTheShownHistory) {
  ASSERT_EQ(owner.ShowCustomer(ids[1]), 1);
  std::vector<std::int32_t> touched;
  owner.SetRirekiUpDateChanged([&](std::int32_t id) { touched.push_back(id); });
  ui.ExpectMessage("選択されている3件の顧客に履歴を一括追加します。よろしいですか？", Answer::Yes);
  ExpectBulkDialog("年賀状");
  ui.ExpectMessage(CRirekiListOwner::kBulkDone, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  EXPECT_EQ(owner.OnBulkAddRireki(ids), 1);
  for (std::int32_t id : ids) EXPECT_EQ(Cached(id).RirekiUpDate, kNow);
  EXPECT_EQ(touched, ids);
  ASSERT_EQ(owner.History().size(), 1u);
  EXPECT_EQ(owner.History()[0]->ActionTitle, "年賀状");
}

TEST_F(RirekiOwnerTest, ABulkAddStopsWithoutSelectionOnNoOrOnCancel) {
  ui.ExpectMessage(CRirekiListOwner::kNoCustomers);
  EXPECT_EQ(owner.OnBulkAddRireki({}), 0);
  ui.ExpectMessage("選択されている1件の顧客に履歴を一括追加します。よろしいですか？", Answer::No);
  EXPECT_EQ(owner.OnBulkAddRireki({ids[0]}), 0);
  ui.ExpectMessage("選択されている1件の顧客に履歴を一括追加します。よろしいですか？", Answer::Yes);
  ui.ExpectDialog<CRirekiDlg>([](CRirekiDlg& d) { d.OnCancel(); });
  EXPECT_EQ(owner.OnBulkAddRireki({ids[0]}), 0);
  records::RirekiList all;
  ASSERT_EQ(store.GetAllRireki(all), 1);
  EXPECT_TRUE(all.empty());
}

TEST_F(RirekiOwnerTest, AddOpensOnTheFirstSelectedCustomerAndModifyOnTheSelectedEntry) {
  ui.ExpectMessage(CRirekiListOwner::kNoCustomerForAdd);
  owner.OnAddRireki({});
  ui.ExpectDialog<CRirekiDlg>([](CRirekiDlg& d) {
    EXPECT_EQ(d.Mode(), RirekiMode::Add);
    d.SetSummary("購入");
    d.OnCancel();
  });
  ui.ExpectMessage(CRirekiDlg::kAddOnClose, Answer::Yes);
  owner.OnAddRireki({ids[2], ids[0]});
  records::RirekiList stored;
  ASSERT_EQ(store.GetRirekiForKokyaku(ids[2], stored), 1);
  ASSERT_EQ(stored.size(), 1u);

  ASSERT_EQ(owner.ShowCustomer(ids[2]), 1);
  owner.Select(0);
  ui.ExpectDialog<CRirekiDlg>([](CRirekiDlg& d) {
    EXPECT_EQ(d.Mode(), RirekiMode::Modify);
    EXPECT_EQ(d.Summary(), "購入");
    EXPECT_FALSE(d.PreviousEnabled());
    EXPECT_FALSE(d.NextEnabled());
    d.OnCancel();
  });
  owner.OnModifyRireki();
}

TEST_F(RirekiOwnerTest, ReadOnlyDataOpensTheReferenceDialogAndWritesNothing) {
  Stored(ids[0], 3, "購入", 1500);
  Stored(ids[0], 2, "問い合わせ", 12.5);
  Stored(ids[0], 1, "DM");
  ASSERT_EQ(store.SaveQMV(false), 1);
  records::CKokyakuVMData past;
  ASSERT_EQ(past.InitDBFromPath(Data() / "ZQQMV.qmv", true), 1);
  const COleDate before = Cached(ids[0]).RirekiUpDate;
  CRirekiListOwner looking(ui, past, customers, Data() / "Picture", true, Install(), [] { return kNow; });
  ASSERT_EQ(looking.ShowCustomer(ids[0]), 1);
  looking.Select(0);

  ui.ExpectMessage(CRirekiListOwner::kLookOnly, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ui.ExpectDialog<CRirekiRefDlg>([](CRirekiRefDlg& d) {
    EXPECT_EQ(d.AmountText(), "1500");
    EXPECT_FALSE(d.PreviousEnabled());
    EXPECT_TRUE(d.NextEnabled());
    d.OnNext();
    EXPECT_EQ(d.Entry().ActionTitle, "問い合わせ");
    EXPECT_EQ(d.AmountText(), "12.5");
    EXPECT_EQ(d.Day(), 2);
    EXPECT_EQ(d.Hour(), 9);
    d.OnNext();
    EXPECT_EQ(d.Entry().ActionTitle, "DM");
    EXPECT_FALSE(d.NextEnabled());
    EXPECT_TRUE(d.PreviousEnabled());
    d.OnNext();  // nothing further: nothing changes
    EXPECT_EQ(d.Entry().ActionTitle, "DM");
    d.OnClose();
  });
  looking.OnModifyRireki();

  ui.ExpectMessage(CRirekiListOwner::kAddReadOnly);
  looking.OnAddRireki({ids[0]});
  ui.ExpectMessage(CRirekiListOwner::kCopyReadOnly);
  looking.OnCopyRireki();
  ui.ExpectMessage(CRirekiListOwner::kAddReadOnly);
  EXPECT_EQ(looking.OnBulkAddRireki(ids), 0);

  // A dialog left open when the data turned read-only: the owner's message, then the dialog's.
  CRirekiDlg dialog(ui, RirekiMode::Add, &looking, Install(), [] { return kNow; });
  dialog.SetCustomer(ids[0]);
  ui.ExpectMessage(CRirekiDlg::kAddQuestion, Answer::Yes)
      .ExpectMessage(CRirekiListOwner::kAddReadOnly)
      .ExpectMessage(CRirekiDlg::kAddFailed);
  dialog.OnOK();
  records::RirekiList after;
  ASSERT_EQ(past.GetRirekiForKokyaku(ids[0], after), 1);
  EXPECT_EQ(after.size(), 3u);
  EXPECT_EQ(Cached(ids[0]).RirekiUpDate, before);
}

TEST_F(RirekiOwnerTest, AModifyKeepsTheCachedEntryAndCustomerInStep) {
  const std::int32_t id = Stored(ids[1], 5, "購入");
  ASSERT_EQ(owner.ShowCustomer(ids[1]), 1);
  CRirekiData changed = *owner.History()[0];
  changed.ActionTitle = "クレーム";
  std::ofstream(temp / "receipt.jpg") << "scan";
  changed.Picture = (temp / "receipt.jpg").string();
  EXPECT_EQ(owner.ModifyRireki(id, changed), 1);
  EXPECT_EQ(changed.Picture, "receipt.jpg");
  EXPECT_EQ(owner.History()[0]->ActionTitle, "クレーム");
  EXPECT_EQ(owner.History()[0]->Picture, "receipt.jpg");
  EXPECT_EQ(Cached(ids[1]).RirekiUpDate, kNow);
  EXPECT_TRUE(std::filesystem::exists(Data() / "Picture" / "receipt.jpg"));
  EXPECT_EQ(owner.ModifyRireki(id + 50, changed), 0);
}

TEST_F(RirekiOwnerTest, SteppingNeedsASelectionAndStopsAtTheEnds) {
  Stored(ids[0], 2, "購入");
  Stored(ids[0], 1, "DM");
  ASSERT_EQ(owner.ShowCustomer(ids[0]), 1);
  EXPECT_FALSE(owner.StepRireki(+1));
  owner.Select(0);
  EXPECT_FALSE(owner.StepRireki(-1));
  const auto next = owner.StepRireki(+1);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->entry.ActionTitle, "DM");
  EXPECT_FALSE(next->further);
  EXPECT_EQ(owner.Selection(), 1);
  EXPECT_FALSE(owner.SelectRireki(9999));
  const auto place = owner.SelectRireki(owner.History()[0]->ID);
  ASSERT_TRUE(place);
  EXPECT_FALSE(place->hasPrevious);
  EXPECT_TRUE(place->hasNext);
}

}  // namespace
}  // namespace history
