#include "maintenance/DataRestore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <system_error>

#include "maintenance/BackupFormat.h"
#include "maintenance/FileCopy.h"
#include "platform/DurableFile.h"
#include "records/SaveLock.h"
#include "shell/AppRoutines.h"
#include "text/Cp932.h"

namespace maintenance {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> DataFileNames() {
  std::vector<std::string> names;
  shell::ListDataFiles(1, names);
  return names;
}

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

// The plain files directly in folder, by name.
std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool SyncFolderIfThere(const fs::path& folder, std::string& why) {
  std::error_code ec;
  return !fs::is_directory(folder, ec) || platform::SyncFolder(folder, why);
}

// A picture's stored name as a file name of the Picture folder: one plain name, nothing that
// could reach another folder.
std::optional<std::string> PictureFileName(std::string_view stored) {
  const std::string name = text::FromCp932(stored);
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
      name.find('\0') != std::string::npos) {
    return std::nullopt;
  }
  return name;
}

bool ReadAt(int fd, std::uint64_t offset, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

struct Content {
  std::string name;
  std::uint64_t offset = 0;  // of its bytes
  std::uint32_t size = 0;
};

struct Parsed {
  RestoreStatus status = RestoreStatus::Done;
  std::vector<Content> contents;
  std::uint32_t volumes = 0;
};

// Checks the whole container and finds each content before anything is written.
Parsed ParseContainer(int fd, std::uint64_t length) {
  Parsed parsed;
  const std::string& magic = DataBackupMagic();
  std::string head(magic.size(), '\0');
  if (!ReadAt(fd, 0, head.data(), head.size()) || head != magic) {
    parsed.status = RestoreStatus::NotBackup;
    return parsed;
  }
  parsed.status = RestoreStatus::BadFormat;
  char word[4];
  std::uint64_t at = magic.size();
  const auto next = [&](std::uint32_t& value) {
    if (!ReadAt(fd, at, word, 4)) return false;
    value = GetU32(word);
    at += 4;
    return true;
  };
  std::uint32_t version = 0, total = 0, count = 0;
  if (!next(version) || !next(total) || total != length || version != kContainerVersion || !next(count)) {
    return parsed;
  }
  if (count > length / 8) return parsed;
  const std::vector<std::string> known = DataFileNames();
  std::set<std::string> seen;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t nameLength = 0;
    if (!next(nameLength) || nameLength > 255 || at + nameLength > length) return parsed;
    std::string name(nameLength, '\0');
    if (!ReadAt(fd, at, name.data(), nameLength)) return parsed;
    at += nameLength;
    if (std::find(known.begin(), known.end(), name) == known.end() || !seen.insert(name).second) return parsed;
    parsed.contents.push_back({name, 0, 0});
  }
  for (Content& c : parsed.contents) {
    if (!next(c.size)) return parsed;
    c.offset = at;
    at += c.size;
    if (at > length) return parsed;
  }
  if (!next(parsed.volumes) || at != length) return parsed;
  parsed.status = RestoreStatus::Done;
  return parsed;
}

class Counter {
 public:
  Counter(const RestoreProgress& progress, std::uint64_t total) : progress_(progress), total_(total) {}
  CopyProgress For(std::string_view file) {
    if (!progress_) return {};
    return [this, file](std::uint64_t done) { return progress_(file, base_ + done, total_); };
  }
  void Add(std::uint64_t n) { base_ += n; }

 private:
  const RestoreProgress& progress_;
  std::uint64_t total_;
  std::uint64_t base_ = 0;
};

PictureRestoreError RestoreVolume(const fs::path& volume, const fs::path& pictureFolder, Counter& counter,
                                  bool& stopped, std::string& why) {
  std::error_code ec;
  if (!fs::exists(volume, ec)) {
    why = "missing " + volume.string();
    return PictureRestoreError::VolumeMissing;
  }
  UniqueFd in = OpenForReading(volume, why);
  if (!in) return PictureRestoreError::CannotOpen;
  const std::string& magic = PictureVolumeMagic();
  std::string head(magic.size(), '\0');
  if (!ReadExactly(in.Get(), head.data(), head.size())) return PictureRestoreError::BadFormat;
  if (head != magic) return PictureRestoreError::NotPictures;
  char word[4];
  if (!ReadExactly(in.Get(), word, 4)) return PictureRestoreError::BadFormat;
  const std::uint32_t count = GetU32(word);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!ReadExactly(in.Get(), word, 4)) return PictureRestoreError::BadFormat;
    const std::uint32_t nameLength = GetU32(word);
    if (nameLength > 4096) return PictureRestoreError::BadFormat;
    std::string stored(nameLength, '\0');
    if (!ReadExactly(in.Get(), stored.data(), nameLength) || !ReadExactly(in.Get(), word, 4)) {
      return PictureRestoreError::BadFormat;
    }
    const std::uint32_t size = GetU32(word);
    const std::optional<std::string> name = PictureFileName(stored);
    if (!name) {
      why = "a picture name reaches outside the picture folder";
      return PictureRestoreError::BadFormat;
    }
    const fs::path target = pictureFolder / *name;
    UniqueFd out = CreateForWriting(target, false, why);
    if (!out) return PictureRestoreError::CannotCreate;
    switch (CopyBytes(in.Get(), out.Get(), target, size, why, counter.For(*name))) {
      case CopyResult::Done: break;
      case CopyResult::ReadFailed: return PictureRestoreError::BadFormat;
      case CopyResult::WriteFailed: return PictureRestoreError::DiskFull;
      case CopyResult::Stopped: stopped = true; return PictureRestoreError::DiskFull;
    }
    counter.Add(size);
    if (!SyncFd(out.Get(), target, why) || !out.Close()) return PictureRestoreError::DiskFull;
  }
  return PictureRestoreError::None;
}

}  // namespace

