// The history entry dialog driven through its model, saving through the real history owner on a
// real database: the date lists, the checks with their messages and focus, and the save, close
// and step flows of each mode.
#include "history/CRirekiDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "history/HistoryTestSupport.h"
#include "history/RirekiDateLists.h"

namespace history {
namespace {

using records::CivilTime;
using records::COleDate;
using records::CRirekiData;
using ui::Answer;

using test::kNow;

class RirekiDlgTest : public test::HistoryFolderTest {
 protected:
  // An entry stored for the customer, at the given time.
  std::int32_t Stored(CivilTime when, std::string summary, double money = 0) {
    CRirekiData e;
    e.Date = COleDate::FromCivil(when);
    e.ActionTitle = std::move(summary);
    e.Money = money;
    const int id = store.AddNewRireki(customer, e, kNow);
    EXPECT_GT(id, 0);
    return id;
  }
  records::RirekiList History() {
    records::RirekiList list;
    EXPECT_EQ(store.GetRirekiForKokyaku(customer, list), 1);
    return list;
  }
  CRirekiDlg AddDialog() {
    CRirekiDlg dialog(ui, RirekiMode::Add, &owner, Install(), [] { return kNow; });
    dialog.SetCustomer(customer);
    return dialog;
  }
  // A Modify dialog on row of the shown history, enabled as the card pane would.
  CRirekiDlg ModifyDialog(int row) {
    EXPECT_EQ(owner.ShowCustomer(customer), 1);
    owner.Select(row);
    CRirekiDlg dialog(ui, RirekiMode::Modify, &owner, Install(), [] { return kNow; });
    dialog.LoadEntry(*owner.History()[row]);
    dialog.SetStepEnabled(row > 0, row < static_cast<int>(owner.History().size()) - 1);
    return dialog;
  }
  void ExpectRefused(CRirekiDlg& dialog, const std::string& message, RirekiField focus) {
    ui.ExpectMessage(message);
    dialog.OnOK();
    EXPECT_EQ(dialog.TakeFocus(), focus) << message;
    EXPECT_FALSE(dialog.IsClosing());
  }

};

TEST(RirekiDateListsTest, HourPositionsStartAtEightAndMinutesAreTwoDigits) {
  EXPECT_EQ(HourAtPosition(0), 8);
  EXPECT_EQ(HourAtPosition(16), 0);
  EXPECT_EQ(HourAtPosition(23), 7);
  EXPECT_EQ(HourAtPosition(-1), 0);
  for (int h = 0; h < 24; ++h) EXPECT_EQ(HourAtPosition(HourPosition(h)), h);
  EXPECT_EQ(HourTexts().front(), "8");
  EXPECT_EQ(HourTexts()[16], "0");
  EXPECT_EQ(MinuteTexts()[5], "05");
  EXPECT_EQ(MinuteTexts().size(), 60u);
}

TEST_F(RirekiDlgTest, AnEntryAtHalfPastSevenLoadsWithHourPosition23AndMinute30) {
  CRirekiDlg dialog(ui, RirekiMode::Modify, &owner, Install(), [] { return kNow; });
  CRirekiData e;
  e.Date = COleDate::FromCivil({2025, 3, 14, 7, 30, 0});
  dialog.LoadEntry(e);
  EXPECT_EQ(dialog.YearText(), "2025");
  EXPECT_EQ(dialog.MonthPosition(), 2);
  EXPECT_EQ(dialog.DayPosition(), 13);
  EXPECT_EQ(dialog.HourPosition(), 23);
  EXPECT_EQ(dialog.MinutePosition(), 30);
}

TEST_F(RirekiDlgTest, TheDayListFollowsTheGregorianRuleAndClampsTheChosenDay) {
  CRirekiDlg dialog = AddDialog();
  dialog.SetMonthPosition(1);
  dialog.SetDayPosition(30);
  dialog.SetYearText("2000");
  dialog.OnDayDropDown();
  EXPECT_EQ(dialog.DayCount(), 29);
  EXPECT_EQ(dialog.DayPosition(), 28);
  dialog.SetYearText("1900");
  dialog.OnDayDropDown();
  EXPECT_EQ(dialog.DayCount(), 28);
  EXPECT_EQ(dialog.DayPosition(), 27);
  dialog.SetMonthPosition(-1);
  dialog.OnDayDropDown();
  EXPECT_EQ(dialog.DayCount(), 31);
  EXPECT_EQ(dialog.DayPosition(), 27);
}

TEST_F(RirekiDlgTest, ImpossibleDatesAndBadNumbersAreRefusedWithTheFocusOnTheirField) {
  CRirekiDlg dialog = AddDialog();
  dialog.SetMonthPosition(1);  // February, with the 31-day list still showing the 30th
  dialog.SetDayPosition(29);
  ExpectRefused(dialog, CRirekiDlg::kDateInvalid, RirekiField::Day);
  dialog.SetDayPosition(-1);
  ExpectRefused(dialog, CRirekiDlg::kDateInvalid, RirekiField::Day);
  dialog.SetDayPosition(0);
  dialog.SetYearText("99");
  ExpectRefused(dialog, CRirekiDlg::kYearRange, RirekiField::Year);
  dialog.SetYearText("二千");
  ExpectRefused(dialog, CRirekiDlg::kWholeNumberExpected, RirekiField::Year);
  dialog.SetYearText("2026");
  dialog.SetAmountText("12.345");
  ExpectRefused(dialog, CRirekiDlg::kTooManyDecimals, RirekiField::Amount);
  dialog.SetAmountText("1e3");
  ExpectRefused(dialog, CRirekiDlg::kNumberExpected, RirekiField::Amount);
  dialog.SetAmountText("");
  ExpectRefused(dialog, CRirekiDlg::kNumberExpected, RirekiField::Amount);
  dialog.SetAmountText("1000000000000.01");
  ExpectRefused(dialog, CRirekiDlg::kAmountRange, RirekiField::Amount);
  dialog.SetAmountText("-100000000.01");
  ExpectRefused(dialog, CRirekiDlg::kAmountRange, RirekiField::Amount);
  dialog.SetAmountText("0");
  dialog.SetStaff(std::string(15, 'a') + "あいうえおかきくけ");  // 15 + 18 bytes
  ExpectRefused(dialog, "半角30文字以内で入力してください。", RirekiField::Staff);
  EXPECT_TRUE(History().empty());
}

TEST_F(RirekiDlgTest, TrailingZerosDoNotCountAsDecimals) {
  CRirekiDlg dialog = AddDialog();
  dialog.SetAmountText("12.500");
  ui.ExpectMessage(CRirekiDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  const auto history = History();
  ASSERT_EQ(history.size(), 1u);
  EXPECT_DOUBLE_EQ(history[0]->Money, 12.5);
}

TEST_F(RirekiDlgTest, AmountsAndYearsAreReadAsPeopleTypeThem) {
  struct Row {
    const char* year;
    const char* amount;
    double stored;
  };
  const Row rows[] = {{"２０２５", "¥1,500", 1500}, {"2025", "１，５００", 1500}, {" 2025 ", "￥１２．５０", 12.5},
                      {"2025", "-1,500円", -1500}};
  int minute = 0;
  for (const Row& row : rows) {
    CRirekiDlg dialog = AddDialog();
    dialog.SetMinutePosition(++minute);  // each entry later than the last, so it lists first
    dialog.SetYearText(row.year);
    dialog.SetAmountText(row.amount);
    ui.ExpectMessage(CRirekiDlg::kAddQuestion, Answer::Yes);
    dialog.OnOK();
    const auto history = History();
    ASSERT_FALSE(history.empty()) << row.amount;
    EXPECT_DOUBLE_EQ(history[0]->Money, row.stored) << row.amount;
    EXPECT_EQ(history[0]->Date.ToCivil().year, 2025) << row.year;
  }
  CRirekiDlg dialog = AddDialog();
  dialog.SetAmountText("1,50");  // a mistyped decimal comma is no amount of 150
  ExpectRefused(dialog, CRirekiDlg::kNumberExpected, RirekiField::Amount);
  dialog.SetAmountText("１２．３４５");
  ExpectRefused(dialog, CRirekiDlg::kTooManyDecimals, RirekiField::Amount);
}

TEST_F(RirekiDlgTest, TheYearSpinStaysInRangeAndStartsFromTheTypedYear) {
  CRirekiDlg dialog = AddDialog();
  dialog.SetYearText("２０００");
  dialog.OnYearStep(1);
  EXPECT_EQ(dialog.YearText(), "2001");
  dialog.SetYearText("9998");
  dialog.OnYearStep(5);
  EXPECT_EQ(dialog.YearText(), "9999");
  dialog.SetYearText("99");
  dialog.OnYearStep(1);
  EXPECT_EQ(dialog.YearText(), "100");
  dialog.SetYearText("去年");
  dialog.OnYearStep(-1);
  EXPECT_EQ(dialog.YearText(), "2025");  // from the year of now
}

TEST_F(RirekiDlgTest, AnUntouchedAddClosesSilentlyAndAChangedMinuteAsks) {
  CRirekiDlg untouched = AddDialog();
  untouched.OnCancel();
  EXPECT_TRUE(untouched.IsClosing());

  CRirekiDlg declined = AddDialog();
  declined.SetMinutePosition(31);
  ui.ExpectMessage(CRirekiDlg::kAddOnClose, Answer::No);
  declined.OnCancel();
  EXPECT_TRUE(declined.IsClosing());
  EXPECT_TRUE(History().empty());

  CRirekiDlg accepted = AddDialog();
  accepted.SetMinutePosition(31);
  ui.ExpectMessage(CRirekiDlg::kAddOnClose, Answer::Yes);
  accepted.OnCancel();
  EXPECT_TRUE(accepted.IsClosing());
  const auto history = History();
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0]->Date, COleDate::FromCivil({2026, 12, 8, 10, 31, 0}));
}

TEST_F(RirekiDlgTest, AnAddStoresTheEntryKeepsTheCustomerInStepAndResetsForTheNext) {
  std::vector<std::int32_t> touched;
  owner.SetRirekiUpDateChanged([&](std::int32_t id) { touched.push_back(id); });
  ASSERT_EQ(owner.ShowCustomer(customer), 1);
  CRirekiDlg dialog = AddDialog();
  dialog.SetSummary("問い合わせ");
  dialog.SetDetails("新商品の在庫について\n電話で回答");
  dialog.SetStaff("鈴木");
  dialog.SetAmountText("1500");
  ui.ExpectMessage(CRirekiDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  EXPECT_FALSE(dialog.IsClosing());
  EXPECT_EQ(dialog.Summary(), "");
  EXPECT_EQ(dialog.AmountText(), "0");
  const auto history = History();
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0]->ActionTitle, "問い合わせ");
  EXPECT_EQ(history[0]->Action, "新商品の在庫について\n電話で回答");
  EXPECT_EQ(history[0]->TantouName, "鈴木");
  EXPECT_EQ(owner.History().front()->ID, history[0]->ID);
  EXPECT_EQ(customers[0]->RirekiUpDate, kNow);
  EXPECT_EQ(touched, std::vector<std::int32_t>{customer});
  dialog.OnCancel();  // the reset dialog is untouched again
  EXPECT_TRUE(dialog.IsClosing());
}

