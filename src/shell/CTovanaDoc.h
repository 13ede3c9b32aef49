#pragma once
// The document: lives for the whole run and owns the data store, the data folder and every list
// of records the screens show. Screens reach the data only through it.

#include <cstdint>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/CKokyakuVMData.h"
#include "settings/CExCondition.h"
#include "settings/SettingsFiles.h"
#include "ui/Ui.h"

namespace platform {
class CProfile;
}

namespace shell {

// The customer entry card the user chose: which entry dialog adds and edits customers.
enum CardTypes { kCardNormal = 0, kCardPerson = 1, kCardCompany = 2 };

// The last seven-colour analysis: its mode (-1 none), the DM it concerns (0 none), and the
// customer IDs or the hits it gave, whichever its mode produces.
struct AnalysisResult {
  int kind = -1;
  std::int32_t dmId = 0;
  records::IdArray ids;
  records::RainbowHits hits;
};

class CTovanaDoc {
 public:
  // installFolder: the installation folder, which holds "Data/MyData/datadir.dat" and "EndInfo.dat".
  // profile: the user profile the card type is kept in (not owned; null: the card type reads 0
  // and cannot be changed).
  CTovanaDoc(ui::Ui& ui, std::filesystem::path installFolder, platform::CProfile* profile);

  // 1 when "datadir.dat" names a folder that holds "ZQQMV.qmv"; the folder as read (without a
  // final separator) is kept either way. 0 for a missing or unreadable file, after a message
  // when reading it failed half-way.
  int ReadDataFolder();
  // Asks for the folder until one holding "ZQQMV.qmv" is chosen (roots refused). 1 when it was
  // chosen and recorded, 0 when cancelled or "datadir.dat" could not be written.
  int ChooseDataFolder();
  // Writes the data folder into "datadir.dat" (CP932, no line end). 1, or 0 after a message.
  int WriteDataFolder();
  // Reads the menu state from "EndInfo.dat". 1 when the file existed and was read; else 0 with
  // the values unchanged (a message when the file could not be read).
  int ReadEndInfo();
  // Writes the menu state into "EndInfo.dat". 1, or 0 after a message.
  int WriteEndInfo();

  // Deletes every record the lists hold and forgets the extraction and the analysis result.
  void FreeRecords();
  // Reads every customer in order (an ORDER BY clause of the extraction dialect, or empty) on a
  // worker thread, so the menu screen, which needs none, shows at once. Until the reading is done
  // the worker alone uses the store: Customers(), Store() and the customer operations wait for
  // it, and a failure is told then, on the caller's thread.
  void LoadCustomersInBackground(std::string order);

  // --- Customers: changed only here, so that Customers() always equals the database ---
  // Sets the registration dates to now, stores the pictures and adds the customer. The new ID,
  // which the record then carries, with the record moved to the head of Customers(); -1 (null,
  // read-only or no database, or the store failed) with the record left to the caller.
  int AddCustomer(std::unique_ptr<records::CKokyaku>& record);
  // Sets LastUpDate to now, stores the pictures and rewrites customer id. 1: the record (its ID
  // set to id) replaces that customer in Customers() at the same place. Else the store's result
  // (0 not found, -1 failure; -1 also for null or read-only) and the record stays with the caller.
  int ModifyCustomer(std::int32_t id, std::unique_ptr<records::CKokyaku>& record);
  // Deletes customers with their history; deleted receives the IDs removed, which also leave
  // Customers(), History() and ExtractedIds(). The store's result: 1 all, 10 some, 0 none, -1.
  int DeleteCustomers(const records::IdArray& ids, records::IdArray& deleted);
  // Sets one column of many customers, ColorMark to *colour and any other to text (cut to its
  // byte limit), and their LastUpDate to now, in one transaction of the store: a failure part way
  // leaves the database as it was. changed receives the IDs changed, whose records in Customers()
  // then carry the same values, in place (pointers to them stay valid). The store's result: 1 all,
  // 10 some, -1 none or failure (also for read-only), with Customers() untouched on -1.
  int ModifyCustomers(const records::IdArray& ids, records::IdArray& changed, std::string_view column,
                      const records::COleDate& now, std::string_view text, const std::int32_t* colour);
  // The customers ids found in Customers(), in that order; IDs not found are skipped.
  std::vector<const records::CKokyaku*> FindCustomers(const records::IdArray& ids);
  // The standard addresses (CommonMail) of the customers ids found in Customers(), in that order;
  // addresses is emptied first. 1 every ID gave one, 0 some did, -1 none did or ids is empty.
  int GetMailAddresses(const records::IdArray& ids, std::vector<std::string>& addresses);
  // A field holding a path (it contains "/") gets the file copied into the data folder's
  // "Picture" folder under a free name and then holds that name. False, with the path kept,
  // when the copy failed; true for a stored name, an empty field or a stored copy.
  bool StorePicture(std::string& field);

