#pragma once
// The lookup facility the application object holds: the postal and business dictionaries
// (CMultiDB), the phone book (CFnw) and the user's phone-book corrections (CUserPhoneBook);
// where each is found, how it is opened and the messages when that fails.
//
// Places come from the machine profile's section "NADIRA\Sorelle\Common\ZQTel": "YubinPath"
// and "HojinPath" (the dictionaries' folders), "DataPath" (the user phone-book files), "HDPath"
// (the phone book on disk), "DiffPath" (its difference data). A relative path is taken from the
// installation folder, so a factory profile can name the dictionaries it ships. The phone-book
// medium is found by FindPhoneBookMedium(MediaRoots()).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/CFnw.h"
#include "lookup/CMultiDB.h"
#include "lookup/CUserPhoneBook.h"
#include "ui/Ui.h"

namespace lookup {

class CLookupFacility {
 public:
  static constexpr const char* kMachineSection = "NADIRA\\Sorelle\\Common\\ZQTel";

  // ui must outlive the facility.
  CLookupFacility(ui::Ui& ui, std::filesystem::path installFolder);

  // 1 when the dictionaries are open (or already were), 0 otherwise; with report, after the
  // failure's messages. Either way PostalStatus() then holds the result.
  int OpenPostalDictionary(bool report);
  // 1 when the phone book is open (or already was), 0 otherwise; with report, after a message.
  // The first open also reads the user phone book, whose corrections every search applies: at
  // start-up silently, and when that failed, again with its messages on the first open that
  // reports (the first lookup the person asks for).
  int OpenPhoneBook(bool report);
  // Reads the user phone book from "DataPath". 1 on success; 0 after a message when the path is
  // missing or a file does not decode (that list is then empty and its file is kept).
  int LoadUserPhoneBook();
  // Writes the changed lists into "DataPath"; 1 at once when nothing changed. A list whose file
  // could not be read replaces it only when the person agrees. 0 after a message otherwise.
  int SaveUserPhoneBook();
  // Closes both engines; the status goes back to "not yet opened".
  void CloseLookups();

  // -1 before the first open, 0 while open, else MultiDB_Open's code.
  int PostalStatus() const { return postalStatus_; }
  bool IsPhoneBookOpen() const { return phoneBook_.IsOpen(); }
  CMultiDB& PostalDictionary() { return postal_; }
  CFnw& PhoneBook() { return phoneBook_; }
  CUserPhoneBook& UserPhoneBook() { return userBook_; }

  // The phone book's candidates for tel with the user's corrections applied (see
  // CUserPhoneBook::Merge): their count, or -1 when the book is not open or tel has no digits.
  int SearchPhoneBook(std::string_view tel, std::vector<CPhoneCandidate>& candidates);

 private:
  // LoadUserPhoneBook, with its messages only when report; a read that failed silently is tried
  // again by the next open.
  int ReadUserPhoneBook(bool report);
  // The profile's path for entry (made absolute); empty when the entry is missing or empty.
  std::filesystem::path MachinePath(std::string_view entry) const;
  void ReportPostalFailure(int code);

  ui::Ui& ui_;
  std::filesystem::path install_;
  CMultiDB postal_;
  CFnw phoneBook_;
  CUserPhoneBook userBook_;
  int postalStatus_ = -1;
  bool userBookRead_ = false;  // read, or its failure told
};

}  // namespace lookup