TEST_F(RirekiDlgTest, AFailedAddKeepsTheInput) {
  CRirekiDlg dialog(ui, RirekiMode::Add, &owner, Install(), [] { return kNow; });
  const COleDate before = customers[0]->RirekiUpDate;
  dialog.SetCustomer(customer + 100);  // deleted meanwhile
  dialog.SetSummary("購入");
  ui.ExpectMessage(CRirekiDlg::kAddQuestion, Answer::Yes).ExpectMessage(CRirekiDlg::kAddFailed);
  dialog.OnOK();
  EXPECT_FALSE(dialog.IsClosing());
  EXPECT_EQ(dialog.Summary(), "購入");
  EXPECT_EQ(customers[0]->RirekiUpDate, before);
}

TEST_F(RirekiDlgTest, ACopyTakesTheTimeNowAndAfterItsAddClosesSilently) {
  const std::int32_t id = Stored({2024, 5, 1, 9, 0, 0}, "購入", 3200);
  ASSERT_EQ(owner.ShowCustomer(customer), 1);
  CRirekiDlg copy(ui, RirekiMode::Copy, &owner, Install(), [] { return kNow; });
  copy.SetCustomer(customer);
  copy.LoadEntry(*owner.History()[0]);
  EXPECT_EQ(copy.Title(), "履歴を追加");
  EXPECT_EQ(copy.YearText(), "2026");
  EXPECT_EQ(copy.AmountText(), "3200");
  ui.ExpectMessage(CRirekiDlg::kAddQuestion, Answer::Yes);
  copy.OnOK();
  copy.OnCancel();
  EXPECT_TRUE(copy.IsClosing());
  const auto history = History();
  ASSERT_EQ(history.size(), 2u);
  EXPECT_EQ(history[0]->ActionTitle, "購入");
  EXPECT_EQ(history[0]->Date, COleDate::FromCivil({2026, 12, 8, 10, 30, 0}));
  EXPECT_NE(history[0]->ID, id);
}

