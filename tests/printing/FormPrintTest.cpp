// The form print routine and the ways printing starts: what reaches the printer, when history
// entries are written, the menu screen's form list and the original forms.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "customers/SampleCustomers.h"
#include "dm/CKokyakuSelectDlg.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "platform/CNeritEnv.h"
#include "printing/CDispPrevDlg.h"
#include "printing/COriginalFormDlg.h"
#include "printing/CPrintSourceDlg.h"
#include "printing/CQMVDispPrev.h"
#include "printing/FormPrint.h"
#include "printing/PrintCommands.h"
#include "shell/DocumentTestSupport.h"
#include "text/Format.h"

namespace printing {
namespace {

using ::testing::ElementsAre;

class FormPrintTest : public shell::test::DocumentFolderTest {
 protected:
  FormPrintTest() {
    std::filesystem::copy_file(platform::CNeritEnv().GetFactoryFolder() / "Data" / "MyData" / "Lumaro.dat",
                               platform::MyDataFolder(Install()) / "Lumaro.dat");
    SetFormOutput([this](const PrintJob& job) {
      jobs.push_back(job);
      histories.push_back({});
      for (const auto& array : job.histories) {
        std::vector<std::string> titles;
        for (const auto* entry : array) titles.push_back(entry->ActionTitle);
        histories.back().push_back(titles);
      }
      return printResult;
    });
  }
  ~FormPrintTest() override { SetFormOutput({}); }

  // Customers with IDs 1..count in the store and the document's list.
  void AddCustomers(int count) {
    for (int i = 0; i < count; ++i) ASSERT_GT(doc.Store().AddNewKokyaku(customers::test::SampleCustomer(i)), 0);
    ASSERT_EQ(doc.Store().GetAllKokyaku(doc.Customers(), "ORDER BY [Customer].[ID]"), 1);
  }
  std::vector<const records::CKokyaku*> Customers() const {
    std::vector<const records::CKokyaku*> out;
    for (const auto& k : const_cast<shell::CTovanaDoc&>(doc).Customers()) out.push_back(k.get());
    return out;
  }
  int HistoryCount(std::int32_t id) {
    records::RirekiList list;
    doc.Store().GetRirekiForKokyaku(id, list);
    return static_cast<int>(list.size());
  }
  void AddHistory(std::int32_t id, const char* title) {
    records::CRirekiData entry;
    entry.ActionTitle = title;
    entry.Date = records::COleDate::FromCivil(2024, 5, 1);
    ASSERT_GT(doc.Store().AddNewRireki(id, entry, records::COleDate::Now()), 0);
  }