  // The pictures shown: the viewed past data's picture folder, else the data folder's "Picture".
  std::filesystem::path PictureFolder() const;
  // Where new pictures go: always the current data folder's "Picture".
  std::filesystem::path PictureStoreFolder() const;
  // While past data is viewed: its picture folder; empty otherwise.
  const std::filesystem::path& PastPictureFolder() const { return pastPictureFolder_; }
  void SetPastPictureFolder(std::filesystem::path folder) { pastPictureFolder_ = std::move(folder); }

  // The saved card type (CardTypes); anything else in the profile reads as kCardNormal.
  int CardType() const;
  // Writes the card type into the profile at once. 1, or 0 for a value outside CardTypes, no
  // profile or a failed write (then the saved value stays).
  int SetCardType(int type);
  // The user profile (list column widths, the card width, ...); may be null.
  platform::CProfile* Profile() const { return profile_; }

  records::CKokyakuVMData& Store() {
    FinishLoading();
    return store_;
  }
  const std::filesystem::path& InstallFolder() const { return installFolder_; }
  const std::filesystem::path& DataFolder() const { return dataFolder_; }
  void SetDataFolder(std::filesystem::path folder) { dataFolder_ = std::move(folder); }
  // While past data is viewed: the data folder to go back to; empty otherwise.
  const std::filesystem::path& CurrentDataFolder() const { return currentDataFolder_; }
  void SetCurrentDataFolder(std::filesystem::path folder) { currentDataFolder_ = std::move(folder); }
  bool IsReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  std::int32_t MenuTab() const { return menuTab_; }
  std::int32_t SelectedForm() const { return selectedForm_; }
  void SetMenuState(std::int32_t tab, std::int32_t form) { menuTab_ = tab, selectedForm_ = form; }

  records::KokyakuList& Customers() {
    FinishLoading();
    return customers_;
  }
  records::RirekiList& History() { return history_; }
  records::DMTitleList& DMTitles() { return dmTitles_; }
  // The DM title the DM screen selects when it next opens (0 none); set by the screens that send
  // the user there.
  std::int32_t DMIdToShow() const { return dmIdToShow_; }
  void SetDMIdToShow(std::int32_t id) { dmIdToShow_ = id; }
  records::IdArray& ExtractedIds() { return extractedIds_; }

  // The customer list variant (screens 1 to 3) the next customer list opens as; 1 at start.
  int CustomerListVariant() const { return customerListVariant_; }
  void SetCustomerListVariant(int variant) { customerListVariant_ = variant; }

  // The extraction in force (null when none) and whether it is one of the saved conditions.
  settings::CExCondition* CurrentExtraction() { return extraction_.get(); }
  bool IsExtractionSaved() const { return extractionSaved_; }
  void SetExtraction(std::unique_ptr<settings::CExCondition> condition, bool saved);
  void ClearExtraction() { SetExtraction(nullptr, false); }

  AnalysisResult& Analysis() { return analysis_; }
  void ClearAnalysis() { analysis_ = AnalysisResult(); }

  std::filesystem::path DataDirFile() const;
  std::filesystem::path EndInfoFile() const;

 private:
  // False (nothing touched) when the customers cannot be changed now.
  bool CanChangeCustomers() const;
  void StorePictures(records::CKokyaku& customer);
  void ForgetDeleted(const records::IdArray& deleted);
  void FinishLoading();

  ui::Ui& ui_;
  std::filesystem::path installFolder_;
  platform::CProfile* profile_;
  records::CKokyakuVMData store_;
  std::filesystem::path dataFolder_, currentDataFolder_, pastPictureFolder_;
  bool readOnly_ = false;
  std::int32_t menuTab_ = 0, selectedForm_ = 0;
  records::KokyakuList customers_;
  records::RirekiList history_;
  records::DMTitleList dmTitles_;
  std::int32_t dmIdToShow_ = 0;
  records::IdArray extractedIds_;
  int customerListVariant_ = 1;
  std::unique_ptr<settings::CExCondition> extraction_;
  bool extractionSaved_ = false;
  AnalysisResult analysis_;
  // Declared last, so a reading still running is joined before anything it uses goes.
  records::KokyakuList loaded_;
  std::future<int> loading_;
};

using settings::kFileErrorMessage;

}  // namespace shell
