// "DMの詳細" through its model: the date lists, the checks of 登録 and the state controls.
#include <gtest/gtest.h>

#include <string>

#include "dm/CDMTitleDlg.h"
#include "ui/ScriptedUi.h"

namespace dm {
namespace {

using records::COleDate;

class DMTitleDlgTest : public ::testing::Test {
 protected:
  ui::ScriptedUi ui{[](const std::string& why) { ADD_FAILURE() << why; }};
  const COleDate now = COleDate::FromCivil({2026, 12, 8, 10, 30, 0});

  CDMTitleDlg Opened(DMTitleMode mode, const records::CDMListData* title = nullptr) {
    CDMTitleDlg d(ui, mode, "/nowhere");
    d.Load(title, now);
    return d;
  }
};

TEST_F(DMTitleDlgTest, ChangingTheMonthKeepsTheDayOrTakesTheMonthsLastDay) {
  struct Case {
    const char* year;
    int day, month;  // day as shown (1-based) before, month switched to (1-based)
    int expectedDay, expectedCount;
  } cases[] = {
      {"2005", 31, 2, 28, 28}, {"2004", 31, 2, 29, 29}, {"2000", 30, 2, 29, 29}, {"1900", 29, 2, 28, 28},
      {"2026", 31, 4, 30, 30}, {"2026", 15, 2, 15, 28}, {"2026", 31, 12, 31, 31},
  };
  for (const Case& c : cases) {
    CDMTitleDlg d = Opened(DMTitleMode::Add);
    d.SetYearText(c.year);
    d.SetMonthPosition(0);
    d.SetDayPosition(c.day - 1);
    d.SetMonthPosition(c.month - 1);
    EXPECT_EQ(d.DayPosition() + 1, c.expectedDay) << c.year << "/" << c.month;
    EXPECT_EQ(d.DayCount(), c.expectedCount) << c.year << "/" << c.month;
  }
}

TEST_F(DMTitleDlgTest, AnImpossibleMonthIsRefusedAndTheMonthListTakesTheFocus) {
  CDMTitleDlg d = Opened(DMTitleMode::Add);
  ui.ExpectMessage(CDMTitleDlg::kBadMonth);
  d.SetMonthPosition(12);
  EXPECT_EQ(d.MonthPosition(), 11);  // December of now stays
  EXPECT_EQ(d.TakeFocus(), DMTitleField::Month);
}

TEST_F(DMTitleDlgTest, TheDayListRebuiltOnFocusDropsADayTheYearNoLongerHas) {
  CDMTitleDlg d = Opened(DMTitleMode::Add);
  d.SetYearText("2004");
  d.SetMonthPosition(1);
  d.SetDayPosition(28);  // 29 February 2004
  d.SetYearText("2005");
  d.OnDayFocus();
  EXPECT_EQ(d.DayCount(), 28);
  EXPECT_EQ(d.DayPosition(), -1);
  d.SetTitleText("春の案内");
  d.OnOK();  // an unchosen day reads as the month's last
  EXPECT_EQ(d.Values().date.ToCivil().day, 28);
}

TEST_F(DMTitleDlgTest, EveryHourShowsAtItsPositionAndReadsBackTheSame) {
  for (int hour = 0; hour < 24; ++hour) {
    records::CDMListData t;
    t.Title = "案内";
    t.SendDate = COleDate::FromCivil({2025, 3, 4, hour, 59, 0});
    CDMTitleDlg d = Opened(DMTitleMode::Modify, &t);
    EXPECT_EQ(d.HourPosition(), hour >= 8 ? hour - 8 : hour + 16) << hour;
    d.OnOK();
    ASSERT_TRUE(d.ClosedWithOk());
    EXPECT_EQ(d.Values().date, t.SendDate) << hour;
  }
}

TEST_F(DMTitleDlgTest, RegisterChecksTheTitleThenEachByteLimitStoppingAtTheFirst) {
  std::string title100, title101;
  for (int i = 0; i < 50; ++i) title100 += "案";
  title101 = title100 + "a";
  struct Case {
    std::string title, content, manager;
    const char* message;  // null: accepted
  } cases[] = {
      {"", "", "", CDMTitleDlg::kNoTitle},
      {"", std::string(51, 'x'), "", CDMTitleDlg::kNoTitle},
      {title100, std::string(50, 'x'), std::string(30, 'x'), nullptr},
      {title101, std::string(51, 'x'), "", CDMTitleDlg::kTitleTooLong},
      {title100, std::string(51, 'x'), std::string(31, 'x'), CDMTitleDlg::kContentTooLong},
      {"案内", "内容", std::string(31, 'x'), CDMTitleDlg::kManagerTooLong},
  };
  for (const Case& c : cases) {
    CDMTitleDlg d = Opened(DMTitleMode::Add);
    d.SetTitleText(c.title);
    d.SetContent(c.content);
    d.SetManager(c.manager);
    if (c.message) ui.ExpectMessage(c.message);
    d.OnOK();
    EXPECT_EQ(d.ClosedWithOk(), c.message == nullptr) << c.title.size();
    EXPECT_TRUE(ui.Done());
  }
}

TEST_F(DMTitleDlgTest, TheYearIsHeldTo1970To2040) {
  for (const char* year : {"1969", "2041", "", "20x6"}) {
    CDMTitleDlg d = Opened(DMTitleMode::Add);
    d.SetTitleText("案内");
    d.SetYearText(year);
    ui.ExpectMessage(CDMTitleDlg::kYearRange);
    d.OnOK();
    EXPECT_FALSE(d.IsClosing()) << year;
    EXPECT_EQ(d.TakeFocus(), DMTitleField::Year);
  }
  CDMTitleDlg d = Opened(DMTitleMode::Add);
  d.SetYearText("2040");
  d.OnYearStep(+1);
  EXPECT_EQ(d.YearText(), "2040");
  d.SetYearText("1970");
  d.OnYearStep(-3);
  EXPECT_EQ(d.YearText(), "1970");
}

TEST_F(DMTitleDlgTest, OnlyATitleAlreadySentOffersTheSentStateAndItsHistory) {
  records::CDMListData unsent;
  unsent.Title = "未送付のDM";
  unsent.SendDate = now;
  CDMTitleDlg a = Opened(DMTitleMode::Modify, &unsent);
  EXPECT_FALSE(a.SentEnabled());
  a.SetSent(1);
  a.SetHistoryRegistered(true);
  a.OnOK();
  EXPECT_EQ(a.Values().sent, 0);
  EXPECT_EQ(a.Values().historyRegistered, 0);

  records::CDMListData sent = unsent;
  sent.Sent = 1;
  sent.HistoryRegistered = 1;
  sent.SendMethod = 1;
  CDMTitleDlg b = Opened(DMTitleMode::Modify, &sent);
  EXPECT_TRUE(b.SentEnabled());
  EXPECT_EQ(b.Method(), 1);
  b.SetSent(0);
  b.OnOK();
  EXPECT_EQ(b.Values().sent, 0);
  EXPECT_EQ(b.Values().historyRegistered, 0);  // unsent never keeps history

  CDMTitleDlg copy = Opened(DMTitleMode::Copy, &sent);
  EXPECT_EQ(copy.Title(), "DMタイトルを追加");
  EXPECT_EQ(copy.Sent(), 0);
  EXPECT_FALSE(copy.SentEnabled());
  EXPECT_EQ(copy.TitleText(), "未送付のDM");
  EXPECT_EQ(copy.Method(), 1);

  CDMTitleDlg view = Opened(DMTitleMode::View, &sent);
  EXPECT_EQ(view.Title(), "DMタイトルを参照");
  EXPECT_FALSE(view.OkEnabled());
  view.OnOK();
  EXPECT_FALSE(view.IsClosing());
}

}  // namespace
}  // namespace dm