// ---- The safety copy ----

std::optional<CSafetyCopy> CSafetyCopy::Make(const fs::path& dataFolder, std::string& why) {
  CSafetyCopy copy;
  copy.dataFolder_ = dataFolder;
  std::error_code ec;
  for (int n = 0;; ++n) {
    copy.folder_ = dataFolder / (n == 0 ? std::string(kSafetyCopyName) : kSafetyCopyName + std::to_string(n));
    if (!fs::exists(copy.folder_, ec) && fs::create_directory(copy.folder_, ec)) break;
    if (ec || n > 10000) {
      why = "cannot create a folder in " + dataFolder.string() + ": " + ec.message();
      return std::nullopt;
    }
  }
  const auto fail = [&copy] {
    std::error_code ignored;
    fs::remove_all(copy.folder_, ignored);
    return std::nullopt;
  };
  for (const std::string& name : DataFileNames()) {
    if (!IsRegularFile(dataFolder / name)) continue;
    if (!CopyFileSynced(dataFolder / name, copy.folder_ / name, why)) return fail();
    copy.dataFiles_.push_back(name);
  }
  const fs::path pictures = dataFolder / "Picture";
  if (fs::is_directory(pictures, ec)) {
    if (!fs::create_directory(copy.folder_ / "Picture", ec)) {
      why = "cannot create " + (copy.folder_ / "Picture").string() + ": " + ec.message();
      return fail();
    }
    for (const std::string& name : FilesIn(pictures)) {
      if (!CopyFileSynced(pictures / name, copy.folder_ / "Picture" / name, why)) return fail();
    }
    if (!platform::SyncFolder(copy.folder_ / "Picture", why)) return fail();
  }
  std::string list;
  for (const std::string& name : copy.dataFiles_) list += name + "\n";
  if (!platform::SyncFolder(copy.folder_, why) || !platform::WriteFileDurably(copy.folder_ / kSafetyMarkerName, list, why) ||
      !platform::SyncFolder(dataFolder, why)) {
    return fail();
  }
  return copy;
}

std::optional<CSafetyCopy> CSafetyCopy::Load(const fs::path& dataFolder, const fs::path& folder) {
  std::string why;
  UniqueFd in = OpenForReading(folder / kSafetyMarkerName, why);
  if (!in) return std::nullopt;
  std::string list;
  char buffer[4096];
  for (ssize_t n; (n = ::read(in.Get(), buffer, sizeof buffer)) > 0;) list.append(buffer, static_cast<std::size_t>(n));
  CSafetyCopy copy;
  copy.dataFolder_ = dataFolder;
  copy.folder_ = folder;
  const std::vector<std::string> known = DataFileNames();
  for (std::size_t start = 0; start < list.size();) {
    std::size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    const std::string name = list.substr(start, end - start);
    if (std::find(known.begin(), known.end(), name) != known.end()) copy.dataFiles_.push_back(name);
    start = end + 1;
  }
  return copy;
}

bool CSafetyCopy::RollBack(std::string& why) {
  std::error_code ec;
  for (const std::string& name : DataFileNames()) {
    const bool had = std::find(dataFiles_.begin(), dataFiles_.end(), name) != dataFiles_.end();
    if (had) {
      if (!CopyFileSynced(folder_ / name, dataFolder_ / name, why)) return false;
    } else if (!platform::RemoveIfPresent(dataFolder_ / name, why)) {
      return false;
    }
  }
  const fs::path pictures = dataFolder_ / "Picture";
  const fs::path kept = folder_ / "Picture";
  const std::vector<std::string> keptNames = FilesIn(kept);
  for (const std::string& name : keptNames) {
    if (!CopyFileSynced(kept / name, pictures / name, why)) return false;
  }
  // Pictures the restore brought in were not there before it.
  for (const std::string& name : FilesIn(pictures)) {
    if (!std::binary_search(keptNames.begin(), keptNames.end(), name) &&
        !platform::RemoveIfPresent(pictures / name, why)) {
      return false;
    }
  }
  if (!platform::SyncFolder(dataFolder_, why) || !SyncFolderIfThere(pictures, why)) return false;
  return Discard(why);
}