TEST_F(RirekiDlgTest, AModifySavesStaysOpenAndSetsTheStepButtonsFromTheList) {
  Stored({2024, 5, 3, 9, 0, 0}, "購入");
  const std::int32_t middle = Stored({2024, 5, 2, 9, 0, 0}, "問い合わせ");
  Stored({2024, 5, 1, 9, 0, 0}, "DM");
  CRirekiDlg dialog = ModifyDialog(1);
  EXPECT_EQ(dialog.Title(), "履歴の修正");
  EXPECT_EQ(dialog.OkCaption(), "修正");
  dialog.SetSummary("クレーム");
  dialog.SetHourPosition(HourPosition(14));
  ui.ExpectMessage(CRirekiDlg::kModifyQuestion, Answer::Yes);
  dialog.OnOK();
  EXPECT_FALSE(dialog.IsClosing());
  EXPECT_EQ(dialog.Entry().ActionTitle, "クレーム");
  EXPECT_TRUE(dialog.PreviousEnabled());
  EXPECT_TRUE(dialog.NextEnabled());
  const auto history = History();
  EXPECT_EQ(history[1]->ID, middle);
  EXPECT_EQ(history[1]->ActionTitle, "クレーム");
  EXPECT_EQ(history[1]->Date, COleDate::FromCivil({2024, 5, 2, 14, 0, 0}));
  EXPECT_EQ(owner.History()[1]->ActionTitle, "クレーム");
  dialog.OnCancel();
  EXPECT_TRUE(dialog.IsClosing());
}

