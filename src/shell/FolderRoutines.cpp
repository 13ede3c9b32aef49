#include "shell/FolderRoutines.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "shell/AppRoutines.h"

namespace shell {

namespace fs = std::filesystem;

int EnsureFolder(ui::Ui& ui, const fs::path& path, bool mayCreate, bool askFirst) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return kFolderExists;
  if (!mayCreate) return kFolderMissing;
  if (askFirst && !ui.Ask(kAskCreateFolder, ui::Answer::Yes, ui::Icon::Question)) return kFolderDeclined;
  const int kind = ClassifyFolderPath(path.string());
  if (kind == 3 || kind == 4 || !fs::create_directories(path, ec) || !fs::is_directory(path, ec)) {
    ui.Tell(kCannotCreateFolder);
    return kFolderFailed;
  }
  return kFolderCreated;
}

bool FolderHasFiles(const fs::path& folder, std::string_view extension, std::string* firstName) {
  std::error_code ec;
  std::vector<std::string> names;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (!extension.empty()) {
      const std::string ext = it->path().extension().string();
      if (ext.size() != extension.size() + 1 ||
          !std::equal(extension.begin(), extension.end(), ext.begin() + 1, [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
          })) {
        continue;
      }
    }
    names.push_back(name);
  }
  if (names.empty()) return false;
  if (firstName) *firstName = *std::min_element(names.begin(), names.end());
  return true;
}

}  // namespace shell
