// Mail through the user's mail client: what the client is handed (recorded by a stand-in
// command), the refusals before it is called, the launcher's subject limit, and the history a
// mail leaves on the customer list and on the card.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "customers/KokyakuCardPane.h"
#include "customers/KokyakuCardUrl.h"
#include "customers/SampleCustomers.h"
#include "dm/CMailerDlg.h"
#include "dm/MailSending.h"
#include "shell/DocumentTestSupport.h"
#include "text/Cp932.h"
#include "text/Format.h"

namespace dm {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class MailTest : public shell::test::DocumentFolderTest {
 protected:
  MailTest() { ExitWith(0); }

  // A stand-in for the mail client: it writes its arguments, one a line, and exits with the code
  // kept in exit.txt.
  fs::path Recorder() {
    const fs::path script = temp / "mail.sh";
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                          << Recorded().string() << "'\nexit $(cat '" << (temp / "exit.txt").string() << "')\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
  }
  void ExitWith(int code) { std::ofstream(temp / "exit.txt") << code; }
  fs::path Recorded() const { return temp / "sent.txt"; }
  // What the client was handed; empty when it was never called.
  Lines Sent() {
    Lines lines;
    std::ifstream in(Recorded());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    fs::remove(Recorded());
    return lines;
  }
  static std::vector<std::string> Addresses(int n) {
    std::vector<std::string> addresses;
    for (int i = 0; i < n; ++i) addresses.push_back(text::Format("c%d@example.jp", i));
    return addresses;
  }
  // Customers with these CommonMail choices; each has EMail1 and EMail2 filled.
  records::IdArray AddCustomers(std::initializer_list<int> commonMail) {
    records::IdArray ids;
    int i = 0;
    for (int choice : commonMail) {
      auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(i));
      k->EMail1 = text::Format("first%d@example.jp", i);
      k->EMail2 = text::Format("second%d@example.jp", i);
      k->CommonMail = choice;
      ++i;
      const int id = doc.AddCustomer(k);
      EXPECT_GT(id, 0);
      ids.push_back(id);
    }
    return ids;
  }
  void ExpectLauncher(std::string subject, bool history, bool enabled, bool ok = true) {
    ui.ExpectDialog<CMailerDlg>([=](CMailerDlg& d) {
      EXPECT_EQ(d.History(), true);
      EXPECT_EQ(d.HistoryEnabled(), enabled);
      d.SetSubject(subject);
      d.SetHistory(history);
      if (ok) d.OnOK();
    });
  }
  records::RirekiList HistoryOf(std::int32_t id) {
    records::RirekiList list;
    EXPECT_EQ(doc.Store().GetRirekiForKokyaku(id, list), 1);
    return list;
  }

  const records::COleDate now = records::COleDate::FromCivil(records::CivilTime{2026, 12, 9, 10, 30, 0});
};

TEST_F(MailTest, OneAddressGoesToAndSeveralGoBlindSoCustomersNeverSeeEachOther) {
  EXPECT_EQ(SendMail(ui, "年末のご案内", {"a@example.jp"}, Recorder()), 1);
  EXPECT_EQ(Sent(), (Lines{"--utf8", "--subject", "年末のご案内", "--to", "a@example.jp"}));
  EXPECT_EQ(SendMail(ui, "", {"a@example.jp", "-x@example.jp", "b@example.jp"}, Recorder()), 1);
  EXPECT_EQ(Sent(), (Lines{"--utf8", "--bcc", "a@example.jp", "--bcc", "-x@example.jp", "--bcc", "b@example.jp"}));
}

TEST_F(MailTest, RefusalsComeBeforeTheClientIsCalled) {
  EXPECT_EQ(SendMail(ui, "s", Addresses(1000), Recorder()), 1);
  EXPECT_EQ(Sent().size(), 1 + 2 + 2000u);
  ui.ExpectMessage(text::Format(kTooManyMailRecipients, 1000));
  EXPECT_EQ(SendMail(ui, "s", Addresses(1001), Recorder()), 0);
  ui.ExpectMessage(kNoMailRecipients);
  EXPECT_EQ(SendMail(ui, "s", {}, Recorder()), 0);
  EXPECT_TRUE(Sent().empty());
}

