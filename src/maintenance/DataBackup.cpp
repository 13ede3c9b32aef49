#include "maintenance/DataBackup.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <system_error>

#include "maintenance/FileCopy.h"
#include "platform/DurableFile.h"
#include "records/SaveLock.h"
#include "shell/AppRoutines.h"
#include "text/Cp932.h"

namespace maintenance {

namespace fs = std::filesystem;

namespace {

// A backup waits this long for a restore in another process to finish.
constexpr std::chrono::milliseconds kLockWait{10 * 60 * 1000};

struct OpenSource {
  ContainerItem item;
  fs::path path;
  UniqueFd fd;
};

std::string PlainName(const fs::path& p) { return p.filename().string(); }

// Counts the bytes written for the progress callback and carries its stop request.
class Progressor {
 public:
  Progressor(const BackupProgress& progress, std::uint64_t total) : progress_(progress), total_(total) {}
  bool Tell(std::string_view target, std::string_view source, std::uint64_t doneInFile) {
    return !progress_ || progress_(target, source, base_ + doneInFile, total_);
  }
  void Add(std::uint64_t bytes) { base_ += bytes; }
  CopyProgress For(std::string_view target, std::string_view source) {
    if (!progress_) return {};
    return [this, target, source](std::uint64_t done) { return Tell(target, source, done); };
  }

