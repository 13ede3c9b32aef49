// The export commands through their messages and dialogs, on a real document and store, as the
// customer list runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/Screens.h"
#include "customers/CKokyakuView.h"
#include "customers/SampleCustomers.h"
#include "io/Export.h"
#include "io/ExportDialogs.h"
#include "io/ExportHtmlSet.h"
#include "io/ExportTestSupport.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "shell/DocumentTestSupport.h"
#include "shell/FolderRoutines.h"
#include "text/Format.h"

namespace io {
namespace {

namespace fs = std::filesystem;
namespace cmd = shell::cmd;
using testing_support::ReadBytes;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

class ExportCommands : public shell::test::DocumentFolderTest {
 protected:
  ~ExportCommands() override { doc.Store().SaveQMV(true); }

  customers::CKokyakuView& OpenList(int customers) {
    for (int i = 0; i < customers; ++i) {
      auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(i));
      EXPECT_GT(doc.AddCustomer(k), 0);
    }
    frame = std::make_unique<shell::CMainFrame>(ui, shell::CMainFrame::ScreenFactory{});
    app::MenuScreenContext context;
    context.ui = &ui;
    context.frame = frame.get();
    context.doc = &doc;
    context.install = Install();
    frame->SetDocument(&doc);
    frame->SetScreenFactory(app::MakeScreenFactory(context));
    EXPECT_TRUE(frame->Create());
    EXPECT_TRUE(frame->SwitchScreen(shell::CScreen::kCustomerList));
    return dynamic_cast<customers::CKokyakuView&>(*frame->ActiveScreen());
  }

  std::vector<records::CKokyaku> People(int count) {
    std::vector<records::CKokyaku> all;
    for (int i = 0; i < count; ++i) all.push_back(customers::test::SampleCustomer(i));
    return all;
  }

  fs::path Out(const char* name) {
    fs::create_directories(temp / "out");
    return temp / "out" / name;
  }