TEST_F(RirekiDlgTest, SteppingSavesAChangedEntryOnYesAndDropsItOnNo) {
  Stored({2024, 5, 3, 9, 0, 0}, "購入");
  Stored({2024, 5, 2, 9, 0, 0}, "問い合わせ");
  Stored({2024, 5, 1, 9, 0, 0}, "DM");
  CRirekiDlg dialog = ModifyDialog(0);
  EXPECT_FALSE(dialog.PreviousEnabled());
  dialog.SetKeyword("商品１");
  ui.ExpectMessage(CRirekiDlg::kModifyQuestion, Answer::Yes);
  dialog.OnNext();
  EXPECT_EQ(dialog.Summary(), "問い合わせ");
  EXPECT_TRUE(dialog.PreviousEnabled());
  EXPECT_TRUE(dialog.NextEnabled());
  dialog.SetKeyword("商品２");
  ui.ExpectMessage(CRirekiDlg::kModifyQuestion, Answer::No);
  dialog.OnNext();
  EXPECT_EQ(dialog.Summary(), "DM");
  EXPECT_FALSE(dialog.NextEnabled());
  dialog.OnNext();  // no further entry: nothing changes
  EXPECT_EQ(dialog.Summary(), "DM");
  dialog.OnPrevious();
  EXPECT_EQ(dialog.Summary(), "問い合わせ");
  EXPECT_TRUE(dialog.NextEnabled());
  const auto history = History();
  EXPECT_EQ(history[0]->Keyword, "商品１");
  EXPECT_EQ(history[1]->Keyword, "");
}

