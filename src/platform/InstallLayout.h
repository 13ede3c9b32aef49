#pragma once
// The fixed places inside an installation folder, named once. Every function takes the
// installation folder (CNeritEnv::GetInstallFolder) and returns an absolute path under it.

#include <filesystem>
#include <vector>

namespace platform {

// The folders start-up checks for write access, in the order it checks them: the installation
// folder itself, then Data, Data/contactXML_v1.1, ... Exe. A first start creates all of them.
std::vector<std::filesystem::path> WorkspaceFolders(const std::filesystem::path& install);

// Data/MyData: the per-installation settings.
std::filesystem::path MyDataFolder(const std::filesystem::path& install);
// Data/MyData/acck.sys: must exist; start-up's first write-access probe.
std::filesystem::path AcckSysFile(const std::filesystem::path& install);
// Data/MyData/datadir.dat: names the data folder (see DataDirFile.h).
std::filesystem::path DataDirFile(const std::filesystem::path& install);
// Data/MyData/machine.ini: the machine-wide profile (see CProfile.h).
std::filesystem::path MachineIniFile(const std::filesystem::path& install);
// Data/MyData/PassWord.sys: the start-up password's hash (see CQMVPassCheck.h).
std::filesystem::path PasswordFile(const std::filesystem::path& install);
// Data/MyData/FTtemp.dat: while it exists, the menu screen first asks for the own-company details.
std::filesystem::path FirstRunMarkerFile(const std::filesystem::path& install);
// Data/Org/ZQQMV.qmv: the factory's empty database, the source of every new data folder.
std::filesystem::path FactoryDatabaseFile(const std::filesystem::path& installOrFactory);
// Data/Org/QMVColSet.sys: the factory column labels, the source of a column-set re-initialisation.
std::filesystem::path FactoryColumnSetFile(const std::filesystem::path& installOrFactory);
// Data/UserData: the data folder a first start creates and records in datadir.dat.
std::filesystem::path DefaultDataFolder(const std::filesystem::path& install);
// Exe: where the programs the system starts are looked up.
std::filesystem::path ProgramFolder(const std::filesystem::path& install);

}  // namespace platform
