#pragma once
// The application object: brings the program up (checks the installation, one copy per machine,
// the start-up password, the data folder and the database) and takes it down again.

#include <filesystem>
#include <memory>

#include "shell/CTovanaDoc.h"
#include "ui/Ui.h"

namespace lookup {
class CLookupFacility;
}

namespace platform {
class CInstanceLock;
class CProfile;
}

namespace app {

class CTovanaApp {
 public:
  explicit CTovanaApp(ui::Ui& ui);
  ~CTovanaApp();
  CTovanaApp(const CTovanaApp&) = delete;
  CTovanaApp& operator=(const CTovanaApp&) = delete;

  // Runs start-up in its fixed order. True when the program runs; false when it must end at once
  // (after the failure's message).
  bool InitInstance();
  // Releases what start-up took. Writes nothing to disk. The process exit code.
  int ExitInstance();
  // The main window's close handler: the user phone book's changes, data folder, past-data
  // notice, menu state, save, free lists.
  void OnCloseMainWindow();

  // 1 when the installation's files and folders are writable; 0 after a message.
  int CheckWorkspaceFolders();
  // 1 when the folder is missing or writable; 0 after a message.
  int ProbeFolderWritable(const std::filesystem::path& folder);
  // Opens the phone-book search and the postal dictionary when not open yet; 1 only when both
  // are open. With report, says what could not be opened.
  int OpenLookups(bool report);
  // The lookup facility's openers and the user phone book (see lookup/CLookupFacility.h).
  int OpenPostalDictionary(bool report);
  int OpenPhoneBook(bool report);
  int LoadUserPhoneBook();
  int SaveUserPhoneBook();
  // The dictionaries, the phone book and their state; lives as long as the application object.
  lookup::CLookupFacility& Lookups() { return *lookups_; }

  const std::filesystem::path& InstallFolder() const { return installFolder_; }
  // The document, from start-up on; null before.
  shell::CTovanaDoc* Document() { return doc_.get(); }
  int Version() const;
  const std::filesystem::path& HelpFile() const { return helpFile_; }
  // The user's profile (the framework key's sections), from start-up on; null before.
  platform::CProfile* Profile() { return profile_.get(); }

 private:
  bool EnsureInstallation();
  bool TakeSingleInstance();
  bool CheckPassword();
  void CreateDocument();
  bool OpenDatabase();
  bool RecoverUnfinishedWork();
  void OfferUnfinishedWork(const std::filesystem::path& copy);
  void SaveAtClose();
  void LoadCustomers();

  ui::Ui& ui_;
  std::filesystem::path installFolder_;
  std::filesystem::path helpFile_;
  std::unique_ptr<shell::CTovanaDoc> doc_;
  std::unique_ptr<platform::CInstanceLock> sessionLock_, machineLock_;
  std::unique_ptr<platform::CProfile> profile_;
  std::unique_ptr<lookup::CLookupFacility> lookups_;
};

}  // namespace app