  std::vector<PrintJob> jobs;
  std::vector<std::vector<std::vector<std::string>>> histories;
  int printResult = 1;
};

TEST_F(FormPrintTest, HistoryIsWrittenOnlyAfterASuccessfulPrintAndNeverOnReadOnlyData) {
  struct Case {
    int printed;
    bool writeHistory;
    bool readOnly;
    int entries;
  } cases[] = {
      {1, true, false, 1}, {0, true, false, 0}, {1, false, false, 0}, {1, true, true, 0},
  };
  AddCustomers(2);
  int expected = 0;
  for (const Case& c : cases) {
    printResult = c.printed;
    doc.SetReadOnly(c.readOnly);
    CQMVDispPrev component(ui, Install(), nullptr);
    FormPrintRequest request;
    request.customers = Customers();
    request.layoutId = 2001;
    request.genre = lumaro::CLayoutInfo::kGenrePostcard;
    request.writeHistory = c.writeHistory;
    std::vector<std::int32_t> changed;
    EXPECT_EQ(PrintForm(ui, doc, component, request, [&](std::int32_t id) { changed.push_back(id); }), c.printed);
    expected += c.entries;
    EXPECT_EQ(HistoryCount(1), expected);
    EXPECT_EQ(HistoryCount(2), expected);
    if (c.entries) {
      EXPECT_THAT(changed, ElementsAre(1, 2));
      EXPECT_TRUE(doc.Customers()[0]->RirekiUpDate.IsValid());
    } else {
      EXPECT_TRUE(changed.empty());
    }
  }
  doc.SetReadOnly(false);
  records::RirekiList list;
  doc.Store().GetRirekiForKokyaku(1, list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->ActionTitle, "フォーム印刷");
  EXPECT_EQ(list[0]->Action, "通常はがき 宛名（縦書き）を印刷。");
  ASSERT_EQ(jobs.size(), 4u);
  EXPECT_EQ(jobs[0].layout.layoutId, 2001);
  EXPECT_EQ(jobs[0].customers.size(), 2u);
}

TEST_F(FormPrintTest, ACardPassesOneHistoryArrayPerCustomerInTheirOrder) {
  AddCustomers(3);
  AddHistory(1, "来店");
  AddHistory(1, "電話");
  AddHistory(3, "購入");
  CQMVDispPrev component(ui, Install(), nullptr);
  FormPrintRequest request;
  request.customers = Customers();
  request.layoutId = 5001;
  request.genre = lumaro::CLayoutInfo::kGenreCardHistory;
  ASSERT_EQ(PrintForm(ui, doc, component, request), 1);
  ASSERT_EQ(histories.size(), 1u);
  ASSERT_EQ(histories[0].size(), 3u);
  EXPECT_EQ(histories[0][0].size(), 2u);
  EXPECT_TRUE(histories[0][1].empty());
  EXPECT_THAT(histories[0][2], ElementsAre("購入"));

  // Entries handed in (the history list's selection) are printed as given.
  const records::CRirekiData chosen = [] {
    records::CRirekiData e;
    e.ActionTitle = "選択";
    return e;
  }();
  const HistoryArrays prepared = {{&chosen}, {}, {}};
  request.prepared = &prepared;
  ASSERT_EQ(PrintForm(ui, doc, component, request), 1);
  EXPECT_THAT(histories[1][0], ElementsAre("選択"));
  EXPECT_TRUE(histories[1][2].empty());
}

TEST_F(FormPrintTest, NoLayoutPrintsNothing) {
  CQMVDispPrev component(ui, Install(), nullptr);
  ui.ExpectMessage(kNoLayout);
  EXPECT_EQ(PrintForm(ui, doc, component, FormPrintRequest{}), 0);
  EXPECT_TRUE(jobs.empty());
}

TEST_F(FormPrintTest, TheCustomerListPrintsOnReadOnlyDataWithoutHistory) {
  AddCustomers(2);
  doc.SetReadOnly(true);
  ui.ExpectMessage("選択されている2件の顧客を印刷します。よろしいですか？", ui::Answer::Yes);
  ui.ExpectDialog<CDispPrevDlg>([](CDispPrevDlg& d) {
    EXPECT_FALSE(d.HistoryOffered());
    d.SelectCategory(0);
    d.SelectForm(0);
    d.OnOK();
  });
  EXPECT_FALSE(PrintCustomers(ui, doc, Customers()));
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(HistoryCount(1), 0);

  // Writable, history chosen: printed and left.
  doc.SetReadOnly(false);
  ui.ExpectMessage("選択されている2件の顧客を印刷します。よろしいですか？", ui::Answer::Yes);
  ui.ExpectDialog<CDispPrevDlg>([](CDispPrevDlg& d) {
    EXPECT_TRUE(d.HistoryOffered());
    EXPECT_TRUE(d.HistoryChecked());
    d.OnOK();
  });
  EXPECT_TRUE(PrintCustomers(ui, doc, Customers()));
  EXPECT_EQ(HistoryCount(2), 1);

  ui.ExpectMessage(kNoCustomerSelected);
  EXPECT_FALSE(PrintCustomers(ui, doc, {}));
}

TEST_F(FormPrintTest, TheHistoryOptionAskedOnReadOnlyDataIsRefusedOnce) {
  AddCustomers(1);
  doc.SetReadOnly(true);
  // The dialog offers no history on read-only data, so a checked option can only come from a
  // caller; the routine still writes nothing.
  CQMVDispPrev component(ui, Install(), nullptr);
  FormPrintRequest request;
  request.customers = Customers();
  request.layoutId = 2002;
  request.genre = 2;
  request.writeHistory = true;
  EXPECT_EQ(PrintForm(ui, doc, component, request), 1);
  EXPECT_EQ(HistoryCount(1), 0);
}

TEST_F(FormPrintTest, TheDialogChoosesByCategoryAndOffersTheFirstPieceOnlyForSheets) {
  CDispPrevDlg dialog(ui, Install(), &profile, 0, true, true);
  ASSERT_THAT(dialog.Categories(), ::testing::Contains("宛名印刷"));
  for (int c = 0; c < static_cast<int>(dialog.Categories().size()); ++c) {
    dialog.SelectCategory(c);
    for (const FormChoice& f : dialog.Forms()) EXPECT_NE(f.genre, 0) << f.title;  // blank forms go to the form program
  }
  dialog.SelectCategory(0);
  ASSERT_GE(dialog.FormRow(), 0);
  ASSERT_TRUE(dialog.Layout());
  std::size_t postcard = 0;
  for (std::size_t r = 0; r < dialog.Forms().size(); ++r) {
    if (dialog.Forms()[r].layoutId == 2001) postcard = r;
    if (dialog.Forms()[r].layoutId == 1007) {
      dialog.SelectForm(static_cast<int>(r));
      EXPECT_TRUE(dialog.FirstPieceOffered());
      dialog.SetFirstPiece(40);
      EXPECT_EQ(dialog.FirstPiece(), 12);
      EXPECT_EQ(dialog.Options().firstPiece, 11);
    }
  }
  dialog.SelectForm(static_cast<int>(postcard));
  EXPECT_FALSE(dialog.FirstPieceOffered());
  EXPECT_EQ(dialog.Options().firstPiece, 0);
  dialog.SetJointChoice(1);
  EXPECT_EQ(dialog.Options().jointColumn, "Note1");
  dialog.SetDestination(PrintJob::Destination::Pdf);
  ui.ExpectSaveFile(temp / "out");
  dialog.OnOK();
  ASSERT_TRUE(dialog.ClosedWithOk());
  EXPECT_EQ(dialog.PdfFile(), temp / "out.pdf");
  // The next print opens on the same form and options.
  CDispPrevDlg again(ui, Install(), &profile, 0, true, true);
  EXPECT_EQ(again.Chosen().layoutId, 2001);
  EXPECT_EQ(again.JointChoice(), 1);
  EXPECT_EQ(again.Destination(), PrintJob::Destination::Pdf);
}

TEST_F(FormPrintTest, APrintersCalibrationIsKeptAndAppliedByName) {
  SetPrinterList([] { return std::vector<std::string>{"事務所", "倉庫"}; });
  CPrintOffsetDlg dialog(ui, Install(), &profile);
  dialog.SelectPrinter(1);
  dialog.XText = "１.５";
  dialog.YText = "-0.5";
  dialog.OnOK();
  EXPECT_TRUE(dialog.ClosedWithOk());
  EXPECT_EQ(PrinterCalibration(&profile, "倉庫"), std::pair(1.5, -0.5));
  EXPECT_EQ(PrinterCalibration(&profile, "事務所"), std::pair(0.0, 0.0));
  CPrintOffsetDlg bad(ui, Install(), &profile);
  bad.XText = "25";
  ui.ExpectMessage(CPrintOffsetDlg::kBadNumber);
  bad.OnOK();
  EXPECT_FALSE(bad.IsClosing());
  SetPrinterList({});

  AddCustomers(1);
  CQMVDispPrev component(ui, Install(), &profile);
  component.LayoutID = 2002;
  ASSERT_EQ(component.CallQuilletFormType1(Customers()), 1);
  ASSERT_TRUE(jobs.back().calibration);
  EXPECT_EQ(jobs.back().calibration("倉庫"), std::pair(1.5, -0.5));
}

class MenuPrintTest : public FormPrintTest {
 protected:
  MenuPrintTest() {
    // A form program that notes how it was started.
    std::filesystem::create_directories(Install() / "Exe");
    const std::filesystem::path program = Install() / "Exe" / "Quillet";
    std::ofstream(program) << "#!/bin/sh\necho \"$@\" > '" << (temp / "started.txt").string() << "'\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  }
  std::string Started() const {
    for (int i = 0; i < 100 && !std::filesystem::exists(temp / "started.txt"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::ifstream in(temp / "started.txt");
    std::string line;
    std::getline(in, line);
    return line;
  }
};

TEST_F(MenuPrintTest, AFormWithoutCustomerDataStartsTheFormProgramAtOnce) {
  PrintFromFormList(ui, doc, {6001, 0, lumaro::CLayoutInfo::kGenreNoCustomer, false});
  EXPECT_EQ(Started(), "/L:6001");
}

TEST_F(MenuPrintTest, TheCustomerChoiceOffersDMOnlyWhereAllowed) {
  for (const bool dm : {false, true}) {
    ui.ExpectDialog<CPrintSourceDlg>([dm](CPrintSourceDlg& d) {
      EXPECT_EQ(d.IsEnabled(CPrintSourceDlg::kFromDM), dm);
      d.Select(CPrintSourceDlg::kFromDM);
      EXPECT_EQ(d.Selected(), dm ? CPrintSourceDlg::kFromDM : CPrintSourceDlg::kFromCustomers);
      d.OnCancel();
    });
    PrintFromFormList(ui, doc, {4001, 0, lumaro::CLayoutInfo::kGenrePostcard, dm});
  }
  ui.ExpectDialog<CPrintSourceDlg>([](CPrintSourceDlg& d) {
    d.Select(CPrintSourceDlg::kStartForm);
    d.OnOK();
  });
  PrintFromFormList(ui, doc, {2001, 0, lumaro::CLayoutInfo::kGenrePostcard, false});
  EXPECT_EQ(Started(), "/L:2001");
  EXPECT_TRUE(jobs.empty());
}

TEST_F(MenuPrintTest, CustomersChosenForAFormArePrintedWithTheirHistoryEntry) {
  AddCustomers(3);
  ui.ExpectDialog<CPrintSourceDlg>([](CPrintSourceDlg& d) { d.OnOK(); });
  ui.ExpectDialog<dm::CKokyakuSelectDlg>([](dm::CKokyakuSelectDlg& d) {
    EXPECT_TRUE(d.HistoryShown());
    for (int row = 0; row < d.List().RowCount(); ++row) d.SetChecked(row, d.List().Rows()[static_cast<std::size_t>(row)].id != 2);
    d.SetKeepHistory(true);
    d.OnOK();
  });
  PrintFromFormList(ui, doc, {2002, 0, lumaro::CLayoutInfo::kGenrePostcard, false});
  ASSERT_EQ(jobs.size(), 1u);
  ASSERT_EQ(jobs[0].customers.size(), 2u);
  EXPECT_EQ(HistoryCount(3), 1);
  EXPECT_EQ(HistoryCount(2), 0);
}

class OriginalFormTest : public FormPrintTest {
 protected:
  void AddOriginal(int id, const char* name) {
    lumaro::CLumaro catalogue(Install(), [](std::string_view t) { ADD_FAILURE() << t; });
    ASSERT_EQ(catalogue.SetPickUp(name, 2001, id), 1);
  }
  std::vector<std::string> Titles() {
    lumaro::CLumaro catalogue(Install(), [](std::string_view t) { ADD_FAILURE() << t; });
    catalogue.ReadPickUp();
    std::vector<std::string> titles;
    for (const auto& l : catalogue.GetPickUpData()) titles.push_back(l->Title);
    return titles;
  }
};

TEST_F(OriginalFormTest, RenamesToAtMost200Bytes) {
  AddOriginal(40000, "年賀状");
  int changed = 0;
  COriginalFormDlg dialog(ui, Install(), [&changed] { ++changed; });
  const std::string exact(100, '\0');
  std::string name200, name201;
  for (int i = 0; i < 100; ++i) name200 += "あ";  // two bytes each
  name201 = name200 + "a";
  ui.ExpectDialog<COriginalNameDlg>([&](COriginalNameDlg& d) {
    EXPECT_EQ(d.Name, "年賀状");
    d.Name = name201;
    d.OnOK();
    EXPECT_FALSE(d.IsClosing());
    d.Name.clear();
    d.OnOK();
    EXPECT_FALSE(d.IsClosing());
    d.Name = name200;
    d.OnOK();
  });
  ui.ExpectMessage(COriginalNameDlg::kTooLong);
  ui.ExpectMessage(COriginalNameDlg::kEmpty);
  dialog.OnRename();
  EXPECT_THAT(Titles(), ElementsAre(name200));
  EXPECT_THAT(dialog.Rows(), ElementsAre(name200));
  EXPECT_EQ(changed, 1);
}

TEST_F(OriginalFormTest, DeletingAFormWhoseOrgFileIsMissingStillRemovesIt) {
  AddOriginal(40000, "一");
  AddOriginal(40001, "二");
  AddOriginal(40002, "三");
  std::filesystem::create_directories(Install() / "Data" / "Org");
  std::ofstream(COriginalFormDlg::OrgFile(Install(), 40002)) << "form";
  COriginalFormDlg dialog(ui, Install(), {});
  EXPECT_THAT(dialog.Selection(), ElementsAre(0));
  dialog.SetSelection({2, 1});
  EXPECT_FALSE(dialog.RenameEnabled());
  EXPECT_TRUE(dialog.DeleteEnabled());
  ui.ExpectMessage("名前の変更をするには、フォームを１つだけ選択してください");
  dialog.OnRename();
  ui.ExpectMessage("選択したフォームをすべて削除してよろしいですか？", ui::Buttons::YesNo, ui::Icon::Question, ui::Answer::No,
                   ui::Answer::Yes);
  dialog.OnDelete();
  EXPECT_THAT(Titles(), ElementsAre("一"));
  EXPECT_THAT(dialog.Rows(), ElementsAre("一"));
  EXPECT_THAT(dialog.Selection(), ElementsAre(0));
  EXPECT_FALSE(std::filesystem::exists(COriginalFormDlg::OrgFile(Install(), 40002)));
  dialog.SetSelection({});
  ui.ExpectMessage("削除するフォームを選択してください");
  dialog.OnDelete();
  ui.ExpectMessage("名前を変更するフォームを選択してください");
  dialog.OnRename();
}

}  // namespace
}  // namespace printing
