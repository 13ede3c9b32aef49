// Sending a DM title from the DM screen: the questions about its date and an earlier sending, what
// the mail client is handed (recorded by a stand-in command) or the printer receives, the title's
// state afterwards, and the hit-rate mode with its chart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "analysis/CRainbowDlg.h"
#include "customers/SampleCustomers.h"
#include "dm/CDMListView.h"
#include "dm/CMailerDlg.h"
#include "dm/DMDelivery.h"
#include "dm/DMHitChart.h"
#include "platform/CNeritEnv.h"
#include "printing/CDispPrevDlg.h"
#include "printing/FormPrint.h"
#include "shell/CTovanaDoc.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"
#include "text/Format.h"

namespace dm {
namespace {

namespace fs = std::filesystem;
namespace cmd = shell::cmd;
using records::COleDate;
using ui::Answer;
using ui::Buttons;
using ui::Icon;
using Lines = std::vector<std::string>;
using D = CDMDelivery;

const COleDate kToday = COleDate::FromCivil({2026, 12, 9, 10, 30, 0});
const COleDate kYesterday = COleDate::FromCivil(2026, 12, 8);

class DMDeliveryTest : public shell::test::DocumentFolderTest {
 protected:
  DMDeliveryTest() {
    fs::copy_file(platform::CNeritEnv().GetFactoryFolder() / "Data" / "MyData" / "Lumaro.dat",
                  platform::MyDataFolder(Install()) / "Lumaro.dat");
    printing::SetFormOutput([this](const printing::PrintJob& job) {
      printed.push_back(job.customers.size());
      return printResult;
    });
    const fs::path script = temp / "mail.sh";
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << (temp / "sent.txt").string()
                          << "'\n";
    fs::permissions(script, fs::perms::owner_all);
    mailCommand = script;
  }
  ~DMDeliveryTest() override {
    printing::SetFormOutput({});
    doc.Store().SaveQMV(true);
  }

  // Customers with addresses first0@… (CommonMail 1) unless listed in withoutAddress.
  records::IdArray AddCustomers(int n, std::vector<int> withoutAddress = {}) {
    records::IdArray ids;
    for (int i = 0; i < n; ++i) {
      auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(i));
      k->EMail1 = text::Format("first%d@example.jp", i);
      k->CommonMail = std::find(withoutAddress.begin(), withoutAddress.end(), i) == withoutAddress.end() ? 1 : 0;
      const int id = doc.AddCustomer(k);
      EXPECT_GT(id, 0);
      ids.push_back(id);
    }
    return ids;
  }
  // A DM title for recipients, sent (with or without its history) or not; the screen opened on it.
  CDMListView& OpenOn(const records::IdArray& recipients, COleDate date, int sent = 0, int history = 0) {
    auto dm = doc.Store().AddNewDMTitle(date, "冬の案内", "案内", "山田", 0, &recipients, nullptr);
    EXPECT_TRUE(dm);
    dmId = dm->ID;
    if (sent) {
      EXPECT_EQ(doc.Store().SetStatusDMTitle(dmId, 1, history, 0, date), 1);
    }
    doc.SetDMIdToShow(dmId);
    view = std::make_unique<CDMListView>(DMViewContext{&ui, nullptr, &doc, Install(), [] { return kToday; }, mailCommand});
    view->OnInitialUpdate();
    EXPECT_EQ(view->TitleSelection(), std::vector<int>{0});
    return *view;
  }
  records::CDMListData Stored() {
    records::DMTitleList titles;
    EXPECT_EQ(doc.Store().GetAllDMTitle(titles), 1);
    for (const auto& t : titles) {
      if (t->ID == dmId) return *t;
    }
    ADD_FAILURE() << "no title";
    return {};
  }
  void ExpectLauncher(bool checked, bool enabled, bool history, bool ok = true) {
    ui.ExpectDialog<CMailerDlg>([=](CMailerDlg& d) {
      EXPECT_EQ(d.History(), checked);
      EXPECT_EQ(d.HistoryEnabled(), enabled);
      d.SetSubject("冬のご案内");
      d.SetHistory(history);
      if (ok) d.OnOK();
    });
  }
  // What the mail client was handed after the subject; empty when it was never called.
  Lines Sent() {
    Lines lines;
    std::ifstream in(temp / "sent.txt");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    fs::remove(temp / "sent.txt");
    return lines.size() > 3 ? Lines(lines.begin() + 3, lines.end()) : lines;
  }
  int SendingEntries(std::int32_t customer) {
    records::RirekiList list;
    EXPECT_EQ(doc.Store().GetRirekiForKokyaku(customer, list), 1);
    return static_cast<int>(list.size());
  }

