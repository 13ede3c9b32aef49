#include "app/HelpContents.h"

#include <chrono>
#include <system_error>

#include "platform/RunProgram.h"
#include "text/Format.h"

namespace app {

namespace {

// xdg-open reports within this time whether anything could open the file.
constexpr std::chrono::milliseconds kOpenerPatience(3000);

// One argument on the command line RunProgram splits: quoted, inner quotes doubled.
std::string QuotedArgument(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

}  // namespace

int ShowHelpContents(ui::Ui& ui, const std::filesystem::path& file, const std::filesystem::path& opener) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    ui.Tell(text::Format(kHelpMissing, file.string()));
    return 0;
  }
  int result;
  {
    const ui::WaitScope wait = ui.Wait();
    result = platform::RunProgramWaiting(opener, QuotedArgument(file.string()), kOpenerPatience);
  }
  if (result == 0 || result == platform::kStillRunning) return 1;
  ui.Tell(text::Format(kHelpNoViewer, file.string()), ui::Icon::Information);
  return 0;
}

}  // namespace app