 private:
  const BackupProgress& progress_;
  std::uint64_t total_;
  std::uint64_t base_ = 0;
};

void RemoveWritten(const std::vector<fs::path>& written) {
  std::error_code ec;
  for (const fs::path& p : written) fs::remove(p, ec);
}

// Writes one picture volume; the status of the pictures when it fails, else Done.
PictureStatus WriteVolume(const fs::path& volume, const fs::path& pictureFolder,
                          const std::vector<ContainerItem>& pictures, const std::vector<fs::path>& paths,
                          const std::vector<std::size_t>& members, Progressor& progressor, bool& stopped,
                          std::string& why) {
  UniqueFd out = CreateForWriting(volume, true, why);
  if (!out) return PictureStatus::DiskFull;
  std::string head = PictureVolumeMagic();
  PutU32(head, static_cast<std::uint32_t>(members.size()));
  if (!WriteAllBytes(out.Get(), volume, head, why)) return PictureStatus::DiskFull;
  const std::string volumeName = PlainName(volume);
  for (std::size_t index : members) {
    const ContainerItem& picture = pictures[index];
    const std::string sourceName = PlainName(paths[index]);
    UniqueFd in = OpenForReading(pictureFolder / paths[index].filename(), why);
    if (!in) return PictureStatus::SourceUnreadable;
    std::string entry;
    PutU32(entry, static_cast<std::uint32_t>(picture.name.size()));
    entry += picture.name;
    PutU32(entry, static_cast<std::uint32_t>(picture.size));
    if (!WriteAllBytes(out.Get(), volume, entry, why)) return PictureStatus::DiskFull;
    switch (CopyBytes(in.Get(), out.Get(), volume, picture.size, why, progressor.For(volumeName, sourceName))) {
      case CopyResult::Done: break;
      case CopyResult::ReadFailed: return PictureStatus::SourceUnreadable;
      case CopyResult::WriteFailed: return PictureStatus::DiskFull;
      case CopyResult::Stopped: stopped = true; return PictureStatus::DiskFull;
    }
    progressor.Add(picture.size);
  }
  if (!SyncFd(out.Get(), volume, why) || !out.Close()) {
    if (why.empty()) why = "cannot close " + volume.string();
    return PictureStatus::DiskFull;
  }
  return PictureStatus::Done;
}

}  // namespace

std::vector<ContainerItem> CollectDataFiles(const fs::path& dataFolder) {
  std::vector<std::string> names;
  shell::ListDataFiles(1, names);
  std::vector<ContainerItem> items;
  for (const std::string& name : names) {
    std::error_code ec;
    const auto size = fs::file_size(dataFolder / name, ec);
    if (!ec && size > 0) items.push_back({name, size});
  }
  return items;
}

std::vector<ContainerItem> CollectPictures(const fs::path& dataFolder, std::vector<std::string>* bad) {
  std::vector<std::pair<std::string, std::uint64_t>> found;
  std::error_code ec;
  for (fs::directory_iterator it(dataFolder / "Picture", ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    const auto size = it->file_size(typeError);
    found.emplace_back(PlainName(it->path()), typeError ? 0 : size);
  }
  std::sort(found.begin(), found.end());
  std::vector<ContainerItem> items;
  for (auto& [name, size] : found) {
    std::optional<std::string> stored = text::ToCp932(name);
    if (!stored) {
      if (bad) bad->push_back(name);
      continue;
    }
    items.push_back({*stored, size});
  }
  return items;
}

BackupReport WriteDataBackup(const fs::path& dataFolder, const fs::path& backupFolder, std::string_view base,
                             const BackupProgress& progress) {
  BackupReport report;
  report.file = backupFolder / (std::string(base) + "." + kDataBackupExtension);

  // The data files are opened and copied under the save lock, so the database copied is the last
  // one saved, whole: a save (another process's too) waits to replace it, a restore to rewrite it.
  std::vector<OpenSource> sources;
  records::CSaveLock lock;
  {
    if (!lock.Lock(dataFolder, records::CSaveLock::Mode::Shared, kLockWait, report.why)) {
      report.status = BackupStatus::Locked;
      return report;
    }
    for (ContainerItem& item : CollectDataFiles(dataFolder)) {
      OpenSource source{item, dataFolder / item.name, {}};
      source.fd = OpenForReading(source.path, report.why);
      struct stat st {};
      if (!source.fd || ::fstat(source.fd.Get(), &st) != 0) {
        report.status = BackupStatus::SourceUnreadable;
        return report;
      }
      source.item.size = static_cast<std::uint64_t>(st.st_size);
      if (source.item.size == 0) continue;
      sources.push_back(std::move(source));
    }
  }
  if (sources.empty()) {
    report.status = BackupStatus::NoFiles;
    return report;
  }
  std::vector<ContainerItem> items;
  for (const OpenSource& s : sources) items.push_back(s.item);
  report.totalLength = ContainerLength(DataBackupMagic(), items, true);
  if (report.totalLength > std::numeric_limits<std::uint32_t>::max()) {
    report.status = BackupStatus::TooLarge;
    report.why = "the data files need " + std::to_string(report.totalLength) + " bytes, more than a backup file holds";
    return report;
  }

  std::vector<std::string> unencodable;
  const std::vector<ContainerItem> pictures = CollectPictures(dataFolder, &unencodable);
  std::vector<fs::path> picturePaths;
  for (const ContainerItem& p : pictures) picturePaths.emplace_back(text::FromCp932(p.name));
  std::uint64_t pictureBytes = 0;
  for (const ContainerItem& p : pictures) pictureBytes += p.size;
  Progressor progressor(progress, report.totalLength + pictureBytes);
  std::vector<fs::path> written;
  const auto stop = [&] {
    RemoveWritten(written);
    report.status = BackupStatus::Stopped;
    return report;
  };

  UniqueFd out = CreateForWriting(report.file, true, report.why);
  if (!out) {
    report.status = BackupStatus::CannotCreate;
    return report;
  }
  written.push_back(report.file);
  const std::string fileName = PlainName(report.file);
  const auto diskFull = [&] {
    report.status = BackupStatus::DiskFull;
    return report;
  };
  if (!WriteAllBytes(out.Get(), report.file, ContainerHead(DataBackupMagic(), items, report.totalLength),
                     report.why)) {
    return diskFull();
  }
  for (OpenSource& source : sources) {
    std::string size;
    PutU32(size, static_cast<std::uint32_t>(source.item.size));
    if (!WriteAllBytes(out.Get(), report.file, size, report.why)) return diskFull();
    switch (CopyBytes(source.fd.Get(), out.Get(), report.file, source.item.size, report.why,
                      progressor.For(fileName, source.item.name))) {
      case CopyResult::Done: break;
      case CopyResult::ReadFailed: report.status = BackupStatus::SourceUnreadable; return report;
      case CopyResult::WriteFailed: return diskFull();
      case CopyResult::Stopped: return stop();
    }
    progressor.Add(source.item.size);
    source.fd.Close();
  }
  lock.Unlock();

  // Pictures: each volume is created, written, synced and closed in turn.
  report.pictures = pictures.empty() && unencodable.empty() ? PictureStatus::None : PictureStatus::Done;
  if (!unencodable.empty()) {
    report.pictures = PictureStatus::SourceUnreadable;
    report.why = "a picture's name cannot be stored: " + unencodable.front();
  }
  std::uint32_t volumes = 0;
  const fs::path pictureFolder = dataFolder / "Picture";
  const auto split = SplitIntoVolumes(pictures);
  for (std::size_t v = 0; report.pictures == PictureStatus::Done && v < split.size(); ++v) {
    const fs::path volume = backupFolder / PictureVolumeName(base, static_cast<int>(v + 1));
    bool stopped = false;
    written.push_back(volume);
    report.pictures = WriteVolume(volume, pictureFolder, pictures, picturePaths, split[v], progressor, stopped, report.why);
    if (stopped) return stop();
    if (report.pictures == PictureStatus::Done) ++volumes;
  }
  report.volumes = report.pictures == PictureStatus::Done ? volumes : 0;

  std::string count;
  PutU32(count, report.volumes);
  if (!WriteAllBytes(out.Get(), report.file, count, report.why) || !SyncFd(out.Get(), report.file, report.why)) {
    return diskFull();
  }
  if (!out.Close()) {
    report.why = "cannot close " + report.file.string();
    return diskFull();
  }
  std::string why;
  if (!platform::SyncFolder(backupFolder, why)) {
    report.why = why;
    return diskFull();
  }
  report.status = BackupStatus::Done;
  return report;
}

}  // namespace maintenance
