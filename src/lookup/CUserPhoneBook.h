#pragma once
// The user's own corrections of the phone book: entries added ("UserAddTelData.dat") and book
// entries deleted ("UserDelTelData.dat"), both in one folder. Each file is a settings archive
// holding one object list of CZQAddress (count, then each object with its class).
//
// Saving writes "<file>tmp", renames the old file to "<file>del", renames "<file>tmp" to the
// file and removes "<file>del", leaving neither behind. Loading first finishes a save that was
// cut off between those steps, so the newest whole list is the one read.

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/CZQAddress.h"
#include "lookup/PhoneRecords.h"

namespace lookup {

class CUserPhoneBook {
 public:
  static constexpr const char* kAddedFileName = "UserAddTelData.dat";
  static constexpr const char* kDeletedFileName = "UserDelTelData.dat";

  enum class List { Added = 0, Deleted = 1 };
  using Entries = std::vector<std::shared_ptr<CZQAddress>>;
  // Asked before a list replaces a file that could not be read; true lets it.
  using MayOverwrite = std::function<bool(const std::filesystem::path& file)>;

  static std::filesystem::path FileOf(const std::filesystem::path& folder, List list);

  // Reads both lists from folder. A missing or empty file gives an empty list; a file that does
  // not decode gives an empty list too and is marked unreadable. Clears the changed flags.
  // The files that could not be read.
  std::vector<std::filesystem::path> Load(const std::filesystem::path& folder);
  // Writes each changed list into folder. A list whose file could not be read is written only
  // when mayOverwrite allows it. True when every changed list was written (the flags are then
  // clear); false with error otherwise, the unwritten lists still changed.
  bool Save(const std::filesystem::path& folder, const MayOverwrite& mayOverwrite, std::string& error);

  const Entries& Get(List list) const { return lists_[Index(list)]; }
  // Adds an entry, or removes the one at index (false when there is none); both set the flag.
  void Add(List list, std::shared_ptr<CZQAddress> entry);
  bool Remove(List list, std::size_t index);
  bool IsChanged() const { return changed_[0] || changed_[1]; }
  bool IsUnreadable(List list) const { return unreadable_[Index(list)]; }

  // Applies the lists to the book's candidates for a telephone: entries the user deleted (same
  // digits, and the same name unless the deletion has none) disappear, and the user's added
  // entries with those digits follow the rest.
  void Merge(std::string_view tel, std::vector<CPhoneCandidate>& candidates) const;

 private:
  static std::size_t Index(List list) { return static_cast<std::size_t>(list); }
  bool SaveList(const std::filesystem::path& folder, List list, std::string& error);

  std::array<Entries, 2> lists_;
  std::array<bool, 2> changed_{false, false};
  std::array<bool, 2> unreadable_{false, false};
};

}  // namespace lookup
