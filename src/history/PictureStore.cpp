#include "history/PictureStore.h"

#include "platform/StoredFile.h"

namespace history {

namespace fs = std::filesystem;

std::string StorePictureFile(const fs::path& folder, const std::string& source) {
  if (source.empty() || !fs::path(source).has_parent_path()) return source;
  std::string why;
  return platform::StoreUnderFreeName(folder, source, why).value_or(source);
}

fs::path PictureFilePath(const fs::path& folder, const std::string& name) {
  if (name.empty()) return {};
  const fs::path held(name);
  return held.has_parent_path() ? held : folder / held;
}

}  // namespace history