TEST_F(MailTest, AClientThatCannotTakeTheMailIsSaidSoAndNeverCountsAsSent) {
  struct Case {
    int exit;
    const char* message;
  };
  for (const Case& c : {Case{3, kNoMailClient}, Case{4, kMailNotSent}, Case{1, kMailNotSent}}) {
    ExitWith(c.exit);
    ui.ExpectMessage(c.message);
    EXPECT_EQ(SendMail(ui, "s", {"a@example.jp"}, Recorder()), 0) << c.exit;
  }
  ui.ExpectMessage(kNoMailClient);
  EXPECT_EQ(SendMail(ui, "s", {"a@example.jp"}, ""), 0);
  ui.ExpectMessage(kNoMailClient);
  EXPECT_EQ(SendMail(ui, "s", {"a@example.jp"}, temp / "no-such-client"), 0);
}

TEST_F(MailTest, TheSubjectMayHold256BytesAndNoMore) {
  CMailerDlg launcher(ui, true, true);
  launcher.SetSubject(std::string(128, 'a') + std::string(64, 'x') + "ああああああああああああああああああああああああああああああああ");
  ASSERT_EQ(text::Cp932Length(launcher.Subject()), 256u);
  launcher.OnOK();
  EXPECT_TRUE(launcher.ClosedWithOk());

  CMailerDlg longer(ui, true, true);
  longer.SetSubject(std::string(257, 'a'));
  ui.ExpectMessage(CMailerDlg::kSubjectTooLong);
  longer.OnOK();
  EXPECT_FALSE(longer.IsClosing());
  EXPECT_TRUE(longer.TakeSubjectFocus());
  EXPECT_FALSE(longer.TakeSubjectFocus());

  CMailerDlg fixed(ui, true, false);
  fixed.SetHistory(false);
  EXPECT_TRUE(fixed.History());
}

TEST_F(MailTest, SelectedCustomersGetTheMailAndOneHistoryEntryEach) {
  const records::IdArray ids = AddCustomers({1, 2});
  CustomerMail mail(ui, doc, Recorder());
  ui.ExpectMessage(text::Format(CustomerMail::kConfirm, 2), ui::Answer::Yes);
  ExpectLauncher("新商品のお知らせ", true, true);
  std::vector<std::int32_t> redrawn;
  EXPECT_EQ(mail.Send(ids, now, [&](std::int32_t id) { redrawn.push_back(id); }), 1);
  EXPECT_EQ(Sent(), (Lines{"--utf8", "--subject", "新商品のお知らせ", "--bcc", "first0@example.jp", "--bcc",
                           "second1@example.jp"}));
  for (std::int32_t id : ids) {
    const records::RirekiList history = HistoryOf(id);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0]->ActionTitle, "メール送信");
    EXPECT_EQ(history[0]->Action, "新商品のお知らせ");
    EXPECT_EQ(history[0]->Date, now);
  }
  std::sort(redrawn.begin(), redrawn.end());
  EXPECT_EQ(redrawn, ids);
  for (const auto& k : doc.Customers()) EXPECT_EQ(k->RirekiUpDate, now);
}

TEST_F(MailTest, CustomersWithoutTheirChosenAddressAreAskedAboutOrRefused) {
  const records::IdArray ids = AddCustomers({0, 1, 3});  // 0: none; 3: EMail3, which is empty
  CustomerMail mail(ui, doc, Recorder());
  ui.ExpectMessage(CustomerMail::kNoneSelected);
  EXPECT_EQ(mail.Send({}, now), 0);
  ui.ExpectMessage(CustomerMail::kNoAddress);
  EXPECT_EQ(mail.Send({ids[0], ids[2]}, now), 0);
  ui.ExpectMessage(CustomerMail::kSomeWithout, ui::Answer::No);
  EXPECT_EQ(mail.Send(ids, now), 0);
  EXPECT_TRUE(Sent().empty());

  ui.ExpectMessage(CustomerMail::kSomeWithout, ui::Answer::Yes);
  ui.ExpectMessage(text::Format(CustomerMail::kConfirm, 1), ui::Answer::Yes);
  ExpectLauncher("ご案内", false, true);
  EXPECT_EQ(mail.Send(ids, now), 1);
  EXPECT_EQ(Sent(), (Lines{"--utf8", "--subject", "ご案内", "--to", "first1@example.jp"}));
  EXPECT_TRUE(HistoryOf(ids[1]).empty());
}

