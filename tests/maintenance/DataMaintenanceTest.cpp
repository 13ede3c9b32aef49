// The Tools menu's backup, restore and history deletion as the person meets them: every message
// in order, the dialogs' refusals, and what the data folder holds afterwards.
#include <gtest/gtest.h>

#include <cerrno>

#include "customers/SampleCustomers.h"
#include "maintenance/CBackupFolderDlg.h"
#include "maintenance/CRirekiDeleteDlg.h"
#include "maintenance/DataMaintenance.h"
#include "maintenance/DataRestore.h"
#include "platform/FileFaults.h"
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

class DataMaintenance : public shell::test::DocumentFolderTest {
 protected:
  ~DataMaintenance() override { doc.Store().SaveQMV(true); }

  void AddCustomer(int i) {
    auto k = std::make_unique<records::CKokyaku>(customers::test::SampleCustomer(i));
    ASSERT_GT(doc.AddCustomer(k), 0);
  }
  fs::path Backups() const { return temp / "backups"; }

  // The backup command up to its dialog, which is given folder and OK.
  void ScriptBackupStart(const fs::path& folder) {
    ui.ExpectMessage(kBackupIntro, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
    ui.ExpectDialog<CBackupFolderDlg>([folder](CBackupFolderDlg& d) {
      d.SetFolder(folder.string() + "/");
      d.OnOK();
    });
  }
  void BackUpInto(const fs::path& folder) {
    ScriptBackupStart(folder);
    ui.ExpectMessage(shell::kAskCreateFolder, Answer::Yes);
    ui.ExpectMessage(text::Format(kBackupDone, folder.string()), Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
    BackupData(ui, &doc);
  }
  void ScriptRestoreStart(const fs::path& folder) {
    ui.ExpectMessage(kRestoreConfirm, Buttons::YesNo, Icon::Question, Answer::No, Answer::Yes);
    ui.ExpectFolder(folder);
  }
};

TEST_F(DataMaintenance, WithoutADocumentEveryCommandRefuses) {
  ui.ExpectMessage(kNoDocument).ExpectMessage(kNoDocument).ExpectMessage(kNoDocument);
  BackupData(ui, nullptr);
  RestoreData(ui, nullptr);
  DeleteHistoryWithBackup(ui, nullptr);
}

TEST_F(DataMaintenance, BackupThenRestoreBringsTheCustomersOfThatMomentBack) {
  AddCustomer(1);
  BackUpInto(Backups() / "night");
  AddCustomer(2);
  ASSERT_EQ(doc.Customers().size(), 2u);

  ScriptRestoreStart(Backups() / "night");
  ui.ExpectMessage(kRestoreDone, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  RestoreData(ui, &doc);
  ASSERT_EQ(doc.Customers().size(), 1u);
  EXPECT_EQ(doc.Customers().front()->Name, customers::test::SampleCustomer(1).Name);
  EXPECT_TRUE(doc.Store().IsOpen());
  EXPECT_FALSE(fs::exists(Data() / kSafetyCopyName));
}

TEST_F(DataMaintenance, StoppingFromTheProgressWindowLeavesNoBackupAndRestoresNothing) {
  AddCustomer(1);
  BackUpInto(Backups() / "night");
  AddCustomer(2);

  ScriptBackupStart(Backups() / "stopped");
  ui.ExpectMessage(shell::kAskCreateFolder, Answer::Yes);
  ui.ExpectMessage(kBackupStopped, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ui.CancelProgressAt(1);
  BackupData(ui, &doc);
  EXPECT_FALSE(shell::FolderHasFiles(Backups() / "stopped"));

  ScriptRestoreStart(Backups() / "night");
  ui.ExpectMessage(kRestoreStopped, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  ui.ExpectMessage(kRestoreFailed);
  ui.CancelProgressAt(1);
  RestoreData(ui, &doc);
  EXPECT_EQ(doc.Customers().size(), 2u) << "the data as it was before the restore";
  EXPECT_EQ(ui.ProgressTexts().size(), 3u) << "a progress window for each backup and the restore";
}

TEST_F(DataMaintenance, BackupFolderDialogRefusesWhatCannotHoldABackup) {
  fs::create_directories(Backups() / "full");
  WriteBytes(Backups() / "full" / "old.txt", "x");
  CBackupFolderDlg dialog(ui);
  struct Case {
    std::string folder;
    std::vector<std::pair<std::string, Answer>> messages;
  };
  const std::vector<Case> cases = {
      {"", {{CBackupFolderDlg::kNoFolder, Answer::Ok}}},
      {"/", {{CBackupFolderDlg::kRoot, Answer::Ok}}},
      {(Backups() / "full").string(), {{CBackupFolderDlg::kNotEmpty, Answer::Ok}}},
      {(Backups() / "declined").string(), {{shell::kAskCreateFolder, Answer::No}}},
      {(Backups() / "full" / "old.txt").string(), {{shell::kAskCreateFolder, Answer::Yes}, {shell::kCannotCreateFolder, Answer::Ok}}},
  };
  for (const Case& c : cases) {
    for (const auto& [text, answer] : c.messages) ui.ExpectMessage(text, answer);
    dialog.SetFolder(c.folder);
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsClosing()) << c.folder;
  }
  EXPECT_FALSE(fs::exists(Backups() / "declined"));
  dialog.SetFolder((Backups() / "full").string());
  fs::remove(Backups() / "full" / "old.txt");
  dialog.OnOK();
  EXPECT_TRUE(dialog.ClosedWithOk());
}

TEST_F(DataMaintenance, AFullDiskWhileWritingTheBackupSaysHowMuchIsNeeded) {
  AddCustomer(1);
  ASSERT_EQ(doc.Store().SaveQMV(false), 1);
  ScriptBackupStart(Backups() / "small");
  ui.ExpectMessage(shell::kAskCreateFolder, Answer::Yes);
  testing_support::ScopedFileFault full(platform::FileOp::Write, 2, ENOSPC, ".qmvdbu");
  ui.ExpectMessageBeginning("ディスクの空き容量が足りないため、データベースファイルのバックアップができませんでした。");
  ui.ExpectMessage(kBackupFailed);
  const std::string saved = ReadBytes(Data() / "ZQQMV.qmv");
  BackupData(ui, &doc);
  EXPECT_TRUE(full.Fired());
  EXPECT_EQ(ReadBytes(Data() / "ZQQMV.qmv"), saved);
}

TEST_F(DataMaintenance, RestoreRefusalsComeBeforeAnythingIsClosed) {
  doc.SetReadOnly(true);
  ui.ExpectMessage(kRestoreOnlyCurrent);
  RestoreData(ui, &doc);
  doc.SetReadOnly(false);

  ui.ExpectMessage(kRestoreConfirm, Answer::No);
  RestoreData(ui, &doc);

  fs::create_directories(Backups() / "empty");
  ScriptRestoreStart(Backups() / "empty");
  ui.ExpectMessage(kNoBackupFile);
  RestoreData(ui, &doc);
  EXPECT_TRUE(doc.Store().IsOpen());
}

TEST_F(DataMaintenance, ARestoreThatCannotWriteOneFileRollsEveryFileBack) {
  AddCustomer(1);
  BackUpInto(Backups() / "b");
  AddCustomer(2);
  ASSERT_EQ(doc.Store().SaveQMV(false), 1);
  WriteBytes(Data() / "Tantou.dat", "staff now");

  ScriptRestoreStart(Backups() / "b");
  testing_support::ScopedFileFault fault(platform::FileOp::Write, 1, EIO, "/data/QMVColSet.sys");
  ui.ExpectMessage(kFilesRestoreFailed);
  ui.ExpectMessage(kRestoreFailed);
  RestoreData(ui, &doc);
  EXPECT_TRUE(fault.Fired());
  EXPECT_EQ(doc.Customers().size(), 2u);
  EXPECT_EQ(ReadBytes(Data() / "Tantou.dat"), "staff now");
  EXPECT_FALSE(fs::exists(Data() / kSafetyCopyName));
}

TEST_F(DataMaintenance, AMalformedBackupIsRefusedAndTheDataReopened) {
  AddCustomer(1);
  fs::create_directories(Backups() / "bad");
  WriteBytes(Backups() / "bad" / "x.qmvdbu", "not a backup at all");
  ScriptRestoreStart(Backups() / "bad");
  ui.ExpectMessage(kNotDataBackup);
  ui.ExpectMessage(kRestoreFailed);
  RestoreData(ui, &doc);
  EXPECT_EQ(doc.Customers().size(), 1u);
}

TEST_F(DataMaintenance, ARestoreCutShortIsRolledBackAtTheNextStart) {
  AddCustomer(1);
  ASSERT_EQ(doc.Store().SaveQMV(true), 1);
  const std::string saved = ReadBytes(Data() / "ZQQMV.qmv");
  std::string why;
  ASSERT_TRUE(CSafetyCopy::Make(Data(), why).has_value()) << why;
  // What a crash half-way through the restore leaves.
  WriteBytes(Data() / "ZQQMV.qmv", "half written");
  WriteBytes(Data() / "DefOrder.dat", "came with the backup");

  ui.ExpectMessage(kInterruptedRestoreRolledBack, Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  EXPECT_TRUE(RecoverInterruptedRestoreAtStart(ui, Data()));
  EXPECT_EQ(ReadBytes(Data() / "ZQQMV.qmv"), saved);
  EXPECT_FALSE(fs::exists(Data() / "DefOrder.dat"));
  EXPECT_FALSE(fs::exists(Data() / kSafetyCopyName));
  EXPECT_EQ(doc.Store().InitDB(Data()), 1);
}

TEST_F(DataMaintenance, ASafetyCopyNeverCompletedIsRemovedSilently) {
  fs::create_directories(Data() / "BupTmp1");
  WriteBytes(Data() / "BupTmp1" / "ZQQMV.qmv", "partial");
  EXPECT_TRUE(RecoverInterruptedRestoreAtStart(ui, Data()));
  EXPECT_FALSE(fs::exists(Data() / "BupTmp1"));
}

// ---- History deletion ----

class HistoryDeletion : public DataMaintenance {
 protected:
  void AddHistory(std::int32_t customer, int y, int m, int d) {
    records::CRirekiData entry;
    entry.Date = records::COleDate::FromCivil(y, m, d);
    entry.ActionTitle = "来店";
    ASSERT_GT(doc.Store().AddNewRireki(customer, entry, entry.Date), 0);
  }
  const records::COleDate today = records::COleDate::FromCivil(2026, 12, 9);
};

TEST_F(HistoryDeletion, DateChecksRefuseAndFocusTheirEdit) {
  fs::create_directories(Backups() / "h");
  struct Case {
    const char *year, *month, *day, *message;
    CRirekiDeleteDlg::Field focus;
  };
  const Case cases[] = {
      {"1799", "1", "1", CRirekiDeleteDlg::kBadYear, CRirekiDeleteDlg::Field::Year},
      {"年", "1", "1", CRirekiDeleteDlg::kBadYear, CRirekiDeleteDlg::Field::Year},
      {"2004", "13", "1", CRirekiDeleteDlg::kBadMonth, CRirekiDeleteDlg::Field::Month},
      {"2004", "0", "1", CRirekiDeleteDlg::kBadMonth, CRirekiDeleteDlg::Field::Month},
      {"2004", "1", "32", CRirekiDeleteDlg::kBadDay, CRirekiDeleteDlg::Field::Day},
      {"2004", "2", "30", CRirekiDeleteDlg::kBadDate, CRirekiDeleteDlg::Field::Day},
  };
  CRirekiDeleteDlg dialog(ui, today);
  EXPECT_EQ(dialog.Year(), "2026");
  EXPECT_EQ(dialog.Month(), "12");
  EXPECT_EQ(dialog.Day(), "9");
  for (const Case& c : cases) {
    ui.ExpectMessage(c.message);
    dialog.SetFolder((Backups() / "h").string());
    dialog.SetDate(c.year, c.month, c.day);
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsClosing()) << c.message;
    EXPECT_EQ(dialog.TakeFocus(), c.focus) << c.message;
  }
}

TEST_F(HistoryDeletion, FolderChecksRefuseAFolderOrPictureFolderWithFiles) {
  fs::create_directories(Backups() / "used" / "Picture");
  WriteBytes(Backups() / "used" / "Picture" / "p.jpg", "p");
  fs::create_directories(Backups() / "files");
  WriteBytes(Backups() / "files" / "a.txt", "a");
  CRirekiDeleteDlg dialog(ui, today);
  const std::pair<fs::path, const char*> cases[] = {
      {"", CRirekiDeleteDlg::kNoFolder},
      {"/", CRirekiDeleteDlg::kRoot},
      {Backups() / "files", CRirekiDeleteDlg::kFolderNotEmpty},
      {Backups() / "used", CRirekiDeleteDlg::kPictureNotEmpty},
  };
  for (const auto& [folder, message] : cases) {
    ui.ExpectMessage(message);
    dialog.SetFolder(folder.string());
    dialog.OnOK();
    EXPECT_FALSE(dialog.IsClosing()) << message;
    EXPECT_EQ(dialog.TakeFocus(), CRirekiDeleteDlg::Field::Folder);
  }
}

TEST_F(HistoryDeletion, OldHistoryGoesAfterTheDatabaseAndPicturesAreCopied) {
  AddCustomer(1);
  const std::int32_t id = doc.Customers().front()->ID;
  AddHistory(id, 2003, 5, 1);
  AddHistory(id, 2004, 2, 28);
  AddHistory(id, 2004, 3, 1);
  fs::create_directories(Data() / "Picture");
  WriteBytes(Data() / "Picture" / "顔.jpg", "face");
  const fs::path folder = Backups() / "2004";

  ui.ExpectDialog<CRirekiDeleteDlg>([&](CRirekiDeleteDlg& d) {
    d.SetFolder(folder.string());
    d.SetDate("2004", "3", "1");
    d.OnOK();
  });
  ui.ExpectMessage(shell::kAskCreateFolder, Answer::Yes);
  ui.ExpectMessage(text::Format(CRirekiDeleteDlg::kConfirm, 2004, 3, 1), Buttons::YesNo, Icon::Question, Answer::No, Answer::Yes);
  ui.ExpectMessage(text::Format(kHistoryDeleted, folder.string()), Buttons::Ok, Icon::Information, Answer::Ok, Answer::Ok);
  DeleteHistoryWithBackup(ui, &doc, today);

  records::RirekiList left;
  ASSERT_EQ(doc.Store().GetRirekiForKokyaku(id, left), 1);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left.front()->Date, records::COleDate::FromCivil(2004, 3, 1));
  EXPECT_EQ(ReadBytes(folder / "Picture" / "顔.jpg"), "face");
  // The copy is the database as saved before the deletion: past data with all three entries.
  records::CKokyakuVMData past;
  ASSERT_EQ(past.InitDBFromPath(folder / "顧客2026129.qmv"), 1);
  records::RirekiList all;
  ASSERT_EQ(past.GetRirekiForKokyaku(id, all), 1);
  EXPECT_EQ(all.size(), 3u);
}

TEST_F(HistoryDeletion, InPastDataModeItRefuses) {
  doc.SetReadOnly(true);
  ui.ExpectMessage(kHistoryReadOnly);
  DeleteHistoryWithBackup(ui, &doc, today);
}

}  // namespace
}  // namespace maintenance