TEST_F(RirekiDlgTest, AModifyThatFailsOnCloseKeepsTheDialogAndTheEditsUnsaved) {
  const std::int32_t id = Stored({2024, 5, 1, 9, 0, 0}, "購入");
  CRirekiDlg dialog = ModifyDialog(0);
  ASSERT_EQ(store.DeleteRireki(id, kNow), 1);  // gone meanwhile
  dialog.SetDetails("返品の相談");
  ui.ExpectMessage(CRirekiDlg::kModifyOnClose, Answer::Yes).ExpectMessage(CRirekiDlg::kModifyOnCloseFailed);
  dialog.OnCancel();
  EXPECT_FALSE(dialog.IsClosing());
  ui.ExpectMessage(CRirekiDlg::kModifyOnClose, Answer::No);
  dialog.OnCancel();
  EXPECT_TRUE(dialog.IsClosing());
}

TEST_F(RirekiDlgTest, ABulkAddConfirmsAndLeavesTheEntryForTheCaller) {
  CRirekiDlg dialog(ui, RirekiMode::BulkAdd, &owner, Install(), [] { return kNow; });
  EXPECT_EQ(dialog.Title(), "履歴を一括追加");
  EXPECT_EQ(dialog.OkCaption(), "追加");
  EXPECT_EQ(dialog.CloseCaption(), "ｷｬﾝｾﾙ");
  EXPECT_FALSE(dialog.StepButtonsShown());
  dialog.SetSummary("DM");
  ui.ExpectMessage(CRirekiDlg::kBulkQuestion, Answer::No);
  dialog.OnOK();
  EXPECT_FALSE(dialog.IsClosing());
  ui.ExpectMessage(CRirekiDlg::kBulkQuestion, Answer::Yes);
  dialog.OnOK();
  EXPECT_TRUE(dialog.ClosedWithOk());
  EXPECT_EQ(dialog.Entry().ActionTitle, "DM");
  EXPECT_EQ(dialog.Entry().Date, COleDate::FromCivil({2026, 12, 8, 10, 30, 0}));
  EXPECT_TRUE(History().empty());
}

TEST_F(RirekiDlgTest, ARegisteredPictureIsCopiedUnderAFreeNameOnSave) {
  const auto pictures = Data() / "Picture";
  std::filesystem::create_directories(pictures);
  std::ofstream(pictures / "photo.jpg") << "first";
  std::ofstream(pictures / "photo_1.jpg") << "second";
  std::filesystem::create_directories(temp / "camera");
  std::ofstream(temp / "camera" / "photo.jpg") << "new";
  CRirekiDlg dialog = AddDialog();
  EXPECT_FALSE(dialog.CanDeletePicture());
  ui.ExpectOpenFile(temp / "camera" / "photo.jpg");
  dialog.OnRegisterPicture();
  EXPECT_TRUE(dialog.CanDeletePicture());
  EXPECT_EQ(dialog.PicturePath(), temp / "camera" / "photo.jpg");
  ui.ExpectMessage(CRirekiDlg::kAddQuestion, Answer::Yes);
  dialog.OnOK();
  const auto history = History();
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0]->Picture, "photo_2.jpg");
  EXPECT_TRUE(std::filesystem::exists(pictures / "photo_2.jpg"));
}

TEST_F(RirekiDlgTest, DeletingThePictureAsksAndLeavesTheFile) {
  std::ofstream(temp / "photo.jpg") << "x";
  CRirekiDlg dialog = AddDialog();
  ui.ExpectOpenFile(temp / "photo.jpg");
  dialog.OnRegisterPicture();
  ui.ExpectMessage(CRirekiDlg::kPictureDeleteQuestion, ui::Buttons::YesNo, ui::Icon::Question, Answer::Yes, Answer::No);
  dialog.OnDeletePicture();
  EXPECT_TRUE(dialog.CanDeletePicture());
  ui.ExpectMessage(CRirekiDlg::kPictureDeleteQuestion, Answer::Yes);
  dialog.OnDeletePicture();
  EXPECT_FALSE(dialog.CanDeletePicture());
  EXPECT_TRUE(std::filesystem::exists(temp / "photo.jpg"));
}

}  // namespace
}  // namespace history
