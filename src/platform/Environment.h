#pragma once
// The folders the program may use, all taken from the environment so that tests (and a second
// installation) can point them elsewhere. A variable counts only when it holds an absolute path.

#include <filesystem>
#include <optional>

namespace platform {

// The absolute path in environment variable name, normalised and without a final "/"; nullopt
// when unset, empty or relative (the XDG rule).
std::optional<std::filesystem::path> AbsolutePathFromEnv(const char* name);
// The program's own variables (TOVANA_HOME, ...): as above, but a relative value is taken from
// the current folder, as a user typing it on a command line means it.
std::optional<std::filesystem::path> ProgramPathFromEnv(const char* name);

// $HOME, else the home folder of the user database; empty when neither is known.
std::filesystem::path HomeFolder();
// $XDG_DATA_HOME, else ~/.local/share; empty when there is no home folder.
std::filesystem::path DataHome();
// $XDG_CONFIG_HOME, else ~/.config; empty when there is no home folder.
std::filesystem::path ConfigHome();
// $XDG_RUNTIME_DIR; nullopt when the session has none.
std::optional<std::filesystem::path> RuntimeDir();
// The folder of the running program (the other programs are installed beside it); empty when
// /proc/self/exe cannot be read.
std::filesystem::path RunningProgramFolder();

}  // namespace platform
