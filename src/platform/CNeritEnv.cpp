#include "platform/CNeritEnv.h"

#include "platform/Environment.h"

namespace platform {
namespace {

std::filesystem::path InstallFolderFromEnvironment() {
  if (auto home = ProgramPathFromEnv("TOVANA_HOME")) return *home;
  const std::filesystem::path dataHome = DataHome();
  return dataHome.empty() ? dataHome : dataHome / "tovana";
}

std::filesystem::path FactoryFolderFromEnvironment() {
  if (auto factory = ProgramPathFromEnv("TOVANA_FACTORY_DIR")) return *factory;
  const std::filesystem::path programs = RunningProgramFolder();
  return programs.empty() ? programs : FactoryFolderBeside(programs);
}

}  // namespace

std::filesystem::path FactoryFolderBeside(const std::filesystem::path& programFolder) {
  const std::filesystem::path beside = programFolder / "factory";
  std::error_code ec;
  if (std::filesystem::is_directory(beside, ec)) return beside;
  return programFolder.parent_path() / "share" / "tovana" / "factory";
}

CNeritEnv::CNeritEnv()
    : install_(InstallFolderFromEnvironment()), factory_(FactoryFolderFromEnvironment()) {}

}  // namespace platform
