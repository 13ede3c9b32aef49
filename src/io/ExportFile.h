#pragma once
// A file an export writes: it grows beside its target under a temporary name and takes the
// target's name only when it is whole and on the disk, so a cancelled or failed export never
// leaves a half-written file under the name the person chose.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace io {

class ExportFile {
 public:
  explicit ExportFile(std::filesystem::path target);
  // Removes the temporary file unless it was committed.
  ~ExportFile();
  ExportFile(const ExportFile&) = delete;
  ExportFile& operator=(const ExportFile&) = delete;

  // Creates the temporary file; false when it cannot be created.
  bool Open();
  // The temporary file's path, for writers that write it themselves (closed, not opened here).
  const std::filesystem::path& StagingPath() const { return staging_; }
  // Appends bytes; false once any write has failed.
  bool Write(std::string_view bytes);
  // Empties the temporary file to start again.
  bool Restart();
  // Flushes and syncs the temporary file and renames it over the target; false on any failure,
  // after which the target is as it was.
  bool Commit();
  // Drops what was written.
  void Discard();

 private:
  bool Close();

  std::filesystem::path target_, staging_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
  bool committed_ = false;
};

}  // namespace io
