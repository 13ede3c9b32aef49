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
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : program.parent_path() / "factory";
}

}  // namespace

CNeritEnv::CNeritEnv()
    : install_(InstallFolderFromEnvironment()), factory_(FactoryFolderFromEnvironment()) {}

}  // namespace platform
