#pragma once
// The installation's place and the program's version. Construct one wherever a path is needed:
// it reads the environment when constructed and never touches the disk.
//
// Installation folder: $TOVANA_HOME, else $XDG_DATA_HOME/tovana (~/.local/share/tovana).
// Factory folder (what a first start lays out): $TOVANA_FACTORY_DIR, else FactoryFolderBeside the
// running program's folder. Either is empty when it cannot be determined (no home folder, no
// /proc/self/exe); callers treat an empty path as missing.

#include <filesystem>

// The build may set the version as an int, 100 for 1.00: target_compile_definitions(...
// TOVANA_VERSION_NUMBER=123). Without it the version below holds.
#ifndef TOVANA_VERSION_NUMBER
#define TOVANA_VERSION_NUMBER 100
#endif

namespace platform {

// The factory tree of programs in programFolder: "factory" beside them in the build folder, else
// "../share/tovana/factory" where they are installed (bin/ beside share/).
std::filesystem::path FactoryFolderBeside(const std::filesystem::path& programFolder);

class CNeritEnv {
 public:
  static constexpr int kVersion = TOVANA_VERSION_NUMBER;

  CNeritEnv();

  // Absolute; no final "/".
  const std::filesystem::path& GetInstallFolder() const { return install_; }
  const std::filesystem::path& GetFactoryFolder() const { return factory_; }
  // 100 for version 1.00.
  int GetVersion() const { return kVersion; }

 private:
  std::filesystem::path install_;
  std::filesystem::path factory_;
};

}  // namespace platform
