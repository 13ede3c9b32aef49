#pragma once
// The program's command line. Its own arguments are --version, --help, and --backup FOLDER and
// --restore FOLDER, which run without a window (maintenance/Headless.h);
// Qt's standard options (-platform, -style, -display, ...) are left for Qt. Anything else is
// refused before a window opens, as Linux programs do: a short usage on standard error and exit
// status 2.

#include <span>
#include <string>
#include <string_view>

namespace app {

struct CommandLine {
  enum class Action { Run, Version, Help, Backup, Restore, Refuse };
  Action action = Action::Run;
  std::string error;   // Refuse: the line that says what was not understood
  std::string folder;  // Backup, Restore: the backup folder
};

// args: the arguments after the program's name.
CommandLine ReadCommandLine(std::span<const std::string_view> args);

// "tovana (顧客ソレル) 1.00" and a line end.
std::string VersionText();
// The usage with the environment variables the program reads.
std::string HelpText();
// The one line of usage that follows a refusal.
std::string UsageLine();

// The exit status of a refused command line.
inline constexpr int kUsageStatus = 2;

}  // namespace app
