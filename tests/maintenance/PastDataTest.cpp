// Where the data lives: changing the data folder in its three ways, viewing past data read-only
// and coming back, and the optimisation; as the person meets them, message by message.
#include <gtest/gtest.h>

#include "customers/SampleCustomers.h"
#include "maintenance/CCompactDlg.h"
#include "maintenance/CDataFolderDlg.h"
#include "maintenance/CRirekiDeleteDlg.h"
#include "maintenance/DataMaintenance.h"
#include "maintenance/PastData.h"
#include "platform/DataDirFile.h"
#include "records/QmvSchema.h"
#include "shell/DocumentTestSupport.h"
#include "shell/FolderRoutines.h"
#include "text/Format.h"

namespace maintenance {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::WriteBytes;
using ui::Answer;
using ui::Buttons;
using ui::Icon;

class PastData : public shell::test::DocumentFolderTest {
 protected:
  PastData() {
    fs::create_directories(platform::FactoryDatabaseFile(Install()).parent_path());
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(platform::FactoryDatabaseFile(Install()), records::QmvSchemaSql()), 1);
  }
  ~PastData() override { doc.Store().SaveQMV(true); }

  std::int32_t AddCustomer(int i) {
    auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(i));
    return doc.AddCustomer(k);
  }
  void ChooseFolder(const fs::path& folder, int choice) {
    ui.ExpectMessage(kChangeIntro, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
    ui.ExpectDialog<CDataFolderDlg>([folder, choice](CDataFolderDlg& d) {
      d.SetFolder(folder.string());
      d.SetChoice(choice);
      d.OnOK();
    });
  }
  std::string RecordedFolder() const { return platform::ReadDataDirFile(platform::DataDirFile(Install())).value_or(""); }
};

TEST_F(PastData, TheCurrentFolderAgainAsksToSwitchAndIsRefusedForACopy) {
  CDataFolderDlg dialog(ui, Data());
  for (int choice : {CDataFolderDlg::kCopy, CDataFolderDlg::kCreate}) {
    ui.ExpectMessage(std::string(CDataFolderDlg::kSameFolder) + CDataFolderDlg::kCannotCopy);
    dialog.SetChoice(choice);
    dialog.SetFolder(Data().string() + "/");
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsClosing());
  }
  ui.ExpectMessage(std::string(CDataFolderDlg::kSameFolder) + CDataFolderDlg::kContinue, Answer::Yes);
  dialog.SetChoice(CDataFolderDlg::kSwitch);
  dialog.OnOK();
  EXPECT_TRUE(dialog.ClosedWithOk());
}

TEST_F(PastData, FolderChecksForEachChoice) {
  fs::create_directories(temp / "nodb");
  fs::create_directories(temp / "used" / "Picture");
  WriteBytes(temp / "used" / "Picture" / "p.jpg", "p");
  fs::create_directories(temp / "files");
  WriteBytes(temp / "files" / "x", "x");
  const struct {
    fs::path folder;
    int choice;
    const char* message;
  } cases[] = {
      {"", CDataFolderDlg::kSwitch, CDataFolderDlg::kNoFolder},
      {"/", CDataFolderDlg::kCopy, CDataFolderDlg::kRoot},
      {temp / "missing", CDataFolderDlg::kSwitch, CDataFolderDlg::kMissing},
      {temp / "nodb", CDataFolderDlg::kSwitch, CDataFolderDlg::kNoDatabase},
      {temp / "files", CDataFolderDlg::kCopy, CDataFolderDlg::kNotEmpty},
      {temp / "used", CDataFolderDlg::kCreate, CDataFolderDlg::kPictureNotEmpty},
  };
  CDataFolderDlg dialog(ui, Data());
  for (const auto& c : cases) {
    ui.ExpectMessage(c.message);
    dialog.SetFolder(c.folder.string());
    dialog.SetChoice(c.choice);
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsClosing()) << c.message;
  }
}