  fs::path mailCommand;
  std::int32_t dmId = 0;
  std::unique_ptr<CDMListView> view;
  std::vector<std::size_t> printed;
  int printResult = 1;
};

TEST_F(DMDeliveryTest, AnUnsentTitleMailedTodayBecomesSentByMailWithItsHistory) {
  const auto ids = AddCustomers(2);
  CDMListView& v = OpenOn(ids, kToday);
  ExpectLauncher(true, true, true);
  v.OnCommand(cmd::kSendMail);
  EXPECT_EQ(Sent(), (Lines{"--bcc", "first0@example.jp", "--bcc", "first1@example.jp"}));
  const records::CDMListData t = Stored();
  EXPECT_EQ(t.Sent, 1);
  EXPECT_EQ(t.HistoryRegistered, 1);
  EXPECT_EQ(t.SendMethod, records::CDMListData::kMail);
  EXPECT_TRUE(v.ShowsSent(0));
  EXPECT_EQ(SendingEntries(ids[0]), 1);
}

TEST_F(DMDeliveryTest, ATitleDatedAnotherDayAsksOnceAndNoLeavesEverything) {
  const auto ids = AddCustomers(1);
  CDMListView& v = OpenOn(ids, kYesterday);
  ui.ExpectMessage(D::kMail.otherDate, Answer::No);
  v.OnCommand(cmd::kSendMail);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(Stored().Sent, 0);

  // Yes, with the history box cleared: sent by mail, no history; one address goes To.
  ui.ExpectMessage(D::kMail.otherDate, Answer::Yes);
  ExpectLauncher(true, true, false);
  v.OnCommand(cmd::kSendMail);
  EXPECT_EQ(Sent(), (Lines{"--to", "first0@example.jp"}));
  EXPECT_EQ(Stored().Sent, 1);
  EXPECT_EQ(Stored().HistoryRegistered, 0);
  EXPECT_EQ(SendingEntries(ids[0]), 0);
}

TEST_F(DMDeliveryTest, ASentTitleWithHistoryIsMailedAgainWithoutAnyChange) {
  const auto ids = AddCustomers(2);
  CDMListView& v = OpenOn(ids, kYesterday, 1, 1);
  const records::CDMListData before = Stored();
  ui.ExpectMessage(D::kMail.sentRegistered, Answer::Yes);
  ExpectLauncher(true, false, true);
  v.OnCommand(cmd::kSendMail);
  EXPECT_EQ(Sent().size(), 4u);
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(SendingEntries(ids[0]), 1);
}

TEST_F(DMDeliveryTest, ASentTitleWithSomeOfSeveralRowsSelectedAsksWhichCustomers) {
  const auto ids = AddCustomers(2);
  CDMListView& v = OpenOn(ids, kYesterday, 1, 0);
  v.SetRecipientSelection({1});
  const std::string chosen = "first" + std::to_string(v.RecipientAt(1)->ID == ids[0] ? 0 : 1) + "@example.jp";

  ui.ExpectMessage(D::kMail.sentChooseUnregistered, Buttons::YesNoCancel, Icon::Question, Answer::Yes, Answer::Cancel);
  v.OnCommand(cmd::kSendMail);
  EXPECT_TRUE(Sent().empty());

  ui.ExpectMessage(D::kMail.sentChooseUnregistered, Buttons::YesNoCancel, Icon::Question, Answer::Yes, Answer::Yes);
  ExpectLauncher(false, true, false);
  v.OnCommand(cmd::kSendMail);
  EXPECT_EQ(Sent(), (Lines{"--to", chosen}));
  EXPECT_EQ(Stored().HistoryRegistered, 0) << "a sent title mailed without asking for history keeps its state";

  // No: every recipient; asking for history now registers it for all of them.
  ui.ExpectMessage(D::kMail.sentChooseUnregistered, Buttons::YesNoCancel, Icon::Question, Answer::Yes, Answer::No);
  ExpectLauncher(false, true, true);
  v.OnCommand(cmd::kSendMail);
  EXPECT_EQ(Sent().size(), 4u);
  EXPECT_EQ(Stored().HistoryRegistered, 1);
  EXPECT_EQ(SendingEntries(ids[0]), 1);
  EXPECT_EQ(SendingEntries(ids[1]), 1);
}

TEST_F(DMDeliveryTest, OneSelectedRowOfOneAsksTheTwoButtonQuestion) {
  const auto ids = AddCustomers(1);
  CDMListView& v = OpenOn(ids, kYesterday, 1, 0);
  v.SetRecipientSelection({0});
  ui.ExpectMessage(D::kMail.sentUnregistered, Answer::No);
  v.OnCommand(cmd::kSendMail);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(DMDeliveryTest, MissingAddressesAreRefusedOrAskedAbout) {
  const auto none = AddCustomers(1, {0});
  CDMListView& v = OpenOn(none, kToday);
  ui.ExpectMessage(D::kNoAddresses);
  v.OnCommand(cmd::kSendMail);

  const auto some = AddCustomers(2, {1});
  records::IdArray failed;
  ASSERT_EQ(doc.Store().AddDMTarget(dmId, some, failed, kToday), 1);
  v.SetTitleSelection({});
  v.SetTitleSelection({0});
  ui.ExpectMessage(D::kSomeWithoutAddress, Answer::No);
  v.OnCommand(cmd::kSendMail);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(Stored().Sent, 0);
}

TEST_F(DMDeliveryTest, RefusalsBeforeAnyQuestion) {
  CDMListView& v = OpenOn({}, kToday);
  ui.ExpectMessage(D::kMail.noRecipients);
  v.OnCommand(cmd::kSendMail);
  ui.ExpectMessage(D::kPrint.noRecipients);
  v.OnCommand(cmd::kFilePrint);
  v.SetTitleSelection({});
  ui.ExpectMessage(D::kMail.selectTitle);
  v.OnCommand(cmd::kSendMail);
  ui.ExpectMessage(D::kPrint.selectTitle);
  v.OnCommand(cmd::kFilePrint);
}

TEST_F(DMDeliveryTest, ReadOnlyDataMailsWithoutTheDateQuestionOrAnyStateChange) {
  const auto ids = AddCustomers(1);
  CDMListView& v = OpenOn(ids, kYesterday);
  doc.SetReadOnly(true);
  ExpectLauncher(true, false, true);
  v.OnCommand(cmd::kSendMail);
  EXPECT_EQ(Sent().size(), 2u);
  doc.SetReadOnly(false);
  EXPECT_EQ(Stored().Sent, 0);
}

TEST_F(DMDeliveryTest, APrintedTitleBecomesSentByPrintOnlyWhenThePrintWentOut) {
  const auto ids = AddCustomers(3);
  CDMListView& v = OpenOn(ids, kToday);
  const auto choose = [](bool history) {
    return [history](printing::CDispPrevDlg& d) {
      EXPECT_TRUE(d.HistoryOffered());
      EXPECT_TRUE(d.HistoryChecked());
      d.SelectCategory(0);
      d.SelectForm(0);
      d.SetHistoryChecked(history);
      d.OnOK();
    };
  };
  printResult = 0;
  ui.ExpectDialog<printing::CDispPrevDlg>(choose(true));
  v.OnCommand(cmd::kFilePrint);
  EXPECT_EQ(printed, std::vector<std::size_t>{3});
  EXPECT_EQ(Stored().Sent, 0);

  printResult = 1;
  ui.ExpectDialog<printing::CDispPrevDlg>(choose(true));
  v.OnCommand(cmd::kFilePrint);
  const records::CDMListData t = Stored();
  EXPECT_EQ(t.Sent, 1);
  EXPECT_EQ(t.HistoryRegistered, 1);
  EXPECT_EQ(t.SendMethod, 0);
  EXPECT_EQ(SendingEntries(ids[2]), 1) << "the DM's own entry, no form-print entry";

  // Printed again: history already registered, so the option is not offered and nothing changes.
  ui.ExpectMessage(D::kPrint.sentRegistered, Answer::Yes);
  ui.ExpectDialog<printing::CDispPrevDlg>([](printing::CDispPrevDlg& d) {
    EXPECT_FALSE(d.HistoryOffered());
    d.OnOK();
  });
  v.OnCommand(cmd::kFilePrint);
  EXPECT_EQ(printed.size(), 3u);
  EXPECT_EQ(Stored(), t);
}

TEST_F(DMDeliveryTest, TheHitRateOfASentTitleShowsItsRespondersUntilAnotherTitleIsChosen) {
  const auto ids = AddCustomers(4);
  CDMListView& v = OpenOn(ids, kYesterday);
  ui.ExpectMessage(D::kHitRateUnsent);
  v.OnCommand(cmd::kDMHitRate);
  v.SetTitleSelection({});
  ui.ExpectMessage(D::kHitRateSelect);
  v.OnCommand(cmd::kDMHitRate);

  ASSERT_EQ(doc.Store().SetStatusDMTitle(dmId, 1, 0, 0, kYesterday), 1);
  for (int i = 0; i < 3; ++i) {
    records::CRirekiData e;
    e.ActionTitle = "受注";
    e.Date = kToday;
    ASSERT_GT(doc.Store().AddNewRireki(ids[static_cast<std::size_t>(i)], e, kToday), 0);
  }
  auto other = doc.Store().AddNewDMTitle(kToday, "別の案内", "", "山田", 0, nullptr, nullptr);
  view->OnInitialUpdate();
  const int row = v.RowOfDM(dmId);
  v.SetTitleSelection({0, 1});
  ui.ExpectMessage(D::kHitRateOneOnly);
  v.OnCommand(cmd::kDMHitRate);

  v.SetTitleSelection({row});
  ui.ExpectDialog<analysis::CRainbowDlg>([](analysis::CRainbowDlg& d) {
    EXPECT_TRUE(d.DMOnly());
    d.dmHit.period = analysis::DMHitInput::kWeeks;
    d.dmHit.weeks = "1";
    d.dmHit.summarySpecified = true;
    d.dmHit.summary = "受注";
    d.OnRun();
  });
  v.OnCommand(cmd::kDMHitRate);
  ASSERT_TRUE(v.IsHitRateMode());
  EXPECT_EQ(v.HitCount(), 3);
  EXPECT_EQ(v.RecipientCount(), 4);
  int hitRows = 0;
  for (int r = 0; r < v.RecipientCount(); ++r) hitRows += v.IsHit(r) ? 1 : 0;
  EXPECT_EQ(hitRows, 3);

  v.SetTitleSelection({v.RowOfDM(other->ID)});
  EXPECT_FALSE(v.IsHitRateMode());
  EXPECT_EQ(doc.Analysis().kind, -1);
}

TEST(DMHitChart, TheRateDecidesTheDiscTheRadiusAndTheLabels) {
  const HitChart none = PlanHitChart(30, 100, 200, {10, 95}, 0, 4);
  EXPECT_FALSE(none.green);
  EXPECT_TRUE(none.radiusOnly);
  EXPECT_EQ(none.caption, "DMヒット率 : 0.00％");
  EXPECT_FALSE(none.hitLabel);
  ASSERT_TRUE(none.missLabel);
  EXPECT_EQ(none.missLabel->text, "4件");
  EXPECT_EQ(none.missLabel->centre, (ChartPoint{130, 250})) << "half way down, under the centre";

  const HitChart all = PlanHitChart(30, 100, 200, {10, 95}, 4, 4);
  EXPECT_TRUE(all.green);
  EXPECT_TRUE(all.radiusOnly);
  EXPECT_EQ(all.caption, "DMヒット率 : 100.00％");
  EXPECT_DOUBLE_EQ(all.theta, 6.28);
  EXPECT_FALSE(all.missLabel);

  const HitChart most = PlanHitChart(30, 100, 200, {10, 95}, 3, 4);
  EXPECT_TRUE(most.green);
  EXPECT_FALSE(most.radiusOnly);
  EXPECT_EQ(most.caption, "DMヒット率 : 75.00％");
  EXPECT_DOUBLE_EQ(most.theta, 75 * 0.0628);
  // Three quarters round (less the 0.0628 shortfall): the sector ends just short of nine o'clock.
  EXPECT_EQ(most.edge.y, 200 - static_cast<int>(std::lround(100 * std::cos(most.theta))));
  EXPECT_LT(most.edge.x, 32);
  EXPECT_EQ(most.hitLabel->text, "3件");
  EXPECT_EQ(most.missLabel->text, "1件");
  EXPECT_LT(most.missLabel->centre.x, 130);
  EXPECT_LT(most.missLabel->centre.y, 200);

  EXPECT_EQ(PlanHitChart(0, 0, 100, {}, 0, 0).caption, "DMヒット率 : 0.00％") << "no recipients";
}

}  // namespace
}  // namespace dm
