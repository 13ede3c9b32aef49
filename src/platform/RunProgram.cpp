#include "platform/RunProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <thread>

extern char** environ;

namespace platform {
namespace {

// Owns the spawn attributes and file actions for one start.
class SpawnSetup {
 public:
  SpawnSetup() {
    ::posix_spawn_file_actions_init(&actions_);
    ::posix_spawnattr_init(&attributes_);
    ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ::posix_spawnattr_setsigmask(&attributes_, &none);
    ::posix_spawnattr_setsigdefault(&attributes_, &all);
    ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
  }
  ~SpawnSetup() {
    ::posix_spawnattr_destroy(&attributes_);
    ::posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &actions_; }
  const posix_spawnattr_t* Attributes() const { return &attributes_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

void ReapWhenItEnds(pid_t pid) {
  try {
    std::thread([pid] {
      while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // No thread to spare: the process stays a zombie until this program ends, nothing worse.
  }
}

}  // namespace

std::string CommandLineFor(std::string_view arguments) {
  if (arguments.starts_with(' ')) return std::string(arguments);
  return " " + std::string(arguments);
}

std::vector<std::string> SplitArguments(std::string_view commandLine) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < commandLine.size(); ++i) {
    const char c = commandLine[i];
    if (c == '"') {
      inArgument = true;
      if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
        current += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    line += line.empty() ? "\"" : " \"";
    for (const char c : argument) {
      line += c;
      if (c == '"') line += '"';
    }
    line += '"';
  }
  return line;
}

std::filesystem::path FindOnPath(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (!folders.empty()) {
    const auto colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
    if (folder.empty()) continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / name;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

namespace {

// The started process's id, or 0; the caller waits for it.
pid_t Spawn(const std::filesystem::path& program, std::string_view arguments) {
  if (program.empty()) return 0;
  std::vector<std::string> words = SplitArguments(CommandLineFor(arguments));
  words.insert(words.begin(), program.string());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  SpawnSetup setup;
  pid_t pid = 0;
  if (::posix_spawn(&pid, program.c_str(), setup.Actions(), setup.Attributes(), argv.data(), environ) != 0) {
    return 0;
  }
  return pid;
}

}  // namespace

pid_t StartProgram(const std::filesystem::path& program, std::string_view arguments) {
  const pid_t pid = Spawn(program, arguments);
  if (pid != 0) ReapWhenItEnds(pid);
  return pid;
}

int RunProgramWaiting(const std::filesystem::path& program, std::string_view arguments,
                      std::chrono::milliseconds patience) {
  const pid_t pid = Spawn(program, arguments);
  if (pid == 0) return kNotStarted;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    int status = 0;
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (ended < 0 && errno != EINTR) return kStillRunning;  // already reaped elsewhere: nothing to tell
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ReapWhenItEnds(pid);
  return kStillRunning;
}

int RunProgram(const std::filesystem::path& program, std::string_view arguments) {
  return StartProgram(program, arguments) != 0 ? 1 : 0;
}

}  // namespace platform