bool CSafetyCopy::Discard(std::string& why) {
  if (!platform::RemoveIfPresent(folder_ / kSafetyMarkerName, why) || !platform::SyncFolder(folder_, why)) return false;
  std::error_code ec;
  fs::remove_all(folder_, ec);
  platform::SyncFolder(dataFolder_, why);
  return true;
}

// ---- Restore ----

RestoreReport RestoreFromBackup(const fs::path& dataFolder, const fs::path& backupFile, const RestoreProgress& progress) {
  RestoreReport report;
  UniqueFd in = OpenForReading(backupFile, report.why);
  struct stat st {};
  if (!in || ::fstat(in.Get(), &st) != 0) {
    report.status = RestoreStatus::NotBackup;
    return report;
  }
  const Parsed parsed = ParseContainer(in.Get(), static_cast<std::uint64_t>(st.st_size));
  if (parsed.status != RestoreStatus::Done) {
    report.status = parsed.status;
    return report;
  }
  const std::string base = backupFile.stem().string();
  const fs::path backupFolder = backupFile.parent_path();
  std::uint64_t total = 0;
  for (const Content& c : parsed.contents) total += c.size;
  for (std::uint32_t v = 1; v <= parsed.volumes; ++v) {
    std::error_code ec;
    const auto size = fs::file_size(backupFolder / PictureVolumeName(base, static_cast<int>(v)), ec);
    if (!ec) total += size;
  }
  Counter counter(progress, total);

  bool failed = false;
  for (const Content& c : parsed.contents) {
    const fs::path target = dataFolder / c.name;
    std::string why;
    report.touched = true;
    UniqueFd out = CreateForWriting(target, false, why);
    if (!out) {
      failed = true;  // its bytes are passed over; the next file starts at its own offset
      report.why = why;
      counter.Add(c.size);
      continue;
    }
    if (::lseek(in.Get(), static_cast<off_t>(c.offset), SEEK_SET) < 0) {
      failed = true;
      continue;
    }
    const CopyResult r = CopyBytes(in.Get(), out.Get(), target, c.size, why, counter.For(c.name));
    if (r == CopyResult::Stopped) {
      report.status = RestoreStatus::Stopped;
      return report;
    }
    if (r != CopyResult::Done || !SyncFd(out.Get(), target, why) || !out.Close()) {
      failed = true;
      report.why = why;
    }
    counter.Add(c.size);
  }
  if (failed) {
    report.status = RestoreStatus::FilesFailed;
    return report;
  }
  if (parsed.volumes >= 1) {
    const fs::path pictureFolder = dataFolder / "Picture";
    std::error_code ec;
    fs::create_directories(pictureFolder, ec);
    for (std::uint32_t v = 1; v <= parsed.volumes; ++v) {
      bool stopped = false;
      report.picture = RestoreVolume(backupFolder / PictureVolumeName(base, static_cast<int>(v)), pictureFolder,
                                     counter, stopped, report.why);
      if (stopped) {
        report.status = RestoreStatus::Stopped;
        return report;
      }
      if (report.picture != PictureRestoreError::None) {
        report.status = RestoreStatus::PicturesFailed;
        return report;
      }
    }
    if (!platform::SyncFolder(pictureFolder, report.why)) {
      report.picture = PictureRestoreError::DiskFull;
      report.status = RestoreStatus::PicturesFailed;
      return report;
    }
  }
  if (!platform::SyncFolder(dataFolder, report.why)) {
    report.status = RestoreStatus::FilesFailed;
    return report;
  }
  report.status = RestoreStatus::Done;
  return report;
}

InterruptedRestore RecoverInterruptedRestore(const fs::path& dataFolder, std::string& why) {
  std::vector<fs::path> leftovers;
  std::error_code ec;
  for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (!it->is_directory(typeError) || !name.starts_with(kSafetyCopyName)) continue;
    const std::string number = name.substr(std::strlen(kSafetyCopyName));
    if (std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      leftovers.push_back(it->path());
    }
  }
  if (leftovers.empty()) return InterruptedRestore::None;
  records::CSaveLock lock;
  if (!lock.Lock(dataFolder, records::CSaveLock::Mode::Exclusive, std::chrono::milliseconds(0), why)) {
    return InterruptedRestore::InProgress;
  }
  InterruptedRestore result = InterruptedRestore::None;
  for (const fs::path& folder : leftovers) {
    if (std::optional<CSafetyCopy> copy = CSafetyCopy::Load(dataFolder, folder)) {
      if (!copy->RollBack(why)) return InterruptedRestore::Failed;
      result = InterruptedRestore::RolledBack;
    } else {
      fs::remove_all(folder, ec);  // never complete, so the data folder was never touched
    }
  }
  return result;
}

}  // namespace maintenance