  std::unique_ptr<shell::CMainFrame> frame;
};

TEST_F(ExportCommands, TheListOffersBothCommandsOnlyWithASelection) {
  customers::CKokyakuView& view = OpenList(3);
  view.SetSelection({});
  EXPECT_FALSE(view.IsCommandEnabled(cmd::kExportData));
  EXPECT_FALSE(view.IsCommandEnabled(cmd::kExportHtml));
  view.SetSelection({1});
  EXPECT_TRUE(view.IsCommandEnabled(cmd::kExportData));
  EXPECT_TRUE(view.IsCommandEnabled(cmd::kExportHtml));
  bool listed = false;
  for (const auto& top : view.MenuBar()) {
    for (const auto& item : top.children) listed |= item.id == cmd::kExportHtml && item.text == "HTMLに書き出し...";
  }
  EXPECT_TRUE(listed);
}

TEST_F(ExportCommands, TextExportOfTheSelectedRowsInListOrderWithTheChosenColumns) {
  customers::CKokyakuView& view = OpenList(4);
  view.SetSelection({2, 0});
  const fs::path file = Out("顧客");  // the default extension is added
  ui.ExpectMessage(text::Format(kAskExport, 2), Buttons::YesNo, Icon::Question, Answer::Yes, Answer::Yes)
      .ExpectDialog<CExportFormatDlg>([](CExportFormatDlg& d) {
        d.Choose(CExportFormatDlg::kText);
        d.OnNext();
      })
      .ExpectSaveFile(file)
      .ExpectDialog<CExportColumnDlg>([](CExportColumnDlg& d) {
        const auto pick = [&d](const char* key) {
          for (int i = 0; i < static_cast<int>(d.Available().size()); ++i) {
            if (d.Available()[i].key == key) d.SelectAvailable(i);
          }
          d.OnAdd();
        };
        pick("Name");
        pick("CustomerID");
        pick("Sex");
        d.SelectChosen(1);
        d.OnUp();  // CustomerID first
        d.OnOK();
      })
      .ExpectMessage(kExportDone, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  view.OnCommand(cmd::kExportData);
  const auto table = test::ParseCsv(test::CsvText(ReadBytes(Out("顧客.csv"))));
  ASSERT_TRUE(table);
  ASSERT_EQ(table->size(), 3u);
  EXPECT_EQ((*table)[0], (std::vector<std::string>{"お客様コード", "氏名", "性別"}));
  for (int row = 1; row <= 2; ++row) {
    const records::CKokyaku& shown = *view.List().Rows()[row == 1 ? 0 : 2].customer;
    EXPECT_EQ((*table)[row][0], shown.CustomerID);
    EXPECT_EQ((*table)[row][1], shown.Name);
    EXPECT_EQ((*table)[row][2], ExportCellText(shown, "Sex"));
  }
  EXPECT_EQ(ui.ProgressTexts(), std::vector<std::string>{kWriting});
}

TEST_F(ExportCommands, NothingSelectedOrANoOrACancelWritesNothing) {
  const auto all = People(2);
  ui.ExpectMessage(kNoCustomer);
  ExportExternalData(ui, {}, Data() / "Picture", Install());
  ui.ExpectMessage(text::Format(kAskExport, 2), Answer::No);
  ExportExternalData(ui, test::Refs(all), Data() / "Picture", Install());
  ui.ExpectMessage(text::Format(kAskExport, 2), Answer::Yes)
      .ExpectDialog<CExportFormatDlg>([](CExportFormatDlg& d) { d.OnCancel(); });
  ExportExternalData(ui, test::Refs(all), Data() / "Picture", Install());
  ui.ExpectMessage(text::Format(kAskExport, 2), Answer::Yes)
      .ExpectDialog<CExportFormatDlg>([](CExportFormatDlg& d) { d.OnNext(); })
      .ExpectSaveFile(Out("a.xlsx"))
      .ExpectDialog<CExportColumnDlg>([](CExportColumnDlg& d) { d.OnCancel(); });
  ExportExternalData(ui, test::Refs(all), Data() / "Picture", Install());
  EXPECT_TRUE(fs::is_empty(temp / "out"));
}

TEST_F(ExportCommands, AWorkbookOpenElsewhereIsNotOverwritten) {
  const auto all = People(2);
  testing_support::WriteBytes(Out("顧客.xlsx"), "open workbook");
  testing_support::WriteBytes(Out(".~lock.顧客.xlsx#"), "someone");
  ui.ExpectMessage(text::Format(kAskExport, 2), Answer::Yes)
      .ExpectDialog<CExportFormatDlg>([](CExportFormatDlg& d) { d.OnNext(); })
      .ExpectSaveFile(Out("顧客.xlsx"))
      .ExpectDialog<CExportColumnDlg>([](CExportColumnDlg& d) {
        d.OnAddAll();
        d.OnOK();
      })
      .ExpectMessage(text::Format(kOpenInSpreadsheet, Out("顧客.xlsx").string()));
  ExportExternalData(ui, test::Refs(all), Data() / "Picture", Install());
  EXPECT_EQ(ReadBytes(Out("顧客.xlsx")), "open workbook");
}

TEST_F(ExportCommands, ContactXmlGoesWhereTheSaveDialogSays) {
  const auto all = People(3);
  ui.ExpectMessage(text::Format(kAskExport, 3), Answer::Yes)
      .ExpectDialog<CExportFormatDlg>([](CExportFormatDlg& d) {
        d.Choose(CExportFormatDlg::kContactXml);
        d.OnNext();
      })
      .ExpectSaveFile(Out("contacts"))
      .ExpectMessage(kExportDone, Answer::Ok);
  ExportExternalData(ui, test::Refs(all), Data() / "Picture", Install());
  EXPECT_NE(ReadBytes(Out("contacts.xml")).find("<ContactXMLItem"), std::string::npos);
}

TEST_F(ExportCommands, AFailedWriteIsReported) {
  const auto all = People(1);
  ui.ExpectMessage(text::Format(kAskExport, 1), Answer::Yes)
      .ExpectDialog<CExportFormatDlg>([](CExportFormatDlg& d) {
        d.Choose(CExportFormatDlg::kText);
        d.OnNext();
      })
      .ExpectSaveFile(temp / "no such folder" / "a.csv")
      .ExpectDialog<CExportColumnDlg>([](CExportColumnDlg& d) {
        d.OnAddAll();
        d.OnOK();
      })
      .ExpectMessage(kCreateFailed);
  ExportExternalData(ui, test::Refs(all), Data() / "Picture", Install());
}

TEST_F(ExportCommands, TheColumnDialogMovesColumnsBothWaysAndInsistsOnOne) {
  CExportColumnDlg d(ui, Install());
  ASSERT_TRUE(d.Open());
  const std::size_t offered = d.Available().size();
  EXPECT_EQ(offered, 63u);  // the 71 columns less ID, the five pictures, the colour mark and the last history date
  for (const auto& c : d.Available()) EXPECT_TRUE(IsExportColumn(c.key)) << c.key;
  ui.ExpectMessage(CExportColumnDlg::kNothingToAdd)
      .ExpectMessage(CExportColumnDlg::kNothingToRemove)
      .ExpectMessage(CExportColumnDlg::kNothingToMove)
      .ExpectMessage(CExportColumnDlg::kNoColumns);
  d.OnAdd();
  d.OnRemove();
  d.OnDown();
  d.OnOK();
  EXPECT_FALSE(d.IsClosing());
  d.OnAddAll();
  EXPECT_EQ(d.Chosen().size(), offered);
  EXPECT_TRUE(d.Available().empty());
  d.SelectChosen(0);
  const std::string first = d.Chosen()[0].key;
  d.OnRemove();
  ASSERT_EQ(d.Available().size(), 1u);
  EXPECT_EQ(d.Available()[0].key, first);
  d.OnRemoveAll();
  EXPECT_TRUE(d.Chosen().empty());
  EXPECT_EQ(d.Available().size(), offered);
  EXPECT_EQ(d.Available()[0].key, first);  // back in the column set's order
}

TEST_F(ExportCommands, HtmlTakesAThousandCustomersAndRefusesOneMore) {
  const auto all = People(1001);
  CustomerRefs refs = test::Refs(all);
  ui.ExpectMessage(text::Format(kHtmlTooMany, 1001, 1000));
  ExportHtml(ui, refs, doc.Store(), Data() / "Picture", Install());
  EXPECT_FALSE(fs::exists(temp / "html"));
  refs.pop_back();
  const fs::path folder = temp / "html";
  ui.ExpectMessage(text::Format(kAskHtml, 1000), Answer::Yes)
      .ExpectDialog<CHtmlFormatDlg>([](CHtmlFormatDlg& d) { d.OnOK(); })
      .ExpectFolder(folder)
      .ExpectMessage(shell::kAskCreateFolder, Answer::Yes)
      .ExpectMessage(text::Format(kHtmlDone, folder.string()), Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ExportHtml(ui, refs, doc.Store(), Data() / "Picture", Install());
  EXPECT_TRUE(fs::exists(folder / "index.htm"));
  EXPECT_TRUE(fs::exists(folder / HtmlPageName(999)));
  EXPECT_FALSE(fs::exists(folder / HtmlPageName(1000)));
}

TEST_F(ExportCommands, TheHtmlFolderIsAskedAgainUntilItIsAnEmptyFolderThatIsNoRoot) {
  auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(1));
  const std::int32_t id = doc.AddCustomer(k);
  records::CRirekiData entry;
  entry.Date = records::COleDate::FromCivil(2026, 11, 20);
  entry.ActionTitle = "初回来店";
  ASSERT_GT(doc.Store().AddNewRireki(id, entry, entry.Date), 0);
  const CustomerRefs refs = {doc.Customers().front().get()};
  const fs::path used = temp / "used";
  fs::create_directories(used);
  testing_support::WriteBytes(used / "note.txt", "x");
  const fs::path empty = temp / "empty";
  fs::create_directories(empty);
  ui.ExpectMessage(text::Format(kAskHtml, 1), Answer::Yes)
      .ExpectDialog<CHtmlFormatDlg>([](CHtmlFormatDlg& d) {
        d.Choose(CHtmlFormatDlg::kWithHistory);
        d.OnOK();
      })
      .ExpectFolder(fs::path("/"))
      .ExpectMessage(kRootFolder)
      .ExpectFolder(used)
      .ExpectMessage(text::Format(kFolderHasFiles, used.string()))
      .ExpectFolder(temp / "missing")
      .ExpectMessage(shell::kAskCreateFolder, Answer::No)
      .ExpectMessage(kFolderMissing)
      .ExpectFolder(fs::path(empty.string() + "/"))
      .ExpectMessage(text::Format(kHtmlDone, empty.string()), Answer::Ok);
  ExportHtml(ui, refs, doc.Store(), Data() / "Picture", Install());
  EXPECT_FALSE(fs::exists(temp / "missing"));
  EXPECT_NE(ReadBytes(empty / HtmlPageName(0)).find("初回来店"), std::string::npos);

  ui.ExpectMessage(text::Format(kAskHtml, 1), Answer::Yes)
      .ExpectDialog<CHtmlFormatDlg>([](CHtmlFormatDlg& d) { d.OnOK(); })
      .ExpectFolder(std::nullopt);
  ExportHtml(ui, refs, doc.Store(), Data() / "Picture", Install());
  ui.ExpectMessage(kHtmlNoCustomer);
  ExportHtml(ui, {}, doc.Store(), Data() / "Picture", Install());
}

TEST_F(ExportCommands, ACancelledHtmlExportLeavesTheFolderEmptyAndSaysNothing) {
  const auto all = People(600);
  const fs::path folder = temp / "html";
  fs::create_directories(folder);
  ui.CancelProgressAt(300);
  ui.ExpectMessage(text::Format(kAskHtml, 600), Answer::Yes)
      .ExpectDialog<CHtmlFormatDlg>([](CHtmlFormatDlg& d) { d.OnOK(); })
      .ExpectFolder(folder);
  ExportHtml(ui, test::Refs(all), doc.Store(), Data() / "Picture", Install());
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(ui.FurthestStep(), 300);
}

}  // namespace
}  // namespace io
