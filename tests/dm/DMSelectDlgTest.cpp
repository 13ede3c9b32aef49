// The two choosing dialogs other screens open: "DMタイトルを選択" in its add and print modes and
// "顧客を選択", through their entry points on a real store.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dm/CDMSelectDlg.h"
#include "dm/CDMTitleDlg.h"
#include "dm/CKokyakuSelectDlg.h"
#include "dm/DMEntry.h"
#include "extract/CExtractDlg.h"
#include "shell/CTovanaDoc.h"
#include "shell/DocumentTestSupport.h"

namespace dm {
namespace {

using records::COleDate;
using ui::Answer;

class DMSelectDlgTest : public shell::test::DocumentFolderTest {
 protected:
  ~DMSelectDlgTest() override { doc.Store().SaveQMV(true); }

  std::int32_t AddCustomer(const char* code) {
    auto k = std::make_unique<records::CKokyaku>();
    k->CustomerID = code;
    k->Name = code;
    return doc.AddCustomer(k);
  }
  std::int32_t AddDM(const char* title, records::IdArray recipients, COleDate date, bool sent = false) {
    auto dm = doc.Store().AddNewDMTitle(date, title, "", "", 0, recipients.empty() ? nullptr : &recipients, nullptr);
    if (sent) {
      EXPECT_EQ(doc.Store().SetStatusDMTitle(dm->ID, 1, 0, 0, date), 1);
    }
    return dm->ID;
  }
  records::IdArray Recipients(std::int32_t dmId) {
    records::DMUserArray users;
    EXPECT_EQ(doc.Store().GetDMUserInfo(dmId, users), 1);
    records::IdArray ids;
    for (const auto& u : users) ids.push_back(u->ID);
    return ids;
  }
};

TEST_F(DMSelectDlgTest, AddModeListsOnlyUnsentTitlesAndAddsOnlyNewRecipients) {
  const std::int32_t a = AddCustomer("001"), b = AddCustomer("002");
  AddDM("送付済み", {}, COleDate::Now(), true);
  const std::int32_t id = AddDM("未送付", {a}, COleDate::Now());
  ui.ExpectDialog<CDMSelectDlg>([](CDMSelectDlg& d) {
    ASSERT_EQ(d.RowCount(), 1);
    EXPECT_EQ(d.CellText(0, 1), "未送付");
    EXPECT_TRUE(d.NewTitleShown());
    EXPECT_FALSE(d.HistoryShown());
    d.Select(0);
    d.OnOK();
  });
  EXPECT_TRUE(AddCustomersToDM(ui, doc, Install(), {a, b}));
  EXPECT_EQ(Recipients(id), (records::IdArray{a, b}));
  EXPECT_EQ(doc.DMIdToShow(), id);
}

TEST_F(DMSelectDlgTest, ANewTitleTakesTheCustomersAndIsShownNext) {
  const std::int32_t a = AddCustomer("001");
  ui.ExpectDialog<CDMSelectDlg>([](CDMSelectDlg& d) {
    EXPECT_FALSE(d.OkEnabled());  // no unsent title
    d.OnOK();
    d.OnNewTitle();
  });
  ui.ExpectDialog<CDMTitleDlg>([](CDMTitleDlg& d) {
    d.SetTitleText("新規");
    d.OnOK();
  });
  ui.ExpectMessage(CDMSelectDlg::kNewSomeFailed);  // 9999 is no customer
  EXPECT_TRUE(AddCustomersToDM(ui, doc, Install(), {a, 9999}));
  ASSERT_NE(doc.DMIdToShow(), 0);
  EXPECT_EQ(Recipients(doc.DMIdToShow()), records::IdArray{a});
}

TEST_F(DMSelectDlgTest, PrintModeAsksAboutAnotherDayAndHandsOverTheRecipients) {
  const std::int32_t a = AddCustomer("001"), b = AddCustomer("002");
  AddDM("昨日の案内", {a, b}, COleDate(COleDate::Now().DateOnly().Value() - 1));
  ui.ExpectDialog<CDMSelectDlg>([](CDMSelectDlg& d) {
    EXPECT_TRUE(d.HistoryShown());
    EXPECT_TRUE(d.KeepHistory());
    EXPECT_FALSE(d.NewTitleShown());
    d.OnOK();  // nothing chosen yet
    d.Select(0);
    d.OnOK();  // No: the dialog stays
    EXPECT_FALSE(d.IsClosing());
    d.SetKeepHistory(false);
    d.OnOK();
  });
  ui.ExpectMessage(CDMSelectDlg::kSelectTitle);
  ui.ExpectMessage(CDMSelectDlg::kDateDiffers, Answer::No);
  ui.ExpectMessage(CDMSelectDlg::kDateDiffers, Answer::Yes);
  const auto choice = ChooseDMForPrinting(ui, doc, Install());
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->title.Title, "昨日の案内");
  EXPECT_EQ(choice->recipients, (records::IdArray{a, b}));
  EXPECT_FALSE(choice->keepHistory);
}

TEST_F(DMSelectDlgTest, CustomerSelectionNeedsACheckAndKeepsTheDocumentsExtraction) {
  const std::int32_t a = AddCustomer("001"), b = AddCustomer("002");
  auto mine = std::make_unique<settings::CExCondition>();
  mine->sql = "SELECT ID FROM Customer";
  doc.SetExtraction(std::move(mine), true);
  doc.ExtractedIds() = {a};
  ui.ExpectDialog<CKokyakuSelectDlg>([&](CKokyakuSelectDlg& d) {
    EXPECT_TRUE(d.HistoryShown());
    EXPECT_EQ(d.List().RowCount(), 2);
    d.OnOK();
    d.OnExtract();
    d.SetChecked(d.List().RowOf(b), true);
    d.SetKeepHistory(false);
    d.OnOK();
  });
  ui.ExpectMessage(CKokyakuSelectDlg::kNoneChecked);
  ui.ExpectDialog<extract::CExtractDlg>([](extract::CExtractDlg& d) { EXPECT_EQ(d.FormKind(), extract::CExtractDlg::kDMRecipients); });
  const auto choice = ChooseCustomers(ui, doc, Install(), CustomerSelectMode::Print);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->ids, records::IdArray{b});
  EXPECT_FALSE(choice->keepHistory);
  ASSERT_NE(doc.CurrentExtraction(), nullptr);
  EXPECT_EQ(doc.CurrentExtraction()->sql, "SELECT ID FROM Customer");
  EXPECT_TRUE(doc.IsExtractionSaved());
  EXPECT_EQ(doc.ExtractedIds(), records::IdArray{a});
}

}  // namespace
}  // namespace dm