TEST_F(PastData, ANewDatabaseIsTheFactoryOneWithTheSettingsAndNoPictures) {
  ASSERT_GT(AddCustomer(1), 0);
  WriteBytes(Data() / "Tantou.dat", "staff");
  fs::create_directories(Data() / "Picture");
  WriteBytes(Data() / "Picture" / "p.jpg", "p");
  const fs::path fresh = temp / "fresh";
  ChooseFolder(fresh, CDataFolderDlg::kCreate);
  ui.ExpectMessage(shell::kAskCreateFolder, Answer::Yes);
  ui.ExpectMessage(kFolderChanged, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ChangeDataFolder(ui, &doc);
  EXPECT_EQ(doc.DataFolder(), fresh);
  EXPECT_EQ(RecordedFolder(), fresh.string());
  EXPECT_TRUE(doc.Customers().empty());
  EXPECT_EQ(ReadBytes(fresh / "Tantou.dat"), "staff");
  EXPECT_EQ(ReadBytes(fresh / "QMVColSet.sys"), ReadBytes(Data() / "QMVColSet.sys"));
  EXPECT_TRUE(fs::is_directory(fresh / "Picture"));
  EXPECT_TRUE(fs::is_empty(fresh / "Picture"));
}

TEST_F(PastData, ACopyTakesTheCustomersAndPicturesAlong) {
  ASSERT_GT(AddCustomer(1), 0);
  fs::create_directories(Data() / "Picture");
  WriteBytes(Data() / "Picture" / "p.jpg", "p");
  const fs::path copy = temp / "copy";
  fs::create_directories(copy);
  ChooseFolder(copy, CDataFolderDlg::kCopy);
  ui.ExpectMessage(kFolderChanged, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ChangeDataFolder(ui, &doc);
  EXPECT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(ReadBytes(copy / "Picture" / "p.jpg"), "p");
  EXPECT_EQ(doc.Store().GetQMVFName(), copy / "ZQQMV.qmv");
}

TEST_F(PastData, SwitchingToAFolderInUseIsRefused) {
  const fs::path other = temp / "other";
  fs::create_directories(other);
  ASSERT_EQ(records::CQmvFile::CreateDatabaseFile(other / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
  settings::StoreFactoryColumnSet(other / "QMVColSet.sys");
  WriteBytes(other / "ZQQMV2.qmv2", "");
  ChooseFolder(other, CDataFolderDlg::kSwitch);
  ui.ExpectMessage(kFolderInUse, Buttons::Ok, Icon::Warning, Answer::Ok, Answer::Ok);
  ChangeDataFolder(ui, &doc);
  EXPECT_EQ(doc.DataFolder(), Data());
  EXPECT_TRUE(doc.Store().IsOpen());
}

TEST_F(PastData, AFolderInUseIsRefusedBeforeAnythingCloses) {
  fs::create_directories(temp / "busy");
  WriteBytes(temp / "busy" / "a.qmv", "");
  WriteBytes(temp / "busy" / "a.qmv2", "");
  fs::create_directories(temp / "none");
  ui.ExpectMessage(kPastIntro, Answer::Yes).ExpectFolder(temp / "busy").ExpectMessage(kPastInUse);
  OpenPastData(ui, &doc);
  ui.ExpectMessage(kPastIntro, Answer::Yes).ExpectFolder(temp / "none").ExpectMessage(kNoPastData);
  OpenPastData(ui, &doc);
  EXPECT_FALSE(doc.IsReadOnly());
  EXPECT_TRUE(doc.Store().IsOpen());
  ui.ExpectMessage(kAlreadyCurrent);
  ReturnToCurrentData(ui, &doc);
}

// History deleted with its backup, the backup viewed as past data with every change refused,
// then back to the current data.
TEST_F(PastData, ThePastOfAHistoryDeletionIsViewedReadOnlyAndLeftAgain) {
  const std::int32_t id = AddCustomer(1);
  records::CRirekiData entry;
  entry.Date = records::COleDate::FromCivil(2003, 4, 1);
  entry.ActionTitle = "来店";
  ASSERT_GT(doc.Store().AddNewRireki(id, entry, entry.Date), 0);
  const fs::path backup = temp / "history2003";
  const records::COleDate today = records::COleDate::FromCivil(2026, 12, 9);
  ui.ExpectDialog<CRirekiDeleteDlg>([&](CRirekiDeleteDlg& d) {
    d.SetFolder(backup.string());
    d.SetDate("2004", "1", "1");
    d.OnOK();
  });
  ui.ExpectMessage(shell::kAskCreateFolder, Answer::Yes);
  ui.ExpectMessage(text::Format(CRirekiDeleteDlg::kConfirm, 2004, 1, 1), Answer::Yes);
  ui.ExpectMessage(text::Format(kHistoryDeleted, backup.string()));
  DeleteHistoryWithBackup(ui, &doc, today);

  ui.ExpectMessage(kPastIntro, Answer::Yes).ExpectFolder(fs::path(backup.string() + "/"));
  ui.ExpectMessage(kPastOpened, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  OpenPastData(ui, &doc);
  ASSERT_TRUE(doc.IsReadOnly());
  EXPECT_EQ(doc.PictureFolder(), backup / "Picture");
  ASSERT_EQ(doc.Customers().size(), 1u);
  records::RirekiList past;
  ASSERT_EQ(doc.Store().GetRirekiForKokyaku(id, past), 1);
  EXPECT_EQ(past.size(), 1u);  // the history deleted since

  ui.ExpectMessage(kHistoryReadOnly);
  DeleteHistoryWithBackup(ui, &doc, today);
  ui.ExpectMessage(kOptimiseReadOnly);
  OptimiseDatabase(ui, &doc, today);
  ui.ExpectMessage(kRestoreOnlyCurrent);
  RestoreData(ui, &doc);
  auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(2));
  EXPECT_EQ(doc.AddCustomer(k), -1);
  EXPECT_EQ(doc.Store().AddNewRireki(id, entry, entry.Date), -1);

  // Another process holding the current database keeps the past data open.
  WriteBytes(Data() / "ZQQMV2.qmv2", "");
  ui.ExpectMessage(kCurrentInUse);
  ReturnToCurrentData(ui, &doc);
  EXPECT_TRUE(doc.IsReadOnly());
  EXPECT_EQ(doc.Customers().size(), 1u);
  fs::remove(Data() / "ZQQMV2.qmv2");

  ui.ExpectMessage(kReturnConfirm, Answer::Yes);
  ui.ExpectMessage(kReturned, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ReturnToCurrentData(ui, &doc);
  EXPECT_FALSE(doc.IsReadOnly());
  EXPECT_TRUE(doc.PastPictureFolder().empty());
  records::RirekiList now;
  ASSERT_EQ(doc.Store().GetRirekiForKokyaku(id, now), 1);
  EXPECT_TRUE(now.empty());
  EXPECT_EQ(RecordedFolder(), Data().string());
}

TEST_F(PastData, ACopyKeptAsideByCrashRecoveryOpensAsPastData) {
  ASSERT_GT(AddCustomer(1), 0);
  ASSERT_EQ(doc.Store().SaveQMV(false), 1);
  const fs::path recovered = Data() / "Recovered" / "20261209-081500";
  fs::create_directories(recovered);
  fs::copy_file(Data() / "ZQQMV.qmv", recovered / "ZQQMV.qmv");
  ui.ExpectMessage(kPastIntro, Answer::Yes).ExpectFolder(recovered);
  ui.ExpectMessage(kPastOpened);
  OpenPastData(ui, &doc);
  EXPECT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(doc.Store().GetQMVFName(), recovered / "ZQQMV.qmv");
}

TEST_F(PastData, OptimisationBacksUpFirstAndAsksBeforeReplacingATypedFile) {
  ASSERT_GT(AddCustomer(1), 0);
  const fs::path backup = temp / "before.qmv";
  WriteBytes(backup, "old");
  ui.ExpectDialog<CCompactDlg>([&](CCompactDlg& d) {
    EXPECT_EQ(d.DefaultName(), "2026129 の顧客ﾃﾞｰﾀ.qmv");
    d.OnOK();  // no name
    d.SetFile(backup.string());
    d.OnOK();  // not to be replaced
    EXPECT_FALSE(d.IsClosing());
    d.OnOK();
  });
  ui.ExpectMessage(CCompactDlg::kNoName);
  ui.ExpectMessage(CCompactDlg::kOverwrite, Answer::No);
  ui.ExpectMessage(CCompactDlg::kOverwrite, Answer::Yes).ExpectMessage(CCompactDlg::kStart, Answer::Yes);
  ui.ExpectMessage(kOptimised, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  OptimiseDatabase(ui, &doc, records::COleDate::FromCivil(2026, 12, 9));
  records::CKokyakuVMData copy;
  ASSERT_EQ(copy.InitDBFromPath(backup), 1);
  records::KokyakuList customers;
  ASSERT_EQ(copy.GetAllKokyaku(customers), 1);
  EXPECT_EQ(customers.size(), 1u);
}

TEST_F(PastData, ChangingTheFolderWhileViewingPastDataChangesOnlyWhereTheReturnGoes) {
  ASSERT_GT(AddCustomer(1), 0);
  ASSERT_EQ(doc.Store().SaveQMV(false), 1);
  const fs::path past = temp / "past";
  fs::create_directories(past);
  fs::copy_file(Data() / "ZQQMV.qmv", past / "ZQQMV.qmv");
  ui.ExpectMessage(kPastIntro, Answer::Yes).ExpectFolder(past).ExpectMessage(kPastOpened);
  OpenPastData(ui, &doc);

  const fs::path moved = temp / "moved";
  ui.ExpectMessage(kChangeInPast, Buttons::YesNo, Icon::Question, Answer::No, Answer::Yes);
  ui.ExpectDialog<CDataFolderDlg>([&](CDataFolderDlg& d) {
    d.SetFolder(moved.string());
    d.SetChoice(CDataFolderDlg::kCopy);
    d.OnOK();
  });
  ui.ExpectMessage(shell::kAskCreateFolder, Answer::Yes);
  ChangeDataFolder(ui, &doc);
  EXPECT_TRUE(doc.IsReadOnly());
  EXPECT_EQ(doc.Store().GetQMVFName(), past / "ZQQMV.qmv");
  EXPECT_EQ(RecordedFolder(), moved.string());

  ui.ExpectMessage(kReturnConfirm, Answer::Yes).ExpectMessage(kReturned);
  ReturnToCurrentData(ui, &doc);
  EXPECT_EQ(doc.Store().GetQMVFName(), moved / "ZQQMV.qmv");
  EXPECT_EQ(doc.Customers().size(), 1u);
}

}  // namespace
}  // namespace maintenance
