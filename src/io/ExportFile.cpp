#include "io/ExportFile.h"

#include <unistd.h>

#include "platform/DurableFile.h"

namespace io {

ExportFile::ExportFile(std::filesystem::path target)
    : target_(std::move(target)), staging_(platform::SavingPathFor(target_)) {}

ExportFile::~ExportFile() { Discard(); }

bool ExportFile::Open() {
  file_ = std::fopen(staging_.c_str(), "wb");
  failed_ = file_ == nullptr;
  return file_ != nullptr;
}

bool ExportFile::Write(std::string_view bytes) {
  if (failed_ || !file_) return false;
  if (platform::InjectedError(platform::FileOp::Write, staging_) != 0 ||
      std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
  return !failed_;
}

bool ExportFile::Restart() {
  if (failed_ || !file_) return false;
  if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0 || ftruncate(fileno(file_), 0) != 0) {
    failed_ = true;
  }
  return !failed_;
}

bool ExportFile::Close() {
  if (!file_) return !failed_;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed) failed_ = true;
  return !failed_;
}

bool ExportFile::Commit() {
  if (!Close()) return false;
  std::string error;
  if (!platform::SyncFile(staging_, error) || !platform::ReplaceFile(staging_, target_, error)) {
    failed_ = true;
    return false;
  }
  committed_ = true;
  return true;
}

void ExportFile::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (committed_) return;
  std::error_code ignored;
  std::filesystem::remove(staging_, ignored);
}

}  // namespace io