TEST_F(MailTest, ReadOnlyDataStillMailsButWritesNoHistory) {
  const records::IdArray ids = AddCustomers({1});
  doc.SetReadOnly(true);
  CustomerMail mail(ui, doc, Recorder());
  ui.ExpectMessage(text::Format(CustomerMail::kConfirm, 1), ui::Answer::Yes);
  ExpectLauncher("s", true, false);
  EXPECT_EQ(mail.Send(ids, now), 1);
  EXPECT_EQ(Sent().size(), 5u);
  doc.SetReadOnly(false);
  EXPECT_TRUE(HistoryOf(ids[0]).empty());
}

TEST_F(MailTest, AFailedOrCancelledMailWritesNothing) {
  const records::IdArray ids = AddCustomers({1});
  CustomerMail mail(ui, doc, Recorder());
  ui.ExpectMessage(text::Format(CustomerMail::kConfirm, 1), ui::Answer::Yes);
  ExpectLauncher("s", true, true, false);
  EXPECT_EQ(mail.Send(ids, now), 0);
  EXPECT_TRUE(Sent().empty());
  ExitWith(4);
  ui.ExpectMessage(text::Format(CustomerMail::kConfirm, 1), ui::Answer::Yes);
  ExpectLauncher("s", true, true);
  ui.ExpectMessage(kMailNotSent);
  EXPECT_EQ(mail.Send(ids, now), 0);
  EXPECT_TRUE(HistoryOf(ids[0]).empty());
}

TEST_F(MailTest, AMailAddressOnTheCardMailsThatCustomerAndNotesIt) {
  const records::IdArray ids = AddCustomers({1});
  customers::KokyakuCardPane pane(ui, doc, nullptr, [this] { return now; });
  pane.SetMailCommand(Recorder());
  ASSERT_EQ(pane.ShowCustomer(doc.Customers().front().get()), 1);
  EXPECT_TRUE(pane.IsLink("EMail2"));
  EXPECT_FALSE(pane.IsLink("EMail3"));
  ExpectLauncher("お見積りの件", true, true);
  pane.OnLinkClicked("EMail2");
  EXPECT_EQ(Sent(), (Lines{"--utf8", "--subject", "お見積りの件", "--to", "second0@example.jp"}));
  ASSERT_EQ(pane.HistoryRowCount(), 1);
  EXPECT_EQ(HistoryOf(ids[0]).front()->ActionTitle, "メール送信");
  EXPECT_EQ(doc.Customers().front()->RirekiUpDate, now);
}

TEST_F(MailTest, TheBrowserOpenersAnswerBecomesItsMessage) {
  struct Case {
    int exit;
    std::string message;
  };
  const Case cases[] = {{0, ""},
                        {1, std::string("www.example.jp") + customers::kUrlNoPath},
                        {2, std::string("www.example.jp") + customers::kUrlNotFound},
                        {3, customers::kUrlNoProgram},
                        {4, std::string("www.example.jp") + customers::kUrlNotFound}};
  for (const Case& c : cases) {
    ExitWith(c.exit);
    if (!c.message.empty()) ui.ExpectMessage(c.message);
    EXPECT_EQ(customers::OpenURL(ui, " www.example.jp ", Recorder()), c.exit == 0 ? 1 : 0) << c.exit;
    EXPECT_EQ(Sent(), Lines{"http://www.example.jp"});
  }
}

}  // namespace
}  // namespace dm
