#pragma once
// Restoring a data backup into a data folder, guarded by a safety copy of the folder's present
// data ("BupTmp", else "BupTmp1", "BupTmp2", ...). The safety copy is complete once its marker
// file is written; from then until the restore is committed (the marker removed) a crash leaves
// the marker behind, and the next start rolls the folder back from it
// (RecoverInterruptedRestore). Everything runs under the folder's exclusive save lock, which
// the caller holds.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace maintenance {

inline constexpr const char* kSafetyCopyName = "BupTmp";
// Written into the safety copy when it is complete: the data files it found, one per line.
inline constexpr const char* kSafetyMarkerName = "Restoring.lst";

// Told which file is being written and the bytes done of all; false asks to stop.
using RestoreProgress = std::function<bool(std::string_view file, std::uint64_t done, std::uint64_t total)>;

class CSafetyCopy {
 public:
  // Copies the present data files and pictures of dataFolder into a new safety folder, synced,
  // then writes its marker. Nullopt (nothing left behind) with why when any step fails.
  static std::optional<CSafetyCopy> Make(const std::filesystem::path& dataFolder, std::string& why);
  // The safety folder of an interrupted restore, read from its marker.
  static std::optional<CSafetyCopy> Load(const std::filesystem::path& dataFolder, const std::filesystem::path& folder);

  const std::filesystem::path& Folder() const { return folder_; }
  // Puts the data folder back as the safety copy holds it: its data files copied back, data
  // files it did not have removed, its pictures copied back and pictures it did not have removed;
  // then Discard. False (the safety copy kept, with its marker) when any of it fails.
  bool RollBack(std::string& why);
  // Removes the marker (synced: the restore is then committed) and the safety folder.
  bool Discard(std::string& why);

 private:
  std::filesystem::path dataFolder_, folder_;
  std::vector<std::string> dataFiles_;
};

enum class RestoreStatus {
  Done,
  NotBackup,       // the magic text does not match
  BadFormat,       // the head, the total length, the names or the trailing count are not right
  FilesFailed,     // some data file could not be written
  PicturesFailed,  // see RestoreReport::picture
  Stopped,         // stopped through the progress callback
};

enum class PictureRestoreError {
  None,
  VolumeMissing,   // "画像データのバックアップファイルが見つかりません。"
  CannotOpen,      // "画像データのバックアップファイルを開けません。"
  BadFormat,       // "画像バックアップファイルの形式が不正です。"
  NotPictures,     // the volume's magic text does not match
  DiskFull,        // a picture could not be written in full
  CannotCreate,    // a picture file could not be created
};

struct RestoreReport {
  RestoreStatus status = RestoreStatus::Done;
  PictureRestoreError picture = PictureRestoreError::None;
  // Whether any file of the data folder was written (a rollback has something to undo).
  bool touched = false;
  std::string why;
};

// Writes the data files of backupFile into dataFolder and the pictures of its volumes (beside
// it) into dataFolder's "Picture". The whole container is checked before anything is written: a
// name that is not one of the data files is BadFormat, so a backup never writes outside the
// data folder. Every file written is synced before Done.
RestoreReport RestoreFromBackup(const std::filesystem::path& dataFolder, const std::filesystem::path& backupFile,
                                const RestoreProgress& progress = {});

enum class InterruptedRestore { None, RolledBack, InProgress, Failed };

// At start (or before a headless backup or restore): a safety copy left with its marker is
// rolled back into the data folder; one without (a crash while it was being made, or after the
// commit) is removed. InProgress when another process holds the save lock (its restore runs).
InterruptedRestore RecoverInterruptedRestore(const std::filesystem::path& dataFolder, std::string& why);

}  // namespace maintenance
