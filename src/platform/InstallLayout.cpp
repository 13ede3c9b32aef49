#include "platform/InstallLayout.h"

#include <array>

namespace platform {

std::vector<std::filesystem::path> WorkspaceFolders(const std::filesystem::path& install) {
  static constexpr std::array<const char*, 17> kTree = {
      "Data",        "Data/contactXML_v1.1", "Data/DefEru",     "Data/DefEru/Def",
      "Data/ExcelMacro", "Data/Fmt",         "Data/Html",       "Data/Meta",
      "Data/mrr",    "Data/MyData",          "Data/Org",        "Data/Other",
      "Data/Other/NewObject", "Data/Preview", "Data/Tmp",       "Data/TmpPic",
      "Exe"};
  std::vector<std::filesystem::path> folders{install};
  for (const char* relative : kTree) folders.push_back(install / relative);
  return folders;
}

std::filesystem::path MyDataFolder(const std::filesystem::path& install) {
  return install / "Data" / "MyData";
}

std::filesystem::path AcckSysFile(const std::filesystem::path& install) {
  return MyDataFolder(install) / "acck.sys";
}

std::filesystem::path DataDirFile(const std::filesystem::path& install) {
  return MyDataFolder(install) / "datadir.dat";
}

std::filesystem::path MachineIniFile(const std::filesystem::path& install) {
  return MyDataFolder(install) / "machine.ini";
}

std::filesystem::path PasswordFile(const std::filesystem::path& install) {
  return MyDataFolder(install) / "PassWord.sys";
}

std::filesystem::path FirstRunMarkerFile(const std::filesystem::path& install) {
  return MyDataFolder(install) / "FTtemp.dat";
}

std::filesystem::path FactoryDatabaseFile(const std::filesystem::path& installOrFactory) {
  return installOrFactory / "Data" / "Org" / "ZQQMV.qmv";
}

std::filesystem::path FactoryColumnSetFile(const std::filesystem::path& installOrFactory) {
  return installOrFactory / "Data" / "Org" / "QMVColSet.sys";
}

std::filesystem::path DefaultDataFolder(const std::filesystem::path& install) {
  return install / "Data" / "UserData";
}

std::filesystem::path ProgramFolder(const std::filesystem::path& install) { return install / "Exe"; }

}  // namespace platform
