#pragma once
// The phone-book search engine. The book is a dictionary file (DictionaryFile.h) "ZQTel.fnw":
// on the hard disk in the folder HDPath names, or on the phone-book medium under
// "SorelleTel/". A difference file "ZQTelDiff.fnw" of the same form, in the folder DiffPath
// names, holds the entries published since the book; searches return them after the book's.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/PhoneRecords.h"
#include "records/Sqlite.h"

namespace lookup {

class CFnw {
 public:
  static constexpr const char* kBookFileName = "ZQTel.fnw";
  static constexpr const char* kDiffFileName = "ZQTelDiff.fnw";
  static constexpr const char* kMediumFolder = "SorelleTel";

  CFnw() = default;
  CFnw(const CFnw&) = delete;
  CFnw& operator=(const CFnw&) = delete;

  // Opens the book of hdFolder, or when that folder is empty or holds none, the one on the
  // medium mounted at cdRoot; then the difference file of diffFolder if it holds one. Empty
  // paths are skipped. 1 when open; 0 (nothing open) when no book opens or a difference file
  // that is there is broken.
  int Fnw_Open(const std::filesystem::path& hdFolder, const std::filesystem::path& cdRoot,
               const std::filesystem::path& diffFolder);
  void Fnw_Close();
  bool IsOpen() const { return book_.IsOpen(); }

  // Replaces candidates with the entries whose telephone digits equal those of tel. The count,
  // or -1 when not open or tel has no digits.
  int Fnw_Search(std::string_view tel, std::vector<CPhoneCandidate>& candidates);
  // Gives back the memory the searches keep cached; the next search reads what it needs again.
  void Fnw_MemRelease();
  // Copies the book of the medium at cdRoot into hdFolder (replacing one there whole), so that
  // the book opens without the medium. 1 on success; 0 when the medium holds no sound book or
  // the copy failed (hdFolder's book is then as it was).
  int Fnw_CopyDic(const std::filesystem::path& cdRoot, const std::filesystem::path& hdFolder);

 private:
  bool OpenBook(const std::filesystem::path& file);

  records::sqlite::Connection book_;
  records::sqlite::Connection diff_;
};

// The schema of the book's table, for its writer: Tel holds the digits, TelText the number as
// given.
extern const char* const kPhoneBookSchemaSql;

// Builds a book (or difference) file from entries; entries without digits in tel are dropped.
bool WritePhoneBook(const std::filesystem::path& file, const std::vector<CPhoneCandidate>& entries,
                    std::string& error);

}  // namespace lookup
