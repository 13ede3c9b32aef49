#pragma once
// Starting outside programs (the phone book, area marketing, printing). The caller finds the
// program under <installation>/Exe; these only run the path they are given.
//
// Arguments arrive as one command-line text. A space is put in front unless it begins with one,
// then the text is split into arguments: spaces and tabs separate them; a double quote begins or
// ends a quoted part, in which spaces are kept; inside quotes "" stands for one literal quote;
// an unclosed quote runs to the end; a backslash is an ordinary character (folder paths keep
// theirs). So ` /B` and `/B` give the one argument "/B", `"a b" c` gives "a b" and "c", and
// `""` gives one empty argument.
//
// The program starts in a session of its own with standard input from /dev/null, standard
// output and error shared with this program, default signal handling, and no other descriptor
// of this program. A small detached thread waits for it, so it never stays a zombie and no
// SIGCHLD handler (which would fight the toolkit's own child handling) is needed.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The arguments with the leading space the command line gets.
std::string CommandLineFor(std::string_view arguments);

// The command line split into arguments by the rule above.
std::vector<std::string> SplitArguments(std::string_view commandLine);

// The command line that SplitArguments reads back as exactly these arguments: each quoted, its
// quotes doubled.
std::string JoinArguments(const std::vector<std::string>& arguments);

// The program of that name in the first folder of $PATH holding it (the usual folders when PATH
// is unset); empty when none does.
std::filesystem::path FindOnPath(std::string_view name);

// The started process's id, or 0 when program is empty or could not be started (missing, not
// executable, not a program).
pid_t StartProgram(const std::filesystem::path& program, std::string_view arguments);

// 1 when the program started, else 0 (also for an empty path).
int RunProgram(const std::filesystem::path& program, std::string_view arguments);

// Starts the program as StartProgram does and waits at most patience for it to end, for helpers
// such as xdg-open that start something else and report by their exit code whether they could.
// The exit code when it ended in time (128 + the signal when one ended it); kStillRunning when it
// still runs, left to run on; kNotStarted when it could not be started.
inline constexpr int kStillRunning = -1, kNotStarted = -2;
int RunProgramWaiting(const std::filesystem::path& program, std::string_view arguments,
                      std::chrono::milliseconds patience);

}  // namespace platform
