#pragma once
// Where the settings files of the data folder live, and the one way they are read: the outcome
// tells a missing file from one that cannot be opened and from one whose bytes do not read back,
// so that every owner can answer each case with its own message.

#include <filesystem>
#include <functional>
#include <string_view>

#include "settings/CArchive.h"

namespace settings {

inline constexpr std::string_view kFileErrorMessage = "ファイル操作中にエラーが発生しました";

// The data folder named by "Data/MyData/datadir.dat" under install, without a final "/";
// empty when the file is missing, unreadable or its first line is empty.
std::filesystem::path DataFolder(const std::filesystem::path& install);

// A file of the data folder; empty when the data folder is not set.
std::filesystem::path DataFolderFile(const std::filesystem::path& install, std::string_view name);

enum class ReadOutcome {
  Loaded,      // body read the file to its end of values
  Missing,     // there is no file of that name
  CannotOpen,  // the file is there (or cannot be looked at) but does not open for reading
  Failed,      // reading failed half-way or the bytes are not what body expects
};

// Reads file with body over an archive of the program's classes. Never throws for file or
// archive faults; a body that fails leaves whatever it had read to the caller to discard.
ReadOutcome ReadSettings(const std::filesystem::path& file, const std::function<void(CArchive&)>& body);

}  // namespace settings
