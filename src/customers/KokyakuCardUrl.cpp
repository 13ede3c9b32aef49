#include "customers/KokyakuCardUrl.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

#include "platform/RunProgram.h"

namespace customers {

namespace {

std::string_view Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = s[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// One argument on the command line RunProgram splits: quoted, inner quotes doubled.
std::string QuotedArgument(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

}  // namespace

std::filesystem::path FindUrlOpener() {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!folders.empty()) {
    const auto colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
    if (folder.empty()) continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / "xdg-open";
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

std::string BrowserAddress(std::string_view url) {
  if (StartsWithNoCase(url, "http://") || StartsWithNoCase(url, "https://")) return std::string(url);
  return "http://" + std::string(url);
}

int OpenURL(ui::Ui& ui, std::string_view url, const std::filesystem::path& opener) {
  const std::string_view address = Trimmed(url);
  if (address.empty()) {
    ui.Tell(kUrlEmpty);
    return 0;
  }
  int started = 0;
  {
    const ui::WaitScope wait = ui.Wait();
    if (!opener.empty()) started = platform::RunProgram(opener, QuotedArgument(BrowserAddress(address)));
  }
  if (started != 1) ui.Tell(kUrlNoProgram);
  return started == 1 ? 1 : 0;
}

}  // namespace customers
