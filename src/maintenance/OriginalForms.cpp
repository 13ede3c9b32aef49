#include "maintenance/OriginalForms.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <new>

#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "maintenance/DataMaintenance.h"
#include "maintenance/FileCopy.h"
#include "platform/CProfile.h"
#include "platform/DurableFile.h"
#include "text/Cp932.h"

namespace maintenance {

namespace fs = std::filesystem;
using ui::Icon;

namespace {

constexpr const char* kListName = "\\Data\\MyData\\Original.dat";
constexpr const char* kNumberName = "\\Data\\Org\\OrgNum.dat";
// No original-form file comes near this; a larger one is no file of ours.
constexpr std::uint64_t kLargestFile = 256u << 20;

std::string OrgName(int id) { return "\\Data\\Org\\" + std::to_string(id) + ".org"; }

bool ReadWhole(const fs::path& file, std::string& bytes, std::string& why) {
  UniqueFd in = OpenForReading(file, why);
  struct stat st {};
  if (!in || ::fstat(in.Get(), &st) != 0 || static_cast<std::uint64_t>(st.st_size) > kLargestFile) {
    if (why.empty()) why = "cannot read " + file.string();
    return false;
  }
  try {
    bytes.assign(static_cast<std::size_t>(st.st_size), '\0');
  } catch (const std::bad_alloc&) {
    why = kOutOfMemory;
    return false;
  }
  if (!ReadExactly(in.Get(), bytes.data(), bytes.size())) {
    why = "cannot read " + file.string();
    return false;
  }
  return true;
}

// Removable drives and discs are mounted under these on a Linux desktop.
bool OnRemovableMedia(const fs::path& folder) {
  const std::string p = folder.string();
  return p.starts_with("/media/") || p.starts_with("/run/media/");
}

fs::path RememberedFolder(platform::CProfile* profile) {
  return profile ? fs::path(profile->GetString(kOriginalFolderSection, kOriginalFolderEntry)) : fs::path();
}

void RememberFolder(platform::CProfile* profile, const fs::path& file) {
  const fs::path folder = file.parent_path();
  if (profile && !OnRemovableMedia(folder)) profile->WriteString(kOriginalFolderSection, kOriginalFolderEntry, folder.string());
}

}  // namespace

std::vector<std::string> OriginalFormNames(const fs::path& install, const std::vector<int>& layoutIds) {
  std::vector<std::string> names = {kListName, kNumberName};
  for (int id : layoutIds) names.push_back(OrgName(id));
  std::vector<std::string> existing;
  for (const std::string& name : names) {
    std::error_code ec;
    if (fs::is_regular_file(*OriginalFormPath(install, name), ec) &&
        std::find(existing.begin(), existing.end(), name) == existing.end()) {
      existing.push_back(name);
    }
  }
  return existing;
}

std::optional<fs::path> OriginalFormPath(const fs::path& install, std::string_view name) {
  if (name == kListName) return install / "Data" / "MyData" / "Original.dat";
  if (name == kNumberName) return install / "Data" / "Org" / "OrgNum.dat";
  constexpr std::string_view kOrg = "\\Data\\Org\\";
  if (!name.starts_with(kOrg) || !name.ends_with(".org")) return std::nullopt;
  const std::string_view digits = name.substr(kOrg.size(), name.size() - kOrg.size() - 4);
  if (digits.empty() || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  return install / "Data" / "Org" / (std::string(digits) + ".org");
}

OriginalResult WriteOriginalBackup(const fs::path& install, const std::vector<std::string>& names, const fs::path& file,
                                   std::string& why) {
  std::vector<ContainerItem> items;
  std::vector<std::string> contents;
  for (const std::string& name : names) {
    std::string bytes;
    if (!ReadWhole(*OriginalFormPath(install, name), bytes, why)) return OriginalResult::CannotRead;
    items.push_back({text::ToCp932(name).value_or(name), bytes.size()});
    contents.push_back(std::move(bytes));
  }
  const std::uint64_t total = ContainerLength(OriginalBackupMagic(), items, false);
  if (total > std::numeric_limits<std::uint32_t>::max()) return OriginalResult::CannotRead;
  std::string out = ContainerHead(OriginalBackupMagic(), items, total);
  for (const std::string& bytes : contents) {
    PutU32(out, static_cast<std::uint32_t>(bytes.size()));
    out += bytes;
  }
  return platform::WriteFileDurably(file, out, why) ? OriginalResult::Done : OriginalResult::CannotWrite;
}

OriginalResult RestoreOriginalBackup(const fs::path& install, const fs::path& file, std::string& why) {
  std::string bytes;
  if (!ReadWhole(file, bytes, why)) return OriginalResult::CannotRead;
  const std::string& magic = OriginalBackupMagic();
  if (bytes.size() < magic.size() || bytes.compare(0, magic.size(), magic) != 0) return OriginalResult::NotBackup;
  std::size_t at = magic.size();
  const auto next = [&](std::uint32_t& v) {
    if (bytes.size() - at < 4) return false;
    v = GetU32(bytes.data() + at);
    at += 4;
    return true;
  };
  std::uint32_t version = 0, total = 0, count = 0;
  if (!next(version) || !next(total) || total != bytes.size() || version != kContainerVersion || !next(count) ||
      count > bytes.size() / 8) {
    return OriginalResult::BadFormat;
  }
  std::vector<fs::path> targets;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = 0;
    if (!next(length) || bytes.size() - at < length) return OriginalResult::BadFormat;
    const std::optional<fs::path> target = OriginalFormPath(install, text::FromCp932(bytes.substr(at, length)));
    at += length;
    if (!target) return OriginalResult::BadFormat;  // nothing is written outside the form files
    targets.push_back(*target);
  }
  std::vector<platform::FileBytes> files;
  for (const fs::path& target : targets) {
    std::uint32_t size = 0;
    if (!next(size) || bytes.size() - at < size) return OriginalResult::BadFormat;
    files.emplace_back(target, bytes.substr(at, size));
    at += size;
  }
  if (at != bytes.size()) return OriginalResult::BadFormat;
  std::error_code ec;
  fs::create_directories(install / "Data" / "Org", ec);
  return platform::WriteFilesDurably(files, why) ? OriginalResult::Done : OriginalResult::CannotWrite;
}

void BackupOriginalForms(ui::Ui& ui, bool hasDocument, const fs::path& install, platform::CProfile* profile) {
  if (!hasDocument) return ui.Tell(kNoDocument);
  std::vector<int> ids;
  {
    lumaro::CLumaro catalogue(install, [&ui](std::string_view text) { ui.Tell(text); });
    catalogue.ReadPickUp();
    for (const auto& layout : catalogue.GetPickUpData()) ids.push_back(layout->LayoutID);
  }
  std::error_code ec;
  if (ids.empty() || !fs::exists(*OriginalFormPath(install, kListName), ec)) return ui.Tell(kNoOriginals);
  ui.Tell(kOriginalBackupIntro, Icon::Information);
  const std::optional<fs::path> file =
      ui.SaveFile(kOriginalBackupTitle, kOriginalFilter, RememberedFolder(profile) / kOriginalDefaultName);
  if (!file) return;
  fs::path target = *file;
  if (target.extension() != std::string(".") + kOriginalBackupExtension) target += std::string(".") + kOriginalBackupExtension;
  std::string why;
  OriginalResult result;
  {
    const ui::WaitScope wait = ui.Wait();
    result = WriteOriginalBackup(install, OriginalFormNames(install, ids), target, why);
  }
  if (result == OriginalResult::Done) {
    ui.Tell(kOriginalBackupDone, Icon::Information);
  } else {
    if (why == kOutOfMemory) ui.Tell(kOutOfMemory);
    ui.Tell(kBackupFailed);
  }
  RememberFolder(profile, target);
}

bool RestoreOriginalForms(ui::Ui& ui, bool hasDocument, const fs::path& install, platform::CProfile* profile) {
  if (!hasDocument) {
    ui.Tell(kNoDocument);
    return false;
  }
  if (!ui.Ask(kOriginalRestoreConfirm, ui::Answer::No, Icon::Question)) return false;
  const std::optional<fs::path> file = ui.OpenFile(kOriginalRestoreTitle, kOriginalFilter, RememberedFolder(profile));
  if (!file) return false;
  std::string why;
  OriginalResult result;
  {
    const ui::WaitScope wait = ui.Wait();
    result = RestoreOriginalBackup(install, *file, why);
  }
  if (result == OriginalResult::NotBackup) ui.Tell(kNotOriginalBackup);
  if (result == OriginalResult::BadFormat) ui.Tell(kBadOriginalBackup);
  if (result == OriginalResult::Done) {
    lumaro::CLumaro catalogue(install, [&ui](std::string_view text) { ui.Tell(text); });
    catalogue.ReadPickUp();
    ui.Tell(kOriginalRestoreDone, Icon::Information);
  } else {
    ui.Tell(kOriginalRestoreFailed);
  }
  RememberFolder(profile, *file);
  return result == OriginalResult::Done;
}

}  // namespace maintenance
