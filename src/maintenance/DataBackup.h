#pragma once
// Writing a data backup: the data files of a data folder into "<base>.qmvdbu" and the files of its
// "Picture" folder into the volumes "<base>_<n>.qmvpbu" beside it (layouts in BackupFormat.h).
// The data folder is only read: its files are opened under the folder's shared save lock, so the
// backup holds the last saved database, whole, even while another process saves or restores.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "maintenance/BackupFormat.h"

namespace maintenance {

// Told which backup file is being written, which source file goes into it, and the bytes done
// of all there is to write; false asks the backup to stop (it then removes what it wrote).
using BackupProgress = std::function<bool(std::string_view target, std::string_view source, std::uint64_t done,
                                          std::uint64_t total)>;

enum class BackupStatus {
  Done,              // the data backup is complete (see pictures for the volumes)
  NoFiles,           // the data folder holds none of the data files
  CannotCreate,      // the backup file could not be created
  SourceUnreadable,  // a data file could not be opened or read
  DiskFull,          // writing the backup file failed
  TooLarge,          // the data files do not fit a container's 32-bit total length
  Stopped,           // stopped through the progress callback; nothing written is left
  Locked,            // the save lock could not be had (a restore runs elsewhere)
};

enum class PictureStatus {
  None,              // no pictures: no volume
  Done,              // every picture is in the volumes
  SourceUnreadable,  // a picture could not be opened or read, or its name has no CP932 form
  DiskFull,          // writing a volume failed
};

struct BackupReport {
  BackupStatus status = BackupStatus::Done;
  PictureStatus pictures = PictureStatus::None;
  std::filesystem::path file;    // the data backup
  std::uint64_t totalLength = 0;  // its computed length
  std::uint32_t volumes = 0;      // the count written into it
  std::string why;                // what failed, for a log or the command line
};

// The names and sizes of the data files a backup takes: those ListDataFiles(1) names that the
// folder holds with a size above 0, in that order.
std::vector<ContainerItem> CollectDataFiles(const std::filesystem::path& dataFolder);
// The stored names (CP932) and sizes of the files directly in the folder's "Picture" subfolder
// (not its subfolders), in name order; unencodable names are reported through bad.
std::vector<ContainerItem> CollectPictures(const std::filesystem::path& dataFolder,
                                           std::vector<std::string>* bad = nullptr);

// Writes the backup of dataFolder into backupFolder (which exists) as base + ".qmvdbu" and its
// volumes. Everything written is synced before Done is reported.
BackupReport WriteDataBackup(const std::filesystem::path& dataFolder, const std::filesystem::path& backupFolder,
                             std::string_view base, const BackupProgress& progress = {});

}  // namespace maintenance
