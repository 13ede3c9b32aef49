#include "platform/Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {
namespace {

std::filesystem::path HomeFromUserDatabase() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
      !found->pw_dir || found->pw_dir[0] != '/') {
    return {};
  }
  return found->pw_dir;
}

// The XDG rule: the variable when it is absolute, else home followed by fallback.
std::filesystem::path XdgFolder(const char* variable, const char* fallback) {
  if (auto path = AbsolutePathFromEnv(variable)) return *path;
  const std::filesystem::path home = HomeFolder();
  return home.empty() ? home : home / fallback;
}

std::filesystem::path Normalised(const std::filesystem::path& path) {
  std::filesystem::path normal = path.lexically_normal();
  if (!normal.has_filename() && normal != normal.root_path()) normal = normal.parent_path();
  return normal;
}

}  // namespace

std::optional<std::filesystem::path> AbsolutePathFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return std::nullopt;
  return Normalised(value);
}

std::optional<std::filesystem::path> ProgramPathFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] == '\0') return std::nullopt;
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(value, ec);
  if (ec) return std::nullopt;
  return Normalised(absolute);
}

std::filesystem::path HomeFolder() {
  if (auto home = AbsolutePathFromEnv("HOME")) return *home;
  return HomeFromUserDatabase();
}

std::filesystem::path DataHome() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }

std::filesystem::path ConfigHome() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

std::optional<std::filesystem::path> RuntimeDir() { return AbsolutePathFromEnv("XDG_RUNTIME_DIR"); }

std::filesystem::path RunningProgramFolder() {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : program.parent_path();
}

}  // namespace platform
