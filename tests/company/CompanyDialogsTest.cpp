// The own-company and amount dialogs: what they read, what OK writes (all files or none), what
// Cancel leaves, the first-run marker and the five sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "company/AutoText.h"
#include "company/CJishaInfoDlg.h"
#include "company/CKingakuDlg.h"
#include "platform/FileFaults.h"
#include "platform/InstallLayout.h"
#include "settings/SettingsTestSupport.h"

namespace company {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::ScopedFileFault;
using testing_support::WriteBytes;

class CompanyDialogs : public settings::test::SettingsFolderTest {
 protected:
  fs::path Other() const { return AutoTextFolder(Install()); }
  void Place(const char* name, std::string_view text) {
    std::string error;
    ASSERT_TRUE(WriteAutoTexts(Other(), {{name, std::string(text)}}, error)) << error;
  }
  std::string Read(const char* name) const { return ReadAutoText(Other(), name).value_or("<none>"); }
  std::vector<std::string> OtherNames() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(Other(), ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(CompanyDialogs, OpeningReadsTheFilesIntoTheBoxesAndAMissingFileLeavesItsValueEmpty) {
  Place("COM.AUT", "Sakura Design");
  Place("ZIPHIFN.AUT", "123-4567");
  Place("TEL.AUT", "03-1234-5678");
  Place("FAX.AUT", "0120-12");
  WriteBytes(Other() / "BUSYO.AUT", "\x09" "cut");  // damaged: no value
  CJishaInfoDlg dialog(ui, Install());
  dialog.Open();
  EXPECT_FALSE(dialog.CentredOnScreen());
  const std::pair<JishaBox, const char*> expected[] = {
      {JishaBox::Company, "Sakura Design"}, {JishaBox::Department, ""}, {JishaBox::Person, ""},
      {JishaBox::Zip1, "123"},              {JishaBox::Zip2, "4567"},   {JishaBox::Tel1, "03"},
      {JishaBox::Tel2, "1234"},             {JishaBox::Tel3, "5678"},   {JishaBox::Fax1, "0120"},
      {JishaBox::Fax2, "12"},               {JishaBox::Fax3, ""},       {JishaBox::Address, ""}};
  for (const auto& [box, text] : expected) EXPECT_EQ(dialog.Text(box), text) << static_cast<int>(box);
}

TEST_F(CompanyDialogs, DigitBoxesKeepOnlyDigitsUpToTheirLength) {
  CJishaInfoDlg dialog(ui, Install());
  dialog.Open();
  struct Case {
    JishaBox box;
    const char* typed;
    const char* kept;
  };
  for (const Case& c : {Case{JishaBox::Zip1, "1234", "123"}, Case{JishaBox::Zip2, "45-67", "4567"},
                        Case{JishaBox::Tel1, "０３a03", "03"}, Case{JishaBox::Tel3, "12345", "1234"},
                        Case{JishaBox::Company, "ＡＢＣ-123", "ＡＢＣ-123"}}) {
    dialog.SetText(c.box, c.typed);
    EXPECT_EQ(dialog.Text(c.box), c.kept) << c.typed;
  }
}

TEST_F(CompanyDialogs, OkWritesAllSixteenFilesAndEmptyBoxesGiveEmptyNumbers) {
  CJishaInfoDlg dialog(ui, Install());
  dialog.Open();
  dialog.SetText(JishaBox::Company, "ABC商事");
  dialog.SetText(JishaBox::Tel2, "1234");  // one part typed: the others stay empty around it
  dialog.OnOK();
  EXPECT_TRUE(dialog.ClosedWithOk());
  EXPECT_EQ(OtherNames(), (std::vector<std::string>{"ADD.AUT", "BUSYO.AUT", "CATCH.AUT", "COM.AUT", "FAX.AUT",
                                                    "KOUZA.AUT", "NAME.AUT", "TATEADD.AUT", "TATEFAX.AUT",
                                                    "TATETEL.AUT", "TATEZIP.AUT", "TEL.AUT", "TELNOHIFN.AUT",
                                                    "ZENZIP.AUT", "ZIP.AUT", "ZIPHIFN.AUT"}));
  EXPECT_EQ(Read("COM.AUT"), "ABC商事");
  EXPECT_EQ(ReadBytes(Other() / "ZIPHIFN.AUT"), std::string(1, '\0'));
  EXPECT_EQ(ReadBytes(Other() / "ZIP.AUT"), std::string(1, '\0'));
  EXPECT_EQ(Read("TEL.AUT"), "-1234-");
  EXPECT_EQ(Read("TATETEL.AUT"), "-一二三四-");
  EXPECT_EQ(Read("TELNOHIFN.AUT"), "1234");
}

TEST_F(CompanyDialogs, CancelWritesNothing) {
  Place("COM.AUT", "old");
  CJishaInfoDlg dialog(ui, Install());
  dialog.Open();
  dialog.SetText(JishaBox::Company, "new");
  dialog.OnCancel();
  EXPECT_EQ(Read("COM.AUT"), "old");
  EXPECT_EQ(OtherNames(), std::vector<std::string>{"COM.AUT"});
}

TEST_F(CompanyDialogs, AFileThatCannotBeWrittenIsReportedAndNoFileChanges) {
  // A new file is written beside its target and renamed over it.
  const std::pair<platform::FileOp, const char*> faults[] = {{platform::FileOp::Write, "TATEADD.AUT.saving"},
                                                             {platform::FileOp::Rename, "TATEADD.AUT"}};
  for (const auto& [op, path] : faults) {
    SCOPED_TRACE(path);
    Place("COM.AUT", "old");
    Place("TATEADD.AUT", "old");
    CJishaInfoDlg dialog(ui, Install());
    dialog.Open();
    dialog.SetText(JishaBox::Company, "new");
    dialog.SetText(JishaBox::Address, "新住所");
    ui.ExpectMessage(CJishaInfoDlg::kSaveFailed);
    {
      ScopedFileFault fault(op, 1, ENOSPC, path);
      dialog.OnOK();
      EXPECT_TRUE(fault.Fired());
    }
    EXPECT_FALSE(dialog.IsClosing()) << "what was typed is not lost";
    EXPECT_EQ(Read("COM.AUT"), "old");
    EXPECT_EQ(Read("TATEADD.AUT"), "old");
    EXPECT_EQ(OtherNames(), (std::vector<std::string>{"COM.AUT", "TATEADD.AUT"}));
  }
}

TEST_F(CompanyDialogs, TheFirstRunMarkerIsRemovedOnOpeningAndCentresTheDialogOnTheScreen) {
  WriteBytes(platform::FirstRunMarkerFile(Install()), "");
  bool shown = false;
  ui.ExpectDialog<CJishaInfoDlg>([&shown](CJishaInfoDlg& d) {
    shown = true;
    EXPECT_TRUE(d.CentredOnScreen());
    d.OnCancel();
  });
  AskJishaInfoOnFirstRun(ui, Install());
  EXPECT_TRUE(shown);
  EXPECT_FALSE(fs::exists(platform::FirstRunMarkerFile(Install())));
  AskJishaInfoOnFirstRun(ui, Install());  // once only: no further dialog is expected
  EXPECT_TRUE(ui.Done());
}

TEST_F(CompanyDialogs, OnlyTheFirstSetIsPrintedAndTheOthersAreKeptAndCanBeSwappedIn) {
  {
    CJishaInfoDlg dialog(ui, Install());
    dialog.Open();
    dialog.SetText(JishaBox::Company, "本社");
    dialog.ShowSet(2);
    EXPECT_EQ(dialog.Text(JishaBox::Company), "");
    dialog.SetText(JishaBox::Company, "支店");
    dialog.SetText(JishaBox::Zip1, "987");
    dialog.OnOK();
  }
  EXPECT_EQ(Read("COM.AUT"), "本社");
  EXPECT_EQ(Read("ZIPHIFN.AUT"), "");
  CJishaInfoDlg dialog(ui, Install());
  dialog.Open();
  EXPECT_EQ(CJishaInfoDlg::SetName(2), "使用者３");
  EXPECT_EQ(dialog.Set(2)[static_cast<std::size_t>(JishaBox::Company)], "支店");
  EXPECT_EQ(dialog.Set(2)[static_cast<std::size_t>(JishaBox::Zip1)], "987");
  dialog.ShowSet(2);
  dialog.OnMakeFirst();
  EXPECT_EQ(dialog.ShownSet(), 0);
  EXPECT_EQ(dialog.Text(JishaBox::Company), "支店");
  EXPECT_EQ(dialog.Set(2)[static_cast<std::size_t>(JishaBox::Company)], "本社");
  dialog.OnOK();
  EXPECT_EQ(Read("COM.AUT"), "支店");
  EXPECT_EQ(Read("ZIPHIFN.AUT"), "987-");
}

TEST_F(CompanyDialogs, TheAmountDialogReadsTheRoundingMethodAndTheRate) {
  struct Case {
    const char* method;  // nullptr: no file
    const char* rate;
    Rounding rounding;
    const char* shown;
  };
  for (const Case& c : {Case{nullptr, nullptr, Rounding::Down, "5"}, Case{"U", "10", Rounding::Up, "10"},
                        Case{"F", "8", Rounding::HalfUp, "8"}, Case{"D", nullptr, Rounding::Down, "5"},
                        Case{"X", "", Rounding::Down, ""}, Case{"u", "8.5", Rounding::Down, "8.5"}}) {
    SCOPED_TRACE(c.method ? c.method : "none");
    fs::remove_all(Other());
    if (c.method) Place(CKingakuDlg::kRoundingFile, c.method);
    if (c.rate) Place(CKingakuDlg::kRateFile, c.rate);
    CKingakuDlg dialog(ui, Install());
    dialog.Open();
    EXPECT_EQ(dialog.GetRounding(), c.rounding);
    EXPECT_EQ(dialog.Rate(), c.shown);
  }
}

TEST_F(CompanyDialogs, TheAmountDialogStoresTheRateAsDigitsAndRefusesWhatIsNoNumber) {
  struct Case {
    const char* typed;
    const char* stored;  // nullptr: refused
  };
  for (const Case& c : {Case{"８", "8"}, Case{"10", "10"}, Case{"5", "5"}, Case{"1０", "10"}, Case{"8.5", "8.5"},
                        Case{"", nullptr}, Case{"abc", nullptr}, Case{"8%", nullptr}, Case{".5", nullptr},
                        Case{"5.", nullptr}, Case{"－８", nullptr}}) {
    SCOPED_TRACE(c.typed);
    fs::remove_all(Other());
    CKingakuDlg dialog(ui, Install());
    dialog.Open();
    dialog.SetRounding(Rounding::HalfUp);
    dialog.SetRate(c.typed);
    if (!c.stored) ui.ExpectMessage(CKingakuDlg::kBadRate);
    dialog.OnOK();
    EXPECT_EQ(dialog.ClosedWithOk(), c.stored != nullptr);
    if (c.stored) {
      EXPECT_EQ(ReadBytes(Other() / CKingakuDlg::kRateFile), std::string(1, static_cast<char>(std::strlen(c.stored))) + c.stored);
      EXPECT_EQ(ReadBytes(Other() / CKingakuDlg::kRoundingFile), "\x01" "F");
    } else {
      EXPECT_FALSE(fs::exists(Other() / CKingakuDlg::kRateFile));
    }
  }
}

TEST_F(CompanyDialogs, TheAmountFilesAreWrittenBothOrNeitherAndCancelWritesNothing) {
  Place(CKingakuDlg::kRoundingFile, "U");
  Place(CKingakuDlg::kRateFile, "8");
  CKingakuDlg dialog(ui, Install());
  dialog.Open();
  dialog.SetRounding(Rounding::Down);
  dialog.SetRate("10");
  ui.ExpectMessage(CKingakuDlg::kSaveFailed);
  {
    ScopedFileFault fault(platform::FileOp::Rename, 1, EIO, CKingakuDlg::kRateFile);
    dialog.OnOK();
  }
  EXPECT_FALSE(dialog.IsClosing());
  EXPECT_EQ(Read(CKingakuDlg::kRoundingFile), "U");
  EXPECT_EQ(Read(CKingakuDlg::kRateFile), "8");
  dialog.OnCancel();
  EXPECT_EQ(Read(CKingakuDlg::kRoundingFile), "U");
}

TEST_F(CompanyDialogs, TheRateEditKeepsThreeBytes) {
  CKingakuDlg dialog(ui, Install());
  dialog.SetRate("１０.5");
  EXPECT_EQ(dialog.Rate(), "１");
  dialog.SetRate("12.5");
  EXPECT_EQ(dialog.Rate(), "12.");
}

}  // namespace
}  // namespace company
