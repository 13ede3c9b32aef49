#include "customers/KokyakuCardUrl.h"

#include <chrono>
#include <string>
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

}  // namespace

std::filesystem::path FindUrlOpener() { return platform::FindOnPath("xdg-open"); }

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
  int exit = platform::kNotStarted;
  {
    const ui::WaitScope wait = ui.Wait();
    if (!opener.empty()) {
      exit = platform::RunProgramWaiting(opener, platform::JoinArguments({BrowserAddress(address)}),
                                         std::chrono::milliseconds(kUrlOpenerPatienceMs));
    }
  }
  // The opener's exit codes: 0 done, 1 a refused argument, 2 a missing file, 3 no program for
  // it, 4 the program failed.
  switch (exit) {
    case 0:
    case platform::kStillRunning: return 1;
    case platform::kNotStarted:
    case 3: ui.Tell(kUrlNoProgram); return 0;
    case 1: ui.Tell(std::string(address) + kUrlNoPath); return 0;
    default: ui.Tell(std::string(address) + kUrlNotFound); return 0;
  }
}

}  // namespace customers
