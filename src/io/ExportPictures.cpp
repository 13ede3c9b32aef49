#include "io/ExportPictures.h"

#include <system_error>

#include "platform/DurableFile.h"

namespace io {

namespace fs = std::filesystem;

ExportPictures::ExportPictures(fs::path pictureFolder, fs::path destination)
    : source_(std::move(pictureFolder)), destination_(std::move(destination)) {
  staging_ = destination_;
  staging_ += ".saving";
}

ExportPictures::~ExportPictures() {
  if (committed_) return;
  std::error_code ignored;
  fs::remove_all(staging_, ignored);
}

std::string ExportPictures::Copy(const std::string& field) {
  if (field.empty()) return {};
  if (const auto it = copied_.find(field); it != copied_.end()) return it->second;
  const fs::path from = fs::path(field).is_absolute() ? fs::path(field) : source_ / field;
  std::error_code error;
  if (!fs::is_regular_file(from, error)) return copied_[field] = std::string();
  std::string name = from.filename().string();
  // Two different pictures of one name keep apart: the later one gets a number.
  for (int n = 2; byName_.count(name) && byName_[name] != from.string(); ++n) {
    name = from.stem().string() + "_" + std::to_string(n) + from.extension().string();
  }
  if (!byName_.count(name)) {
    fs::create_directories(staging_, error);
    if (error || !fs::copy_file(from, staging_ / name, fs::copy_options::overwrite_existing, error)) {
      failed_ = true;
      return {};
    }
    byName_[name] = from.string();
  }
  return copied_[field] = name;
}

bool ExportPictures::Commit() {
  if (failed_) return false;
  if (byName_.empty()) {
    committed_ = true;
    return true;
  }
  std::error_code error;
  fs::create_directories(destination_, error);
  if (error) return false;
  std::string reason;
  for (const auto& [name, from] : byName_) {
    if (!platform::SyncFile(staging_ / name, reason) || !platform::ReplaceFile(staging_ / name, destination_ / name, reason)) {
      return false;
    }
  }
  fs::remove_all(staging_, error);
  committed_ = true;
  return true;
}

}  // namespace io
