#include "lookup/PhoneBookMedium.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "lookup/CFnw.h"

namespace lookup {
namespace fs = std::filesystem;

std::vector<fs::path> MediaRoots() {
  std::vector<fs::path> roots;
  if (const char* list = std::getenv("TOVANA_MEDIA_ROOTS")) {
    std::string_view rest(list);
    while (!rest.empty()) {
      const std::size_t colon = rest.find(':');
      if (colon != 0) roots.emplace_back(rest.substr(0, colon));
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
    return roots;
  }
  const char* user = std::getenv("USER");
  if (user != nullptr && *user != '\0') {
    roots.push_back(fs::path("/media") / user);
    roots.push_back(fs::path("/run/media") / user);
  }
  roots.emplace_back("/mnt");
  return roots;
}

fs::path FindPhoneBookMedium(const std::vector<fs::path>& roots) {
  std::error_code ec;
  const auto holdsBook = [&ec](const fs::path& medium) { return fs::exists(medium / CFnw::kMediumFolder, ec); };
  for (const fs::path& root : roots) {
    if (holdsBook(root)) return root;
    std::vector<fs::path> media;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
      if (it->is_directory(ec)) media.push_back(it->path());
    }
    std::sort(media.begin(), media.end());
    for (const fs::path& medium : media) {
      if (holdsBook(medium)) return medium;
    }
    ec.clear();
  }
  return {};
}

}  // namespace lookup
