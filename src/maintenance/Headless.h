#pragma once
// The data backup and restore without a display, for an office's nightly job:
//   tovana --backup FOLDER    FOLDER new or empty; the backup of the data folder goes into it
//   tovana --restore FOLDER   restores the first ".qmvdbu" of FOLDER into the data folder
// The data folder is the one "datadir.dat" of the installation names. Messages go to standard
// error, the outcome to standard output. Exit status 0 only when everything was backed up
// (pictures included) or restored.

#include <cstdio>
#include <filesystem>

namespace maintenance {

inline constexpr int kHeadlessDone = 0;
inline constexpr int kHeadlessFailed = 1;

int RunHeadlessBackup(const std::filesystem::path& install, const std::filesystem::path& folder,
                      std::FILE* out = stdout, std::FILE* err = stderr);
int RunHeadlessRestore(const std::filesystem::path& install, const std::filesystem::path& folder,
                       std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace maintenance
