#pragma once
// The postal-code and address dictionary engine: the ordinary dictionary (addresses by postal
// code) and the business dictionary (large-volume receivers with their company names), each a
// dictionary file (DictionaryFile.h) in its own folder. Read-only; one object per open pair.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/PostalRecords.h"
#include "records/Sqlite.h"

namespace lookup {

class CMultiDB {
 public:
  // Results of MultiDB_Open.
  static constexpr int kOpen = 0;
  static constexpr int kBadParameter = 1;         // a folder is empty
  static constexpr int kCannotOpen = 2;           // the postal dictionary file is missing or unreadable
  static constexpr int kOutOfMemory = 3;
  static constexpr int kBroken = 4;               // the postal dictionary is cut short, damaged or foreign
  static constexpr int kWrongVersion = 5;         // the postal dictionary has another layout version
  static constexpr int kBusinessCannotOpen = 35;  // the business dictionary is missing, unreadable or broken
  static constexpr int kBusinessWrongVersion = 36;
  // Results of MultiDB_Search besides kOpen (searched).
  static constexpr int kBadKey = 1;
  static constexpr int kNotOpen = 2;

  static constexpr const char* kPostalFileName = "Yubin.dic";
  static constexpr const char* kBusinessFileName = "Hojin.dic";

  enum class Dictionary { Postal, Business };

  CMultiDB() = default;
  CMultiDB(const CMultiDB&) = delete;
  CMultiDB& operator=(const CMultiDB&) = delete;

  // Opens Yubin.dic in postalFolder and Hojin.dic in businessFolder (closing what was open);
  // kOpen or one of the codes above, with nothing left open.
  int MultiDB_Open(const std::filesystem::path& postalFolder, const std::filesystem::path& businessFolder);
  bool IsOpen() const { return postal_.IsOpen(); }
  void MultiDB_Close();

  // key: 3 to 7 half-width digits, with a final "*" for every code that begins with them.
  // Replaces candidates with the matching entries of one dictionary in code order, each
  // distinct entry once. kOpen, kBadKey (candidates emptied) or kNotOpen.
  int MultiDB_Search(std::string_view key, Dictionary which, std::vector<CPostalCandidate>& candidates);

  // The steps of the address picker, each in the dictionary's order (prefectures in the
  // standard order, the others by their lowest postal code). Empty when not open or unknown.
  // A city's or town's code is the one of its entry without a town (block), else its lowest.
  // Prefectures carry no code. Blocks (buildings, floors, street numbers) come from both
  // dictionaries, each block once.
  std::vector<CPostalLevelEntry> Prefectures();
  std::vector<CPostalLevelEntry> Cities(std::string_view prefecture);
  std::vector<CPostalLevelEntry> Towns(std::string_view prefecture, std::string_view city);
  std::vector<CPostalLevelEntry> Blocks(std::string_view prefecture, std::string_view city, std::string_view town);

 private:
  records::sqlite::Connection& Of(Dictionary which) { return which == Dictionary::Postal ? postal_ : business_; }

  records::sqlite::Connection postal_;
  records::sqlite::Connection business_;
};

// The schema of both dictionaries' table, for their writer.
extern const char* const kPostalSchemaSql;

// Builds a dictionary file of that kind from records (in any order; repeats are dropped).
// False with error; an existing file is replaced only by a whole new one.
bool WritePostalDictionary(const std::filesystem::path& file, CMultiDB::Dictionary kind,
                           std::vector<CPostalCandidate> records, std::string& error);

}  // namespace lookup
