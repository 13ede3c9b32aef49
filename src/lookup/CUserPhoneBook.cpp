#include "lookup/CUserPhoneBook.h"

#include <algorithm>

#include "platform/DurableFile.h"
#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"

namespace lookup {
namespace fs = std::filesystem;

namespace {

const settings::CClassRegistry& Classes() {
  static const settings::CClassRegistry classes = [] {
    settings::CClassRegistry registry;
    registry.Register<CZQAddress>();
    return registry;
  }();
  return classes;
}

fs::path WithSuffix(const fs::path& file, const char* suffix) { return file.string() + suffix; }

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// A save stopped between its steps leaves "tmp" and "del" beside the file. The "tmp" file is
// whole once the old file has been renamed away, so the save is carried to its end; before that
// the old file is still in place and the unfinished "tmp" is dropped.
void FinishInterruptedSave(const fs::path& file) {
  const fs::path tmp = WithSuffix(file, "tmp");
  const fs::path del = WithSuffix(file, "del");
  std::string error;
  if (!Exists(file) && Exists(del)) {
    if (!platform::ReplaceFile(Exists(tmp) ? tmp : del, file, error)) return;
  }
  platform::RemoveIfPresent(tmp, error);
  if (Exists(file)) platform::RemoveIfPresent(del, error);
}

CUserPhoneBook::Entries ReadList(const fs::path& file) {
  CUserPhoneBook::Entries entries;
  settings::CSettingsFile::Load(
      file,
      [&entries](settings::CArchive& ar) {
        entries = ar.LoadObjects<CZQAddress>();
        const bool hasNull = std::any_of(entries.begin(), entries.end(), [](const auto& e) { return !e; });
        if (hasNull || !ar.IsAtEnd()) {
          throw settings::ArchiveError(settings::ArchiveError::Kind::BadFormat, 0, "not one list of entries");
        }
      },
      Classes());
  return entries;
}

}  // namespace

fs::path CUserPhoneBook::FileOf(const fs::path& folder, List list) {
  return folder / (list == List::Added ? kAddedFileName : kDeletedFileName);
}

std::vector<fs::path> CUserPhoneBook::Load(const fs::path& folder) {
  std::vector<fs::path> unreadable;
  for (List list : {List::Added, List::Deleted}) {
    const fs::path file = FileOf(folder, list);
    FinishInterruptedSave(file);
    Entries& entries = lists_[Index(list)];
    entries.clear();
    changed_[Index(list)] = false;
    unreadable_[Index(list)] = false;
    std::error_code ec;
    if (!fs::exists(file, ec) || fs::file_size(file, ec) == 0 || ec) continue;
    try {
      entries = ReadList(file);
    } catch (const settings::ArchiveError&) {
      unreadable_[Index(list)] = true;
    } catch (const settings::FileError&) {
      unreadable_[Index(list)] = true;
    }
    if (unreadable_[Index(list)]) {
      entries.clear();
      unreadable.push_back(file);
    }
  }
  return unreadable;
}

bool CUserPhoneBook::Save(const fs::path& folder, const MayOverwrite& mayOverwrite, std::string& error) {
  bool all = true;
  for (List list : {List::Added, List::Deleted}) {
    if (!changed_[Index(list)]) continue;
    if (unreadable_[Index(list)] && !mayOverwrite(FileOf(folder, list))) {
      error = FileOf(folder, list).string() + " could not be read and was kept";
      all = false;
      continue;
    }
    if (!SaveList(folder, list, error)) {
      all = false;
      continue;
    }
    changed_[Index(list)] = false;
    unreadable_[Index(list)] = false;
  }
  return all;
}

bool CUserPhoneBook::SaveList(const fs::path& folder, List list, std::string& error) {
  const fs::path file = FileOf(folder, list);
  const fs::path tmp = WithSuffix(file, "tmp");
  const fs::path del = WithSuffix(file, "del");
  try {
    settings::CSettingsFile::Store(tmp, [this, list](settings::CArchive& ar) { ar.StoreObjects(lists_[Index(list)]); });
  } catch (const settings::FileError& e) {
    error = e.what();
    return false;
  }
  const bool hadFile = Exists(file);
  if (hadFile && !platform::ReplaceFile(file, del, error)) {
    platform::RemoveIfPresent(tmp, error);
    return false;
  }
  if (!platform::ReplaceFile(tmp, file, error)) {
    std::string ignored;
    if (hadFile) platform::ReplaceFile(del, file, ignored);  // the old list back in its place
    platform::RemoveIfPresent(tmp, ignored);
    return false;
  }
  return platform::RemoveIfPresent(del, error);
}

void CUserPhoneBook::Add(List list, std::shared_ptr<CZQAddress> entry) {
  lists_[Index(list)].push_back(std::move(entry));
  changed_[Index(list)] = true;
}

bool CUserPhoneBook::Remove(List list, std::size_t index) {
  Entries& entries = lists_[Index(list)];
  if (index >= entries.size()) return false;
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
  changed_[Index(list)] = true;
  return true;
}

void CUserPhoneBook::Merge(std::string_view tel, std::vector<CPhoneCandidate>& candidates) const {
  const std::string digits = TelephoneDigits(tel);
  if (digits.empty()) return;
  std::erase_if(candidates, [&](const CPhoneCandidate& c) {
    return std::any_of(Get(List::Deleted).begin(), Get(List::Deleted).end(), [&](const auto& d) {
      return TelephoneDigits(d->GetTel()) == TelephoneDigits(c.tel) &&
             (d->ToCandidate().name.empty() || d->ToCandidate().name == c.name);
    });
  });
  for (const auto& added : Get(List::Added)) {
    if (TelephoneDigits(added->GetTel()) == digits) candidates.push_back(added->ToCandidate());
  }
}

}  // namespace lookup
