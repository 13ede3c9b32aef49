#pragma once
// What each field of a form says for one customer: the address by entry type, the postal code,
// the addressee with its honorific (and a joint name), the own-company texts of the auto-text
// files and the history columns of a customer card.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "records/CKokyaku.h"
#include "records/CRirekiData.h"

namespace printing {

// The own-company and amount auto-text files of Data/Other, read once for a print.
class SenderTexts {
 public:
  SenderTexts() = default;
  // Every "*.AUT" file of the installation's Data/Other.
  static SenderTexts Read(const std::filesystem::path& install);
  void Set(const std::string& name, std::string value) { values_[name] = std::move(value); }
  // The text of NAME.AUT; empty when there is none.
  std::string Get(std::string_view name) const;

 private:
  std::map<std::string, std::string, std::less<>> values_;
};

// Office address for a corporate entry (EntryType 0), else home; the other when that one is empty.
bool UsesOffice(const records::CKokyaku& k);
// The address as lines: the first two parts joined, the third (the building) on a line of its own.
std::string AddressText(const records::CKokyaku& k);
// The postal code's digits, at most seven (full-width digits count).
std::string ZipDigits(const records::CKokyaku& k);
// "〒123-4567", or empty when there is no postal code.
std::string ZipText(const records::CKokyaku& k);

struct Addressee {
  std::vector<std::string> companyLines;  // company, section (corporate entries)
  std::string name;                       // the name line (the section when there is no name)
  std::string joint;                      // a second given name sharing the family name, or empty
  std::string honorific;                  // 様, 御中, or the customer's own Suffix
};
// jointColumn names the customer column that holds a joint addressee's given name ("" for none).
Addressee AddresseeOf(const records::CKokyaku& k, std::string_view jointColumn);
// The addressee on one line each: company lines, then "name 様" (and the joint line).
std::string AddresseeText(const Addressee& a);

// The text of a field that is not drawn specially, for a customer (null for none): customer
// columns, Zip, Address, Sender.X, FreeText. Rireki.*, ZipBoxes, Addressee and Entry.* are drawn
// by the renderer itself.
std::string FieldText(std::string_view field, const records::CKokyaku* k, const SenderTexts& sender,
                      std::string_view freeText);

// One history column's text for an entry (Rireki.Date, Rireki.ActionTitle, Rireki.Action,
// Rireki.Money); the detail on one line.
std::string HistoryText(std::string_view field, const records::CRirekiData& entry);

// The caption a customer list prints above a column.
std::string ColumnCaption(std::string_view field);

}  // namespace printing
