#include "history/PictureStore.h"

#include <system_error>

namespace history {

namespace {

namespace fs = std::filesystem;

// Beyond this many taken names the folder is not a sane picture store; the copy gives up.
constexpr int kMaxSuffix = 100000;

std::string CandidateName(const fs::path& source, int n) {
  if (n == 0) return source.filename().string();
  return source.stem().string() + "_" + std::to_string(n) + source.extension().string();
}

bool Taken(const fs::path& target) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(target, ec));
}

}  // namespace

std::string StorePictureFile(const fs::path& folder, const std::string& source) {
  const fs::path from(source);
  if (source.empty() || !from.has_parent_path()) return source;
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) return source;
  fs::create_directories(folder, ec);
  if (ec) return source;
  for (int n = 0; n < kMaxSuffix; ++n) {
    const std::string name = CandidateName(from, n);
    const fs::path target = folder / name;
    if (Taken(target)) continue;
    // copy_file without overwrite creates the target exclusively: a name taken meanwhile fails.
    if (fs::copy_file(from, target, fs::copy_options::none, ec)) return name;
    if (ec == std::errc::file_exists) continue;
    std::error_code ignored;
    fs::remove(target, ignored);
    return source;
  }
  return source;
}

fs::path PictureFilePath(const fs::path& folder, const std::string& name) {
  if (name.empty()) return {};
  const fs::path held(name);
  return held.has_parent_path() ? held : folder / held;
}

}  // namespace history
