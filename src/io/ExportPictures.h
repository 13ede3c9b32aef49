#pragma once
// The pictures an export takes along: copied from the picture folder into a staging folder as
// the records are written, and moved into their destination folder only when the export is
// complete. A picture the picture folder does not hold is left out; a picture two customers share
// is copied once.

#include <filesystem>
#include <map>
#include <string>

namespace io {

class ExportPictures {
 public:
  ExportPictures(std::filesystem::path pictureFolder, std::filesystem::path destination);
  // Removes the staging folder unless committed.
  ~ExportPictures();
  ExportPictures(const ExportPictures&) = delete;
  ExportPictures& operator=(const ExportPictures&) = delete;

  // Copies the picture a record's field names (a name in the picture folder, or a full path) and
  // returns its file name in the destination; empty when there is no such picture or the copy
  // failed (then Failed() is true).
  std::string Copy(const std::string& field);
  bool Failed() const { return failed_; }
  // Moves the copies into the destination folder (made when missing; a file of the same name
  // there is replaced). True also when there was nothing to move.
  bool Commit();

 private:
  std::filesystem::path source_, destination_, staging_;
  std::map<std::string, std::string> copied_;  // field to file name
  std::map<std::string, std::string> byName_;  // file name to the source it came from
  bool failed_ = false;
  bool committed_ = false;
};

}  // namespace io
